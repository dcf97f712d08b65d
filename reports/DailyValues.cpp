#include "reports/DailyValues.h"

#include <cmath>

#include "data/NumberText.h"

namespace pw {

namespace {

constexpr int kFirstSlot = 2;
constexpr int kLastSlot = 31;

constexpr auto Goal = DailyValueKind::Goal;
constexpr auto Limit = DailyValueKind::Limit;

// The guidelines say so in the report's footer: the energy nutrients follow the calorie level,
// vitamins, minerals, cholesterol and sodium stay.
const std::vector<DailyValueEntry> kTable = {
    {2, "Total Calories", "kcal", 2000, true, Goal, "Calories"},
    {4, "Total Fat in grams", "g", 65, true, Limit, "TotalFat"},
    {28, "Saturated Fat in grams", "g", 20, true, Limit, "SaturatedFat"},
    {31, "Cholesterol in mg", "mg", 300, false, Limit, "Cholesterol"},
    {5, "Carbohydrate in grams", "g", 300, true, Goal, "Carbohydrate"},
    {6, "Fiber in grams", "g", 25, true, Goal, "Fiber"},
    {3, "Protein in grams", "g", 50, true, Goal, "Protein"},
    {11, "Sodium in mg", "mg", 2400, false, Limit, "Sodium"},
    {12, "Potassium in mg", "mg", 3500, false, Goal, "Potassium"},
    {8, "Calcium in mg", "mg", 1000, false, Goal, "Calcium"},
    {9, "Phosphorus in mg", "mg", 1000, false, Goal, "Phosphorus"},
    {10, "Iron in mg", "mg", 18, false, Goal, "Iron"},
    {13, "Magnesium in mg", "mg", 400, false, Goal, "Magnesium"},
    {14, "Zinc in mg", "mg", 15, false, Goal, "Zinc"},
    {15, "Copper in mg", "mg", 2, false, Goal, "Copper"},
    {16, "Manganese in mg", "mg", 2, false, Goal, "Manganese"},
    {17, "Selenium in in micrograms", "mcg", 70, false, Goal, "Selenium"},
    {18, "Vitamin A in iu", "IU", 5000, false, Goal, "VitaminA"},
    {20, "Thiamin in mg", "mg", 1.5, false, Goal, "Thiamin"},
    {21, "Riboflavin in mg", "mg", 1.7, false, Goal, "Riboflavin"},
    {22, "Niacin in mg", "mg", 20, false, Goal, "Niacin"},
    {23, "Pantothenic acid mg", "mg", 10, false, Goal, "PantothenicAcid"},
    {24, "Vitamin B6 in mg", "mg", 2, false, Goal, "VitaminB6"},
    {25, "Folic Acid in micrograms", "mcg", 400, false, Goal, "FolicAcid"},
    {26, "Vitamin B12 in micrograms", "mcg", 6, false, Goal, "VitaminB12"},
    {27, "Vitamin C in mg", "mg", 60, false, Goal, "VitaminC"},
    {19, "Vitamin E in mg", "mg", 30, false, Goal, "VitaminE"},
};

}  // namespace

const std::vector<DailyValueEntry>& dailyValueTable() { return kTable; }

const DailyValueEntry* dailyValueEntry(int slot) {
    for (const DailyValueEntry& e : kTable)
        if (e.slot == slot) return &e;
    return nullptr;
}

double DailyValueTargets::scaledValue(int slot) const {
    const DailyValueEntry* e = dailyValueEntry(slot);
    if (!e) return 0;
    if (!e->scalesWithCalories || calorieLevel == kStandardLevel) return e->standard;
    return calorieLevel * e->standard / kStandardLevel;
}

double DailyValueTargets::valueFor(int slot) const {
    if (slot >= 0 && slot < int(own.size()) && own[std::size_t(slot)] && dailyValueEntry(slot))
        return *own[std::size_t(slot)];
    return scaledValue(slot);
}

int DailyValueTargets::ownCount() const {
    int n = 0;
    for (const DailyValueEntry& e : kTable)
        if (own[std::size_t(e.slot)]) ++n;
    return n;
}

std::optional<double> parseOwnDailyValue(const QString& text) {
    const QString t = text.trimmed();
    // Longer than any value worth typing: refused before it is read.
    if (t.size() > 24) return std::nullopt;
    // Plain digits with at most one decimal point: no sign, no exponent.
    const qsizetype whole = digitRun(t, 0);
    const bool point = whole < t.size() && t[whole] == u'.';
    const qsizetype fraction = point ? digitRun(t, whole + 1) : 0;
    if (whole + fraction == 0 || whole + qsizetype(point) + fraction != t.size())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v > kHighestOwnValue) return std::nullopt;
    const double rounded = roundDecimals(v, 6);
    if (rounded <= 0) return std::nullopt;
    return rounded;
}

void DailyValues::calc(const NutrientTotals& totals, PercentDV& percent, DVTexts& texts,
                       const DailyValueTargets& targets) {
    for (int i = kFirstSlot; i <= kLastSlot; ++i) texts[i].clear();
    for (const DailyValueEntry& e : kTable) {
        const int i = e.slot;
        percent[i] = roundDecimals(totals[i] * 100 / targets.valueFor(i), 1);
        // The energy nutrients always show their share, even 0%; the rest only when present.
        const bool always = i <= 5;
        if (always || totals[i] != 0)
            texts[i] = QStringLiteral("          Daily Value: ") + shortestText(percent[i]) +
                       QLatin1Char('%');
    }
}

}  // namespace pw
