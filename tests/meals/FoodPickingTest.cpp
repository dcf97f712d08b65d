#include <SQLiteCpp/Database.h>

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

#include "meals/frmNewMeal.h"
#include "tests/meals/FoodFixture.h"

namespace pw::test {
namespace {

const QDate kDate(2024, 3, 4);

class FoodPickingTest : public FoodFixture {
protected:
    QStringList detailLines() const { return form->Text1->toPlainText().split(QLatin1Char('\n')); }

    // Every later save into Meals fails inside the store.
    void breakMealStore() {
        connection(folder.mealDb())
            ->exec(
                "CREATE TRIGGER refuse_insert BEFORE INSERT ON Meals "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
                "CREATE TRIGGER refuse_update BEFORE UPDATE ON Meals "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }

    bool picking() const { return form->DBList1->isVisible() && form->Frame2->isVisible(); }
};

TEST_F(FoodPickingTest, SelectingFoodsFindsThemByDescriptionWithApostrophesDoubled) {
    addMealItem(folder.mealDb(), 1, "Lunch", kDate, "Apple, raw", 100);
    addFood(folder.customDb(), "Zz Mom's pie", 6500, {{"ENERG_KCAL", 300}});
    openWindow();
    startPicking();
    ASSERT_TRUE(picking());

    selectFood("O'Brien's potatoes");
    EXPECT_EQ(globals().svSearchItem, QStringLiteral("O''Brien''s potatoes"));
    EXPECT_EQ(form->txtFields.text(0), QStringLiteral("O'Brien's potatoes"));
    EXPECT_EQ(detailLines().value(1), QStringLiteral(" Item:  O'Brien's potatoes"));
    EXPECT_EQ(detailLines().value(3), QStringLiteral(" Calories:  81"));
    EXPECT_EQ(form->lblRecordCount->text(), QStringLiteral("Item %1 of %2")
                                                .arg(form->DBList1->currentRow() + 1)
                                                .arg(form->DBList1->count()));

    selectFood("Zz Mom's pie");
    EXPECT_EQ(globals().svSearchItem, QStringLiteral("Zz Mom''s pie"));
    EXPECT_EQ(detailLines().value(1), QStringLiteral(" Item:  Zz Mom's pie"));
    EXPECT_EQ(detailLines().value(3), QStringLiteral(" Calories:  300"));

    // A food with no values: the labels with nothing after them, for 100 g, no portion lines.
    selectFood("Water, plain");
    const QStringList lines = detailLines();
    EXPECT_EQ(lines.value(0), QStringLiteral(" Total weight: 100 grams"));
    EXPECT_EQ(lines.value(3), QStringLiteral(" Calories:  "));
    EXPECT_EQ(lines.value(12), QStringLiteral(" Protein in grams: "));
    EXPECT_EQ(form->svPortionDescrip, QString());
    EXPECT_EQ(form->S[33], QStringLiteral("0"));
    EXPECT_EQ(form->S[34], QStringLiteral("0"));
    EXPECT_EQ(form->S[41], QStringLiteral("100"));
}

TEST_F(FoodPickingTest, AFoodNotFoundIsReportedAndTheCursorStays) {
    openWindow();
    ASSERT_TRUE(form->findFood("Apple, raw"));
    platform.expectMsg(MsgResult::OK);
    EXPECT_FALSE(form->findFood("Jo's 'missing' food"));
    const MsgBoxSpec& m = platform.messages().back();
    EXPECT_EQ(m.text, QStringLiteral("Item Jo''s ''missing'' food was not found."));
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.caption, QStringLiteral("Code"));
    EXPECT_EQ(form->txtFields.text(0), QStringLiteral("Apple, raw"));
    // No description, no search and no message.
    EXPECT_FALSE(form->findFood(QString()));
    EXPECT_EQ(globals().svSearchItem, QString());
}

TEST_F(FoodPickingTest, TheFirstFoodOfANewMealFillsItsHeaderRowAndThenCancelIsAllowed) {
    addMeal(folder.mealDb(), 3, "Dinner", kDate, true);
    openWindow();
    form->varOK = true;  // as the meal dialog leaves it after creating the meal
    startPicking();
    ASSERT_TRUE(picking());
    EXPECT_FALSE(form->cmdCancel->isEnabled());
    EXPECT_FALSE(form->cmdAddMeal->isEnabled());
    EXPECT_FALSE(form->mnuStep2->menuAction()->isEnabled());
    EXPECT_EQ(form->lblRecordCountB->text(),
              QStringLiteral("Select an item to add to the meal, from the list to the right."));
    EXPECT_EQ(form->lblRecordCount->text(),
              QString::number(form->iFoodCount) + QStringLiteral(" Total Items."));
    EXPECT_TRUE(form->lblFrame2->text().contains(
        QStringLiteral("add it to the records in meal number 3 .  Hitting a letter")));
    EXPECT_TRUE(form->Text1->toPlainText().isEmpty());

    selectFood("Bread, whole-wheat");
    doubleClickSelected();
    auto rows = storedItems(3);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, QStringLiteral("Bread, whole-wheat"));
    EXPECT_EQ(rows[0].calories, QStringLiteral("247"));
    EXPECT_EQ(rows[0].grams, QStringLiteral("100"));
    EXPECT_EQ(rows[0].mealName, QStringLiteral("Dinner"));
    EXPECT_EQ(rows[0].unit, QString());
    EXPECT_FALSE(form->varOK);
    EXPECT_FALSE(picking());
    EXPECT_FALSE(form->lblRecordCount->isVisible());
    EXPECT_TRUE(form->cmdAddMeal->isEnabled());
    EXPECT_EQ(form->lTotalRecordsB, 1);

