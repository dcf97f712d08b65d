#include <gtest/gtest.h>

#include "custom/NewFood.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

FoodEntry entry(std::initializer_list<std::pair<int, const char*>> texts) {
    FoodEntry e;
    for (const auto& [slot, text] : texts) e[std::size_t(slot)] = QString::fromUtf8(text);
    return e;
}

// Each check in its turn: what the user has filled so far, the note and the box it points at.
TEST(NewFoodChecks, RunInOrderEachNamingItsBox) {
    struct Case {
        FoodEntry typed;
        int box;
        const char* note;
    };
    const Case cases[] = {
        {entry({{2, "300"}, {32, "250"}, {33, "1 bag"}}), 0, "Please enter an item description."},
        {entry({{0, "Nan's 'best' pie"}, {2, "300"}, {32, "250"}, {33, "1 bag"}}), 0,
         "Descriptions can not contain more than one appostrophe. Please re-write the "
         "description."},
        {entry({{0, "Nan's pie"}, {2, "300"}, {32, "250"}}), 33,
         "Please enter a description of the portion size."},
        {entry({{0, "Nan's pie"}, {2, "300"}, {33, "1 slice"}}), 32,
         "Please enter weight of the portion in grams."},
        {entry({{0, "Nan's pie"}, {2, "300"}, {32, "0.0"}, {33, "1 slice"}}), 32,
         "Please enter weight of the portion in grams.  Weight can not be equal to zero."},
        {entry({{0, "Nan's pie"}, {32, "250"}, {33, "1 slice"}}), 2,
         "Please enter the number of Calories."},
    };
    for (const Case& c : cases) {
        const auto note = checkNewFood(c.typed);
        ASSERT_TRUE(note.has_value()) << c.note;
        EXPECT_EQ(note->box, c.box) << c.note;
        EXPECT_EQ(note->text, QString::fromUtf8(c.note));
    }
    EXPECT_FALSE(checkNewFood(entry({{0, "Nan's pie"}, {2, "300"}, {32, "250"}, {33, "1 slice"}})));
}

TEST(NewFoodChecks, WeightThatIsNoNumberIsATypeMismatch) {
    const FoodEntry typed = entry({{0, "Pie"}, {2, "300"}, {32, "two hundred"}, {33, "1 slice"}});
    EXPECT_EQ(test::errorNumberOf([&] { checkNewFood(typed); }), 13);
    EXPECT_EQ(test::errorNumberOf([&] { newFoodRow(typed); }), 13);
}

TEST(NewFoodRow, ConvertsThePortionTo100Grams) {
    const FoodEntry row = newFoodRow(
        entry({{0, "Trail mix"}, {2, "300"}, {6, "5"}, {3, "7.5"}, {32, "250"}, {33, "1 bag"}}));
    EXPECT_EQ(row[2], "120.000");
    EXPECT_EQ(row[6], "2.000");
    EXPECT_EQ(row[3], "3.000");
    // The descriptions and the weight stay as typed; every user food gets the same code.
    EXPECT_EQ(row[0], "Trail mix");
    EXPECT_EQ(row[32], "250");
    EXPECT_EQ(row[33], "1 bag");
    EXPECT_EQ(row[38], "6500");
    // Boxes left empty stay empty, so that they are not written at all.
    for (int slot : {4, 5, 8, 17, 31}) EXPECT_TRUE(row[std::size_t(slot)].isEmpty()) << slot;
}

TEST(NewFoodRow, A100GramPortionKeepsTheValuesWithThreeDecimals) {
    const FoodEntry row = newFoodRow(entry({{0, "Cereal"},
                                            {2, "12"},
                                            {3, "0.5"},
                                            {4, "some"},
                                            {5, "12abc"},
                                            {32, "100"},
                                            {33, "1 cup"}}));
    EXPECT_EQ(row[2], "12.000");
    EXPECT_EQ(row[3], "0.500");
    EXPECT_EQ(row[4], "0.000");   // a text that is no number counts as 0
    EXPECT_EQ(row[5], "12.000");  // its leading number
    EXPECT_EQ(per100Grams("1", 3), "33.333");
}

}  // namespace
}  // namespace pw
