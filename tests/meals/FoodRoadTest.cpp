#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "meals/frmPortion.h"
#include "tests/meals/FoodFixture.h"

namespace pw::test {
namespace {

using FoodRoadTest = FoodFixture;

// The typical road: a new meal, a food picked from the list, its portion set in cups.
TEST_F(FoodRoadTest, FromAddAMealToARescaledItemStoredInTheMealFile) {
    openWindow();
    platform.expectModal([](QDialog& meal) {
        QApplication::setActiveWindow(&meal);
        QTest::keyClicks(meal.findChild<QLineEdit*>("Text2"), "Lunch");
        QTest::keyClicks(meal.findChild<QLineEdit*>("Text3"), "3/4/2024");
        QTest::mouseClick(meal.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
    });
    QTest::mouseClick(form->cmdAddMeal, Qt::LeftButton);

    // Straight into picking; the new meal cannot leave it before its first item.
    ASSERT_TRUE(form->DBList1->isVisible());
    EXPECT_FALSE(form->cmdCancel->isEnabled());
    EXPECT_TRUE(form->lblFrame2->text().contains(QStringLiteral("meal number 1 .")));

    // A click shows the food for 100 g; a double click stores it.
    const int row = form->DBList1->findFirst(kSoup);
    form->DBList1->scrollTo(form->DBList1->model()->index(row, 0));
    const QPoint at = form->DBList1->visualRect(form->DBList1->model()->index(row, 0)).center();
    QTest::mouseClick(form->DBList1->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(form->Text1->toPlainText().startsWith(
        QStringLiteral(" Total weight: 100 grams\n Item:  Zz test soup\n")));
    QTest::mouseDClick(form->DBList1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(form->DBList1->viewport(), Qt::LeftButton, {}, at);
    ASSERT_FALSE(form->DBList1->isVisible());
    EXPECT_TRUE(form->lblRecordCountB->text().contains(QStringLiteral("Meal Name: Lunch")));

    // "Portion size": two and a half cups of 240 g.
    platform.expectModal([](QDialog& d) {
        auto& portion = static_cast<frmPortion&>(d);
        QTest::mouseClick(portion.Option2, Qt::LeftButton, {},
                          QPoint(4, portion.Option2->height() / 2));
        QTest::keyClicks(portion.TextOp2, "2.5");
        QTest::mouseClick(portion.cmdSubmit, Qt::LeftButton);
    });
    QTest::mouseClick(form->cmdPortionAdjust, Qt::LeftButton);

    const auto rows = storedItems(1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].description, kSoup);
    EXPECT_EQ(rows[0].mealName, QStringLiteral("Lunch"));
    EXPECT_EQ(rows[0].calories, QStringLiteral("247.2"));  // 41.2 per 100 g x 6
    EXPECT_EQ(rows[0].protein, QStringLiteral("12.66"));   // 2.11 x 6
    EXPECT_EQ(rows[0].fiber, QString());
    EXPECT_EQ(rows[0].unit, QStringLiteral("1 cup"));
    EXPECT_EQ(rows[0].quantity, QStringLiteral("2.5"));
    EXPECT_EQ(rows[0].grams, QStringLiteral("600"));
    EXPECT_EQ(rowCount(folder.mealDb(), "Meals"), 1);
    // The counter and the detail show the new portion at once.
    EXPECT_TRUE(form->Text1->toPlainText().startsWith(
        QStringLiteral(" Quantity: 2.5\n Unit: 1 cup\n Total weight: 600 grams\n")));
    EXPECT_TRUE(form->Text1->toPlainText().contains(QStringLiteral(" Calories:  247.2\n")));
    EXPECT_TRUE(form->lblRecordCountB->text().contains(QStringLiteral("Item 1 of 1")));
}

}  // namespace
}  // namespace pw::test
