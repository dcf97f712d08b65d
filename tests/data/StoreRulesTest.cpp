#include <gtest/gtest.h>

#include "data/RecordCursor.h"
#include "data/RuntimeError.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

constexpr auto errorOf = test::errorNumberOf;

class StoreRules : public ::testing::Test {
protected:
    void SetUp() override {
        header.setDatabaseName(folder.mealDb());
        header.setRecordSource("Select * from MealNumbers Order by MealNumber");
        header.refresh();
    }
    // A save that must fail with `number` and leave the new row pending as it was.
    void expectRefused(int number) {
        EXPECT_EQ(errorOf([&] { header.update(); }), number);
        EXPECT_EQ(header.editMode(), EditMode::Adding);
        EXPECT_EQ(test::rowCount(folder.mealDb(), "MealNumbers"), 0);
    }

    ProgramFolder folder;
    RecordCursor header;
};

TEST_F(StoreRules, MealNeedsANameAndADate) {
    header.addNew();
    header.setText("MealNumber", "1");
    header.setText("MealDate", "3/4/02");
    expectRefused(err::RequiredNull);  // name never written
    header.setText("MealName", "");
    expectRefused(err::ZeroLength);  // name written empty
    header.setText("MealName", "Lunch");
    header.setText("MealDate", "");
    expectRefused(err::RequiredNull);
    header.setText("MealDate", "31/31/02");
    expectRefused(err::UpdateCancelled);  // not a date
    header.setText("MealDate", "yesterday");
    expectRefused(err::UpdateCancelled);
    EXPECT_EQ(header.text("MealName"), "Lunch");  // the pending row keeps what was typed

    header.setText("MealDate", "3/4/02");
    header.update();
    EXPECT_EQ(header.editMode(), EditMode::None);
    header.moveLast();
    EXPECT_EQ(header.text("MealName"), "Lunch");
    EXPECT_EQ(header.text("MealDate"), "03/04/2002");
    EXPECT_EQ(header.text("MealNumber"), "1");
}

TEST_F(StoreRules, NumberFieldsTakeOnlyWholeNumbers) {
    header.addNew();
    header.setText("MealName", "Lunch");
    header.setText("MealDate", "1/2/2024");
    header.setText("MealNumber", "7 apples");
    expectRefused(err::UpdateCancelled);
    header.setText("MealNumber", " 7 ");
    header.update();

    RecordCursor items;
    items.setDatabaseName(folder.mealDb());
    items.setRecordSource("Meals");
    items.refresh();
    items.addNew();
    items.setText("ENERG_KCAL", "12x");
    EXPECT_EQ(errorOf([&] { items.update(); }), err::UpdateCancelled);
    EXPECT_EQ(items.editMode(), EditMode::Adding);
    // The forms the program writes: a scaled value with a leading blank and no leading zero.
    items.setText("ENERG_KCAL", " 717");
    items.setText("PROTEIN", " .1");
    items.setText("TOT_LIPID", "-.25");
    items.setText("CARBOHYDRT", "2.110");
    items.setText("FIBER_TD", "");
    items.setText("PortionSize", "150.000");
    items.setText("GMWT_2", "0.5");
    items.setText("MealNumber", "7");
    items.update();
    items.moveLast();
    EXPECT_EQ(items.text("ENERG_KCAL"), "717");
    EXPECT_EQ(items.text("PROTEIN"), "0.1");
    EXPECT_EQ(items.text("TOT_LIPID"), "-0.25");
    EXPECT_EQ(items.text("CARBOHYDRT"), "2.11");
    EXPECT_EQ(items.text("FIBER_TD"), "");
    EXPECT_TRUE(items.isNull("FIBER_TD"));
    EXPECT_EQ(items.text("PortionSize"), "150");
    EXPECT_EQ(items.text("GMWT_2"), "0.5");
    EXPECT_EQ(items.text("MealNumber"), "7");
}

