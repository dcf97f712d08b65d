// Stepping through a meal's items and removing them, down to the restart with a new meal.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "meals/frmNewMeal.h"
#include "tests/meals/MealWindow.h"

namespace pw::test {
namespace {

const QDate kBreakfastDate(2002, 3, 4);
const QDate kLunchDate(2002, 3, 5);

void addBreakfast(const QString& db) {
    addMeal(db, 3, QStringLiteral("Breakfast"), kBreakfastDate, false);
    for (const char* food : {"Apple, raw", "Milk, whole", "Bread, whole-wheat"})
        addMealItem(db, 3, QStringLiteral("Breakfast"), kBreakfastDate, QString::fromLatin1(food),
                    100, {{"ENERG_KCAL", 52}});
}

void addLunch(const QString& db) {
    addMeal(db, 7, QStringLiteral("Lunch"), kLunchDate, false);
    addMealItem(db, 7, QStringLiteral("Lunch"), kLunchDate, QStringLiteral("Milk, whole"), 244,
                {{"ENERG_KCAL", 148.8}});
}

// The item cursor on meal 7, as selecting it would leave it.
void showLunch(FormB& f) {
    f.DataB.setRecordSource(QStringLiteral("Select ALL * from Meals Where MealNumber = 7"));
    f.DataB.refresh();
    f.DataB.moveLast();
    f.lTotalRecordsB = static_cast<qint16>(f.DataB.recordCount());
    f.DataB.moveFirst();
}

void press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

QString counter(int item, int of, int meal) {
    return QStringLiteral("   Item %1 of %2 items in Meal Number %3.").arg(item).arg(of).arg(meal);
}

QString secondLine(FormB& f) {
    return f.lblRecordCountB->text().section(QStringLiteral("\r\n"), 1);
}

TEST(MealItems, StepsNeverLeaveTheMealAndEveryMoveRefreshesCounterAndValues) {
    MealWindow w;
    addBreakfast(w.mealDb());
    addLunch(w.mealDb());
    w.load();
    FormB& f = w.form();
    EXPECT_EQ(f.lblRecordCountB->text(),
              "  Meal Name: Breakfast   Meal Date: 03/04/2002\r\n" + counter(1, 3, 3));
    EXPECT_EQ(f.S[0], "Apple, raw");
    EXPECT_EQ(f.S[2], "52");
    EXPECT_EQ(f.S[41], "100");
    f.S[36] = QStringLiteral("kept");  // slots 35 to 40 are not copied from the item

    press(f.cmdBMovePrevious);  // nothing before the first item
    EXPECT_EQ(secondLine(f), counter(1, 3, 3));
    press(f.cmdBMoveNext);
    EXPECT_EQ(f.S[0], "Milk, whole");
    press(f.cmdBMoveNext);
    press(f.cmdBMoveNext);  // never past the last item
    EXPECT_EQ(secondLine(f), counter(3, 3, 3));
    EXPECT_EQ(f.S[0], "Bread, whole-wheat");
    press(f.cmdBMoveFirst);
    EXPECT_EQ(secondLine(f), counter(1, 3, 3));
    press(f.cmdBMovelast);
    EXPECT_EQ(secondLine(f), counter(3, 3, 3));
    EXPECT_EQ(f.S[36], "kept");
    EXPECT_TRUE(w.platform().messages().empty());
}

TEST(MealItems, RemovingOneOfSeveralItemsStandsOnTheItemBefore) {
    MealWindow w;
    addBreakfast(w.mealDb());
    w.load();
    FormB& f = w.form();
    press(f.cmdBMoveNext);

    w.platform().expectMsg(MsgResult::No,
                           QStringLiteral("Are you sure you want to delete this item?"));
    press(f.cmdRemove);
    EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 3);

    w.platform().expectMsg(MsgResult::Yes);
    press(f.cmdRemove);  // the second item
    EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 2);
    EXPECT_EQ(f.lTotalRecordsB, 2);
    EXPECT_EQ(secondLine(f), counter(1, 2, 3));
    EXPECT_EQ(f.S[0], "Apple, raw");

    w.platform().expectMsg(MsgResult::Yes);
    press(f.cmdRemove);  // the first item: the new first is shown
    EXPECT_EQ(secondLine(f), counter(1, 1, 3));
    EXPECT_EQ(f.S[0], "Bread, whole-wheat");
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"3"}));

    const MsgBoxSpec& ask = w.platform().messages().front();
    EXPECT_EQ(ask.caption, "Question");
    EXPECT_EQ(ask.buttons, MsgButtons::YesNo);
    EXPECT_EQ(ask.icon, MsgIcon::Question);
    EXPECT_EQ(ask.defaultButton, MsgResult::No);
}

