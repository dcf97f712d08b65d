#pragma once

#include <QString>
#include <Qt>
#include <stdexcept>
#include <vector>

class QWidget;

namespace pw {

// One keystroke of a key script: the key, the modifiers held with it and the text it types.
struct KeyStroke {
    int key = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;

    bool operator==(const KeyStroke&) const = default;
};

// A key script that cannot be read: an unknown key name, an unclosed brace, a lone modifier.
class KeyScriptError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Reads a key script in the notation of the desktop's key sender: plain characters type
// themselves; named keys stand in braces, case not mattering ("{PGUP}", "{PGDN}", "{tab}",
// "{ENTER}", "{LEFT 3}" repeats); "~" is Enter; "+", "^" and "%" hold Shift, Control and Alt
// for the next key; "{+}", "{^}", "{%}", "{~}", "{{}" and "{}}" type those characters.
// Throws KeyScriptError.
std::vector<KeyStroke> parseKeyScript(const QString& keys);

// The control that has the keyboard focus: the application's focus widget, or else the focus
// widget of the active modal window, the active window or a visible window (in that order), so
// that keys reach a control given the focus in a window the desktop has not activated yet.
// With `window`, the control focused inside that window (the window itself if none is).
QWidget* focusedControl(QWidget* window = nullptr);

// Presses and releases each key in the control focused at that moment (a Tab moves the focus,
// so the next key goes to the next control), inside `window` when one is given. Delivery is
// synchronous: every key has been handled when this returns. Keys with no focused control
// are dropped.
void deliverKeys(const std::vector<KeyStroke>& strokes, QWidget* window = nullptr);

}  // namespace pw
