#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "app/FormB.h"
#include "custom/frmDbaseAdd.h"
#include "custom/frmDbaseDel.h"
#include "platform/BoundList.h"
#include "tests/custom/CustomFixture.h"

namespace pw::test {
namespace {

// The customising window over the fixture foods (Sample soup 6400, My granola 6500) or over the
// user foods a test stores, with the main window behind it.
class CustomWindow : public ::testing::Test {
protected:
    explicit CustomWindow(ProgramFolder::Content content = ProgramFolder::Content::Fixture)
        : env(content) {}

    void open() {
        env.loadMainWindow();
        window = std::make_unique<frmDbaseDel>(*env.form);
        window->Form_Load();
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override { window.reset(); }

    QString db() const { return env.folder.customDb(); }
    QString shown() const { return window->boxes.txtFields[0]->text(); }
    QString counter() const { return window->lblRecordCount->text(); }
    void deleteShown(MsgResult answer) {
        env.platform.expectMsg(
            answer, QStringLiteral("Are you sure you want to delete the highlighted record?"));
        QTest::mouseClick(window->cmdDelete, Qt::LeftButton);
    }
    // Adds a food through Add New Record and the add dialog.
    void addThroughDialog(frmDbaseDel& w, const QString& description, const QString& calories) {
        env.platform.expectModal([&](QDialog& d) {
            QApplication::setActiveWindow(&d);
            typeInto(d, 0, description);
            typeInto(d, 33, QStringLiteral("1 bag"));
            typeInto(d, 32, QStringLiteral("50"));
            typeInto(d, 2, calories);
            QTest::mouseClick(static_cast<frmDbaseAdd&>(d).cmdSave, Qt::LeftButton);
        });
        QTest::mouseClick(w.cmdAddNew, Qt::LeftButton);
    }

    CustomFolder env;
    std::unique_ptr<frmDbaseDel> window;
};

TEST_F(CustomWindow, ListsUserAndSampleFoodsAndShowsTheFirst) {
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Database Customizing Option"));
    EXPECT_EQ(rows(window->DBList1), (QStringList{"My granola", "Sample soup"}));
    EXPECT_EQ(counter(), QStringLiteral("Record 1 of 2"));
    EXPECT_EQ(shown(), QStringLiteral("My granola"));
    EXPECT_EQ(window->boxes.txtFields[2]->text(), QStringLiteral("471"));
    EXPECT_EQ(window->boxes.txtFields[1]->text(), QStringLiteral("6500"));
    EXPECT_EQ(window->boxes.lblLabels[0]->text(), QStringLiteral("ITEM DESCRIPTION"));
    EXPECT_EQ(window->boxes.lblLabels[32]->text(), QStringLiteral("Weight of unit 1 in grams"));
    EXPECT_EQ(window->Label2->text(),
              QStringLiteral("Alternate portion size information recorded in database:"));
    EXPECT_TRUE(window->Rtext1->toPlainText().startsWith(
        QStringLiteral("Quick Help: The List Box above only lists user added items")));
}

TEST_F(CustomWindow, ASampleFoodIsShownButNotDeleted) {
    open();
    clickRow(window->DBList1, QStringLiteral("Sample soup"));
    EXPECT_EQ(shown(), QStringLiteral("Sample soup"));
    EXPECT_EQ(window->boxes.txtFields[1]->text(), QStringLiteral("6400"));
    EXPECT_EQ(counter(), QStringLiteral("Record 2 of 2"));
    env.platform.expectMsg(
        MsgResult::OK, QStringLiteral("Only user added records can be deleted from the database."));
    QTest::mouseClick(window->cmdDelete, Qt::LeftButton);
    EXPECT_EQ(foodsNamed(db(), QStringLiteral("Sample soup")), 1);
    // Looked up once for the one click.
    EXPECT_EQ(env.platform.messages().size(), 2u);  // the main window's no-meal message and this
}

TEST_F(CustomWindow, AUserFoodIsDeletedAfterYesOnly) {
    open();
    deleteShown(MsgResult::No);
    EXPECT_EQ(foodsNamed(db(), QStringLiteral("My granola")), 1);
    deleteShown(MsgResult::Yes);
    EXPECT_EQ(foodsNamed(db(), QStringLiteral("My granola")), 0);
    EXPECT_EQ(rows(window->DBList1), QStringList{"Sample soup"});
    EXPECT_EQ(shown(), QStringLiteral("Sample soup"));
    EXPECT_EQ(counter(), QStringLiteral("Record 1 of 1"));
}

TEST_F(CustomWindow, AFoodWithAnApostropheIsFoundByAClick) {
    addFood(db(), QStringLiteral("Nan's pie"), 6500, {{"ENERG_KCAL", 250}});
    open();
    clickRow(window->DBList1, QStringLiteral("Nan's pie"));
    EXPECT_EQ(shown(), QStringLiteral("Nan's pie"));
    EXPECT_EQ(window->boxes.txtFields[2]->text(), QStringLiteral("250"));
}

TEST_F(CustomWindow, AddNewRecordListsTheFoodAndRecounts) {
    open();
    addThroughDialog(*window, QStringLiteral("Nut bar"), QStringLiteral("200"));
    EXPECT_EQ(rows(window->DBList1), (QStringList{"My granola", "Nut bar", "Sample soup"}));
    EXPECT_EQ(counter(), QStringLiteral("Record 1 of 3"));
    clickRow(window->DBList1, QStringLiteral("Nut bar"));
    EXPECT_EQ(window->boxes.txtFields[2]->text(), QStringLiteral("400"));
    EXPECT_EQ(window->boxes.txtFields[1]->text(), QStringLiteral("6500"));
}

// The row shown after a deletion: the food listed before it, or the new first food.
class DeletingUserFoods : public CustomWindow {
protected:
    DeletingUserFoods() : CustomWindow(ProgramFolder::Content::Empty) {}
    void store(const QStringList& descriptions) {
        for (const QString& d : descriptions) addFood(db(), d, 6500, {{"ENERG_KCAL", 100}});
    }
};

TEST_F(DeletingUserFoods, KeepsThePositionAsTheListShrinks) {
    store({"Food A", "Food B", "Food C", "Food D", "Food E"});
    open();
    deleteShown(MsgResult::Yes);  // the first
    EXPECT_EQ(shown(), QStringLiteral("Food B"));
    EXPECT_EQ(counter(), QStringLiteral("Record 1 of 4"));

    clickRow(window->DBList1, QStringLiteral("Food D"));
    deleteShown(MsgResult::Yes);  // a middle one
    EXPECT_EQ(shown(), QStringLiteral("Food C"));
    EXPECT_EQ(counter(), QStringLiteral("Record 2 of 3"));
    EXPECT_EQ(window->DBList1->text(), QStringLiteral("Food C"));

    clickRow(window->DBList1, QStringLiteral("Food E"));
    deleteShown(MsgResult::Yes);  // the last
    EXPECT_EQ(shown(), QStringLiteral("Food C"));
    EXPECT_EQ(rows(window->DBList1), (QStringList{"Food B", "Food C"}));
}

TEST_F(DeletingUserFoods, TheOnlyFoodLeavesAnEmptyListWhereDeleteDoesNothing) {
    store({"Food A"});
    open();
    deleteShown(MsgResult::Yes);
    EXPECT_EQ(window->DBList1->count(), 0);
    EXPECT_EQ(shown(), QString());
    EXPECT_EQ(window->boxes.txtFields[1]->text(), QString());
    EXPECT_EQ(counter(), QStringLiteral("Record 0 of 0"));
    const auto messages = env.platform.messages().size();
    QTest::mouseClick(window->cmdDelete, Qt::LeftButton);
    EXPECT_EQ(env.platform.messages().size(), messages);

    // The window opens again over the empty list, and a food can be added to it.
    window = std::make_unique<frmDbaseDel>(*env.form);
    window->Form_Load();
    window->show();
    EXPECT_EQ(counter(), QStringLiteral("Record 0 of 0"));
    addThroughDialog(*window, QStringLiteral("Food F"), QStringLiteral("60"));
    EXPECT_EQ(counter(), QStringLiteral("Record 1 of 1"));
}

// Through the main window's Customize button: the main food list follows the changes.
TEST_F(CustomWindow, DoneOffersTheNewFoodInTheMainListForAMeal) {
    addMeal(env.folder.mealDb(), 1, QStringLiteral("Lunch"), QDate(2024, 3, 5));
    FormB& form = env.loadMainWindow();
    env.platform.expectModal([&](QDialog& d) {
        auto& custom = static_cast<frmDbaseDel&>(d);
        addThroughDialog(custom, QStringLiteral("Trail mix"), QStringLiteral("60"));
        QTest::mouseClick(custom.cmdDone, Qt::LeftButton);
    });
    QTest::mouseClick(form.cmdCustom, Qt::LeftButton);
    EXPECT_EQ(rows(form.DBList1),
              (QStringList{"Apple, raw", "Bread, whole-wheat", "Milk, whole", "My granola",
                           "O'Brien's potatoes", "Sample soup", "Trail mix", "Water, plain"}));

    // Picked for the meal, it fills the meal's first row with its values for 100 g.
    form.mnuAddItem_Click();
    form.DBList1->setCurrentRow(rows(form.DBList1).indexOf("Trail mix"));
    form.DBList1_DblClick();
    SQLite::Database meals(env.folder.mealDb().toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(meals, "SELECT description, ENERG_KCAL FROM Meals WHERE MealNumber = 1");
    ASSERT_TRUE(st.executeStep());
    EXPECT_EQ(st.getColumn(0).getString(), "Trail mix");
    EXPECT_DOUBLE_EQ(st.getColumn(1).getDouble(), 120.0);
}

TEST_F(CustomWindow, TheCloseControlAlsoRequeriesTheMainList) {
    open();
    ASSERT_TRUE(rows(env.form->DBList1).contains("My granola"));
    deleteShown(MsgResult::Yes);
    window->close();
    EXPECT_FALSE(rows(env.form->DBList1).contains("My granola"));
    EXPECT_EQ(env.form->Data1.recordCount(), env.form->DBList1->count());
}

TEST_F(CustomWindow, ThePageButtonsPageTheListAndShowTheFood) {
    for (int i = 0; i < 40; ++i)
        addFood(db(), QStringLiteral("Food %1").arg(i, 2, 10, QLatin1Char('0')), 6500);
    open();
    QTest::mousePress(window->cmdPageDown, Qt::LeftButton);
    QTest::mouseRelease(window->cmdPageDown, Qt::LeftButton);
    const int row = window->DBList1->currentRow();
    EXPECT_GT(row, 0);
    EXPECT_EQ(shown(), window->DBList1->rowText(row));
    EXPECT_EQ(counter(), QStringLiteral("Record %1 of 42").arg(row + 1));
    EXPECT_EQ(env.platform.sentKeys(), QStringList{"{PGDN}"});
}

}  // namespace
}  // namespace pw::test
