#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace pw {

// A command button as every window makes it: Enter in a dialog never presses it unless it has
// the focus. The accessible name is what a screen reader says for it (a caption such as "|<<"
// says little; empty: the caption); the object name, where given, lets a window's tests find it.
QPushButton* makeButton(const QString& caption, const QString& accessibleName, QWidget* parent,
                        const QString& objectName = QString());

}  // namespace pw
