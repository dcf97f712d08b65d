#pragma once

#include <QString>
#include <array>

namespace pw {

// Report storage by nutrient slot: the totals of a report (positions 0..41, slots 2..31 used),
// and per slot 2..31 the percent of the Daily Value and the text appended to its report line.
using NutrientTotals = std::array<double, 42>;
using PercentDV = std::array<double, 32>;
using DVTexts = std::array<QString, 32>;

// Percent Daily Values for a 2000 calorie diet, as the Food and Drug Administration gives them.
class DailyValues {
public:
    // The Daily Value of a slot in the slot's own unit; 0 for a slot without one (ash, the
    // mono- and polyunsaturated fats, and everything outside 2..31).
    static double dailyValue(int slot);

    // "          Daily Value: 32.5%" for the slots that have a Daily Value: always for calories,
    // protein, fat and carbohydrate, for the others only when their total is not 0. Every
    // other text is emptied, so nothing of an earlier report survives. Percentages are rounded
    // to one decimal; slots without a Daily Value keep their `percent` entry as it was.
    static void calc(const NutrientTotals& totals, PercentDV& percent, DVTexts& texts);
};

}  // namespace pw
