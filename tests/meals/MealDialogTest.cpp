// The meal dialog in its add and select modes, driven through its widgets.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "meals/frmNewMeal.h"
#include "tests/meals/MealWindow.h"

namespace pw::test {
namespace {

const QDate kDate(2002, 3, 4);

QString label(QDialog& d, const char* name) {
    auto* l = d.findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<none>");
}

TEST(MealDialog, AddModeOffersHighestPlusOneAndStoresTheMealWithItsHeaderRow) {
    MealWindow w;
    for (int n : {1, 2, 5}) addMeal(w.mealDb(), n, QStringLiteral("Meal"), kDate);
    w.load();
    const QString longName = QStringLiteral("Sunday roast with all");  // 21 characters
    w.showMealDialog([&](QDialog& d) {
        auto& m = static_cast<frmNewMeal&>(d);
        EXPECT_EQ(d.windowTitle(), "Add New Meal");
        EXPECT_EQ(m.Text1->text(), "6");  // gaps are not reused
        EXPECT_TRUE(m.Text1->isReadOnly());
        EXPECT_EQ(m.Label2->text(), "Enter Name of Meal");
        EXPECT_EQ(m.Label3->text(), "Enter Date of Meal");
        EXPECT_FALSE(m.cmdMoveNext->isVisible());
        EXPECT_FALSE(m.lblRecordCount->isVisible());
        EXPECT_EQ(d.focusWidget(), m.Text2);
        // The number box hands the focus on to the name.
        QTest::mouseClick(m.Text1, Qt::LeftButton);
        EXPECT_EQ(d.focusWidget(), m.Text2);
        QTest::keyClicks(m.Text2, longName + QStringLiteral("abcd"));  // 25 typed
        EXPECT_EQ(m.Text2->text(), longName.left(20));
        type(d, "Text3", QStringLiteral("3/4/02"));
        click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    FormB& f = w.form();
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"1", "2", "5", "6"}));
    EXPECT_EQ(mealsNumbers(w.mealDb()), QStringList({"1", "2", "5", "6"}));
    EXPECT_TRUE(f.varOK);
    EXPECT_FALSE(f.vCancelFlag);
    EXPECT_FALSE(f.vSelectExisting);
    EXPECT_EQ(f.lTotalRecordsB, 1);
    EXPECT_EQ(f.lblRecordCountB->text(), QStringLiteral("  Meal Name: ") + longName.left(20) +
                                             "   Meal Date: 03/04/2002\r\n   Item 1 of 1 items "
                                             "in Meal Number 6.");
    w.platform().verifyDone();
}

TEST(MealDialog, RefusedSavesKeepTheDialogOpenWithTheNumberStillOffered) {
    MealWindow w(ProgramFolder::Content::Empty);
    w.load();
    for (const char* text : {"Please fill in the Meal Name and Date Boxes before clicking ok",
                             "Please fill in the Meal Name and Date Boxes before clicking ok",
                             "Information has not been entered correctly into the entry fields."})
        w.platform().expectMsg(MsgResult::OK, QString::fromLatin1(text));
    w.showMealDialog([&](QDialog& d) {
        auto& m = static_cast<frmNewMeal&>(d);
        EXPECT_EQ(m.Text1->text(), "1");  // an empty store starts at 1
        type(d, "Text3", QStringLiteral("3/4/02"));
        click(d, "cmdOK");  // no name
        type(d, "Text2", QStringLiteral("Lunch"));
        type(d, "Text3", QString());
        click(d, "cmdOK");  // no date
        type(d, "Text3", QStringLiteral("31/31/02"));
        click(d, "cmdOK");  // not a date
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(m.Text1->text(), "1");
        EXPECT_EQ(rowCount(w.mealDb(), "MealNumbers"), 0);
        EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 0);
        type(d, "Text3", QStringLiteral("3/4/2002"));
        click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"1"}));
    EXPECT_EQ(mealsNumbers(w.mealDb()), QStringList({"1"}));
    ASSERT_EQ(w.platform().messages().size(), 4u);  // the no-records message first
    EXPECT_EQ(w.platform().messages()[1].caption, kAppTitle);
    EXPECT_EQ(w.platform().messages()[1].icon, MsgIcon::None);
}

TEST(MealDialog, CancelAndTheCloseButtonStoreNothing) {
    MealWindow w;
    addMeal(w.mealDb(), 4, QStringLiteral("Tea"), kDate);
    w.load();
    w.form().varOK = false;
    w.showMealDialog([&](QDialog& d) {
        type(d, "Text2", QStringLiteral("Supper"));
        type(d, "Text3", QStringLiteral("3/4/02"));
        click(d, "cmdCancel");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(w.form().vCancelFlag);
    EXPECT_FALSE(w.form().varOK);
    w.form().vCancelFlag = false;
    w.showMealDialog([&](QDialog& d) {
        EXPECT_EQ(box(d, "Text1")->text(), "5");
        type(d, "Text2", QStringLiteral("Supper"));
        d.close();
    });
    EXPECT_TRUE(w.form().vCancelFlag);
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"4"}));
    EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 1);
}

