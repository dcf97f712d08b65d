#include "reports/DailyValues.h"

#include "data/NumberText.h"

namespace pw {

namespace {

constexpr int kFirstSlot = 2;
constexpr int kLastSlot = 31;

}  // namespace

double DailyValues::dailyValue(int slot) {
    switch (slot) {
        case 2:
            return 2000;  // calories
        case 3:
            return 50;  // protein, g
        case 4:
            return 65;  // total fat, g
        case 5:
            return 300;  // carbohydrate, g
        case 6:
            return 25;  // fiber, g
        case 8:
            return 1000;  // calcium, mg
        case 9:
            return 1000;  // phosphorus, mg
        case 10:
            return 18;  // iron, mg
        case 11:
            return 2400;  // sodium, mg
        case 12:
            return 3500;  // potassium, mg
        case 13:
            return 400;  // magnesium, mg
        case 14:
            return 15;  // zinc, mg
        case 15:
            return 2;  // copper, mg
        case 16:
            return 2;  // manganese, mg
        case 17:
            return 70;  // selenium, micrograms
        case 18:
            return 5000;  // vitamin A, IU
        case 19:
            return 30;  // vitamin E, mg
        case 20:
            return 1.5;  // thiamin, mg
        case 21:
            return 1.7;  // riboflavin, mg
        case 22:
            return 20;  // niacin, mg
        case 23:
            return 10;  // pantothenic acid, mg
        case 24:
            return 2;  // vitamin B6, mg
        case 25:
            return 400;  // folic acid, micrograms
        case 26:
            return 6;  // vitamin B12, micrograms
        case 27:
            return 60;  // vitamin C, mg
        case 28:
            return 20;  // saturated fat, g
        case 31:
            return 300;  // cholesterol, mg
        default:
            return 0;
    }
}

void DailyValues::calc(const NutrientTotals& totals, PercentDV& percent, DVTexts& texts) {
    for (int i = kFirstSlot; i <= kLastSlot; ++i) texts[i].clear();
    for (int i = kFirstSlot; i <= kLastSlot; ++i) {
        const double dv = dailyValue(i);
        if (dv == 0) continue;
        percent[i] = roundDecimals(totals[i] * 100 / dv, 1);
        // The energy nutrients always show their share, even 0%; the rest only when present.
        const bool always = i <= 5;
        if (always || totals[i] != 0)
            texts[i] = QStringLiteral("          Daily Value: ") + shortestText(percent[i]) +
                       QLatin1Char('%');
    }
}

}  // namespace pw
