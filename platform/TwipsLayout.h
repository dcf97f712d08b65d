#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace pw {

// A fixed form laid out in twips, as designed. The design was made for smaller faces than
// today's desktops use, so fit() grows the whole form across and down, each by one factor, just
// enough for every visible control to show its whole text: the arrangement stays as designed.
class TwipsLayout {
public:
    TwipsLayout(QWidget& form, int clientWidth, int clientHeight);

    // Places `control` at its design rectangle (left, top, width, height in twips).
    void place(QWidget* control, int left, int top, int width, int height);
    // Moves `control` to another design position; its design size stays.
    void move(QWidget* control, int left, int top);
    // A horizontal line from `left` to `right` at `top`, three pixels thick.
    void horizontalLine(QWidget* line, int left, int right, int top);
    // `box` must also have room for `sample`, a typical entry, when it holds less.
    void reserve(QLineEdit* box, const QString& sample);

    // Run after each trial placement, before the texts are measured (a caption wrapped by hand
    // at the width of its control is wrapped again there).
    std::function<void()> onPlaced;

    // Places every control at the smallest growth at which all visible controls show their
    // texts, and fixes the form's client size to the design size grown the same way.
    void fit();

    double growthX() const { return m_growthX; }
    double growthY() const { return m_growthY; }

private:
    struct Item {
        QWidget* control;
        QRect design;  // twips
        bool line;
        QString sample;
    };
    Item& item(QWidget* control);
    void apply();
    int x(double twips) const;
    int y(double twips) const;

    QWidget& m_form;
    QSize m_client;  // twips
    std::vector<Item> m_items;
    double m_growthX = 1;
    double m_growthY = 1;
};

}  // namespace pw
