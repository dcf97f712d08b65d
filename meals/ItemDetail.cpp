#include "meals/ItemDetail.h"

#include "data/NumberText.h"

namespace pw {

namespace {

struct DetailLine {
    const char* label;
    int slot;
};

// The shown values in the order of the detail text, each label with its own blanks.
constexpr DetailLine kLines[] = {
    {" Calories:  ", 2},
    {nullptr, -1},  // a line of four blanks
    {" Total Fat in grams: ", 4},
    {"    Saturated Fat in grams:  ", 28},
    {"    Polyunsaturated Fat in grams:  ", 30},
    {"    Monounsaturated Fat in grams:  ", 29},
    {" Cholesterol in mg:  ", 31},
    {" Carbohydrate in grams:  ", 5},
    {" Fiber in grams:  ", 6},
    {" Protein in grams: ", 3},
    {" Sodium in mg:  ", 11},
    {" Potassium in mg:  ", 12},
    {" Calcium in mg:  ", 8},
    {" Phosphorus in mg:  ", 9},
    {" Iron in mg:  ", 10},
    {" Magnesium in mg:  ", 13},
    {" Zinc in mg:  ", 14},
    {" Copper in mg:  ", 15},
    {" Manganese in mg:  ", 16},
    {" Selenium in in micrograms:  ", 17},
    {" Vitamin A in iu:  ", 18},
    {" Thiamin in mg:  ", 20},
    {" Riboflavin in mg:  ", 21},
    {" Niacin in mg:  ", 22},
    {" Pantothenic acid in mg:  ", 23},
    {" Vitamin B6 in mg:  ", 24},
    {" Folic Acid in micrograms:  ", 25},
    {" Vitamin B12 in micrograms:  ", 26},
    {" Vitamin C in mg:  ", 27},
    {" Vitamin E in mg:  ", 19},
};

const QString kFourBlanks = QStringLiteral("    ");

}  // namespace

QString portionDescrip(const ValueArray& s, const QString& lineBreak) {
    if (leadingNumber(s[34]) == 0) return QString();
    return QStringLiteral(" Quantity: ") + s[34] + lineBreak + QStringLiteral(" Unit: ") + s[33] +
           lineBreak;
}

QString itemDetailText(const ValueArray& s, const QString& lineBreak) {
    QString text = portionDescrip(s, lineBreak);
    text += QStringLiteral(" Total weight: ") + s[41] + QStringLiteral(" grams") + lineBreak;
    text += QStringLiteral(" Item:  ") + s[0] + lineBreak;
    text += kFourBlanks + lineBreak;
    for (const DetailLine& line : kLines) {
        if (line.label)
            text += QLatin1String(line.label) + s[line.slot] + lineBreak;
        else
            text += kFourBlanks + lineBreak;
    }
    return text;
}

QString scaledValue(const QString& stored, double factor, int decimals) {
    if (stored.isEmpty()) return QString();
    return scaledText(roundDecimals(leadingNumber(stored) * factor, decimals));
}

std::array<QString, 32> scaledNutrients(const std::array<QString, 32>& food, double factor) {
    std::array<QString, 32> values;
    for (int i = 3; i <= 31; ++i) values[i] = scaledValue(food[i], factor, 3);
    values[2] = scaledValue(food[2], factor, 1);
    return values;
}

}  // namespace pw
