#include <gtest/gtest.h>

#include "meals/ItemDetail.h"

namespace pw {
namespace {

const QString CRLF = QStringLiteral("\r\n");

TEST(ItemDetailTest, FoodWithEmptyFieldsShowsLabelsWithNothingAfterThem) {
    ValueArray s;
    s[0] = QStringLiteral("Water, plain");
    s[2] = QStringLiteral("0");
    s[33] = QStringLiteral("0");
    s[34] = QStringLiteral("0");
    s[41] = QStringLiteral("100");
    const QString expected = QStringLiteral(
        " Total weight: 100 grams\r\n"
        " Item:  Water, plain\r\n"
        "    \r\n"
        " Calories:  0\r\n"
        "    \r\n"
        " Total Fat in grams: \r\n"
        "    Saturated Fat in grams:  \r\n"
        "    Polyunsaturated Fat in grams:  \r\n"
        "    Monounsaturated Fat in grams:  \r\n"
        " Cholesterol in mg:  \r\n"
        " Carbohydrate in grams:  \r\n"
        " Fiber in grams:  \r\n"
        " Protein in grams: \r\n"
        " Sodium in mg:  \r\n"
        " Potassium in mg:  \r\n"
        " Calcium in mg:  \r\n"
        " Phosphorus in mg:  \r\n"
        " Iron in mg:  \r\n"
        " Magnesium in mg:  \r\n"
        " Zinc in mg:  \r\n"
        " Copper in mg:  \r\n"
        " Manganese in mg:  \r\n"
        " Selenium in in micrograms:  \r\n"
        " Vitamin A in iu:  \r\n"
        " Thiamin in mg:  \r\n"
        " Riboflavin in mg:  \r\n"
        " Niacin in mg:  \r\n"
        " Pantothenic acid in mg:  \r\n"
        " Vitamin B6 in mg:  \r\n"
        " Folic Acid in micrograms:  \r\n"
        " Vitamin B12 in micrograms:  \r\n"
        " Vitamin C in mg:  \r\n"
        " Vitamin E in mg:  \r\n");
    EXPECT_EQ(itemDetailText(s, CRLF), expected);
    EXPECT_EQ(portionDescrip(s, CRLF), QString());
}

TEST(ItemDetailTest, ItemInUnitsShowsEverySlotUnderItsOwnLabel) {
    // Every slot holds its own number, so a value under the wrong label shows at once.
    ValueArray s;
    for (int i = 1; i <= 31; ++i) s[i] = QString::number(i) + QStringLiteral(".5");
    s[0] = QStringLiteral("Mom's chili, O'Brien style");
    s[33] = QStringLiteral("1 cup");
    s[34] = QStringLiteral("2.5");
    s[41] = QStringLiteral("600.000");
    const QString expected = QStringLiteral(
        " Quantity: 2.5\r\n"
        " Unit: 1 cup\r\n"
        " Total weight: 600.000 grams\r\n"
        " Item:  Mom's chili, O'Brien style\r\n"
        "    \r\n"
        " Calories:  2.5\r\n"
        "    \r\n"
        " Total Fat in grams: 4.5\r\n"
        "    Saturated Fat in grams:  28.5\r\n"
        "    Polyunsaturated Fat in grams:  30.5\r\n"
        "    Monounsaturated Fat in grams:  29.5\r\n"
        " Cholesterol in mg:  31.5\r\n"
        " Carbohydrate in grams:  5.5\r\n"
        " Fiber in grams:  6.5\r\n"
        " Protein in grams: 3.5\r\n"
        " Sodium in mg:  11.5\r\n"
        " Potassium in mg:  12.5\r\n"
        " Calcium in mg:  8.5\r\n"
        " Phosphorus in mg:  9.5\r\n"
        " Iron in mg:  10.5\r\n"
        " Magnesium in mg:  13.5\r\n"
        " Zinc in mg:  14.5\r\n"
        " Copper in mg:  15.5\r\n"
        " Manganese in mg:  16.5\r\n"
        " Selenium in in micrograms:  17.5\r\n"
        " Vitamin A in iu:  18.5\r\n"
        " Thiamin in mg:  20.5\r\n"
        " Riboflavin in mg:  21.5\r\n"
        " Niacin in mg:  22.5\r\n"
        " Pantothenic acid in mg:  23.5\r\n"
        " Vitamin B6 in mg:  24.5\r\n"
        " Folic Acid in micrograms:  25.5\r\n"
        " Vitamin B12 in micrograms:  26.5\r\n"
        " Vitamin C in mg:  27.5\r\n"
        " Vitamin E in mg:  19.5\r\n");
    EXPECT_EQ(itemDetailText(s, CRLF), expected);
    EXPECT_EQ(portionDescrip(s, CRLF), QStringLiteral(" Quantity: 2.5\r\n Unit: 1 cup\r\n"));
}

TEST(ItemDetailTest, PortionHeaderFollowsTheLeadingNumberOfTheQuantity) {
    ValueArray s;
    s[33] = QStringLiteral("1 tbsp");
    for (const char* none : {"", "0", "0.0", "cup"}) {
        s[34] = QLatin1String(none);
        EXPECT_EQ(portionDescrip(s, CRLF), QString()) << none;
    }
    // Values are shown as held, never reformatted.
    s[34] = QStringLiteral(" .5");
    EXPECT_EQ(portionDescrip(s, CRLF), QStringLiteral(" Quantity:  .5\r\n Unit: 1 tbsp\r\n"));
}

TEST(ItemDetailTest, ScaledValuesRoundThenDropTrailingZerosAndLeadingZero) {
    EXPECT_EQ(scaledValue(QString(), 1.5, 3), QString());  // empty stays empty
    EXPECT_EQ(scaledValue(QStringLiteral("0"), 1.5, 3), QStringLiteral(" 0"));
    EXPECT_EQ(scaledValue(QStringLiteral("41.2"), 1.5, 1), QStringLiteral(" 61.8"));
    EXPECT_EQ(scaledValue(QStringLiteral("717"), 1.5, 1), QStringLiteral(" 1075.5"));
    EXPECT_EQ(scaledValue(QStringLiteral("1.2345"), 1.5, 3), QStringLiteral(" 1.852"));
    EXPECT_EQ(scaledValue(QStringLiteral("0.0004"), 1.5, 3), QStringLiteral(" .001"));
    EXPECT_EQ(scaledValue(QStringLiteral("0.0001"), 1.5, 3), QStringLiteral(" 0"));
    EXPECT_EQ(scaledValue(QStringLiteral("-0.5"), 0.5, 3), QStringLiteral("-.25"));
    EXPECT_EQ(scaledValue(QStringLiteral("250"), 1, 3), QStringLiteral(" 250"));
}

}  // namespace
}  // namespace pw
