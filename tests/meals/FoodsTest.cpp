// Picking foods into a meal, the portion dialog, the rescaled item and its detail text.
#include <QAccessible>
#include <QRadioButton>
#include <QTextDocument>

#include "meals/ItemDetail.h"
#include "meals/frmPortion.h"
#include "tests/meals/Meals.h"

namespace pw::test {
namespace {

// A soup in cups: values per 100 g chosen so that the portions are easy to work out by hand and
// none lands on a rounding tie.
const QString kSoup = QStringLiteral("Zz test soup");

class Foods : public MealsTest {
protected:
    void addSoup() {
        addFood(folder.customDb(), kSoup, 6500,
                fields("ENERG_KCAL=41.2;PROTEIN=2.11;VIT_C=0.0004;FA_SAT=1.2345;ASH=1.5;GMWT_1=240;"
                       "GMWT_DESC1=1 cup"));
    }
    // A lunch of one apple in the window, picking started and `letters` typed into the list.
    BoundList* pickForLunch(const char* letters) {
        addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Apple, raw"), 100);
        openWindow();
        QApplication::setActiveWindow(form.get());
        press(form->cmdAddItem);
        QTest::keyClicks(form->DBList1, letters);
        return form->DBList1;
    }
    void adjust(const std::function<void(frmPortion&)>& act) {
        expectDialog([act](QDialog& d) { act(static_cast<frmPortion&>(d)); });
        press(form->cmdPortionAdjust);
    }
};

TEST_F(Foods, AddingAnItemWithNoMealLeadsIntoCreatingOneWhoseHeaderRowTheFirstStoredFoodFills) {
    openWindow();
    expectDialog([](QDialog& d) {
        type(d, "Text2", QStringLiteral("Breakfast"));
        type(d, "Text3", QStringLiteral("3/4/02"));
        click(d, "cmdOK");
    });
    press(form->cmdAddItem);
    ASSERT_TRUE(picking());
    EXPECT_FALSE(form->cmdCancel->isEnabled());  // not before the meal's first item
    refuse("INSERT");
    refuse("UPDATE");
    platform.expectMsg(MsgResult::OK);  // the store's message
    pickFood(QStringLiteral("Apple, raw"), true);
    EXPECT_EQ(stored(1, {"description"}), QStringList({""}));  // the header row as it was
    ASSERT_TRUE(picking());
    EXPECT_TRUE(form->cmdCancel->isEnabled());  // a way out of picking
    refuse("INSERT", false);
    refuse("UPDATE", false);
    pickFood(QStringLiteral("O'Brien's potatoes"), true);
    EXPECT_EQ(stored(1, {"description", "MealName", "ENERG_KCAL", "PortionSize"}),
              QStringList({"O'Brien's potatoes", "Breakfast", "81", "100"}));
}

TEST_F(Foods, ThePortionDialogWithoutUnitsTakesOnlyGramsAboveZeroUpTo100kgAndItsCloseBoxCancels) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("O'Brien's potatoes"), 100);
    openWindow();
    frmPortion d(
        form->state(), form->cursors(), form->platform(),
        [this](const QString& d) { return form->findFood(d); }, form.get());
    d.show();
    const std::pair<const char*, const char*> refusals[] = {
        {"15O", "as a number"},      {"150 g", "as a number"}, {"1/4", "as a number"},
        {"0", "greater than 0"},     {"-5", "greater than 0"}, {"", "greater than 0"},
        {"100001", "100,000 grams"}, {"1e20", "100,000 grams"}};
    for (const auto& [refused, message] : refusals) {
        platform.expectMsg(MsgResult::OK, message);
        d.TextOp1->setText(QLatin1String(refused));
        press(d.cmdSubmit);
        EXPECT_TRUE(d.isVisible()) << refused;
    }
    form->bvCancel = false;
    globals().vPortionGrams = 75;
    d.TextOp1->setText(QStringLiteral("300"));
    d.close();
    EXPECT_TRUE(form->bvCancel);
    EXPECT_EQ(globals().vPortionGrams, 75.0f);
}

