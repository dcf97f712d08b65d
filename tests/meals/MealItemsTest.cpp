// Stepping through a meal's items and the three roads of removing them, down to starting over.
#include "tests/meals/Meals.h"

namespace pw::test {
namespace {

const QDate kLunchDate(2002, 3, 5);
const QString kLast = QStringLiteral(
    "This is the last remaining item in meal number 7.  Are you sure you want to delete it?"
    "  Meal number 7 will also be deleted.");

QString counter(int item, int of, int meal) {
    return QStringLiteral("   Item %1 of %2 items in Meal Number %3.").arg(item).arg(of).arg(meal);
}

class MealItems : public MealsTest {
protected:
    void addBreakfast() {
        addMeal(db(), 3, QStringLiteral("Breakfast"), kDate, false);
        for (const char* food : {"Apple, raw", "Milk, whole", "Bread, whole-wheat"})
            addMealItem(db(), 3, QStringLiteral("Breakfast"), kDate, QLatin1String(food), 100);
    }
    void addLunch() {
        addMeal(db(), 7, QStringLiteral("Lunch"), kLunchDate, false);
        addMealItem(db(), 7, QStringLiteral("Lunch"), kLunchDate, QStringLiteral("Milk"), 244);
    }
    QString secondLine() const {
        return form->lblRecordCountB->text().section(QStringLiteral("\r\n"), 1);
    }
};

TEST_F(MealItems, RemovingAnItemStandsOnTheItemBeforeAndTheOnlyItemTakesItsMealAlong) {
    addBreakfast();
    addLunch();
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
    addLunch();
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

}  // namespace
}  // namespace pw::test
