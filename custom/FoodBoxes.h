#pragma once

#include <QString>
#include <array>

#include "custom/NewFood.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QTextEdit;
class QWidget;

namespace pw {

// A food's boxes by nutrient slot (0..38) with the label beside each; slots without a box hold
// nullptr.
struct FoodBoxes {
    std::array<QLineEdit*, 39> txtFields{};
    std::array<QLabel*, 39> lblLabels{};

    // The box of `slot` with its label (objects txtFields_<slot> and lblLabels_<slot>); the label
    // names the box for assistive technology. An empty caption makes a box without a label.
    QLineEdit* make(int slot, const QString& caption, QWidget* parent);
    // The nutrient boxes 3..6 and 8..31, labels beside them, `perRow` to a row of `grid` from
    // `row`; returns the row after them.
    int layOutNutrients(QGridLayout* grid, int row, int perRow) const;
};

// The quick help box of both user-food windows, named `objectName`: read-only, named "Quick Help"
// for assistive technology, as tall as its text.
QTextEdit* makeQuickHelpBox(const QString& objectName, QWidget* parent);

// Puts the quick help into its box: "Quick Help: " in bold, then `text`, then two paragraph breaks,
// all in Times New Roman at 10 points.
void putQuickHelp(QTextEdit* box, const QString& text);

}  // namespace pw
