#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QKeySequence>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include "platform/BoundList.h"
#include "platform/KeyScript.h"
#include "platform/QtPlatform.h"

// Readable failures.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace pw {

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

TEST(KeyScript, NamedKeysCharactersEscapesRepeatsAndModifiers) {
    QStringList keys;  // each key with its modifiers, then the text it types
    for (const KeyStroke& k : parseKeyScript("{PGUP}{pgdn}{tab}{Enter}B~{+}{LEFT 2}+{TAB}^a%(fy)"))
        keys << QKeySequence(k.key | k.modifiers).toString() + u'/' + k.text;
    EXPECT_EQ(keys,
              QStringList({"PgUp/", "PgDown/", "Tab/\t", "Return/\r", "B/B", "Return/\r", "+/+",
                           "Left/", "Left/", "Shift+Backtab/\t", "Ctrl+A/", "Alt+F/", "Alt+Y/"}));
    EXPECT_TRUE(parseKeyScript("{PGDN 0}").empty());
    for (const char* bad : {"{NOPE}", "{PGUP", "a}", "+", "^%", "(ab", "ab)", "{LEFT x}"})
        EXPECT_THROW(parseKeyScript(QString::fromLatin1(bad)), KeyScriptError) << bad;
}

// Foods in description order, case not mattering, followed by enough rows to page through.
QStringList foods() {
    QStringList texts = QStringLiteral(
                            "Alcoholic beverage, beer, light|Alcoholic beverage, wine, table|"
                            "Apples, raw|Bagels, plain|beans, baked|Butter, salted|Butter, whipped|"
                            "Buttermilk|Cheese, cheddar|cheese, Swiss|Kale, raw|Milk, dry|"
                            "Milk, whole, 3.25% milkfat|O'Brien potatoes|Whale, beluga, eyes")
                            .split(u'|');
    for (int i = 0; i < 100; ++i) texts << QStringLiteral("Yogurt, %1").arg(i, 3, 10, QChar('0'));
    return texts;
}

class BoundListTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Typing counts as quick however slowly the machine runs the test.
        m_interval = QApplication::keyboardInputInterval();
        QApplication::setKeyboardInputInterval(3'600'000);
        list.setTexts(foods());
        list.resize(240, 160);
        list.show();
        list.setFocus();
    }
    void TearDown() override { QApplication::setKeyboardInputInterval(m_interval); }

    BoundList list;

private:
    int m_interval = 0;
};

// Types as a person does: Shift pressed before a capital and released after it, Caps Lock and
// AltGr pressed and released on their own as well.
void typeLikeAPerson(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        if (c == u'|') {  // Caps Lock on and off again, AltGr tapped: no letter of their own
            for (Qt::Key key : {Qt::Key_CapsLock, Qt::Key_AltGr}) {
                QTest::sendKeyEvent(QTest::Press, w, key, QString(), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, w, key, QString(), Qt::NoModifier);
            }
            continue;
        }
        const bool capital = c.isUpper();
        if (capital) QTest::keyPress(w, Qt::Key_Shift);
        QTest::keyClick(w, c.toLatin1(), capital ? Qt::ShiftModifier : Qt::NoModifier);
        if (capital) QTest::keyRelease(w, Qt::Key_Shift, Qt::ShiftModifier);
    }
}

// One letter, several letters, any case; from a row further down, a letter still goes to the
// first row with it, not the next one; letters that begin no row leave the best match. Shift,
// Caps Lock and AltGr keep the letters typed so far.
TEST_F(BoundListTest, TypedLettersSelectTheFirstRowBeginningWithThemWhateverModifierKeysAreUsed) {
    const std::pair<const char*, const char*> cases[] = {
        {"b", "Bagels, plain"},
        {"BUTTERM", "Buttermilk"},
        {"bEaN", "beans, baked"},
        {"o'b", "O'Brien potatoes"},
        {"c", "Cheese, cheddar"},
        {"c", "Cheese, cheddar"},
        {"butx", "Butter, salted"},
        {"q", "Butter, salted"},
        {"Alcoholic B", "Alcoholic beverage, beer, light"},
        {"Alcoholic Beverage, W", "Alcoholic beverage, wine, table"},
        {"milk, Whole", "Milk, whole, 3.25% milkfat"},
        {"MILK, |W|h", "Milk, whole, 3.25% milkfat"}};
    QSignalSpy entered(&list, &BoundList::enterPressed);
    QTest::keyClick(&list, Qt::Key_Return);  // no row selected: no signal
    list.setCurrentRow(4);
    for (const auto& [typed, row] : cases) {
        list.resetKeyboardSearch();
        typeLikeAPerson(&list, QLatin1String(typed));
        EXPECT_EQ(list.text(), row) << typed;
    }
    QTest::keyClick(&list, Qt::Key_Enter);
    EXPECT_EQ(entered.count(), 1);
    // An arrow key still ends the typed search.
    QTest::keyClick(&list, Qt::Key_Up);
    ASSERT_EQ(list.text(), "Milk, dry");
    typeLikeAPerson(&list, "W");
    EXPECT_EQ(list.text(), "Whale, beluga, eyes");
}

// The paging itself is FoodListPanelTest's; here, that a page key ends the typed search.
TEST_F(BoundListTest, APageKeyEndsTheTypedSearch) {
    QTest::keyClicks(&list, "yog");
    QtPlatform platform;
    platform.sendKeys("{PGUP}k");
    EXPECT_EQ(list.text(), "Kale, raw");
}

}  // namespace
}  // namespace pw
