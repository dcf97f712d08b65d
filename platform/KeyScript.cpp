#include "platform/KeyScript.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace pw {

namespace {

struct NamedKey {
    const char* name;
    int key;
    const char* text;
};

// Names are compared without regard to case.
constexpr NamedKey kNamedKeys[] = {
    {"ENTER", Qt::Key_Return, "\r"},
    {"TAB", Qt::Key_Tab, "\t"},
    {"PGUP", Qt::Key_PageUp, ""},
    {"PGDN", Qt::Key_PageDown, ""},
    {"UP", Qt::Key_Up, ""},
    {"DOWN", Qt::Key_Down, ""},
    {"LEFT", Qt::Key_Left, ""},
    {"RIGHT", Qt::Key_Right, ""},
    {"HOME", Qt::Key_Home, ""},
    {"END", Qt::Key_End, ""},
    {"ESC", Qt::Key_Escape, "\x1b"},
    {"ESCAPE", Qt::Key_Escape, "\x1b"},
    {"BS", Qt::Key_Backspace, "\b"},
    {"BKSP", Qt::Key_Backspace, "\b"},
    {"BACKSPACE", Qt::Key_Backspace, "\b"},
    {"DEL", Qt::Key_Delete, ""},
    {"DELETE", Qt::Key_Delete, ""},
    {"INS", Qt::Key_Insert, ""},
    {"INSERT", Qt::Key_Insert, ""},
};

// The key that types `c`: Qt's key codes for printable characters are their upper case.
KeyStroke characterStroke(QChar c) { return {c.toUpper().unicode(), Qt::NoModifier, QString(c)}; }

std::optional<KeyStroke> namedStroke(const QString& name) {
    if (name.size() == 1) return characterStroke(name.at(0));
    for (const NamedKey& k : kNamedKeys) {
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return KeyStroke{k.key, Qt::NoModifier, QString::fromLatin1(k.text)};
    }
    // F1 to F16.
    if (name.size() >= 2 && name.at(0).toUpper() == u'F') {
        bool ok = false;
        int n = name.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 16) return KeyStroke{Qt::Key_F1 + n - 1, Qt::NoModifier, {}};
    }
    return std::nullopt;
}

KeyStroke withModifiers(KeyStroke stroke, Qt::KeyboardModifiers modifiers) {
    if (modifiers == Qt::NoModifier) return stroke;
    stroke.modifiers |= modifiers;
    if (stroke.key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) stroke.key = Qt::Key_Backtab;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) {
        stroke.text.clear();  // a shortcut types nothing
    } else if (modifiers & Qt::ShiftModifier) {
        stroke.text = stroke.text.toUpper();
    }
    return stroke;
}

class Parser {
public:
    explicit Parser(const QString& keys) : m_keys(keys) {}

    std::vector<KeyStroke> run() {
        while (m_pos < m_keys.size()) {
            if (m_keys.at(m_pos) == u')') fail("a closing parenthesis without an opening one");
            item(Qt::NoModifier);
        }
        return std::move(m_out);
    }

private:
    [[noreturn]] void fail(const char* what) const {
        throw KeyScriptError(QStringLiteral("Key script \"%1\": %2 at position %3")
                                 .arg(m_keys, QLatin1String(what))
                                 .arg(m_pos + 1)
                                 .toStdString());
    }

    // One key, a braced key, or a parenthesised group, after any modifier prefixes.
    void item(Qt::KeyboardModifiers held) {
        Qt::KeyboardModifiers modifiers = held;
        while (m_pos < m_keys.size()) {
            QChar c = m_keys.at(m_pos);
            if (c == u'+') {
                modifiers |= Qt::ShiftModifier;
            } else if (c == u'^') {
                modifiers |= Qt::ControlModifier;
            } else if (c == u'%') {
                modifiers |= Qt::AltModifier;
            } else {
                break;
            }
            ++m_pos;
        }
        if (m_pos >= m_keys.size()) fail("a modifier without a key");
        QChar c = m_keys.at(m_pos);
        if (c == u'(') {
            ++m_pos;
            while (m_pos < m_keys.size() && m_keys.at(m_pos) != u')') item(modifiers);
            if (m_pos >= m_keys.size()) fail("an unclosed parenthesis");
            ++m_pos;
        } else if (c == u')') {
            fail("a modifier without a key");
        } else if (c == u'{') {
            braced(modifiers);
        } else if (c == u'}') {
            fail("a closing brace without an opening one");
        } else {
            const KeyStroke stroke =
                (c == u'~') ? KeyStroke{Qt::Key_Return, Qt::NoModifier, "\r"} : characterStroke(c);
            m_out.push_back(withModifiers(stroke, modifiers));
            ++m_pos;
        }
    }

    void braced(Qt::KeyboardModifiers modifiers) {
        // "{}}" types a closing brace; otherwise the name runs to the next closing brace.
        qsizetype close = (m_keys.mid(m_pos, 3) == QLatin1String("{}}"))
                              ? m_pos + 2
                              : m_keys.indexOf(u'}', m_pos + 1);
        if (close < 0) fail("an unclosed brace");
        QString content = m_keys.mid(m_pos + 1, close - m_pos - 1);
        int count = 1;
        qsizetype blank = content.lastIndexOf(u' ');
        if (blank > 0) {
            bool ok = false;
            count = content.mid(blank + 1).toInt(&ok);
            if (!ok || count < 0) fail("a repeat count that is not a number");
            content.truncate(blank);
        }
        std::optional<KeyStroke> stroke = namedStroke(content);
        if (!stroke) fail("an unknown key name");
        for (int i = 0; i < count; ++i) m_out.push_back(withModifiers(*stroke, modifiers));
        m_pos = close + 1;
    }

    const QString& m_keys;
    qsizetype m_pos = 0;
    std::vector<KeyStroke> m_out;
};

}  // namespace

std::vector<KeyStroke> parseKeyScript(const QString& keys) { return Parser(keys).run(); }

QWidget* focusedControl(QWidget* window) {
    QWidget* focused = QApplication::focusWidget();
    if (window) {
        if (focused && (focused == window || window->isAncestorOf(focused))) return focused;
        return window->focusWidget() ? window->focusWidget() : window;
    }
    if (focused) return focused;
    for (QWidget* top : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        if (top && top->focusWidget()) return top->focusWidget();
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->focusWidget()) return top->focusWidget();
    }
    return nullptr;
}

void deliverKeys(const std::vector<KeyStroke>& strokes, QWidget* window) {
    const QPointer<QWidget> within = window;
    for (const KeyStroke& stroke : strokes) {
        if (window && !within) return;  // a key closed the window
        // A key may close or delete the control it went to; the release goes nowhere then.
        QPointer<QWidget> target = focusedControl(within);
        if (!target) continue;
        QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(target, &press);
        if (!target) continue;
        QKeyEvent release(QEvent::KeyRelease, stroke.key, stroke.modifiers, stroke.text);
        QCoreApplication::sendEvent(target, &release);
    }
}

}  // namespace pw