TEST(MealDialog, AMealWhoseHeaderRowCannotBeStoredIsNotStoredAtAll) {
    MealWindow w(ProgramFolder::Content::Empty);
    w.load();
    refuse(w.mealDb(), "INSERT", "Meals");
    w.platform().expectMsg(MsgResult::OK, QStringLiteral("Error number "));
    w.showMealDialog([&](QDialog& d) {
        auto& m = static_cast<frmNewMeal&>(d);
        type(d, "Text2", QStringLiteral("Lunch"));
        type(d, "Text3", QStringLiteral("3/4/02"));
        click(d, "cmdOK");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(rowCount(w.mealDb(), "MealNumbers"), 0);
        EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 0);
        // The same meal is still offered and stores once the store takes it.
        EXPECT_EQ(m.Text1->text(), "1");
        EXPECT_EQ(m.Text2->text(), "Lunch");
        allow(w.mealDb(), "INSERT", "Meals");
        click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"1"}));
    EXPECT_EQ(mealsNumbers(w.mealDb()), QStringList({"1"}));
    EXPECT_EQ(w.form().lTotalRecordsB, 1);
}

TEST(MealDialog, NoNewMealAfterTheHighestMealNumber) {
    MealWindow w;
    addMeal(w.mealDb(), 32767, QStringLiteral("Last"), kDate);
    w.load();
    w.platform().expectMsg(MsgResult::OK, QStringLiteral("32767"));
    w.showMealDialog([](QDialog& d) {
        settle();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(mealNumbers(w.mealDb()), QStringList({"32767"}));
    EXPECT_EQ(rowCount(w.mealDb(), "Meals"), 1);
    // Not a cancel: a restart would only meet the same message again.
    EXPECT_FALSE(w.form().vCancelFlag);
    EXPECT_FALSE(w.form().varOK);
}

TEST(MealDialog, SelectModeStepsThroughTheMealsReadOnlyAndMakesOneCurrent) {
    MealWindow w;
    addMeal(w.mealDb(), 3, QStringLiteral("Breakfast"), kDate, false);
    addMealItem(w.mealDb(), 3, QStringLiteral("Breakfast"), kDate, QStringLiteral("Apple, raw"),
                100);
    addMealItem(w.mealDb(), 3, QStringLiteral("Breakfast"), kDate, QStringLiteral("Milk, whole"),
                100);
    addMeal(w.mealDb(), 7, QStringLiteral("Lunch"), QDate(2002, 3, 5), false);
    addMealItem(w.mealDb(), 7, QStringLiteral("Lunch"), QDate(2002, 3, 5),
                QStringLiteral("Bread, whole-wheat"), 100);
    addMeal(w.mealDb(), 12, QStringLiteral("Supper"), kDate);
    w.load();
    FormB& f = w.form();
    f.varOK = true;  // select mode leaves it as it was
    w.expectMealDialog([&](QDialog& d) {
        auto& m = static_cast<frmNewMeal&>(d);
        EXPECT_EQ(d.windowTitle(), "Select an Existing Meal");
        EXPECT_EQ(m.Label2->text(), "Name of Meal");
        EXPECT_EQ(m.Label3->text(), "Date of Meal");
        EXPECT_TRUE(m.Text2->isReadOnly());
        EXPECT_TRUE(m.Text3->isReadOnly());
        EXPECT_EQ(m.Text1->text(), "3");
        EXPECT_EQ(m.Text2->text(), "Breakfast");
        EXPECT_EQ(label(d, "lblRecordCount"), "Record 1 of 3");
        click(d, "cmdMovePrevious");  // nothing before the first
        EXPECT_EQ(m.Text1->text(), "3");
        click(d, "cmdMoveLast");
        EXPECT_EQ(m.Text1->text(), "12");
        click(d, "cmdMoveNext");  // never past the last
        EXPECT_EQ(m.Text1->text(), "12");
        EXPECT_EQ(label(d, "lblRecordCount"), "Record 3 of 3");
        click(d, "cmdMoveFirst");
        click(d, "cmdMoveNext");
        EXPECT_EQ(m.Text1->text(), "7");
        EXPECT_EQ(m.Text3->text(), "03/05/2002");
        EXPECT_EQ(label(d, "lblRecordCount"), "Record 2 of 3");
        // The boxes cannot be typed into: a click puts the focus on ">".
        for (QLineEdit* b : {m.Text1, m.Text2, m.Text3}) {
            QTest::mouseClick(b, Qt::LeftButton);
            EXPECT_EQ(d.focusWidget(), m.cmdMoveNext);
        }
        click(d, "cmdOK");
        EXPECT_FALSE(d.isVisible());
    });
    f.mnuSelectMeal_Click();
    EXPECT_EQ(f.lTotalRecordsB, 1);
    EXPECT_EQ(
        f.lblRecordCountB->text(),
        "  Meal Name: Lunch   Meal Date: 03/05/2002\r\n   Item 1 of 1 items in Meal Number 7.");
    EXPECT_EQ(f.S[0], "Bread, whole-wheat");
    EXPECT_TRUE(f.varOK);
    EXPECT_FALSE(f.vCancelFlag);
    EXPECT_FALSE(f.vSelectExisting);
    EXPECT_EQ(rowCount(w.mealDb(), "MealNumbers"), 3);
}

TEST(MealDialog, SelectModeWithoutMealsSaysSoAndCloses) {
    MealWindow w(ProgramFolder::Content::Empty);
    w.load();
    w.platform().expectMsg(MsgResult::OK, QStringLiteral("There are no meals to select yet."));
    w.expectMealDialog([](QDialog& d) {
        settle();
        EXPECT_FALSE(d.isVisible());
    });
    w.form().mnuSelectMeal_Click();
    const MsgBoxSpec& msg = w.platform().messages().back();
    EXPECT_EQ(msg.text,
              "There are no meals to select yet.  Please click on Add New Meal in Step 1 on the "
              "main menu.");
    EXPECT_EQ(msg.caption, "Message");
    EXPECT_FALSE(w.form().vSelectExisting);
}

}  // namespace
}  // namespace pw::test
