#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "platform/BoundList.h"
#include "platform/QtPlatform.h"

// Readable failures.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace pw {
namespace {

// Foods in description order, case not mattering, followed by enough rows to page through.
QStringList foods() {
    QStringList texts{"Apples, raw",     "Bagels, plain",   "beans, baked",    "Butter, salted",
                      "Butter, whipped", "Buttermilk",      "Cheese, cheddar", "cheese, Swiss",
                      "Kale, raw",       "O'Brien potatoes"};
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

    void type(const QString& letters) {
        list.resetKeyboardSearch();
        QTest::keyClicks(&list, letters);
    }

    BoundList list;

private:
    int m_interval = 0;
};

TEST_F(BoundListTest, TypedLettersSelectTheFirstRowBeginningWithThemAndEnterSignalsIt) {
    // One letter, several letters, any case; from a row further down, a letter still goes to
    // the first row with it, not the next one; letters that begin no row leave the best match.
    const std::pair<const char*, const char*> cases[] = {
        {"b", "Bagels, plain"},      {"BUTTERM", "Buttermilk"}, {"bEaN", "beans, baked"},
        {"o'b", "O'Brien potatoes"}, {"c", "Cheese, cheddar"},  {"c", "Cheese, cheddar"},
        {"butx", "Butter, salted"},  {"q", "Butter, salted"}};
    QSignalSpy entered(&list, &BoundList::enterPressed);
    QTest::keyClick(&list, Qt::Key_Return);  // no row selected: no signal
    list.setCurrentRow(2);
    for (const auto& [letters, row] : cases) {
        type(letters);
        EXPECT_EQ(list.text(), row) << letters;
    }
    QTest::keyClick(&list, Qt::Key_Enter);
    EXPECT_EQ(entered.count(), 1);
}

TEST_F(BoundListTest, PageKeysPageTheListFromKeyboardAndInjectedKeys) {
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_PageDown);
    const int onePage = list.currentRow();
    EXPECT_GT(onePage, 3);

    // What the page buttons do: focus the list and inject the key.
    QtPlatform platform;
    platform.sendKeys("{PGUP}");
    EXPECT_EQ(list.currentRow(), 0);
    platform.sendKeys("{PGDN}{PGDN}{PGUP}");
    EXPECT_EQ(list.currentRow(), onePage);

    // A page key ends the typed search: the next letter starts afresh.
    QTest::keyClicks(&list, "yog");
    platform.sendKeys("{PGUP}a");
    EXPECT_EQ(list.text(), "Apples, raw");
}

}  // namespace
}  // namespace pw
