#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <QLabel>

#include "reports/frmReport.h"
#include "tests/reports/ReportFixture.h"

namespace pw::test {
namespace {

const QString kEmptyBox =
    QStringLiteral("Information was not entered correctly into the entry boxes.");
const QString kNoRecords = QStringLiteral("No records were found that match your entry.");
const QString kBadNumber = QStringLiteral(
    "A meal number was not entered correctly on this form.  Only numbers can be entered in the "
    "box.");
const QString kBadDate = QStringLiteral(
    "A date was not entered correctly on this form.  Please enter in the format mm/dd/yy.");

// The dialog on its own, over the main window of the fixture, shown on meal 1.
class frmReportTest : public ReportFixture {
protected:
    void open(int kind) {
        form->ivReport = static_cast<qint16>(kind);
        dialog = std::make_unique<frmReport>(*form);
        dialog->show();
    }
    void enter(const QString& first, const QString& second = {}) {
        dialog->Text1->setText(first);
        dialog->Text2->setText(second);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    }
    // The last message shown, exactly, with the application's caption.
    QString lastMessage() const {
        if (platform.messages().empty()) return QString();
        EXPECT_EQ(platform.messages().back().caption, "Platewise");
        return platform.messages().back().text;
    }
    void expectStillOnLunch() {
        EXPECT_FALSE(form->bvHit);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(shownMealNumber(), "1");
        EXPECT_EQ(form->lTotalRecordsB, 4);
    }
    void TearDown() override {
        dialog.reset();
        ReportFixture::TearDown();
    }

