#include <gtest/gtest.h>

#include "custom/NewFood.h"

namespace pw {
namespace {

FoodEntry entry(std::initializer_list<std::pair<int, const char*>> texts) {
    FoodEntry e;
    for (const auto& [slot, text] : texts) e[std::size_t(slot)] = QString::fromUtf8(text);
    return e;
}

TEST(NewFoodRow, ConvertsThePortionTo100Grams) {
    const FoodEntry row = newFoodRow(
        entry({{0, "Trail mix"}, {2, "300"}, {6, "5"}, {3, "7.5"}, {32, "250"}, {33, "1 bag"}}));
    EXPECT_EQ(row[2], "120.000");
    EXPECT_EQ(row[6], "2.000");
    EXPECT_EQ(row[3], "3.000");
    // The weight stays as typed; every user food gets the same code.
    EXPECT_EQ(row[32], "250");
    EXPECT_EQ(row[38], "6500");
    // Boxes left empty stay empty, so that they are not written at all.
    for (int slot : {4, 5, 8, 17, 31}) EXPECT_TRUE(row[std::size_t(slot)].isEmpty()) << slot;
}

TEST(NewFoodRow, A100GramPortionKeepsTheValuesWithThreeDecimals) {
    const FoodEntry row = newFoodRow(entry(
        {{0, "Cereal"}, {2, "12"}, {3, "0.5"}, {4, "some"}, {5, "12abc"}, {32, "100"}, {33, "1"}}));
    EXPECT_EQ(row[2], "12.000");
    EXPECT_EQ(row[3], "0.500");
    EXPECT_EQ(row[4], "0.000");   // a text that is no number counts as 0
    EXPECT_EQ(row[5], "12.000");  // its leading number
    EXPECT_EQ(per100Grams("1", 3), "33.333");
}

}  // namespace
}  // namespace pw