TEST(MealItems, RemovingWithNoItemSaysSo) {
    MealWindow w(ProgramFolder::Content::Empty);
    w.load();
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::OK, QStringLiteral("No records to delete."));
    press(w.form().cmdRemove);
    w.platform().verifyDone();
}

TEST(MealItems, RemovingTheOnlyItemOfMeal7ShowsMeal3) {
    MealWindow w;
    addBreakfast(w.mealDb());
    addLunch(w.mealDb());
    w.load();
    FormB& f = w.form();
    showLunch(f);
    const QString last = QStringLiteral(
        "This is the last remaining item in meal number 7.  Are you sure you want to delete it?"
        "  Meal number 7 will also be deleted.");

    // Declined: only the meal number is remembered.
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::No, last);
    press(f.cmdRemove);
    EXPECT_EQ(f.ivHoldNumber, 7);
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"3", "7"}));
    EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 4);

    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::Yes, last);
    w.platform().expectMsg(
        MsgResult::OK, QStringLiteral("Meal deleted.  Please click on Step 1 from the main menu "
                                      "to add or select another meal"));
    press(f.cmdRemove);
    EXPECT_EQ(w.platform().messages()[3].text, last);
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"3"}));
    EXPECT_EQ(mealsNumbers(w.mealDb()), QStringList({"3", "3", "3"}));
    EXPECT_EQ(f.lblRecordCountB->text(),
              "  Meal Name: Breakfast   Meal Date: 03/04/2002\r\n" + counter(1, 3, 3));
    EXPECT_EQ(f.sMealNum, "3");
    EXPECT_EQ(f.svA, "Select ALL * from Meals Where MealNumber = 3");
    w.platform().verifyDone();
}

TEST(MealItems, RemovingTheLastItemOfTheLastMealStartsOverUntilAMealIsMade) {
    MealWindow w;
    addLunch(w.mealDb());
    w.load();
    FormB& f = w.form();
    const QString again =
        QStringLiteral("All Records have been deleted.  Click OK to start over with a new meal.");
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::OK, again);
    w.expectMealDialog([&](QDialog& d) {
        EXPECT_FALSE(f.Text1->isVisible());
        EXPECT_FALSE(f.lblRecordCountB->isVisible());
        EXPECT_EQ(box(d, "Text1")->text(), "1");  // no meal is left
        click(d, "cmdCancel");
    });
    w.platform().expectMsg(MsgResult::OK, again);
    w.expectMealDialog([&](QDialog& d) {
        type(d, "Text2", QStringLiteral("Fresh start"));
        type(d, "Text3", QStringLiteral("3/6/02"));
        click(d, "cmdOK");
    });
    press(f.cmdRemove);
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"1"}));
    EXPECT_EQ(mealsNumbers(w.mealDb()), QStringList({"1"}));
    EXPECT_FALSE(f.vCancelFlag);
    EXPECT_TRUE(f.Text1->isVisible());
    EXPECT_TRUE(f.lblRecordCountB->isVisible());
    w.platform().verifyDone();
}

TEST(MealItems, AFailedRemovalLeavesItemAndMealAsTheyWere) {
    MealWindow w;
    addLunch(w.mealDb());
    // An item whose meal has no row in MealNumbers.
    addMealItem(w.mealDb(), 9, QStringLiteral("Orphan"), kLunchDate, QStringLiteral("Apple, raw"),
                100);
    w.load();
    FormB& f = w.form();
    f.DataB.setRecordSource(QStringLiteral("Select ALL * from Meals Where MealNumber = 9"));
    f.DataB.refresh();
    f.lTotalRecordsB = 1;
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::OK, QStringLiteral("Error number 3021"));
    press(f.cmdRemove);
    EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 2);

    // The store refuses to delete the item: the meal's row comes back.
    showLunch(f);
    refuse(w.mealDb(), "DELETE", "Meals");
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::Yes);
    w.platform().expectMsg(MsgResult::OK, QStringLiteral("Error number "));
    press(f.cmdRemove);
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"7"}));
    EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 2);
    EXPECT_EQ(f.lblRecordCountB->text(),
              "  Meal Name: Lunch   Meal Date: 03/05/2002\r\n" + counter(1, 1, 7));
    w.platform().verifyDone();
}

}  // namespace
}  // namespace pw::test