    std::unique_ptr<frmReport> dialog;
};

TEST_F(frmReportTest, EachKindLaysItselfOut) {
    open(1);
    EXPECT_EQ(dialog->windowTitle(), "Select a Report by Meal Number");
    EXPECT_EQ(dialog->Label1->text(), "Enter meal number for which you would like a report.");
    EXPECT_TRUE(dialog->Text2->isHidden());
    EXPECT_TRUE(dialog->Label2->isHidden());
    // The buttons sit beside and below the single box.
    EXPECT_EQ(dialog->cmdOK->x(), dialog->Text1->x());
    EXPECT_GT(dialog->cmdOK->y(), dialog->Text1->y());
    EXPECT_LT(dialog->cmdOK->y(), dialog->cmdCancel->y());

    open(4);
    EXPECT_EQ(dialog->windowTitle(), "Select a Report by a Range of Dates");
    EXPECT_EQ(dialog->Label2->text(), "First Date in series:");
    EXPECT_EQ(dialog->Label3->text(), "Last Date in series:");
    EXPECT_FALSE(dialog->Text2->isHidden());
    EXPECT_GT(dialog->cmdOK->y(), dialog->Text2->y());
    EXPECT_TRUE(dialog->Label1->text().startsWith("To obtain a report covering a series of dates"));
}

TEST_F(frmReportTest, KindOneRoundsHalvesToEvenAndReadsLettersAsMealZero) {
    open(1);
    enter(QStringLiteral("3.5"));  // meal 4
    EXPECT_TRUE(form->bvHit);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(shownMealNumber(), "4");
    EXPECT_EQ(form->lTotalRecordsB, 1);
    EXPECT_EQ(form->ivOrigMealNum, 1.0f);

    form->ResetDataB();
    open(1);
    enter(QStringLiteral("2.5 servings"));  // meal 2
    EXPECT_TRUE(form->bvHit);
    EXPECT_EQ(shownMealNumber(), "2");

    form->ResetDataB();
    open(1);
    platform.expectMsg(MsgResult::OK);
    enter(QStringLiteral("abc"));
    EXPECT_EQ(lastMessage(), kNoRecords);
    EXPECT_EQ(form->frmReportLastQuery, "Select ALL * from Meals Where MealNumber = 1");
    EXPECT_TRUE(dialog->Text1->text().isEmpty());
    expectStillOnLunch();

    platform.expectMsg(MsgResult::OK);
    enter(QString());
    EXPECT_EQ(lastMessage(), kEmptyBox);
    expectStillOnLunch();
}

TEST_F(frmReportTest, KindTwoRefusesLettersAndEmptyBoxesAndFindsNothingOutsideTheMeals) {
    open(2);
    platform.expectMsg(MsgResult::OK);
    enter(QStringLiteral("1"), QStringLiteral("two"));
    EXPECT_EQ(lastMessage(), kBadNumber);
    EXPECT_EQ(dialog->Text1->text(), "1");
    EXPECT_EQ(dialog->Text2->text(), "two");
    expectStillOnLunch();

    platform.expectMsg(MsgResult::OK);
    enter(QStringLiteral("1"), QString());
    EXPECT_EQ(lastMessage(), kEmptyBox);
    EXPECT_TRUE(dialog->Text1->text().isEmpty());

    // A range that holds no meal, then a reversed one: both find nothing.
    for (const auto& [first, last] : {std::pair{"20", "30"}, std::pair{"3", "1"}}) {
        platform.expectMsg(MsgResult::OK);
        enter(QString::fromLatin1(first), QString::fromLatin1(last));
        EXPECT_EQ(lastMessage(), kNoRecords);
        EXPECT_TRUE(dialog->Text1->text().isEmpty());
        EXPECT_TRUE(dialog->Text2->text().isEmpty());
        expectStillOnLunch();
    }

    enter(QStringLiteral("2"), QStringLiteral("3.5"));  // meals 2 to 4
    EXPECT_TRUE(form->bvHit);
    EXPECT_EQ(form->lTotalRecordsB, 3);
    EXPECT_EQ(form->DataB.recordSource(),
              "Select ALL * from Meals Where MealNumber BETWEEN 2 AND 4 Order by MealNumber");
}

TEST_F(frmReportTest, DatesAreReadMonthFirstWithTheUsualCentury) {
    open(3);
    platform.expectMsg(MsgResult::OK);
    enter(QString());
    EXPECT_EQ(lastMessage(), kBadDate);
    platform.expectMsg(MsgResult::OK);
    enter(QStringLiteral("26/11/01"));
    EXPECT_EQ(lastMessage(), kBadDate);
    EXPECT_EQ(dialog->Text1->text(), "26/11/01");
    expectStillOnLunch();
    platform.expectMsg(MsgResult::OK);
    enter(QStringLiteral("11/26/29"));  // 2029: no meal then
    EXPECT_EQ(lastMessage(), kNoRecords);

    enter(QStringLiteral("12/5/01"));
    EXPECT_TRUE(form->bvHit);
    EXPECT_EQ(shownMealNumber(), "4");

    form->ResetDataB();
    open(4);
    platform.expectMsg(MsgResult::OK);
    enter(QStringLiteral("11/26/01"), QString());
    EXPECT_EQ(lastMessage(), kEmptyBox);
    EXPECT_TRUE(dialog->Text1->text().isEmpty());
    platform.expectMsg(MsgResult::OK);
    enter(QStringLiteral("11/26/01"), QStringLiteral("11/31/01"));
    EXPECT_EQ(lastMessage(), kBadDate);
    EXPECT_EQ(dialog->Text2->text(), "11/31/01");
}

// Meals whose dates run against their numbers: 7 on 1/3/1999, 5 on 1/1/1999, 6 on 1/2/1999.
class frmReportDatesTest : public frmReportTest {
protected:
    void extraMeals() override {
        addMeal(folder.mealDb(), 7, QStringLiteral("C"), QDate(1999, 1, 3));
        addMeal(folder.mealDb(), 5, QStringLiteral("A"), QDate(1999, 1, 1));
        addMeal(folder.mealDb(), 6, QStringLiteral("B"), QDate(1999, 1, 2));
    }
};

TEST_F(frmReportDatesTest, ARangeOfDatesTakesItsMealNumbersInNumberOrderAndEndsInDateOrder) {
    open(4);
    enter(QStringLiteral("1/1/99"), QStringLiteral("12/31/99"));
    EXPECT_TRUE(form->bvHit);
    EXPECT_EQ(form->svMealNum1, "5");
    EXPECT_EQ(form->svMealNum2, "7");
    EXPECT_EQ(form->lTotalRecordsB, 3);
    EXPECT_EQ(shownMealNumber(), "5");
    form->DataB.moveLast();
    EXPECT_EQ(shownMealNumber(), "7");
    EXPECT_TRUE(form->DataB.recordSource().endsWith("Order by Date"));
}

TEST_F(frmReportTest, TheRememberedMealSurvivesAnOpeningWithoutRows) {
    open(1);
    enter(QStringLiteral("3"));
    ASSERT_TRUE(form->bvHit);
    // The main window now shows meal 3; the dialog remembers it.
    open(1);
    EXPECT_EQ(form->frmReportMealNumber, 3.0f);
    // An empty item cursor: the next opening keeps 3.
    form->DataB.setRecordSource(QStringLiteral("Select ALL * from Meals Where MealNumber = 99"));
    form->DataB.refresh();
    form->ivOrigMealNum = 3;
    open(1);
    EXPECT_EQ(form->frmReportMealNumber, 3.0f);
    platform.expectMsg(MsgResult::OK, kNoRecords);
    enter(QStringLiteral("42"));
    EXPECT_EQ(shownMealNumber(), "3");
    EXPECT_EQ(form->lTotalRecordsB, 1);
}

// 32768 rows: more than a report's 16-bit row count holds.
class frmReportLargeTest : public frmReportTest {
protected:
    void extraMeals() override {
        SQLite::Database db(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE);
        SQLite::Transaction t(db);
        SQLite::Statement insert(db,
                                 "INSERT INTO Meals (description, ENERG_KCAL, MealNumber, "
                                 "MealName, Date) VALUES ('Grape', 3, 9, 'Many', '2001-11-29')");
        for (int i = 0; i < 32768; ++i) {
            insert.exec();
            insert.reset();
        }
        t.commit();
    }
};

TEST_F(frmReportLargeTest, ASelectionBeyond32767RowsIsRefusedClearly) {
    open(1);
    platform.expectMsg(MsgResult::OK, QStringLiteral("32767"));
    enter(QStringLiteral("9"));
    EXPECT_TRUE(lastMessage().contains("32768 items"));
    expectStillOnLunch();
    open(4);
    platform.expectMsg(MsgResult::OK, QStringLiteral("32767"));
    enter(QStringLiteral("11/29/01"), QStringLiteral("11/29/01"));
    expectStillOnLunch();
}

}  // namespace
}  // namespace pw::test
