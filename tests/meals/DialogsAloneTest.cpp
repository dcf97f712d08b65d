// The dialogs built on their own: a shared state, the two cursors and a scripted platform, no main
// window. What they read and write must be exactly what they were given.
#include <QRadioButton>

#include "data/Fields.h"
#include "data/Queries.h"
#include "meals/frmPortion.h"
#include "platform/SharedState.h"
#include "reports/frmReport.h"
#include "tests/meals/Meals.h"

namespace pw::test {
namespace {

class DialogsAlone : public MealsTest {
protected:
    // The item cursor on the items of `meal`, at its first item; the food cursor on every food.
    void openCursors(int meal) {
        cursors.Data1.setDatabaseName(globals().svCustomDB);
        cursors.Data1.setRecordSource(foodListQuery());
        cursors.Data1.refresh();
        cursors.DataB.setDatabaseName(db());
        cursors.DataB.setRecordSource(mealItemsQuery(QString::number(meal)));
        cursors.DataB.refresh();
        cursors.DataB.moveFirst();
    }
    void TearDown() override {
        owned.reset();  // before the connections close
        MealsTest::TearDown();
    }
    SharedState state;
    std::unique_ptr<MainCursors> owned = std::make_unique<MainCursors>();
    MainCursors& cursors = *owned;
};

TEST_F(DialogsAlone, ThePortionDialogFindsTheItemsFoodThroughItsCallerAndAnswersInTheState) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Milk, whole"), 100);
    openCursors(1);
    QStringList searched;
    const auto find = [&](const QString& description) {
        searched << description;
        return cursors.Data1.findFirst(QStringLiteral("description = '") +
                                       SrchReplace(description) + QStringLiteral("' "));
    };
    {
        frmPortion d(state, cursors, platform, find);
        d.show();
        EXPECT_EQ(searched, QStringList{QStringLiteral("Milk, whole")});
        ASSERT_TRUE(d.Option2->isVisibleTo(&d));   // the milk's one unit
        EXPECT_FALSE(d.Option3->isVisibleTo(&d));  // it has no second unit
        QTest::mouseClick(d.Option2, Qt::LeftButton, {}, QPoint(4, d.Option2->height() / 2));
        QTest::keyClicks(d.TextOp2, "2");
        press(d.cmdSubmit);
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_FALSE(state.bvCancel);
        EXPECT_EQ(globals().vPortionGrams, 488.0f);  // two cups of 244 g
        EXPECT_EQ(globals().svPortionUnit, QStringLiteral("1 cup"));
        EXPECT_EQ(globals().vPortionQuantity, 2.0f);
    }
    {
        frmPortion d(state, cursors, platform, find);
        d.show();
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(state.bvCancel);
    }
}

TEST_F(DialogsAlone,
       TheReportDialogSelectsOnTheItemCursorItIsGivenAndKeepsItsMealWhenNothingMatches) {
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Apple, raw"), 100);
    addMealItem(db(), 1, QStringLiteral("Lunch"), kDate, QStringLiteral("Milk, whole"), 100);
    addMealItem(db(), 2, QStringLiteral("Supper"), kDate, QStringLiteral("Water, plain"), 100);
    openCursors(2);
    state.ivReport = 1;
    frmReport d(state, cursors, platform);
    d.show();
    EXPECT_EQ(state.frmReportMealNumber, 2.0f);  // the meal the item cursor showed
    EXPECT_EQ(state.ivOrigMealNum, 2.0f);

    platform.expectMsg(MsgResult::OK,
                       QStringLiteral("No records were found that match your entry."));
    QTest::keyClicks(d.Text1, "7");
    press(d.cmdOK);
    EXPECT_FALSE(state.bvHit);
    EXPECT_TRUE(d.Text1->text().isEmpty());
    EXPECT_EQ(cursors.txtFieldB.text(MealField::MealNumber), QStringLiteral("2"));
    EXPECT_EQ(state.frmReportLastQuery, mealItemsQuery(QStringLiteral("2")));

    QTest::keyClicks(d.Text1, "1");
    press(d.cmdOK);
    EXPECT_TRUE(state.bvHit);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(state.lTotalRecordsB, 2);
    EXPECT_EQ(cursors.DataB.absolutePosition(), 0);
    EXPECT_EQ(cursors.txtFieldB.text(MealField::MealName), QStringLiteral("Lunch"));
    EXPECT_EQ(state.frmReportLastQuery, mealItemsQuery(QStringLiteral("1")));
}

}  // namespace
}  // namespace pw::test
