// The Find a Food window driven by keys: from the meal view through Show and Add to Meal to the
// stored row, and Show in the customising window.
#include <QListWidget>

#include "custom/frmDbaseDel.h"
#include "meals/frmFind.h"
#include "tests/meals/Meals.h"

namespace pw::test {
namespace {

class Find : public MealsTest {};

// A button's Alt key clicks it as the desktop does, a moment later.
void pressAlt(QDialog& d, Qt::Key key) {
    QTest::keyClick(&d, key, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 2000));
}

TEST_F(Find, CtrlFFromTheMealViewShowsOrAddsTheFoodFound) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Apple, raw"), 100);
    openWindow();
    QApplication::setActiveWindow(form.get());
    // The frequent foods first; Down and Alt+A add the apple again.
    expectDialog([](QDialog& d) {
        auto& find = static_cast<frmFind&>(d);
        EXPECT_EQ(d.windowTitle(), "Find a Food");
        EXPECT_TRUE(find.txtFind->hasFocus());
        ASSERT_EQ(find.lstFound->count(), 1);
        EXPECT_TRUE(find.lstFound->item(0)->text().startsWith("Apple, raw  —  52 kcal"));
        QTest::keyClick(find.txtFind, Qt::Key_Down);
        pressAlt(d, Qt::Key_A);
    });
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(picking());
    EXPECT_EQ(stored(1, {"description", "PortionSize"}),
              QStringList({"Apple, raw", "100", "Apple, raw", "100"}));

    // Words typed, Enter: the food is shown in the list as a click shows it; Esc changes nothing.
    expectDialog([](QDialog& d) {
        auto& find = static_cast<frmFind&>(d);
        QTest::keyClicks(find.txtFind, "WHOLE brea");
        ASSERT_EQ(find.lstFound->count(), 1);
        QTest::keyClick(find.txtFind, Qt::Key_Return);
    });
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(picking());
    EXPECT_EQ(form->DBList1->text(), "Bread, whole-wheat");
    EXPECT_TRUE(form->Text1->toPlainText().contains(" Item:  Bread, whole-wheat"));
    expectDialog([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form->DBList1, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(form->DBList1->text(), "Bread, whole-wheat");
    EXPECT_EQ(rowCount(db(), QStringLiteral("Meals")), 2);
}

TEST_F(Find, CtrlFInTheCustomisingWindowSelectsAListedFood) {
    frmDbaseDel window(platform, [] {});
    window.Form_Load();
    window.show();
    QApplication::setActiveWindow(&window);
    expectDialog([](QDialog& d) {
        auto& find = static_cast<frmFind&>(d);
        EXPECT_FALSE(find.cmdAdd->isVisible());
        QTest::keyClicks(find.txtFind, "granola");
        ASSERT_EQ(find.lstFound->count(), 1);
        type(d, "txtFind", "apple");  // only the foods listed here
        EXPECT_EQ(find.lstFound->count(), 0);
        type(d, "txtFind", "gran");
        pressAlt(d, Qt::Key_S);
    });
    QTest::keyClick(window.DBList1, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window.DBList1->text(), "My granola");
    EXPECT_EQ(window.boxes.txtFields[0]->text(), "My granola");
}

}  // namespace
}  // namespace pw::test
