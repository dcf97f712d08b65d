#include "custom/FoodBoxes.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "platform/TextFit.h"

namespace pw {

QLineEdit* FoodBoxes::make(int slot, const QString& caption, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("txtFields_%1").arg(slot));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 8);
    txtFields[std::size_t(slot)] = box;
    if (caption.isEmpty()) return box;
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QStringLiteral("lblLabels_%1").arg(slot));
    label->setBuddy(box);
    label->setWordWrap(true);
    showAllLines(label);
    box->setAccessibleName(caption);
    lblLabels[std::size_t(slot)] = label;
    return box;
}

int FoodBoxes::layOutNutrients(QGridLayout* grid, int row, int perRow) const {
    int placed = 0;
    for (int slot = 3; slot <= 31; ++slot) {
        if (slot == 7) continue;
        const int column = 2 * (placed % perRow);
        grid->addWidget(lblLabels[std::size_t(slot)], row + placed / perRow, column);
        grid->addWidget(txtFields[std::size_t(slot)], row + placed / perRow, column + 1);
        ++placed;
    }
    for (int c = 0; c < perRow; ++c) grid->setColumnStretch(2 * c + 1, 1);
    // Rows close together, so that the whole record fits a small screen.
    grid->setVerticalSpacing(2);
    return row + (placed + perRow - 1) / perRow;
}

QString entryCaption(int slot) {
    switch (slot) {
        case 0:
            return QStringLiteral("Enter a description of the item");
        case 2:
            return QStringLiteral("Enter the number of Calories for the item");
        case 3:
            return QStringLiteral("Protein in grams");
        case 4:
            return QStringLiteral("Total Fat in grams");
        case 5:
            return QStringLiteral("Carbohydrate in grams");
        case 6:
            return QStringLiteral("Fiber in grams");
        case 8:
            return QStringLiteral("Calcium in mg");
        case 9:
            return QStringLiteral("Phosphorus in mg");
        case 10:
            return QStringLiteral("Iron in mg");
        case 11:
            return QStringLiteral("Sodium in mg");
        case 12:
            return QStringLiteral("Potassium in mg");
        case 13:
            return QStringLiteral("Magnesium in mg");
        case 14:
            return QStringLiteral("Zinc in mg");
        case 15:
            return QStringLiteral("Copper in mg");
        case 16:
            return QStringLiteral("Manganese in mg");
        case 17:
            return QStringLiteral("Selenium in mcg");
        case 18:
            return QStringLiteral("Vitamin A in iu");
        case 19:
            return QStringLiteral("Vitamin E in mg");
        case 20:
            return QStringLiteral("Thiamin in mg");
        case 21:
            return QStringLiteral("Riboflavin in mg");
        case 22:
            return QStringLiteral("Niacin in mg");
        case 23:
            return QStringLiteral("Pantothenic acid, mg");
        case 24:
            return QStringLiteral("Vitamin B6 in mg");
        case 25:
            return QStringLiteral("Folic acid in mcg");
        case 26:
            return QStringLiteral("Vitamin B12 in mcg");
        case 27:
            return QStringLiteral("Vitamin C in mg");
        case 28:
            return QStringLiteral("Saturated, g");
        case 29:
            return QStringLiteral("Monounsaturated, g");
        case 30:
            return QStringLiteral("Polyunsaturated, g");
        case 31:
            return QStringLiteral("Cholesterol in mg");
        case 32:
            return QStringLiteral("Enter the weight in grams of this portion size");
        case 33:
            return QStringLiteral(
                "Enter a description of the portion size being used for this item");
        default:
            return QString();
    }
}

QTextEdit* makeQuickHelpBox(const QString& objectName, QWidget* parent) {
    auto* box = new QTextEdit(parent);
    box->setObjectName(objectName);
    box->setReadOnly(true);
    box->setAccessibleName(QStringLiteral("Quick Help"));
    showWholeText(box);
    return box;
}

void putQuickHelp(QTextEdit* box, const QString& text) {
    QTextCharFormat regular;
    regular.setFontFamilies({QStringLiteral("Times New Roman")});
    regular.setFontPointSize(10);
    QTextCharFormat bold = regular;
    bold.setFontWeight(QFont::Bold);
    box->clear();
    QTextCursor cursor(box->document());
    cursor.setBlockCharFormat(regular);
    cursor.insertText(QStringLiteral("Quick Help: "), bold);
    cursor.insertText(text, regular);
    cursor.insertBlock(QTextBlockFormat(), regular);
    cursor.insertBlock(QTextBlockFormat(), regular);
    box->moveCursor(QTextCursor::Start);
}

}  // namespace pw
