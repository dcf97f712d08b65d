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