    // With its first item stored the meal may leave picking without adding.
    startPicking();
    EXPECT_TRUE(form->cmdCancel->isEnabled());
    QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(picking());
    EXPECT_FALSE(form->cmdCancel->isEnabled());
    EXPECT_TRUE(form->cmdPortionAdjust->isEnabled());
    EXPECT_EQ(storedItems(3).size(), 1u);
}

TEST_F(FoodPickingTest, AFoodAddedToAMealWithItemsGetsARowOfItsOwn) {
    addMealItem(folder.mealDb(), 1, "Lunch", kDate, "Apple, raw", 100, {{"ENERG_KCAL", 52}});
    addMealItem(folder.mealDb(), 1, "Lunch", kDate, "Apple, raw", 100, {{"ENERG_KCAL", 52}});
    openWindow();
    startPicking();
    EXPECT_TRUE(form->cmdCancel->isEnabled());
    selectFood("Milk, whole");
    QTest::keyClick(form->DBList1, Qt::Key_Return);  // Enter adds, as a double click does

    const auto rows = storedItems(1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].description, QStringLiteral("Milk, whole"));
    EXPECT_EQ(rows[2].calories, QStringLiteral("61"));
    EXPECT_EQ(rows[2].mealName, QStringLiteral("Lunch"));
    EXPECT_EQ(form->lTotalRecordsB, 3);
    EXPECT_EQ(form->DataB.absolutePosition(), 2);
    EXPECT_EQ(form->txtFieldB.text(0), QStringLiteral("Milk, whole"));
    EXPECT_FALSE(picking());
}

TEST_F(FoodPickingTest, AddingAnItemWithNoMealLeadsIntoCreatingOneFirst) {
    openWindow();
    // The user cancels the meal dialog: no meal, no picking, nothing stored.
    platform.expectModal([](QDialog& d) { d.reject(); });
    startPicking();
    EXPECT_FALSE(picking());
    EXPECT_EQ(rowCount(folder.mealDb(), "Meals"), 0);
    EXPECT_TRUE(form->cmdAddMeal->isEnabled());

    // The user creates meal 1: picking follows, and the first food fills its header row.
    platform.expectModal([this](QDialog& d) {
        addMeal(folder.mealDb(), 1, "Breakfast", kDate, true);
        form->DataB.setRecordSource("Select ALL * from Meals Where MealNumber = 1");
        form->DataB.refresh();
        form->varOK = true;
        d.accept();
    });
    startPicking();
    ASSERT_TRUE(picking());
    EXPECT_FALSE(form->cmdCancel->isEnabled());
    selectFood("Apple, raw");
    doubleClickSelected();
    EXPECT_EQ(rowCount(folder.mealDb(), "Meals"), 1);
    const auto rows = storedItems(1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, QStringLiteral("Apple, raw"));
    EXPECT_EQ(rows[0].mealName, QStringLiteral("Breakfast"));
}

TEST_F(FoodPickingTest, AFailingSaveStoresNothingAndLeavesAWayOutOfPicking) {
    addMeal(folder.mealDb(), 2, "Supper", kDate, true);
    openWindow();
    form->varOK = true;
    startPicking();
    ASSERT_FALSE(form->cmdCancel->isEnabled());
    breakMealStore();
    selectFood("Apple, raw");
    platform.expectMsg(MsgResult::OK);  // the store's message
    doubleClickSelected();
    EXPECT_EQ(form->DataB.editMode(), EditMode::None);
    auto rows = storedItems(2);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, QString());  // the header row as it was
    EXPECT_TRUE(picking());
    EXPECT_TRUE(form->cmdCancel->isEnabled());
    QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(picking());
    EXPECT_TRUE(form->cmdAddItem->isEnabled());
}

TEST_F(FoodPickingTest, ThePageButtonsActWhenTheMouseButtonGoesDown) {
    addMealItem(folder.mealDb(), 1, "Lunch", kDate, "Apple, raw", 100);
    openWindow();
    startPicking();
    QTest::mousePress(form->cmdPageDown, Qt::LeftButton);
    EXPECT_EQ(platform.sentKeys(), QStringList{QStringLiteral("{PGDN}")});
    QTest::mouseRelease(form->cmdPageDown, Qt::LeftButton);
    QTest::mousePress(form->cmdPageUp, Qt::LeftButton);
    EXPECT_EQ(platform.sentKeys().value(1), QStringLiteral("{PGUP}"));
    QTest::mouseRelease(form->cmdPageUp, Qt::LeftButton);
    EXPECT_EQ(form->focusWidget(), form->DBList1);
}

}  // namespace
}  // namespace pw::test
