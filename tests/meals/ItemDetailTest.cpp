// The detail text of a food or an item, built from the working value array.
#include <gtest/gtest.h>

#include <QStringList>

#include "meals/ItemDetail.h"

namespace pw::test {
namespace {

const QString CRLF = QStringLiteral("\r\n");

// The nutrient lines as shown, split at |: each label with the slot whose value follows it (after
// @). Every slot holds its own number and a half, so a value under the wrong label shows at once.
const QStringList kLines =
    QStringLiteral(
        "    | Calories:  @2|    | Total Fat in grams: @4|    Saturated Fat in grams:  @28|"
        "    Polyunsaturated Fat in grams:  @30|    Monounsaturated Fat in grams:  @29|"
        " Cholesterol in mg:  @31| Carbohydrate in grams:  @5| Fiber in grams:  @6|"
        " Protein in grams: @3| Sodium in mg:  @11| Potassium in mg:  @12| Calcium in mg:  @8|"
        " Phosphorus in mg:  @9| Iron in mg:  @10| Magnesium in mg:  @13| Zinc in mg:  @14|"
        " Copper in mg:  @15| Manganese in mg:  @16| Selenium in in micrograms:  @17|"
        " Vitamin A in iu:  @18| Thiamin in mg:  @20| Riboflavin in mg:  @21|"
        " Niacin in mg:  @22| Pantothenic acid in mg:  @23| Vitamin B6 in mg:  @24|"
        " Folic Acid in micrograms:  @25| Vitamin B12 in micrograms:  @26|"
        " Vitamin C in mg:  @27| Vitamin E in mg:  @19")
        .split(u'|');

QString nutrientLines(bool withValues) {
    QString out;
    for (const QString& line : kLines) {
        const QString slot = line.section(u'@', 1);
        out += line.section(u'@', 0, 0) + (withValues && !slot.isEmpty() ? slot + ".5" : "") + CRLF;
    }
    return out;
}

TEST(ItemDetailTest, AnItemInUnitsShowsEverySlotUnderItsLabelAndAnEmptyFoodTheLabelsAlone) {
    ValueArray s;
    for (int i = 1; i <= 31; ++i) s[i] = QString::number(i) + QStringLiteral(".5");
    s[0] = QStringLiteral("Mom's chili, O'Brien style");
    s[33] = QStringLiteral("1 cup");
    s[34] = QStringLiteral("2.5");
    s[41] = QStringLiteral("600.000");
    EXPECT_EQ(itemDetailText(s, CRLF),
              " Quantity: 2.5\r\n Unit: 1 cup\r\n Total weight: 600.000 grams\r\n"
              " Item:  Mom's chili, O'Brien style\r\n" +
                  nutrientLines(true));
    EXPECT_EQ(portionDescrip(s, CRLF), QStringLiteral(" Quantity: 2.5\r\n Unit: 1 cup\r\n"));

    s.fill(QString());  // a food with empty fields
    s[0] = QStringLiteral("Water, plain");
    s[33] = QStringLiteral("0");
    s[34] = QStringLiteral("0");  // no quantity: no portion lines
    s[41] = QStringLiteral("100");
    EXPECT_EQ(itemDetailText(s, CRLF),
              " Total weight: 100 grams\r\n Item:  Water, plain\r\n" + nutrientLines(false));
    EXPECT_EQ(portionDescrip(s, CRLF), QString());
}

}  // namespace
}  // namespace pw::test
