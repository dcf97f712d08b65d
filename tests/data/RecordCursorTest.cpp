#include <gtest/gtest.h>

#include "data/RecordCursor.h"
#include "data/RuntimeError.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

constexpr auto errorOf = test::errorNumberOf;

class CursorTest : public ::testing::Test {
protected:
    void open(RecordCursor& c, const QString& db, const QString& source) {
        c.setDatabaseName(db);
        c.setRecordSource(source);
        c.refresh();
    }
    // Meal 5 with three items (A, B, C stored in that order), meal 2 with one, meal 9 with two.
    void storeMeals() {
        const QDate day(2024, 3, 5);
        const QString db = folder.mealDb();
        test::addMealItem(db, 5, "Lunch", day, "A", 100);
        test::addMealItem(db, 2, "Breakfast", day, "D", 100);
        test::addMealItem(db, 5, "Lunch", day, "B", 100);
        test::addMealItem(db, 9, "Dinner", day, "E", 100);
        test::addMealItem(db, 5, "Lunch", day, "C", 100);
        test::addMealItem(db, 9, "Dinner", day, "F", 100);
    }
    QStringList descriptions(RecordCursor& c) { return c.columnTexts("description"); }

    ProgramFolder folder;
};

TEST_F(CursorTest, EmptySourceHasNoCurrentRowAndRefusesMoves) {
    RecordCursor c;
    int repositions = 0;
    c.onReposition = [&] { ++repositions; };
    open(c, folder.mealDb(), "Select * From Meals Order by MealNumber");
    EXPECT_EQ(repositions, 1);
    EXPECT_EQ(c.recordCount(), 0);
    EXPECT_TRUE(c.eof());
    EXPECT_TRUE(c.bof());
    EXPECT_FALSE(c.hasCurrentRow());
    EXPECT_EQ(c.absolutePosition(), -1);
    EXPECT_EQ(c.text("MealName"), "");  // a bound box shows nothing
    EXPECT_EQ(errorOf([&] { c.moveFirst(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.moveNext(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.edit(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.deleteRow(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.bookmark(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.update(); }), err::UpdateWithoutEdit);
    EXPECT_EQ(repositions, 1);
}

TEST_F(CursorTest, RowsOfOneMealComeInStoredOrderAndMovesWalkThem) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "Select ALL * from Meals Where MealNumber = 5");
    EXPECT_EQ(descriptions(c), QStringList({"A", "B", "C"}));
    EXPECT_EQ(c.text("description"), "A");
    EXPECT_EQ(c.absolutePosition(), 0);
    c.moveLast();
    EXPECT_EQ(c.recordCount(), 3);
    EXPECT_EQ(c.absolutePosition(), 2);
    EXPECT_EQ(c.text("description"), "C");
    c.moveNext();
    EXPECT_TRUE(c.eof());
    EXPECT_FALSE(c.hasCurrentRow());
    EXPECT_EQ(c.absolutePosition(), -1);
    EXPECT_EQ(errorOf([&] { c.moveNext(); }), err::NoCurrentRecord);
    c.movePrevious();  // from past the end back onto the last row
    EXPECT_EQ(c.text("description"), "C");
    c.moveFirst();
    c.movePrevious();
    EXPECT_TRUE(c.bof());
    c.moveNext();  // from before the start onto the first row
    EXPECT_EQ(c.text("description"), "A");
    c.setAbsolutePosition(1);
    EXPECT_EQ(c.text("description"), "B");
    EXPECT_EQ(errorOf([&] { c.setAbsolutePosition(3); }), 3001);
    EXPECT_EQ(c.text("description"), "B");
}

TEST_F(CursorTest, OrderByKeepsTiesInStoredOrder) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "Select * From Meals Order by MealNumber");
    EXPECT_EQ(descriptions(c), QStringList({"D", "A", "B", "C", "E", "F"}));
    c.moveFirst();
    EXPECT_EQ(c.text("MealNumber"), "2");
}

TEST_F(CursorTest, AddedRowAppearsAtTheEndAndCursorReturns) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "Select ALL * from Meals Where MealNumber = 5");
    c.moveNext();  // on B
    c.addNew();
    EXPECT_EQ(c.editMode(), EditMode::Adding);
    EXPECT_EQ(c.text("description"), "");
    c.setText("description", "New");
    c.setText("MealNumber", "5");
    EXPECT_EQ(c.text("description"), "New");
    c.update();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_EQ(c.text("description"), "B");  // back on the row current before the addition
    EXPECT_EQ(c.recordCount(), 4);
    c.moveLast();
    EXPECT_EQ(c.text("description"), "New");
    EXPECT_EQ(c.text("MealNumber"), "5");

    // In an ordered view too, an added row stays at the end until the next refresh.
    RecordCursor all;
    open(all, folder.mealDb(), "Select * From Meals Order by MealNumber");
    all.addNew();
    all.setText("description", "Early");
    all.setText("MealNumber", "1");
    all.update();
    all.moveLast();
    EXPECT_EQ(all.text("description"), "Early");
    EXPECT_EQ(descriptions(all).last(), "Early");
    all.refresh();
    EXPECT_EQ(all.text("description"), "Early");
}

