#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "platform/KeyScript.h"
#include "platform/QtPlatform.h"

namespace pw {

void PrintTo(const KeyStroke& k, std::ostream* os) {
    *os << "{key " << std::hex << k.key << std::dec << ", modifiers " << k.modifiers.toInt()
        << ", text \"" << k.text.toStdString() << "\"}";
}

namespace {

TEST(QtPlatform, FileFiltersInBothNotations) {
    // The dialog reads the patterns from the parentheses that end each filter.
    EXPECT_EQ(nameFilters("txt files(*.txt)|*.txt|"), QStringList{"txt files(*.txt)"});
    EXPECT_EQ(nameFilters("Reports|*.txt;*.rpt|All files|*.*"),
              (QStringList{"Reports (*.txt *.rpt)", "All files (*.*)"}));
    EXPECT_EQ(nameFilters("Text Files (*.txt);;All Files (*)"),
              (QStringList{"Text Files (*.txt)", "All Files (*)"}));
}

TEST(QtPlatform, MousePointerIsASettingNotAStack) {
    {
        QtPlatform platform;
        platform.setMousePointer(Pointer::Busy);
        platform.setMousePointer(Pointer::Busy);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        platform.setMousePointer(Pointer::Normal);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        platform.setMousePointer(Pointer::Busy);
    }
    // A platform that goes away leaves no hourglass behind.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Answers the message box the platform is about to show with a key, from inside its own event
// loop, after noting what the box looked like.
struct BoxAnswer {
    explicit BoxAnswer(int k) : key(k) {
        QMetaObject::invokeMethod(
            qApp,
            [this] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;  // the box never came: the test sees a wrong answer
                caption = box->windowTitle();
                icon = box->icon();
                QTest::keyClick(box, Qt::Key(key));
            },
            Qt::QueuedConnection);
    }
    int key;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

TEST(QtPlatform, MessageBoxesAnswerToTheKeyboard) {
    QtPlatform platform;
    // Enter takes the default button.
    BoxAnswer enter(Qt::Key_Return);
    EXPECT_EQ(platform.msgBox({"Delete <b>Kale</b>?", MsgButtons::YesNo, MsgIcon::Question,
                               "Question", MsgResult::No}),
              MsgResult::No);
    EXPECT_EQ(enter.caption, "Question");
    EXPECT_EQ(enter.icon, QMessageBox::Question);

    // Escape is the cautious answer.
    for (auto [buttons, expected] : {std::pair{MsgButtons::OK, MsgResult::OK},
                                     std::pair{MsgButtons::OKCancel, MsgResult::Cancel},
                                     std::pair{MsgButtons::YesNo, MsgResult::No},
                                     std::pair{MsgButtons::YesNoCancel, MsgResult::Cancel}}) {
        BoxAnswer escape(Qt::Key_Escape);
        EXPECT_EQ(platform.msgBox({"Leave?", buttons}), expected);
    }
}

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
