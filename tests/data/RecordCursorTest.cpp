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
    void open(RecordCursor& c, const QString& source, const QString& db = {}) {
        c.setDatabaseName(db.isEmpty() ? folder.mealDb() : db);
        c.setRecordSource(source);
        c.refresh();
    }
    // Meal 5 with three items (A, B, C stored in that order), meal 2 with one, meal 9 with two.
    void storeMeals() {
        const QDate day(2024, 3, 5);
        const std::pair<int, const char*> items[] = {{5, "A"}, {2, "D"}, {5, "B"},
                                                     {9, "E"}, {5, "C"}, {9, "F"}};
        for (const auto& [meal, d] : items)
            test::addMealItem(folder.mealDb(), meal, "Meal", day, d, 100);
    }
    QStringList descriptions(RecordCursor& c) { return c.columnTexts("description"); }

    ProgramFolder folder;
};

TEST_F(CursorTest, EmptySourceHasNoCurrentRowAndRefusesMoves) {
    RecordCursor c;
    int repositions = 0;
    c.onReposition = [&] { ++repositions; };
    open(c, "Select * From Meals Order by MealNumber");
    EXPECT_EQ(c.recordCount(), 0);
    EXPECT_TRUE(c.eof() && c.bof());
    EXPECT_FALSE(c.hasCurrentRow());
    EXPECT_EQ(c.text("MealName"), "");  // a bound box shows nothing
    for (const auto& move : std::initializer_list<std::function<void()>>{
             [&] { c.moveFirst(); }, [&] { c.moveNext(); }, [&] { c.edit(); },
             [&] { c.deleteRow(); }, [&] { c.bookmark(); }})
        EXPECT_EQ(errorOf(move), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.update(); }), err::UpdateWithoutEdit);
    EXPECT_EQ(repositions, 1);
}

TEST_F(CursorTest, RowsComeInStoredOrderAndMovesWalkThem) {
    storeMeals();
    RecordCursor c;
    open(c, "Select * From Meals Order by MealNumber");  // ties keep the stored order
    EXPECT_EQ(descriptions(c), QStringList({"D", "A", "B", "C", "E", "F"}));
    open(c, "Select ALL * from Meals Where MealNumber = 5");
    EXPECT_EQ(descriptions(c), QStringList({"A", "B", "C"}));
    EXPECT_EQ(c.text("description"), "A");
    c.moveLast();
    EXPECT_EQ(c.absolutePosition(), 2);
    c.moveNext();
    EXPECT_TRUE(c.eof());
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
    EXPECT_EQ(errorOf([&] { c.setAbsolutePosition(3); }), 3001);
    EXPECT_EQ(c.text("description"), "B");
    EXPECT_EQ(c.text("mealnumber"), c.text("MealNumber"));  // names without regard to case
    EXPECT_TRUE(c.hasField("gmwt-1"));
    EXPECT_EQ(errorOf([&] { c.text("Nope"); }), err::UnknownField);
}

TEST_F(CursorTest, AddedRowAppearsAtTheEndAndCursorReturns) {
    storeMeals();
    RecordCursor c;
    open(c, "Select ALL * from Meals Where MealNumber = 5");
    c.moveNext();  // on B
    c.addNew();
    EXPECT_EQ(c.editMode(), EditMode::Adding);
    c.setText("description", "New");
    c.setText("MealNumber", "5");
    c.update();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_EQ(c.text("description"), "B");  // back on the row current before the addition
    EXPECT_EQ(descriptions(c), QStringList({"A", "B", "C", "New"}));

    // In an ordered view too, an added row stays at the end until the next refresh.
    RecordCursor all;
    open(all, "Select * From Meals Order by MealNumber");
    all.addNew();
    all.setText("description", "Early");
    all.setText("MealNumber", "1");
    all.update();
    EXPECT_EQ(descriptions(all).last(), "Early");
    all.refresh();
    EXPECT_EQ(all.text("description"), "Early");
}