TEST_F(StoreRules, DuplicateMealNumberIsRefusedAndNothingChanges) {
    test::addMeal(folder.mealDb(), 4, "Old", QDate(2020, 1, 1));
    header.refresh();
    header.addNew();
    header.setText("MealNumber", "4");
    header.setText("MealName", "New");
    header.setText("MealDate", "1/1/2021");
    EXPECT_EQ(errorOf([&] { header.update(); }), err::DuplicateKey);
    EXPECT_EQ(header.editMode(), EditMode::Adding);
    EXPECT_EQ(test::rowCount(folder.mealDb(), "MealNumbers"), 1);
    header.setText("MealNumber", "5");
    header.update();
    EXPECT_EQ(test::rowCount(folder.mealDb(), "MealNumbers"), 2);
}

TEST_F(StoreRules, EditKeepsUntouchedFieldsAndTheRulesStillHold) {
    test::addMeal(folder.mealDb(), 1, "Soup", QDate(2022, 12, 31));
    header.refresh();
    header.edit();
    header.setText("MealName", "");
    EXPECT_EQ(errorOf([&] { header.update(); }), err::ZeroLength);
    EXPECT_EQ(header.editMode(), EditMode::Editing);
    header.setText("MealName", "Stew");
    header.update();
    header.refresh();
    EXPECT_EQ(header.text("MealName"), "Stew");
    EXPECT_EQ(header.text("MealDate"), "12/31/2022");
}

class DatesByCalendar : public ::testing::Test {
protected:
    void SetUp() override {
        // Stored out of calendar order; text order of m/d/y would put 12/01/2001 after 02/...
        const QString db = folder.mealDb();
        test::addMealItem(db, 1, "a", QDate(2002, 2, 1), "Feb 2002", 100);
        test::addMealItem(db, 2, "b", QDate(2001, 12, 1), "Dec 2001", 100);
        test::addMealItem(db, 3, "c", QDate(2001, 11, 26), "Nov 26", 100);
        test::addMealItem(db, 4, "d", QDate(2001, 11, 30), "Nov 30", 100);
        test::addMealItem(db, 5, "e", QDate(2001, 11, 26), "Nov 26 again", 100);
        cursor.setDatabaseName(db);
    }
    QStringList select(const QString& source) {
        cursor.setRecordSource(source);
        cursor.refresh();
        return cursor.columnTexts("description");
    }
    ProgramFolder folder;
    RecordCursor cursor;
};

TEST_F(DatesByCalendar, EqualityBetweenAndOrder) {
    EXPECT_EQ(select("Select ALL * from Meals Where Date = #11/26/01#"),
              QStringList({"Nov 26", "Nov 26 again"}));
    EXPECT_EQ(cursor.text("Date"), "11/26/2001");
    EXPECT_EQ(select("Select ALL * from Meals Where Date BETWEEN #11/26/01# AND #12/01/2001# "
                     "Order by Date"),
              QStringList({"Nov 26", "Nov 26 again", "Nov 30", "Dec 2001"}));
    EXPECT_EQ(select("Select ALL * from Meals Where Date BETWEEN #11/27/2001# AND #2/1/02# "
                     "Order by MealNumber"),
              QStringList({"Feb 2002", "Dec 2001", "Nov 30"}));
    EXPECT_EQ(select("Select * from Meals Order by Date"),
              QStringList({"Nov 26", "Nov 26 again", "Nov 30", "Dec 2001", "Feb 2002"}));
    EXPECT_TRUE(select("Select ALL * from Meals Where Date = #11/25/01#").isEmpty());
}

TEST_F(DatesByCalendar, ADateWrittenThroughACursorIsFoundByCalendar) {
    select("Meals");
    cursor.addNew();
    cursor.setText("description", "typed");
    cursor.setText("Date", "1/5/02");
    cursor.update();
    EXPECT_EQ(select("Select ALL * from Meals Where Date BETWEEN #12/31/01# AND #1/31/2002#"),
              QStringList({"typed"}));
    EXPECT_EQ(cursor.text("Date"), "01/05/2002");
}

}  // namespace
}  // namespace pw
