#include <QLabel>

#include "custom/frmDbaseAdd.h"
#include "custom/frmDbaseDel.h"
#include "tests/custom/CustomFixture.h"

namespace pw::test {
namespace {

// The customising window over the fixture foods (Sample soup 6400, My granola 6500) or over the
// user foods a test stores, with the main window behind it.
class CustomWindow : public MealsTest {
protected:
    using MealsTest::MealsTest;
    void TearDown() override {
        window.reset();
        MealsTest::TearDown();
    }
    void open() {
        openWindow();
        window = std::make_unique<frmDbaseDel>(
            form->platform(), [this] { form->requeryFoodList(); }, form.get());
        window->Form_Load();
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    QString foodDb() const { return folder.customDb(); }
    QString shown() const { return window->boxes.txtFields[0]->text(); }
    QString counter() const { return window->lblRecordCount->text(); }
    void deleteShown(MsgResult answer) {
        platform.expectMsg(
            answer, QStringLiteral("Are you sure you want to delete the highlighted record?"));
        QTest::mouseClick(window->cmdDelete, Qt::LeftButton);
    }

    std::unique_ptr<frmDbaseDel> window;
};

TEST_F(CustomWindow, ASampleFoodIsListedAndShownButNotDeletedAndAUserFoodIs) {
    open();
    EXPECT_EQ(listRows(window->DBList1), (QStringList{"My granola", "Sample soup"}));
    clickRow(window->DBList1, QStringLiteral("Sample soup"));
    EXPECT_EQ(shown(), QStringLiteral("Sample soup"));
    platform.expectMsg(MsgResult::OK,
                       QStringLiteral("Only user added records can be deleted from the database."));
    QTest::mouseClick(window->cmdDelete, Qt::LeftButton);
    EXPECT_TRUE(storedField(foodDb(), QStringLiteral("Sample soup"), "CODE"));

    // A user food goes; the close control requeries the main window's list too.
    clickRow(window->DBList1, QStringLiteral("My granola"));
    deleteShown(MsgResult::Yes);
    window->close();
    EXPECT_EQ(listRows(form->DBList1).filter("granola"), QStringList());
    EXPECT_EQ(form->Data1.recordCount(), form->DBList1->count());
}

class UserFoodsOnly : public CustomWindow {
protected:
    UserFoodsOnly() : CustomWindow(ProgramFolder::Content::Empty) {}
};

// Deleting the first, a middle and the only food: the food listed before it is shown, or the new
// first food; with the list empty, Delete does nothing.
TEST_F(UserFoodsOnly, DeletingKeepsThePositionAsTheListShrinks) {
    for (const char* d : {"Food A", "Food B", "Food C", "Food D"})
        addFood(foodDb(), QString::fromLatin1(d), 6500, {{"ENERG_KCAL", 100}});
    open();
    deleteShown(MsgResult::No);
    EXPECT_TRUE(storedField(foodDb(), QStringLiteral("Food A"), "CODE"));
    deleteShown(MsgResult::Yes);
    EXPECT_FALSE(storedField(foodDb(), QStringLiteral("Food A"), "CODE"));
    EXPECT_EQ(shown(), QStringLiteral("Food B"));
    EXPECT_EQ(counter(), QStringLiteral("Record 1 of 3"));

    clickRow(window->DBList1, QStringLiteral("Food C"));
    deleteShown(MsgResult::Yes);
    EXPECT_EQ(shown(), QStringLiteral("Food B"));
    EXPECT_EQ(window->DBList1->text(), QStringLiteral("Food B"));
    EXPECT_EQ(listRows(window->DBList1), (QStringList{"Food B", "Food D"}));

    deleteShown(MsgResult::Yes);
    EXPECT_EQ(counter(), QStringLiteral("Record 1 of 1"));
    deleteShown(MsgResult::Yes);
    EXPECT_EQ(window->DBList1->count(), 0);
    EXPECT_EQ(shown(), QString());
    EXPECT_EQ(counter(), QStringLiteral("Record 0 of 0"));
    const auto messages = platform.messages().size();
    QTest::mouseClick(window->cmdDelete, Qt::LeftButton);
    EXPECT_EQ(platform.messages().size(), messages);
}

// Through the main window's Customize button: the main food list follows the changes.
TEST_F(CustomWindow, DoneOffersTheNewFoodInTheMainListForAMeal) {
    addMeal(folder.mealDb(), 1, QStringLiteral("Lunch"), QDate(2024, 3, 5));
    openWindow();
    platform.expectModal([](QDialog& d) {
        QTest::mouseClick(static_cast<frmDbaseDel&>(d).cmdAddNew, Qt::LeftButton);
        QTest::mouseClick(static_cast<frmDbaseDel&>(d).cmdDone, Qt::LeftButton);
    });
    // Add New Record opens the add dialog: 60 calories in a 50 g bag.
    platform.expectModal([](QDialog& d) {
        QApplication::setActiveWindow(&d);
        for (auto [slot, text] : {std::pair{0, "Trail mix"}, {33, "1 bag"}, {32, "50"}, {2, "60"}})
            typeInto(d, slot, QString::fromLatin1(text));
        QTest::mouseClick(static_cast<frmDbaseAdd&>(d).cmdSave, Qt::LeftButton);
    });
    QTest::mouseClick(form->cmdCustom, Qt::LeftButton);
    EXPECT_EQ(listRows(form->DBList1),
              (QStringList{"Apple, raw", "Bread, whole-wheat", "Milk, whole", "My granola",
                           "O'Brien's potatoes", "Sample soup", "Trail mix", "Water, plain"}));

    // Picked for the meal, it fills the meal's first row with its values for 100 g.
    form->mnuAddItem_Click();
    form->DBList1->setCurrentRow(listRows(form->DBList1).indexOf("Trail mix"));
    form->DBList1_DblClick();
    EXPECT_EQ(stored(1, {"description", "ENERG_KCAL"}), QStringList({"Trail mix", "120"}));
}

}  // namespace
}  // namespace pw::test