// What a screen reader reads as a widget's name.
QString readName(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

TEST_F(Foods, EnterAddsOnlyTheFoodTheListShowsSelectedNeverAStaleOne) {
    // An earlier picking leaves "Milk, whole" highlighted; a portion adjustment of the meal's
    // apple then moves the food cursor to the apple.
    BoundList* list = pickForLunch("milk");
    ASSERT_EQ(list->text(), QStringLiteral("Milk, whole"));
    press(form->cmdCancel);
    EXPECT_EQ(QApplication::focusWidget(), form->cmdAddItem);  // never on to "Exit"
    adjust([](frmPortion& p) {
        QTest::keyClicks(p.TextOp1, "150");
        press(p.cmdSubmit);
    });
    ASSERT_EQ(form->txtFields.text(0), QStringLiteral("Apple, raw"));

    press(form->cmdAddItem);
    EXPECT_EQ(list->text(), QString());  // no highlight left over
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(picking());
    EXPECT_EQ(stored(1, {"description"}), QStringList({"Apple, raw"}));

    QTest::keyClicks(list, "bread");  // the detail follows the letters typed
    EXPECT_TRUE(form->Text1->toPlainText().contains(QStringLiteral(" Calories:  247\n")));
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(stored(1, {"description"}), QStringList({"Apple, raw", "Bread, whole-wheat"}));
    EXPECT_EQ(form->focusWidget(), form->Text1);
    EXPECT_EQ(form->lTotalRecordsB, 2);
    EXPECT_FALSE(picking());
}

// A food cursor that fails (its table gone from the file while the program runs) reports
// through its own error event, stays on its food, and nothing is added.
TEST_F(Foods, AFoodCursorFailureIsReportedByItsErrorEventAndAddsNothing) {
    BoundList* list = pickForLunch("milk");
    const int milk = form->Data1.absolutePosition();
    const QString detail = form->Text1->toPlainText();
    ASSERT_TRUE(detail.contains(QStringLiteral("Milk, whole")));

    const auto moveTable = [&](const char* from, const char* to) {
        connection(folder.customDb())
            ->exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(from, to).toStdString());
    };
    moveTable("CSR14", "CSR14_gone");
    platform.expectMsg(MsgResult::OK, QStringLiteral("Data1_Error() event hit error:"));
    list->resetKeyboardSearch();
    QTest::keyClicks(list, "a");  // selects "Apple, raw": the search fails
    ASSERT_EQ(list->text(), QStringLiteral("Apple, raw"));
    ASSERT_FALSE(platform.messages().empty());
    const MsgBoxSpec shown = platform.messages().back();
    EXPECT_EQ(shown.buttons, MsgButtons::OK);
    EXPECT_EQ(shown.icon, MsgIcon::None);
    EXPECT_EQ(shown.caption, QStringLiteral("Platewise"));
    EXPECT_GT(shown.text.size(), QStringLiteral("Data1_Error() event hit error:").size());
    EXPECT_EQ(form->Data1.absolutePosition(), milk);
    EXPECT_EQ(form->Text1->toPlainText(), detail);

    // Enter looks for the apple the list shows, fails again, and adds neither food.
    platform.expectMsg(MsgResult::OK, QStringLiteral("Data1_Error() event hit error:"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(stored(1, {"description"}), QStringList({"Apple, raw"}));
    EXPECT_TRUE(picking());

    moveTable("CSR14_gone", "CSR14");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(stored(1, {"description"}), QStringList({"Apple, raw", "Apple, raw"}));
}

// Coming back to the item shown, the detail is laid out once; cleared meanwhile, it comes back.
TEST_F(Foods, TheDetailOfTheItemShownComesBackAfterItWasCleared) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Apple, raw"), 100);
    openWindow();
    const QString detail = form->Text1->toPlainText();
    ASSERT_TRUE(detail.contains(QStringLiteral(" Item:  Apple, raw")));
    const int revision = form->Text1->document()->revision();
    press(form->cmdBMoveFirst);
    EXPECT_EQ(form->Text1->document()->revision(), revision);
    form->Text1->clear();
    press(form->cmdBMoveFirst);
    EXPECT_EQ(form->Text1->toPlainText(), detail);
}

TEST_F(Foods, CountersExposeTheTextTheyShowToAScreenReader) {
    addMeal(db(), 1, QStringLiteral("Lunch"), kDate, false);
    addMeal(db(), 2, QStringLiteral("Supper"), kDate, false);
    for (const char* food : {"Apple, raw", "Milk, whole"})
        addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QLatin1String(food), 100);
    openWindow();
    press(form->cmdBMovelast);
    ASSERT_TRUE(form->lblRecordCountB->text().contains(
        QStringLiteral("Item 2 of 2 items in Meal Number 1.")));
    EXPECT_EQ(readName(form->lblRecordCountB), form->lblRecordCountB->text());
    press(form->cmdAddItem);
    EXPECT_EQ(readName(form->lblRecordCountB),
              QStringLiteral("Select an item to add to the meal, from the list to the right."));
    EXPECT_EQ(readName(form->lblRecordCount), form->lblRecordCount->text());
    pickFood(QStringLiteral("Milk, whole"));
    EXPECT_EQ(readName(form->lblRecordCount), QStringLiteral("Item 3 of 7"));
    press(form->cmdCancel);
    // Picking over, the hidden list holds no food a screen reader would take as the focus.
    QAccessibleInterface* foods = QAccessible::queryAccessibleInterface(form->DBList1);
    for (int i = 0; i < foods->childCount(); ++i)
        EXPECT_FALSE(foods->child(i)->state().focused)
            << qPrintable(foods->child(i)->text(QAccessible::Name));

    form->vSelectExisting = true;
    expectDialog([](QDialog& d) {
        auto* counter = d.findChild<QLabel*>(QStringLiteral("lblRecordCount"));
        press(d.findChild<QPushButton*>(QStringLiteral("cmdMoveNext")));
        EXPECT_EQ(readName(counter), QStringLiteral("Record 2 of 2"));
        click(d, "cmdCancel");
    });
    platform.showModal(form->newMealDialog());
    form->unloadNewMealDialog();
}

