// The meal dialog in its add and select modes, and a meal's items, driven through the widgets.
#include <variant>

#include "data/NumberText.h"
#include "meals/frmCopyMeal.h"
#include "meals/frmSaveRecipe.h"
#include "tests/meals/Meals.h"

namespace pw::test {
namespace {

using MealDialog = MealsTest;
struct EmptyMealDialog : MealsTest {
    EmptyMealDialog() : MealsTest(ProgramFolder::Content::Empty) {}
};

// The meal dialog closes itself at once, with a message.
void closesItself(QDialog& d) {
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(d.isVisible());
}

TEST_F(MealDialog, CancelStoresNothingAndANewMealTakesTheHighestNumberPlusOne) {
    for (int n : {1, 2, 5}) addMeal(db(), n, QStringLiteral("Meal"), kDate);
    openWindow();
    showMealDialog([&](QDialog& d) {
        type(d, "Text2", QStringLiteral("Supper"));
        type(d, "Text3", QStringLiteral("3/4/02"));
        click(d, "cmdCancel");
    });
    EXPECT_TRUE(form->vCancelFlag);
    EXPECT_EQ(numbers("Meals"), QStringList({"1", "2", "5"}));
    form->vCancelFlag = false;
    showMealDialog([&](QDialog& d) {
        EXPECT_EQ(static_cast<frmNewMeal&>(d).Text1->text(), "6");  // gaps are not reused
        type(d, "Text2", QStringLiteral("Sunday roast"));
        type(d, "Text3", QStringLiteral("3/4/02"));
        click(d, "cmdOK");
    });
    EXPECT_EQ(numbers("MealNumbers"), QStringList({"1", "2", "5", "6"}));
    EXPECT_EQ(numbers("Meals"), QStringList({"1", "2", "5", "6"}));
    EXPECT_FALSE(form->vCancelFlag);
    EXPECT_EQ(form->lblRecordCountB->text().section("\r\n", 0, 0),
              "  Meal Name: Sunday roast   Meal Date: 03/04/2002");
}

// Refused entries and a header row the store refuses keep the dialog open with the number
// offered; the meal and its header row are stored together or not at all.
TEST_F(EmptyMealDialog, RefusedSavesKeepTheDialogOpenAndStoreNothing) {
    openWindow();
    platform.expectMsg(MsgResult::OK, QStringLiteral("There are no meals to select yet.  Please "
                                                     "click on Add New Meal in Step 1"));
    expectDialog(closesItself);
    form->mnuSelectMeal_Click();
    EXPECT_FALSE(form->vSelectExisting);

    const struct {
        const char *name, *date, *message;
    } refused[] = {
        {"", "3/4/02", "Please fill in the Meal Name and Date Boxes before clicking ok"},
        {"   ", "3/4/02", "Please fill in the Meal Name and Date Boxes before clicking ok"},
        {"Lunch", "", "Please fill in the Meal Name and Date Boxes before clicking ok"},
        {"Lunch", "3/4/02", "Error number "},  // the header row is refused
    };
    showMealDialog([&](QDialog& d) {
        refuse("INSERT");
        for (const auto& r : refused) {
            SCOPED_TRACE(r.message);
            platform.expectMsg(MsgResult::OK, QLatin1String(r.message));
            type(d, "Text2", QLatin1String(r.name));
            type(d, "Text3", QLatin1String(r.date));
            click(d, "cmdOK");
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(static_cast<frmNewMeal&>(d).Text1->text(), "1");  // still offered
            EXPECT_EQ(rowCount(db(), "MealNumbers") + rowCount(db(), "Meals"), 0);
        }
        refuse("INSERT", false);
        click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(platform.messages()[3].caption, kAppTitle);
    EXPECT_EQ(numbers("MealNumbers"), QStringList({"1"}));
    EXPECT_EQ(numbers("Meals"), QStringList({"1"}));
}

TEST_F(MealDialog, SelectModeStepsThroughTheMealsAndNoNewMealAfterTheHighestNumber) {
    addMeal(db(), 3, QStringLiteral("Breakfast"), kDate, false);
    addMealItem(db(), 3, QStringLiteral("Breakfast"), kDate, QStringLiteral("Apple, raw"), 100);
    addMeal(db(), 7, QStringLiteral("Lunch"), QDate(2002, 3, 5), false);
    addMealItem(db(), 7, QStringLiteral("Lunch"), QDate(2002, 3, 5), QStringLiteral("Bread"), 100);
    addMeal(db(), 32767, QStringLiteral("Last"), kDate);
    openWindow();
    expectDialog([&](QDialog& d) {
        auto& m = static_cast<frmNewMeal&>(d);
        EXPECT_EQ(d.windowTitle(), "Select an Existing Meal");
        const struct {
            const char *button, *number, *record;
        } steps[] = {{"cmdMovePrevious", "3", "Record 1 of 3"},  // nothing before the first
                     {"cmdMoveLast", "32767", "Record 3 of 3"},
                     {"cmdMoveNext", "32767", "Record 3 of 3"},  // never past the last
                     {"cmdMoveFirst", "3", "Record 1 of 3"},
                     {"cmdMoveNext", "7", "Record 2 of 3"}};
        for (const auto& s : steps) {
            click(d, s.button);
            EXPECT_EQ(m.Text1->text(), s.number) << s.button;
            EXPECT_EQ(m.lblRecordCount->text(), s.record) << s.button;
        }
        EXPECT_EQ(m.Text3->text(), "03/05/2002");
        press(m.Text2);  // the boxes cannot be typed into: a click moves the focus on
        EXPECT_EQ(d.focusWidget(), m.cmdMoveNext);
        click(d, "cmdOK");
    });
    form->mnuSelectMeal_Click();
    EXPECT_EQ(
        form->lblRecordCountB->text(),
        "  Meal Name: Lunch   Meal Date: 03/05/2002\r\n   Item 1 of 1 items in Meal Number 7.");
    EXPECT_EQ(form->S[0], "Bread");
    EXPECT_FALSE(form->vSelectExisting);
    platform.expectMsg(MsgResult::OK, QStringLiteral("32767"));
    showMealDialog(closesItself);
    EXPECT_EQ(numbers("MealNumbers"), QStringList({"3", "7", "32767"}));
    EXPECT_EQ(rowCount(db(), "Meals"), 3);
    EXPECT_FALSE(form->vCancelFlag);  // not a cancel: a restart would meet the same message
}

// Stepping through a meal's items and the roads of removing them, down to starting over.

const QDate kLunchDate(2002, 3, 5);
const QString kLast = QStringLiteral(
    "This is the last remaining item in meal number 7.  Are you sure you want to delete it?"
    "  Meal number 7 will also be deleted.");

QString counter(int item, int of, int meal) {
    return QStringLiteral("   Item %1 of %2 items in Meal Number %3.").arg(item).arg(of).arg(meal);
}

class MealItems : public MealsTest {
protected:
    // Meal 3 with three items (unless `breakfast` is false), then meal 7 with one.
    void addMeals(bool breakfast = true) {
        if (breakfast) {
            addMeal(db(), 3, QStringLiteral("Breakfast"), kDate, false);
            for (const char* food : {"Apple, raw", "Milk, whole", "Bread, whole-wheat"})
                addMealItem(db(), 3, "Breakfast", kDate, QLatin1String(food), 100);
        }
        addMeal(db(), 7, QStringLiteral("Lunch"), kLunchDate, false);
        addMealItem(db(), 7, QStringLiteral("Lunch"), kLunchDate, QStringLiteral("Milk"), 244);
    }
    QString secondLine() const {
        return form->lblRecordCountB->text().section(QStringLiteral("\r\n"), 1);
    }
};

TEST_F(MealItems, RemovingAnItemStandsOnTheItemBeforeAndTheOnlyItemTakesItsMealAlong) {
    addMeals();
    openWindow();
    press(form->cmdBMovePrevious);  // nothing before the first item
    press(form->cmdBMoveNext);
    EXPECT_EQ(form->S[0], "Milk, whole");
    platform.expectMsg(MsgResult::No, QStringLiteral("Are you sure you want to delete this item?"));
    press(form->cmdRemove);
    EXPECT_EQ(rowCount(db(), "Meals"), 4);
    platform.expectMsg(MsgResult::Yes);
    press(form->cmdRemove);  // the second item
    EXPECT_EQ(secondLine(), counter(1, 2, 3));
    EXPECT_EQ(form->S[0], "Apple, raw");
    platform.expectMsg(MsgResult::Yes);
    press(form->cmdRemove);  // the first item: the new first is shown
    EXPECT_EQ(secondLine(), counter(1, 1, 3));
    EXPECT_EQ(form->S[0], "Bread, whole-wheat");
    EXPECT_EQ(numbers("Meals"), QStringList({"3", "7"}));

    // The only item of meal 7 takes the meal along; meal 3 is shown.
    form->DataB.setRecordSource(QStringLiteral("Select ALL * from Meals Where MealNumber = 7"));
    form->DataB.refresh();
    form->lTotalRecordsB = 1;

    platform.expectMsg(MsgResult::Yes);
    platform.expectMsg(MsgResult::No, kLast);  // declined
    press(form->cmdRemove);
    EXPECT_EQ(rowCount(db(), "Meals"), 2);
    platform.expectMsg(MsgResult::Yes);
    platform.expectMsg(MsgResult::Yes, kLast);
    platform.expectMsg(MsgResult::OK, QStringLiteral("Meal deleted.  Please click on Step 1"));
    press(form->cmdRemove);
    EXPECT_EQ(numbers("MealNumbers"), QStringList({"3"}));
    EXPECT_EQ(numbers("Meals"), QStringList({"3"}));
    EXPECT_EQ(form->lblRecordCountB->text(),
              "  Meal Name: Breakfast   Meal Date: 03/04/2002\r\n" + counter(1, 1, 3));
}

TEST_F(MealItems, RemovingTheLastItemOfTheLastMealStartsOverUntilAMealIsMade) {
    addMeals(false);
    openWindow();
    const QString again =
        QStringLiteral("All Records have been deleted.  Click OK to start over with a new meal.");
    platform.expectMsg(MsgResult::Yes);
    platform.expectMsg(MsgResult::Yes, kLast);
    platform.expectMsg(MsgResult::OK, again);
    expectDialog([&](QDialog& d) {
        EXPECT_FALSE(form->lblRecordCountB->isVisible());
        EXPECT_EQ(static_cast<frmNewMeal&>(d).Text1->text(), "1");  // no meal is left
        click(d, "cmdCancel");
    });
    platform.expectMsg(MsgResult::OK, again);
    expectDialog([&](QDialog& d) {
        type(d, "Text2", QStringLiteral("Fresh start"));
        type(d, "Text3", QStringLiteral("3/6/02"));
        click(d, "cmdOK");
    });
    press(form->cmdRemove);
    EXPECT_EQ(numbers("MealNumbers"), QStringList({"1"}));
    EXPECT_EQ(numbers("Meals"), QStringList({"1"}));
    EXPECT_TRUE(form->lblRecordCountB->isVisible());
}

// The 16-bit counters: a meal of 32767 items is counted; one item more reaches the user as
// run-time error 6 on every road that counts it, and no counter turns negative.
TEST_F(MealItems, OneItemBeyond32767IsReportedAsOverflowAndNoCounterWraps) {
    addMeal(db(), 1, QStringLiteral("Feast"), kDate, false);
    connection(db())->exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32767) "
        "INSERT INTO Meals (description, MealNumber, MealName, Date, PortionSize) "
        "SELECT 'Apple, raw', 1, 'Feast', '2002-03-04', '100' FROM n");
    openWindow();
    EXPECT_EQ(form->lTotalRecordsB, 32767);
    const QString overflow =
        QStringLiteral("Error number 6 was encountered.\n\rWhich is described as: Overflow");

    press(form->cmdAddItem);
    platform.expectMsg(MsgResult::OK, overflow);
    pickFood(QStringLiteral("Bread, whole-wheat"), true);
    EXPECT_EQ(rowCount(db(), "Meals"), 32768);  // the item itself is stored
    EXPECT_EQ(form->lTotalRecordsB, 32767);
    press(form->cmdCancel);

    platform.expectMsg(MsgResult::OK, overflow);
    expectDialog([](QDialog& d) {
        QTest::keyClicks(d.findChild<QLineEdit*>(QStringLiteral("TextOp1")), "150");
        click(d, "cmdSubmit");
    });
    press(form->cmdPortionAdjust);
    EXPECT_EQ(form->lTotalRecordsB, 32767);
}

// The meal shown copied to another date and saved as a food, each window driven by keys alone.
TEST_F(MealItems, TheMealShownIsCopiedAndSavedAsAFoodFromTheKeyboard) {
    addMeals();
    openWindow();
    const auto keys = [](QDialog& d, std::initializer_list<std::variant<Qt::Key, const char*>> ks) {
        for (const auto& k : ks) {
            if (const auto* key = std::get_if<Qt::Key>(&k))
                QTest::keyClick(d.focusWidget(), *key,
                                *key == Qt::Key_A ? Qt::ControlModifier : Qt::NoModifier);
            else
                QTest::keyClicks(d.focusWidget(), std::get<const char*>(k));
            QCoreApplication::sendPostedEvents();
        }
    };
    EXPECT_TRUE(form->mnuCopyMeal->isEnabled() && form->mnuSaveRecipe->isEnabled());
    expectDialog([&](QDialog& d) {
        auto& w = static_cast<frmCopyMeal&>(d);
        EXPECT_EQ(d.windowTitle(), "Copy a Meal");
        EXPECT_EQ(QStringList({w.Text1->accessibleName(), w.Text2->accessibleName()}),
                  QStringList({"Date", "Meal name"}));
        EXPECT_EQ(w.Text1->text(), mdyText(QDate::currentDate()));
        platform.expectMsg(MsgResult::OK,
                           QStringLiteral("Please fill in the Meal Name and Date Boxes"));
        keys(d, {Qt::Key_A, "3/9/02", Qt::Key_Tab, Qt::Key_A, Qt::Key_Delete, Qt::Key_Return});
        EXPECT_TRUE(d.isVisible());
        keys(d, {"Second breakfast", Qt::Key_Return});
        EXPECT_FALSE(d.isVisible());
    });
    form->mnuCopyMeal->trigger();
    EXPECT_EQ(form->lblRecordCountB->text(),
              "  Meal Name: Second breakfast   Meal Date: 03/09/2002\r\n" + counter(1, 3, 8));

    expectDialog([&](QDialog& d) {
        auto& w = static_cast<frmSaveRecipe&>(d);
        EXPECT_EQ(d.windowTitle(), "Save the Meal as a Food");
        EXPECT_EQ(
            QStringList({w.Text1->accessibleName(), w.Text2->accessibleName(), w.Text2->text()}),
            QStringList({"Description", "Servings", "1"}));
        EXPECT_TRUE(w.lblNote->isVisibleTo(&d));
        keys(d, {Qt::Key_End, " bowl", Qt::Key_Tab, Qt::Key_A, "2", Qt::Key_Return});
        EXPECT_FALSE(d.isVisible());
    });
    form->mnuSaveRecipe->trigger();
    pickFood(QStringLiteral("Second breakfast bowl"));
    expectDialog([&](QDialog& d) { keys(d, {Qt::Key_Escape}); });  // nothing more is stored
    form->mnuSaveRecipe->trigger();
    EXPECT_EQ(rowCount(globals().svCustomDB, "CSR14"), int(fixtureFoodDescriptions().size()) + 1);
}

}  // namespace
}  // namespace pw::test
