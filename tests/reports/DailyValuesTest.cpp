#include <gtest/gtest.h>

#include "reports/DailyValues.h"

namespace pw {
namespace {

QString suffix(const char* percent) {
    return QStringLiteral("          Daily Value: ") + percent + '%';
}

TEST(DailyValuesTest, PercentagesAreRoundedToOneDecimalAndWrittenShortest) {
    NutrientTotals totals{};
    totals[2] = 650;    // calories
    totals[3] = 250;    // protein: not capped
    totals[4] = -13;    // fat, as a user food may have it
    totals[6] = 7.3;    // fiber
    totals[8] = 1000;   // calcium
    totals[15] = 0.75;  // copper
    totals[16] = 1;     // manganese shares copper's 2
    totals[20] = 1;     // thiamin 1.5
    totals[21] = 1;     // riboflavin 1.7
    totals[27] = 100;   // vitamin C
    PercentDV percent{};
    DVTexts texts;
    DailyValues::calc(totals, percent, texts);

    EXPECT_EQ(texts[2], suffix("32.5"));
    EXPECT_EQ(texts[3], suffix("500"));
    EXPECT_EQ(texts[4], suffix("-20"));
    EXPECT_EQ(texts[6], suffix("29.2"));
    EXPECT_EQ(texts[8], suffix("100"));
    EXPECT_EQ(texts[15], suffix("37.5"));
    EXPECT_EQ(texts[16], suffix("50"));
    EXPECT_EQ(texts[20], suffix("66.7"));
    EXPECT_EQ(texts[21], suffix("58.8"));
    EXPECT_EQ(texts[27], suffix("166.7"));
    EXPECT_DOUBLE_EQ(percent[20], 66.7);
    EXPECT_DOUBLE_EQ(percent[27], 166.7);
}

TEST(DailyValuesTest, OnlyTheEnergyNutrientsShowZeroAndNoTextSurvivesACall) {
    NutrientTotals full{};
    for (int i = 2; i <= 31; ++i) full[i] = 10;
    PercentDV percent{};
    percent[7] = percent[29] = percent[30] = -1;  // slots without a Daily Value keep theirs
    DVTexts texts;
    DailyValues::calc(full, percent, texts);
    for (int i = 2; i <= 31; ++i) {
        const bool hasDV = i != 7 && i != 29 && i != 30;
        EXPECT_EQ(!texts[i].isEmpty(), hasDV) << "slot " << i;
    }

    DailyValues::calc(NutrientTotals{}, percent, texts);
    for (int i = 2; i <= 31; ++i) {
        if (i <= 5)
            EXPECT_EQ(texts[i], suffix("0")) << "slot " << i;
        else
            EXPECT_TRUE(texts[i].isEmpty()) << "slot " << i;
    }
    EXPECT_EQ(percent[7], -1);
    EXPECT_EQ(percent[29], -1);
    EXPECT_EQ(percent[30], -1);
}

}  // namespace
}  // namespace pw
