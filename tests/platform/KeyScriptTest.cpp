#include "platform/KeyScript.h"

#include "platform/QtPlatform.h"

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace pw {

void PrintTo(const KeyStroke& k, std::ostream* os) {
    *os << "{key " << std::hex << k.key << std::dec << ", modifiers " << k.modifiers.toInt()
        << ", text \"" << k.text.toStdString() << "\"}";
}

namespace {

KeyStroke key(int k, QString text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return {k, mods, std::move(text)};
}

TEST(KeyScript, NamedKeysInAnyCaseAndPlainCharacters) {
    const std::vector<KeyStroke> expected = {
        key(Qt::Key_PageUp),       key(Qt::Key_PageDown),      key(Qt::Key_Tab, "\t"),
        key(Qt::Key_Return, "\r"), key(Qt::Key_A, "a"),        key(Qt::Key_B, "B"),
        key(Qt::Key_Space, " "),   key(Qt::Key_Comma, ","),    key(Qt::Key_Return, "\r"),
        key(Qt::Key_F4),           key(Qt::Key_Escape, "\x1b")};
    EXPECT_EQ(parseKeyScript("{PGUP}{pgdn}{tab}{Enter}aB ,~{F4}{esc}"), expected);
    EXPECT_TRUE(parseKeyScript("").empty());
}

TEST(KeyScript, EscapedCharactersRepeatsAndModifiers) {
    const std::vector<KeyStroke> expected = {key(Qt::Key_Plus, "+"),
                                             key(Qt::Key_BraceLeft, "{"),
                                             key(Qt::Key_BraceRight, "}"),
                                             key(Qt::Key_AsciiTilde, "~"),
                                             key(Qt::Key_Left),
                                             key(Qt::Key_Left),
                                             key(Qt::Key_Left),
                                             key(Qt::Key_Backtab, "\t", Qt::ShiftModifier),
                                             key(Qt::Key_X, "X", Qt::ShiftModifier),
                                             key(Qt::Key_A, "", Qt::ControlModifier),
                                             key(Qt::Key_F, "", Qt::AltModifier),
                                             key(Qt::Key_Y, "", Qt::AltModifier),
                                             key(Qt::Key_Z, "z")};
    EXPECT_EQ(parseKeyScript("{+}{{}{}}{~}{LEFT 3}+{TAB}+x^a%(fy)z"), expected);
    EXPECT_TRUE(parseKeyScript("{PGDN 0}").empty());
}

TEST(KeyScript, MalformedScriptsAreRefused) {
    for (const char* bad : {"{NOPE}", "{PGUP", "a}", "+", "^%", "(ab", "ab)", "{LEFT x}"}) {
        EXPECT_THROW(parseKeyScript(QString::fromLatin1(bad)), KeyScriptError) << bad;
    }
}

// Two boxes in a window; the first has the focus.
struct TwoBoxes {
    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    TwoBoxes() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        first->setFocus();
    }
};

TEST(KeyScript, KeysFollowTheFocusAsTabMovesIt) {
    TwoBoxes boxes;
    QtPlatform platform;
    platform.sendKeys("ab{tab}c+{tab}d");
    EXPECT_EQ(boxes.first->text(), "abd");
    EXPECT_EQ(boxes.second->text(), "c");
}

TEST(KeyScript, KeysForAWindowGoToItsFocusedControlWhereverTheFocusIs) {
    TwoBoxes elsewhere;
    QDialog dialog;
    auto* box = new QLineEdit(&dialog);
    dialog.show();
    box->setFocus();
    elsewhere.first->setFocus();
    deliverKeys(parseKeyScript("ok"), &dialog);
    EXPECT_EQ(box->text(), "ok");
    EXPECT_EQ(elsewhere.first->text(), "");
}

}  // namespace
}  // namespace pw