TEST_F(CursorTest, CancelUpdateStoresNothing) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "Select * from Meals Where MealNumber = 2");
    c.addNew();
    c.setText("description", "Dropped");
    c.cancelUpdate();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_EQ(c.recordCount(), 1);
    EXPECT_EQ(c.text("description"), "D");
    c.edit();
    c.setText("description", "Changed");
    c.cancelUpdate();
    EXPECT_EQ(c.text("description"), "D");
    c.refresh();
    EXPECT_EQ(c.text("description"), "D");
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 6);
}

TEST_F(CursorTest, EditWritesOnlyTheCurrentRowAndIsSeenByOtherCursors) {
    storeMeals();
    RecordCursor items;
    RecordCursor other;
    open(items, folder.mealDb(), "Select * from Meals Where MealNumber = 5");
    open(other, folder.mealDb(), "Select * from Meals Order by MealNumber");
    items.moveNext();
    items.edit();
    items.setText("PortionSize", "150.000");
    items.setText("GMWT_DESC1", "1 cup");
    items.update();
    EXPECT_EQ(items.text("PortionSize"), "150");
    EXPECT_EQ(items.absolutePosition(), 1);
    other.refresh();
    EXPECT_EQ(other.columnTexts("PortionSize"),
              QStringList({"100", "100", "150", "100", "100", "100"}));
    EXPECT_EQ(other.columnTexts("GMWT_DESC1"), QStringList({"", "", "1 cup", "", "", ""}));
}

TEST_F(CursorTest, MovingOffAPendingRowSavesIt) {
    storeMeals();
    RecordCursor c;
    int validations = 0;
    c.onValidate = [&] { ++validations; };
    open(c, folder.mealDb(), "Select * from Meals Where MealNumber = 9");
    c.edit();
    c.setText("description", "E2");
    c.moveNext();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_GE(validations, 1);
    c.moveFirst();
    EXPECT_EQ(c.text("description"), "E2");
}

TEST_F(CursorTest, DeleteLeavesNoCurrentRowUntilTheNextMove) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "Select ALL * from Meals Where MealNumber = 5");
    c.moveNext();  // B
    c.deleteRow();
    EXPECT_FALSE(c.hasCurrentRow());
    EXPECT_EQ(c.absolutePosition(), -1);
    EXPECT_FALSE(c.eof());
    EXPECT_FALSE(c.bof());
    EXPECT_EQ(c.recordCount(), 2);
    EXPECT_EQ(errorOf([&] { c.deleteRow(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.edit(); }), err::NoCurrentRecord);
    c.moveNext();
    EXPECT_EQ(c.text("description"), "C");  // the row after the deleted one
    EXPECT_EQ(c.absolutePosition(), 1);

    c.moveFirst();
    c.deleteRow();     // A
    c.movePrevious();  // nothing stood before it
    EXPECT_TRUE(c.bof());
    c.moveNext();
    EXPECT_EQ(c.text("description"), "C");
    c.deleteRow();  // the last one
    EXPECT_EQ(c.recordCount(), 0);
    EXPECT_TRUE(c.eof());
    EXPECT_TRUE(c.bof());
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 3);
}

