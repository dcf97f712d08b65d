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

}  // namespace
}  // namespace pw::test