TEST_F(CursorTest, CancelStoresNothingAndEditsReachOtherCursors) {
    storeMeals();
    RecordCursor c;
    RecordCursor other;
    open(c, "Select * from Meals Where MealNumber = 5");
    open(other, "Select * from Meals Order by MealNumber");
    c.addNew();
    c.setText("description", "Dropped");
    c.cancelUpdate();
    c.edit();
    c.setText("description", "Changed");
    c.cancelUpdate();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_EQ(descriptions(c), QStringList({"A", "B", "C"}));

    c.moveNext();
    c.edit();
    c.setText("PortionSize", "150.000");
    c.update();
    EXPECT_EQ(c.text("PortionSize"), "150");
    EXPECT_EQ(c.absolutePosition(), 1);
    other.refresh();
    EXPECT_EQ(other.columnTexts("PortionSize"),
              QStringList({"100", "100", "150", "100", "100", "100"}));

    // Moving off a pending row saves it.
    int validations = 0;
    c.onValidate = [&] { ++validations; };
    c.edit();
    c.setText("description", "B2");
    c.moveNext();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_GE(validations, 1);
    other.refresh();
    EXPECT_EQ(descriptions(other), QStringList({"D", "A", "B2", "C", "E", "F"}));
}

TEST_F(CursorTest, DeleteLeavesNoCurrentRowUntilTheNextMove) {
    storeMeals();
    RecordCursor c;
    open(c, "Select ALL * from Meals Where MealNumber = 5");
    c.moveNext();  // B
    c.deleteRow();
    EXPECT_FALSE(c.hasCurrentRow() || c.eof() || c.bof());
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
    c.deleteRow();  // the last one
    EXPECT_TRUE(c.eof() && c.bof());
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 3);
}

TEST_F(CursorTest, BookmarkReturnsToTheRowAndAFailedRefreshKeepsTheView) {
    storeMeals();
    RecordCursor c;
    open(c, "Select * From Meals Order by MealNumber");
    c.setAbsolutePosition(3);
    const QByteArray mark = c.bookmark();
    c.moveLast();
    c.setBookmark(mark);
    EXPECT_EQ(c.text("description"), "C");
    c.deleteRow();
    c.moveFirst();
    EXPECT_EQ(errorOf([&] { c.setBookmark(mark); }), 3159);
    EXPECT_EQ(errorOf([&] { c.setBookmark("junk"); }), 3159);
    EXPECT_EQ(c.absolutePosition(), 0);

    c.setRecordSource("Select * from Meals Where Nonsense = 1");
    EXPECT_EQ(errorOf([&] { c.refresh(); }), err::UnknownField);
    EXPECT_EQ(c.text("description"), "D");
    EXPECT_EQ(c.recordCount(), 5);
}

TEST_F(CursorTest, FindFirstTakesHostileTextAsData) {
    test::addFood(folder.customDb(), QStringLiteral("Crème brûlée"), 1100);
    test::addFood(folder.customDb(), "Twin", 1101, {{"ENERG_KCAL", 1}});
    test::addFood(folder.customDb(), "Twin", 1102, {{"ENERG_KCAL", 2}});
    RecordCursor c;
    int repositions = 0;
    c.onReposition = [&] { ++repositions; };
    open(c, "Select ALL * From CSR14 Order by description", folder.customDb());
    EXPECT_TRUE(c.findFirst("description = '" + SrchReplace("O'Brien's potatoes") + "' "));
    EXPECT_EQ(c.text("Description"), "O'Brien's potatoes");
    EXPECT_TRUE(c.findFirst(QStringLiteral("description = 'Crème brûlée' ")));
    EXPECT_EQ(c.text("CODE"), "1100");
    EXPECT_TRUE(c.findFirst("description = 'Twin'"));
    EXPECT_EQ(c.text("ENERG_KCAL"), "1");                     // the first in the cursor's order
    EXPECT_TRUE(c.findFirst("description = 'MILK, WHOLE'"));  // without regard to case
    const int at = c.absolutePosition();
    const int before = repositions;

    // No match leaves the cursor where it was, and so does hostile text.
    EXPECT_FALSE(c.findFirst("description = 'Milk' "));
    EXPECT_TRUE(c.noMatch());
    EXPECT_FALSE(c.findFirst("description = 'x'' OR ''1''=''1' "));
    EXPECT_EQ(errorOf([&] { c.findFirst("description = 'x' OR 1=1"); }), err::SyntaxError);
    EXPECT_EQ(c.absolutePosition(), at);
    EXPECT_EQ(repositions, before);
    EXPECT_EQ(test::rowCount(folder.customDb(), "CSR14"), 10);

    // A criterion finds only rows of the cursor's own view.
    open(c, "Select All * from CSR14 where Code > 6399 order by description", folder.customDb());
    EXPECT_FALSE(c.findFirst("description = 'Apple, raw'"));
    EXPECT_TRUE(c.findFirst("description = 'Sample soup'"));
    EXPECT_EQ(c.absolutePosition(), 1);
}

}  // namespace
}  // namespace pw
