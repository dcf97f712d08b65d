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
    void SetUp() override { open(header, "Select * from MealNumbers Order by MealNumber"); }
    void open(RecordCursor& c, const QString& source) {
        c.setDatabaseName(folder.mealDb());
        c.setRecordSource(source);
        c.refresh();
    }
    // A save that must fail with `number` and leave the row pending as it was.
    void expectRefused(int number, int rowsStored = 0, EditMode mode = EditMode::Adding) {
        EXPECT_EQ(errorOf([&] { header.update(); }), number);
        EXPECT_EQ(header.editMode(), mode);
        EXPECT_EQ(test::rowCount(folder.mealDb(), "MealNumbers"), rowsStored);
    }

    ProgramFolder folder;
    RecordCursor header;
};

TEST_F(StoreRules, MealNeedsANameADateAndAWholeNumber) {
    header.addNew();
    header.setText("MealNumber", "1");
    header.setText("MealDate", "3/4/02");
    expectRefused(err::RequiredNull);  // name never written
    header.setText("MealName", "");
    expectRefused(err::ZeroLength);  // name written empty
    header.setText("MealName", "Lunch");
    header.setText("MealDate", "");
    expectRefused(err::RequiredNull);
    for (const char* notADate : {"31/31/02", "yesterday"}) {
        header.setText("MealDate", notADate);
        expectRefused(err::UpdateCancelled);
    }
    header.setText("MealDate", "3/4/02");
    header.setText("MealNumber", "7 apples");
    expectRefused(err::UpdateCancelled);
    EXPECT_EQ(header.text("MealName"), "Lunch");  // the pending row keeps what was typed

    header.setText("MealNumber", " 1 ");
    header.update();
    header.moveLast();
    EXPECT_EQ(header.text("MealDate"), "03/04/2002");
    EXPECT_EQ(header.text("MealNumber"), "1");
}

TEST_F(StoreRules, DuplicatesAndEmptiedNamesAreRefusedOnEditToo) {
    test::addMeal(folder.mealDb(), 4, "Soup", QDate(2022, 12, 31));
    header.refresh();
    header.addNew();
    header.setText("MealNumber", "4");
    header.setText("MealName", "New");
    header.setText("MealDate", "1/1/2021");
    expectRefused(err::DuplicateKey, 1);
    header.setText("MealNumber", "5");
    header.update();
    EXPECT_EQ(test::rowCount(folder.mealDb(), "MealNumbers"), 2);

    header.moveFirst();
    header.edit();
    header.setText("MealName", "");
    expectRefused(err::ZeroLength, 2, EditMode::Editing);
    header.setText("MealName", "Stew");
    header.update();
    header.refresh();
    EXPECT_EQ(header.text("MealName"), "Stew");
    EXPECT_EQ(header.text("MealDate"), "12/31/2022");  // untouched fields kept
}

TEST_F(StoreRules, NumbersAsTheProgramWritesThemReadBack) {
    RecordCursor items;
    open(items, "Meals");
    items.addNew();
    items.setText("ENERG_KCAL", "12x");
    EXPECT_EQ(errorOf([&] { items.update(); }), err::UpdateCancelled);
    EXPECT_EQ(items.editMode(), EditMode::Adding);
    // A scaled value with a leading blank and no leading zero, or three decimals.
    const std::pair<const char*, const char*> fields[] = {
        {"ENERG_KCAL", " 717"},  {"PROTEIN", " .1"},         {"TOT_LIPID", "-.25"},
        {"CARBOHYDRT", "2.110"}, {"PortionSize", "150.000"}, {"FIBER_TD", ""}};
    const QStringList readBack{"717", "0.1", "-0.25", "2.11", "150", ""};
    for (const auto& [field, text] : fields) items.setText(field, text);
    items.update();
    items.moveLast();
    for (size_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(items.text(fields[i].first), readBack[int(i)]) << fields[i].first;
    EXPECT_TRUE(items.isNull("FIBER_TD"));
}

TEST_F(StoreRules, DatesCompareAndSortByCalendar) {
    // Stored out of calendar order; text order of m/d/y would put 12/01/2001 after 02/...
    const std::pair<QDate, const char*> items[] = {{QDate(2002, 2, 1), "Feb 2002"},
                                                   {QDate(2001, 12, 1), "Dec 2001"},
                                                   {QDate(2001, 11, 26), "Nov 26"},
                                                   {QDate(2001, 11, 30), "Nov 30"},
                                                   {QDate(2001, 11, 26), "Nov 26 again"}};
    int meal = 0;
    for (const auto& [date, d] : items) test::addMealItem(folder.mealDb(), ++meal, "m", date, d, 1);
    RecordCursor c;
    open(c, "Meals");
    c.addNew();  // a date written through a cursor is found by calendar too
    c.setText("description", "typed");
    c.setText("MealNumber", "6");
    c.setText("Date", "1/5/02");
    c.update();
    const auto select = [&](const QString& source) {
        open(c, source);
        return c.columnTexts("description");
    };
    EXPECT_EQ(select("Select ALL * from Meals Where Date = #11/26/01#"),
              QStringList({"Nov 26", "Nov 26 again"}));
    EXPECT_EQ(c.text("Date"), "11/26/2001");
    EXPECT_EQ(select("Select ALL * from Meals Where Date BETWEEN #11/26/01# AND #12/01/2001# "
                     "Order by Date"),
              QStringList({"Nov 26", "Nov 26 again", "Nov 30", "Dec 2001"}));
    EXPECT_EQ(select("Select ALL * from Meals Where Date BETWEEN #11/27/2001# AND #2/1/02# "
                     "Order by MealNumber"),
              QStringList({"Feb 2002", "Dec 2001", "Nov 30", "typed"}));
    EXPECT_EQ(select("Select * from Meals Order by Date"),
              QStringList({"Nov 26", "Nov 26 again", "Nov 30", "Dec 2001", "typed", "Feb 2002"}));
    EXPECT_TRUE(select("Select ALL * from Meals Where Date = #11/25/01#").isEmpty());
}

}  // namespace
}  // namespace pw
