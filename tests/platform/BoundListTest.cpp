#include "platform/BoundList.h"

#include "data/RecordCursor.h"
#include "platform/QtPlatform.h"
#include "tests/support/TestDb.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

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
    QPoint centreOf(int row) { return list.visualRect(list.model()->index(row, 0)).center(); }

    BoundList list;

private:
    int m_interval = 0;
};

TEST_F(BoundListTest, TypedLettersSelectTheFirstRowBeginningWithThem) {
    type("b");
    EXPECT_EQ(list.text(), "Bagels, plain");
    type("BUTTERM");
    EXPECT_EQ(list.text(), "Buttermilk");
    type("bEaN");
    EXPECT_EQ(list.text(), "beans, baked");
    type("o'b");
    EXPECT_EQ(list.text(), "O'Brien potatoes");

    // From a row further down, a letter still goes to the first row with it, not the next one.
    list.setCurrentRow(2);
    type("b");
    EXPECT_EQ(list.currentRow(), 1);
    type("c");
    EXPECT_EQ(list.currentRow(), 6);
    type("c");
    EXPECT_EQ(list.currentRow(), 6);

    // Letters that begin no row leave the selection on the best match so far.
    type("butx");
    EXPECT_EQ(list.text(), "Butter, salted");
    EXPECT_EQ(list.typedSearch(), "butx");
    type("q");
    EXPECT_EQ(list.text(), "Butter, salted");
}

TEST_F(BoundListTest, ClicksDoubleClicksAndEnter) {
    QSignalSpy clicked(&list, &BoundList::itemClicked);
    QSignalSpy doubleClicked(&list, &BoundList::itemDoubleClicked);
    QSignalSpy entered(&list, &BoundList::enterPressed);
    QSignalSpy moved(&list, &BoundList::currentRowChanged);

    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(entered.count(), 0) << "Enter with nothing selected";
    EXPECT_EQ(list.text(), "");

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(3));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(list.text(), "Butter, salted");
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.last().at(0).toInt(), 3);

    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(clicked.count(), 1) << "the keyboard moves without clicking";
    EXPECT_EQ(moved.last().at(0).toInt(), 4);
    QTest::keyClick(&list, Qt::Key_Enter);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(list.text(), "Butter, whipped");

    // A double click as the desktop delivers it: press, release, double click, release.
    QWidget* viewport = list.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(5));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(5));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, centreOf(5));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(5));
    EXPECT_EQ(clicked.count(), 2) << "one click before the double click, none after it";
    EXPECT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(list.text(), "Buttermilk");
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centreOf(0));
    EXPECT_EQ(clicked.count(), 3);
}

TEST_F(BoundListTest, PageKeysPageTheListFromKeyboardAndInjectedKeys) {
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_PageDown);
    const int onePage = list.currentRow();
    EXPECT_GT(onePage, 3);
    EXPECT_LT(onePage, 20);
    QTest::keyClick(&list, Qt::Key_PageUp);
    EXPECT_EQ(list.currentRow(), 0);

    // What the page buttons do: focus the list and inject the key.
    QtPlatform platform;
    list.setFocus();
    platform.sendKeys("{PGDN}{PGDN}");
    EXPECT_GT(list.currentRow(), onePage);
    platform.sendKeys("{PGUP}");
    EXPECT_EQ(list.currentRow(), onePage);

    // A page key ends the typed search: the next letter starts afresh.
    QTest::keyClicks(&list, "yog");
    platform.sendKeys("{PGUP}a");
    EXPECT_EQ(list.text(), "Apples, raw");
}

TEST_F(BoundListTest, RefillReadsTheSourceAgainAndClearsTheSelection) {
    QStringList rows{"Kale, raw", "Leeks"};
    list.setTextSource([&rows] { return rows; });
    list.refill();
    ASSERT_EQ(list.count(), 2);
    type("l");
    EXPECT_EQ(list.currentRow(), 1);

    QSignalSpy moved(&list, &BoundList::currentRowChanged);
    rows.prepend("Apples, raw");
    list.refill();
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.currentRow(), -1);
    EXPECT_EQ(list.text(), "");
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.last().at(0).toInt(), -1);
    EXPECT_EQ(list.rowText(2), "Leeks");
    EXPECT_EQ(list.rowText(3), "");
}

TEST_F(BoundListTest, ShowsOneFieldOfEveryRowOfARecordCursor) {
    test::ProgramFolder folder;
    RecordCursor cursor;
    cursor.setDatabaseName(folder.customDb());
    cursor.setRecordSource("Select * From CSR14 Order by Description");
    cursor.refresh();
    list.setRecordCursor(&cursor, "Description");
    list.refill();

    QStringList expected = test::fixtureFoodDescriptions();
    expected.sort(Qt::CaseInsensitive);
    ASSERT_EQ(list.count(), expected.size());
    for (int row = 0; row < list.count(); ++row) EXPECT_EQ(list.rowText(row), expected.at(row));
    type("m");
    EXPECT_EQ(list.text(), "Milk, whole");
    type("MY");
    EXPECT_EQ(list.text(), "My granola");
    type("o'");
    EXPECT_EQ(list.text(), "O'Brien's potatoes");

    // A food stored since is listed, in its place, once the cursor and the list are refreshed.
    test::addFood(folder.customDb(), "Mango, raw", 6500);
    cursor.refresh();
    list.refill();
    EXPECT_EQ(list.count(), expected.size() + 1);
    type("m");
    EXPECT_EQ(list.text(), "Mango, raw");

    // Only the rows the source selects.
    cursor.setRecordSource("Select * From CSR14 Where CODE > 6399 Order by Description");
    cursor.refresh();
    list.refill();
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.rowText(0), "Mango, raw");
}

}  // namespace
}  // namespace pw
