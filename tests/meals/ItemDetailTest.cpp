#include <gtest/gtest.h>

#include <QRegularExpression>

#include "meals/ItemDetail.h"

namespace pw {
namespace {

const QString CRLF = QStringLiteral("\r\n");

// Every slot holds its own number, so a value under the wrong label shows at once.
const QString kInUnits = QStringLiteral(R"( Quantity: 2.5
 Unit: 1 cup
 Total weight: 600.000 grams
 Item:  Mom's chili, O'Brien style
    
 Calories:  2.5
    
 Total Fat in grams: 4.5
    Saturated Fat in grams:  28.5
    Polyunsaturated Fat in grams:  30.5
    Monounsaturated Fat in grams:  29.5
 Cholesterol in mg:  31.5
 Carbohydrate in grams:  5.5
 Fiber in grams:  6.5
 Protein in grams: 3.5
 Sodium in mg:  11.5
 Potassium in mg:  12.5
 Calcium in mg:  8.5
 Phosphorus in mg:  9.5
 Iron in mg:  10.5
 Magnesium in mg:  13.5
 Zinc in mg:  14.5
 Copper in mg:  15.5
 Manganese in mg:  16.5
 Selenium in in micrograms:  17.5
 Vitamin A in iu:  18.5
 Thiamin in mg:  20.5
 Riboflavin in mg:  21.5
 Niacin in mg:  22.5
 Pantothenic acid in mg:  23.5
 Vitamin B6 in mg:  24.5
 Folic Acid in micrograms:  25.5
 Vitamin B12 in micrograms:  26.5
 Vitamin C in mg:  27.5
 Vitamin E in mg:  19.5
)")
                             .replace(QStringLiteral("\n"), CRLF);

TEST(ItemDetailTest, AnItemInUnitsShowsEverySlotUnderItsLabelAndAnEmptyFoodTheLabelsAlone) {
    ValueArray s;
    for (int i = 1; i <= 31; ++i) s[i] = QString::number(i) + QStringLiteral(".5");
    s[0] = QStringLiteral("Mom's chili, O'Brien style");
    s[33] = QStringLiteral("1 cup");
    s[34] = QStringLiteral("2.5");
    s[41] = QStringLiteral("600.000");
    EXPECT_EQ(itemDetailText(s, CRLF), kInUnits);
    EXPECT_EQ(portionDescrip(s, CRLF), QStringLiteral(" Quantity: 2.5\r\n Unit: 1 cup\r\n"));

    s.fill(QString());  // a food with empty fields
    s[0] = QStringLiteral("Water, plain");
    s[33] = QStringLiteral("0");
    s[34] = QStringLiteral("0");  // no quantity: no portion lines
    s[41] = QStringLiteral("100");
    QString labels = kInUnits.section(CRLF, 4);
    labels.replace(QRegularExpression(QStringLiteral("[0-9.]+\r\n")), CRLF);
    EXPECT_EQ(itemDetailText(s, CRLF),
              " Total weight: 100 grams\r\n Item:  Water, plain\r\n" + labels);
    EXPECT_EQ(portionDescrip(s, CRLF), QString());
}

}  // namespace
}  // namespace pw