// The typical road: a new meal, a food picked from the list, its portion set in grams (a store
// failure first leaves the row), then in cups. The unit is chosen without the mouse: by the arrow
// keys, or by a screen reader's toggle action. Either way the unit's box takes the digits typed
// next, the grams box is emptied, and Submit stores units.
TEST_F(Foods, AUnitChosenFromTheKeyboardOrAScreenReaderStoresUnits) {
    addSoup();
    openWindow();
    expectDialog([](QDialog& meal) {
        type(meal, "Text2", QStringLiteral("Lunch"));
        type(meal, "Text3", QStringLiteral("3/4/2024"));
        click(meal, "cmdOK");
    });
    press(form->cmdAddMeal);
    ASSERT_TRUE(picking());  // straight into picking
    pickFood(kSoup, true);
    ASSERT_FALSE(picking());
    EXPECT_EQ(form->focusWidget(), form->Text1);
    const auto grams150 = [](frmPortion& d) {
        QTest::keyClicks(d.TextOp1, "150");
        press(d.cmdSubmit);
    };
    refuse("UPDATE");
    platform.expectMsg(MsgResult::OK);  // the store's message: the row stays as it was
    adjust(grams150);
    EXPECT_EQ(form->DataB.editMode(), EditMode::None);
    EXPECT_EQ(form->txtFieldB.text(2), QStringLiteral("41.2"));
    refuse("UPDATE", false);
    adjust(grams150);
    // 41.2, 2.11, 0.0004, 1.2345 and 1.5 times 1.5; an empty value stays empty.
    EXPECT_EQ(stored(1, {"ENERG_KCAL", "PROTEIN", "VIT_C", "FA_SAT", "ASH", "FIBER_TD",
                         "PortionSize", "GMWT_DESC1", "GMWT_2"}),
              QStringList({" 61.8", " 3.165", " .001", " 1.852", " 2.25", "", "150.000", "", "0"}));

    const auto typeAndSubmit = [](frmPortion& p, const char* digits) {
        EXPECT_FALSE(p.TextOp1->isEnabled());
        EXPECT_EQ(p.TextOp1->text(), QString());
        EXPECT_EQ(QApplication::focusWidget(), p.TextOp2);
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(digits));
        press(p.cmdSubmit);
    };
    adjust([&](frmPortion& p) {  // two and a half cups of 240 g
        QTest::keyClicks(p.TextOp1, "99");
        QTest::keyClick(p.TextOp1, Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), p.Option1);
        QTest::keyClick(p.Option1, Qt::Key_Down);
        QCoreApplication::sendPostedEvents();  // the key's own work done, as the event loop would
        EXPECT_TRUE(p.Option2->isChecked());
        typeAndSubmit(p, "2.5");
    });
    // 41.2 and 2.11 per 100 g times 6.
    EXPECT_EQ(stored(1, {"description", "MealName", "ENERG_KCAL", "PROTEIN", "FIBER_TD",
                         "GMWT_DESC1", "GMWT_2", "PortionSize"}),
              QStringList({kSoup, "Lunch", " 247.2", " 12.66", "", "1 cup", "2.5", "600.000"}));
    EXPECT_TRUE(form->Text1->toPlainText().startsWith(
        QStringLiteral(" Quantity: 2.5\n Unit: 1 cup\n Total weight: 600.000 grams\n")));

    adjust([&](frmPortion& p) {
        QTest::keyClicks(p.TextOp1, "99");
        QAccessibleInterface* option = QAccessible::queryAccessibleInterface(p.Option2);
        ASSERT_TRUE(option && option->actionInterface());
        option->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_TRUE(p.Option2->isChecked());
        QTest::keyClicks(p.TextOp2, "99999999999");  // cups of 240 g
        platform.expectMsg(MsgResult::OK, QStringLiteral("100,000 grams"));
        QTest::keyClick(p.TextOp2, Qt::Key_Return);
        EXPECT_TRUE(p.isVisible());
        p.TextOp2->clear();
        typeAndSubmit(p, "0.5");
    });
    EXPECT_EQ(stored(1, {"GMWT_DESC1", "GMWT_2"}), QStringList({"1 cup", "0.5"}));
    EXPECT_NEAR(globals().vPortionGrams, 120.0f, 1e-4);
}

}  // namespace
}  // namespace pw::test