TEST_F(CursorTest, RemovingAnItemAsTheMealWindowDoes) {
    // Remove the third of five, then stand on the item before it.
    const QDate day(2024, 1, 2);
    for (const char* d : {"A", "B", "C", "D", "E"})
        test::addMealItem(folder.mealDb(), 3, "Tea", day, d, 50);
    RecordCursor c;
    open(c, folder.mealDb(), "Select ALL * from Meals Where MealNumber = 3");
    c.setAbsolutePosition(2);
    const int at = c.absolutePosition();
    c.deleteRow();
    EXPECT_EQ(c.recordCount(), 4);
    c.moveFirst();
    c.setAbsolutePosition(at - 1);
    EXPECT_EQ(c.text("description"), "B");
}

TEST_F(CursorTest, BookmarkReturnsToTheRow) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "Select * From Meals Order by MealNumber");
    c.setAbsolutePosition(3);
    const QByteArray mark = c.bookmark();
    c.moveLast();
    c.setBookmark(mark);
    EXPECT_EQ(c.text("description"), "C");
    EXPECT_EQ(c.absolutePosition(), 3);
    c.deleteRow();
    c.moveFirst();
    EXPECT_EQ(errorOf([&] { c.setBookmark(mark); }), 3159);
    EXPECT_EQ(errorOf([&] { c.setBookmark("junk"); }), 3159);
    EXPECT_EQ(c.absolutePosition(), 0);
}

TEST_F(CursorTest, FindFirstByDescription) {
    RecordCursor c;
    int repositions = 0;
    c.onReposition = [&] { ++repositions; };
    open(c, folder.customDb(), "Select ALL * From CSR14 Order by description");
    EXPECT_EQ(c.columnTexts("Description"),
              QStringList({"Apple, raw", "Bread, whole-wheat", "Milk, whole", "My granola",
                           "O'Brien's potatoes", "Sample soup", "Water, plain"}));
    EXPECT_TRUE(c.findFirst("description = '" + SrchReplace("O'Brien's potatoes") + "' "));
    EXPECT_FALSE(c.noMatch());
    EXPECT_EQ(c.text("Description"), "O'Brien's potatoes");
    EXPECT_EQ(c.absolutePosition(), 4);
    EXPECT_TRUE(c.findFirst("description = 'MILK, WHOLE'"));  // without regard to case
    EXPECT_EQ(c.absolutePosition(), 2);
    const int before = repositions;

    // No match leaves the cursor where it was, and so does hostile text.
    EXPECT_FALSE(c.findFirst("description = 'Milk' "));
    EXPECT_TRUE(c.noMatch());
    EXPECT_FALSE(c.findFirst("description = 'x'' OR ''1''=''1' "));
    EXPECT_EQ(errorOf([&] { c.findFirst("description = 'x' OR 1=1"); }), err::SyntaxError);
    EXPECT_EQ(c.absolutePosition(), 2);
    EXPECT_EQ(repositions, before);
    EXPECT_EQ(test::rowCount(folder.customDb(), "CSR14"), 7);

    // A criterion finds only rows of the cursor's own view.
    RecordCursor user;
    open(user, folder.customDb(), "Select All * from CSR14 where Code > 6399 order by description");
    EXPECT_EQ(user.recordCount(), 2);
    EXPECT_FALSE(user.findFirst("description = 'Apple, raw'"));
    EXPECT_TRUE(user.findFirst("description = 'Sample soup'"));
    EXPECT_EQ(user.absolutePosition(), 1);
}

