#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QPushButton;
class QWidget;

namespace pw {

class BoundList;
class Platform;

// The food list of a food window with its Page Up / Page Down buttons, and the rules both food
// windows follow:
// - a food chosen with the keyboard, or by the press of a mouse click, is looked up at once; the
//   click that ends the same press does not look it up a second time, a later click on the same
//   row does;
// - a page button acts when the mouse button goes down (or the space bar): the list takes the
//   focus and gets the Page Up or Page Down key.
// The window lays the controls out and keeps its own names for them (DBList1, cmdPageUp, ...).
class FoodListPanel : public QObject {
    Q_OBJECT
public:
    // The list is made in `listParent`, the buttons in `buttonParent`; the panel belongs to
    // `listParent`.
    FoodListPanel(Platform& platform, QWidget* listParent, QWidget* buttonParent,
                  const QString& pageDownCaption);

    struct Handlers {
        std::function<void(const std::function<void()>&)> run;  // runs each one: the guard
        std::function<void()> chosen;                           // a food was chosen in the list
        std::function<void()> pageUp;                           // a page button went down
        std::function<void()> pageDown;
    };
    void connectHandlers(Handlers handlers);

    // While the list is hidden it takes no part: keys that reach it then (a window without the
    // desktop's focus keeps its focus widget) choose nothing.
    void setIgnoredWhileHidden(bool ignored) { m_ignoredWhileHidden = ignored; }
    bool takesPart() const;

    // Selects `row` (-1: none) as the program's own move, which chooses nothing.
    void selectQuietly(int row);
    // The next click on the selected row chooses it again.
    void forgetShownRow() { m_rowShown = -1; }

    // What the page buttons do.
    void sendPageUp();
    void sendPageDown();

    BoundList* const list;
    QPushButton* const cmdPageUp;
    QPushButton* const cmdPageDown;

private:
    Platform& m_platform;
    bool m_ignoredWhileHidden = false;
    bool m_selecting = false;  // selectQuietly() is at work
    int m_rowShown = -1;       // the row a selection change has just chosen
};

}  // namespace pw
