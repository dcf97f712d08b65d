#include <QLabel>
#include <QPlainTextEdit>

#include "tests/meals/FoodFixture.h"

namespace pw::test {
namespace {

// The real food table: thousands of foods in description order.
class FoodKeyboardTest : public FoodFixture {
protected:
    FoodKeyboardTest() : FoodFixture(ProgramFolder::Content::Templates) {}

    void SetUp() override {
        FoodFixture::SetUp();
        addMealItem(folder.mealDb(), 1, "Lunch", QDate(2024, 3, 4), kSoup, 100);
        openWindow();
        startPicking();
        form->DBList1->setFocus();
    }
};

TEST_F(FoodKeyboardTest, TypedLettersJumpToTheFirstFoodBeginningWithThemAndShowIt) {
    ASSERT_GT(form->DBList1->count(), 7000);
    EXPECT_EQ(form->iFoodCount, form->DBList1->count());

    // One letter: the first food beginning with it, case not mattering.
    QTest::keyClicks(form->DBList1, "m");
    const int firstM = form->DBList1->currentRow();
    ASSERT_GE(firstM, 1);
    EXPECT_TRUE(form->DBList1->text().startsWith('M', Qt::CaseInsensitive));
    EXPECT_FALSE(form->DBList1->rowText(firstM - 1).startsWith('M', Qt::CaseInsensitive));
    // Its detail is shown as a click shows it, and the food cursor stands on it.
    EXPECT_EQ(form->txtFields.text(0), form->DBList1->text());
    EXPECT_TRUE(
        form->Text1->toPlainText().contains(QStringLiteral(" Item:  ") + form->DBList1->text()));
    EXPECT_EQ(form->lblRecordCount->text(),
              QStringLiteral("Item %1 of %2").arg(firstM + 1).arg(form->iFoodCount));

    // Several letters in quick succession: the first food beginning with all of them.
    form->DBList1->resetKeyboardSearch();
    QTest::keyClicks(form->DBList1, "butter, salted");
    EXPECT_EQ(form->DBList1->text(), QStringLiteral("Butter, salted"));
    EXPECT_TRUE(form->Text1->toPlainText().contains(QStringLiteral(" Calories:  717")));
    EXPECT_TRUE(form->Text1->toPlainText().contains(QStringLiteral(" Protein in grams: 0.85")));

    // Arrow keys choose foods too.
    QTest::keyClick(form->DBList1, Qt::Key_Down);
    EXPECT_EQ(form->txtFields.text(0), form->DBList1->rowText(form->DBList1->currentRow()));
    QTest::keyClick(form->DBList1, Qt::Key_Up);
    EXPECT_EQ(form->txtFields.text(0), QStringLiteral("Butter, salted"));

    // Enter adds the food chosen.
    QTest::keyClick(form->DBList1, Qt::Key_Return);
    const auto rows = storedItems(1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].description, QStringLiteral("Butter, salted"));
    EXPECT_EQ(rows[1].calories, QStringLiteral("717"));
    EXPECT_EQ(rows[1].protein, QStringLiteral("0.85"));
    EXPECT_EQ(rows[1].grams, QStringLiteral("100"));
    EXPECT_FALSE(form->DBList1->isVisible());
}

}  // namespace
}  // namespace pw::test
