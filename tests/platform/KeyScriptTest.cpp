#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>

#include "platform/KeyScript.h"
#include "platform/QtPlatform.h"

namespace pw {

void PrintTo(const KeyStroke& k, std::ostream* os) {
    *os << "{key " << std::hex << k.key << std::dec << ", modifiers " << k.modifiers.toInt()
        << ", text \"" << k.text.toStdString() << "\"}";
}

namespace {

KeyStroke key(int k, QString text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return {k, mods, std::move(text)};
}

TEST(KeyScript, NamedKeysCharactersEscapesRepeatsAndModifiers) {
    const std::vector<KeyStroke> expected = {key(Qt::Key_PageUp),
                                             key(Qt::Key_PageDown),
                                             key(Qt::Key_Tab, "\t"),
                                             key(Qt::Key_Return, "\r"),
                                             key(Qt::Key_B, "B"),
                                             key(Qt::Key_Return, "\r"),
                                             key(Qt::Key_Plus, "+"),
                                             key(Qt::Key_Left),
                                             key(Qt::Key_Left),
                                             key(Qt::Key_Backtab, "\t", Qt::ShiftModifier),
                                             key(Qt::Key_A, "", Qt::ControlModifier),
                                             key(Qt::Key_F, "", Qt::AltModifier),
                                             key(Qt::Key_Y, "", Qt::AltModifier)};
    EXPECT_EQ(parseKeyScript("{PGUP}{pgdn}{tab}{Enter}B~{+}{LEFT 2}+{TAB}^a%(fy)"), expected);
    EXPECT_TRUE(parseKeyScript("{PGDN 0}").empty());
    for (const char* bad : {"{NOPE}", "{PGUP", "a}", "+", "^%", "(ab", "ab)", "{LEFT x}"})
        EXPECT_THROW(parseKeyScript(QString::fromLatin1(bad)), KeyScriptError) << bad;
}

TEST(KeyScript, KeysGoToTheFocusedControlAndFollowTab) {
    QDialog dialog;
    auto* first = new QLineEdit(&dialog);
    auto* second = new QLineEdit(&dialog);
    dialog.show();
    first->setFocus();
    QtPlatform platform;
    platform.sendKeys("ab{tab}c+{tab}d");
    EXPECT_EQ(first->text(), "abd");
    EXPECT_EQ(second->text(), "c");

    // Keys for a window go to its focused control wherever the focus is.
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.setFocus();
    deliverKeys(parseKeyScript("ok"), &dialog);
    EXPECT_EQ(first->text(), "abdok");
    EXPECT_EQ(elsewhere.text(), "");
}

}  // namespace
}  // namespace pw
