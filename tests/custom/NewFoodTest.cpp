// A user's food as the row stored for it: values for 100 g from the values of one portion.
#include <gtest/gtest.h>

#include <QStringList>

#include "custom/NewFood.h"

namespace pw::test {
namespace {

// How a typed portion becomes values for 100 g is seen through the add dialog; here, the texts
// that are no plain number.
TEST(NewFoodRow, ValuesKeepThreeDecimalsAndTextsCountByTheirLeadingNumber) {
    FoodEntry e;
    for (const auto& [slot, text] : {std::pair{0, "Cereal"},
                                     {2, "12"},
                                     {3, "0.5"},
                                     {4, "some"},
                                     {5, "12abc"},
                                     {32, "100"},
                                     {33, "1"}})
        e[std::size_t(slot)] = QString::fromUtf8(text);
    const FoodEntry row = newFoodRow(e);
    EXPECT_EQ(QStringList({row[2], row[3], row[4], row[5], row[38]}),
              QStringList({"12.000", "0.500", "0.000", "12.000", "6500"}));
    EXPECT_EQ(per100Grams("1", 3), "33.333");
}

// The weight must be a portion one can weigh, and no value for 100 g more than 100 g can hold (or
// less than nothing); the note names the box to correct and its limit.
TEST(CheckNewFood, ImpossibleWeightsAndValuesPer100GramsAreRefusedAtTheirBox) {
    const struct {
        const char *weight, *value;
        int slot, box;  // box -1: accepted
        const char* limit;
    } cases[] = {
        {"-5", "200", 2, 32, "greater than zero"},
        {"1234567890123456789012345678901234567890", "200", 2, 32, "more than 100,000 grams"},
        {"0.0000001", "200", 2, 2,
         "Calories: the value for 100 grams of the item must lie "
         "between 0 and 900.  Please check it and the weight"},
        {"100000", "900000", 2, -1, ""},
        {"50", "50.5", 3, 3, "Protein in grams: the value for 100 grams"},
        {"50", "-1", 30, 30, "between 0 and 100."},
        {"50", "50001", 31, 31, "between 0 and 100,000."},
        {"50", "50000001", 17, 17, "between 0 and 100,000,000."},
        {"50", "166666667", 18, 18, "between 0 and 333,333,333."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.weight) + " g, " + c.value + " in box " +
                     std::to_string(c.slot));
        FoodEntry e;
        e[0] = QStringLiteral("Bar");
        e[33] = QStringLiteral("1 bar");
        e[2] = QStringLiteral("0");
        e[32] = QLatin1String(c.weight);
        e[std::size_t(c.slot)] = QLatin1String(c.value);
        const std::optional<EntryNote> note = checkNewFood(e);
        EXPECT_EQ(note ? note->box : -1, c.box);
        if (note) {
            EXPECT_TRUE(note->text.contains(QLatin1String(c.limit))) << note->text.toStdString();
        }
    }
}

}  // namespace
}  // namespace pw::test
