#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace pw {

// Report storage by nutrient slot: the totals of a report (positions 0..41, slots 2..31 used),
// and per slot 2..31 the percent of the Daily Value and the text appended to its report line.
using NutrientTotals = std::array<double, 42>;
using PercentDV = std::array<double, 32>;
using DVTexts = std::array<QString, 32>;

// A Daily Value either caps what is eaten (fat, cholesterol, sodium) or is something to reach.
enum class DailyValueKind { Goal, Limit };

// One nutrient with a Daily Value: its slot, its name as the report labels it, its unit, the
// value for a 2000 calorie diet as the Food and Drug Administration gives it, whether it
// follows the calorie level, and whether it is a limit or a goal. `key` names it in the
// settings file.
struct DailyValueEntry {
    int slot;
    const char* label;
    const char* unit;
    double standard;
    bool scalesWithCalories;
    DailyValueKind kind;
    const char* key;
};

// The 27 nutrients with a Daily Value, in the report's order.
const std::vector<DailyValueEntry>& dailyValueTable();
// The entry of `slot`; null for a slot without a Daily Value.
const DailyValueEntry* dailyValueEntry(int slot);

// The Daily Values in force: a calorie level, which scales the energy nutrients in proportion
// to 2000 calories, and values the user set by hand, which win over scaling. The default is
// the standard set.
struct DailyValueTargets {
    static constexpr int kStandardLevel = 2000;
    static constexpr int kLowestLevel = 1000;
    static constexpr int kHighestLevel = 5000;

    int calorieLevel = kStandardLevel;
    std::array<std::optional<double>, 32> own{};  // by slot; empty: scaled or standard

    // The standard value of `slot`, scaled to the calorie level where it follows it; 0 for a
    // slot without a Daily Value.
    double scaledValue(int slot) const;
    // The value in force: the user's own where set, else the scaled or standard one.
    double valueFor(int slot) const;
    int ownCount() const;
    bool isStandard() const { return calorieLevel == kStandardLevel && ownCount() == 0; }
    bool operator==(const DailyValueTargets&) const = default;
};

// A value the user may set as a Daily Value: a plain decimal number (digits and one point, no
// sign or exponent), rounded to six decimals, above 0 and at most kHighestOwnValue. nullopt for
// anything else.
inline constexpr double kHighestOwnValue = 1000000;
std::optional<double> parseOwnDailyValue(const QString& text);

// Percent Daily Values, by default for a 2000 calorie diet as the Food and Drug Administration
// gives them.
class DailyValues {
public:
    // "          Daily Value: 32.5%" for the slots that have a Daily Value: always for calories,
    // protein, fat and carbohydrate, for the others only when their total is not 0. Every
    // other text is emptied, so nothing of an earlier report survives. Percentages are rounded
    // to one decimal; slots without a Daily Value keep their `percent` entry as it was.
    static void calc(const NutrientTotals& totals, PercentDV& percent, DVTexts& texts,
                     const DailyValueTargets& targets = {});
};

}  // namespace pw
