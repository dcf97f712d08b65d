#pragma once

#include <QSize>
#include <QString>
#include <optional>

class QFontMetrics;
class QLabel;
class QLineEdit;
class QTextEdit;
class QWidget;

namespace pw {

// The room a control's text needs against the room it has, measured with the control's own font
// in the rectangle its style gives the text (a button's contents, a label's contents less its
// margin, a box's text area). A word-wrapped text is wrapped at the width it has, so it is
// measured by its height.
struct TextRoom {
    QString text;
    QSize needed;
    QSize available;

    bool wideEnough() const { return needed.width() <= available.width(); }
    bool tallEnough() const { return needed.height() <= available.height(); }
    bool fits() const { return wideEnough() && tallEnough(); }
};

// The text room of a label, a button, an option, a check box, an entry box (its text or, when
// empty, its placeholder) or a rich-text box without a permanent scroll bar (its whole
// document); nullopt for other controls, for controls without text, for the document viewers
// and for the plain text boxes (the item detail, the report, the file reader), which scroll.
std::optional<TextRoom> textRoom(const QWidget& control);

// The room an entry box gives `text`, as if it held it.
TextRoom textRoom(const QLineEdit& box, const QString& text);

// "name: "text" needs WxH, has WxH" for a control that cuts its text; empty when it shows it all.
QString clippedText(const QWidget& control);

// Keeps `box` as tall as its whole document at the width it is given, without a scroll bar (a
// quick help that must be read whole).
void showWholeText(QTextEdit* box);

// Keeps a word-wrapped label, in a grid that gives it a width, as tall as its lines at that width.
void showAllLines(QLabel* label);

// `text` broken into lines no wider than `width` in the font of `fm`: at blanks, and inside a word
// too long for a line of its own. Beyond `mostLines` lines the last line shown ends in "…", so
// that no text, whatever it holds, makes its window wider or taller than a screen.
QString brokenIntoLines(const QString& text, const QFontMetrics& fm, int width, int mostLines);

// Resizes a window to `preferred`, or to what the screen leaves beside a window frame and a
// desktop panel, and never below what its layout needs.
void openAtSize(QWidget& window, QSize preferred);

}  // namespace pw