TEST_F(CursorTest, UnicodeAndDuplicateDescriptions) {
    test::addFood(folder.customDb(), QStringLiteral("Crème brûlée"), 1100);
    test::addFood(folder.customDb(), QStringLiteral("Twin"), 1101, {{"ENERG_KCAL", 1}});
    test::addFood(folder.customDb(), QStringLiteral("Twin"), 1102, {{"ENERG_KCAL", 2}});
    RecordCursor c;
    open(c, folder.customDb(), "Select ALL * From CSR14 Order by description");
    EXPECT_TRUE(c.findFirst(QStringLiteral("description = 'Crème brûlée' ")));
    EXPECT_EQ(c.text("CODE"), "1100");
    EXPECT_TRUE(c.findFirst("description = 'Twin'"));
    EXPECT_EQ(c.text("ENERG_KCAL"), "1");  // the first in the cursor's order
}

TEST_F(CursorTest, FieldNamesWithoutRegardToCaseAndUnknownFields) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "meals");
    EXPECT_EQ(c.text("mealname"), c.text("MealName"));
    EXPECT_TRUE(c.hasField("gmwt-1"));
    EXPECT_FALSE(c.hasField("GMWT_1"));
    EXPECT_EQ(c.fieldNames().size(), 42);
    EXPECT_EQ(errorOf([&] { c.text("Nope"); }), err::UnknownField);
    BoundFields txtFieldB(c, c.fieldNames());
    EXPECT_EQ(txtFieldB.name(38), "MealNumber");
    EXPECT_EQ(txtFieldB.text(38), "5");
}

TEST_F(CursorTest, FailedRefreshKeepsThePreviousView) {
    storeMeals();
    RecordCursor c;
    open(c, folder.mealDb(), "Select * from Meals Where MealNumber = 9");
    c.moveLast();
    c.setRecordSource("Select * from Meals Where Nonsense = 1");
    EXPECT_EQ(errorOf([&] { c.refresh(); }), err::UnknownField);
    EXPECT_EQ(c.text("description"), "F");
    EXPECT_EQ(c.recordCount(), 2);
}

TEST(SrchReplace, DoublesEveryApostropheOnly) {
    EXPECT_EQ(SrchReplace("O'Brien's"), "O''Brien''s");
    EXPECT_EQ(SrchReplace("''"), "''''");
    EXPECT_EQ(SrchReplace("plain"), "plain");
    EXPECT_EQ(SrchReplace(""), "");
}

TEST(CursorOnTheRealFoods, OpensAllFoodsAndFindsByDescription) {
    ProgramFolder folder(ProgramFolder::Content::Templates);
    RecordCursor c;
    c.setDatabaseName(folder.customDb());
    c.setRecordSource("CSR14");
    c.setRecordSource("Select ALL * From CSR14 Order by description");
    c.refresh();
    ASSERT_GT(c.recordCount(), 7000);
    const QStringList all = c.columnTexts("Description");
    ASSERT_EQ(all.size(), c.recordCount());
    c.moveLast();
    const QString last = c.text("Description");
    EXPECT_EQ(last, all.last());
    c.moveFirst();
    EXPECT_TRUE(c.findFirst("description = '" + SrchReplace(last) + "' "));
    EXPECT_EQ(c.absolutePosition(), all.size() - 1);
    // By description as the store compares it: ASCII letters without regard to case.
    const auto folded = [](QString s) {
        for (QChar& ch : s)
            if (ch >= u'A' && ch <= u'Z') ch = QChar(ch.unicode() + 32);
        return s;
    };
    for (int i = 1; i < all.size(); ++i) ASSERT_FALSE(folded(all[i]) < folded(all[i - 1])) << i;
}

}  // namespace
}  // namespace pw
