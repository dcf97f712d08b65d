#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <memory>

#include "app/FormB.h"
#include "app/Startup.h"
#include "platform/GlobalModule.h"
#include "platform/TextOutput.h"
#include "reports/frmReport.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"
#include "viewers/frmRTF.h"

namespace pw::test {
namespace {

// A meal store for reports:
//   meal 1 "Lunch"     11/26/2001: an apple, milk, tea and water (water has every field empty);
//                                  protein is stored as 0.1 in three items
//   meal 2 "Supper"    11/27/2001: only its header row
//   meal 3 "Breakfast" 11/28/2001: bread
//   meal 4 "Snack"     12/05/2001: only its header row
//   meal 8 (a name no single-byte code page holds) 2/14/2002: only its header row
// The main window starts on meal 1.
class ReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString db = folder.mealDb();
        const QDate lunch(2001, 11, 26), breakfast(2001, 11, 28);
        auto item = [&](int meal, const QString& food, double grams, const QString& values) {
            addMealItem(db, meal, meal == 1 ? "Lunch" : "Breakfast", meal == 1 ? lunch : breakfast,
                        food, grams, fields(values));
        };
        addMeal(db, 1, "Lunch", lunch, false);
        item(1, "Apple, raw", 182,
             "ENERG_KCAL=94.6;PROTEIN=0.1;TOT_LIPID=0.31;CARBOHYDRT=25.1;FIBER_TD=4.4;CALCIUM=11;"
             "VIT_C=8.4;FA_POLY=0.05");
        item(1, "Milk, whole", 244,
             "ENERG_KCAL=148.8;PROTEIN=0.1;TOT_LIPID=8;CARBOHYDRT=11.7;CALCIUM=276;FA_SAT=4.6;"
             "CHOLESTRL=24");
        item(1, "Tea", 100, "ENERG_KCAL=2.4;PROTEIN=0.1");
        item(1, "Water, plain", 100, "");
        addMeal(db, 2, "Supper", QDate(2001, 11, 27));
        addMeal(db, 3, "Breakfast", breakfast, false);
        item(3, "Bread, whole-wheat", 32,
             "ENERG_KCAL=79;PROTEIN=4.16;TOT_LIPID=1.09;CARBOHYDRT=13.2;FIBER_TD=1.9;CALCIUM=10;"
             "IRON=0.8");
        addMeal(db, 4, "Snack", QDate(2001, 12, 5));
        addMeal(db, 8, "Crêpe «spécial» ☕", QDate(2002, 2, 14));
        form = startProgram(platform, folder.path());
        ASSERT_TRUE(form);
    }

    // Runs one report through its dialog (Cancel clicked when `cancel`); afterwards the main
    // window is back on the first item of meal 1.
    void run(void (FormB::*menu)(), const QString& first, const QString& second = {},
             bool cancel = false) {
        platform.expectModal([=](QDialog& d) {
            QTest::keyClicks(d.findChild<QLineEdit*>("Text1"), first);
            QTest::keyClicks(d.findChild<QLineEdit*>("Text2"), second);
            QTest::mouseClick(d.findChild<QPushButton*>(cancel ? "cmdCancel" : "cmdOK"),
                              Qt::LeftButton);
        });
        (form.get()->*menu)();
        EXPECT_EQ(shownMealNumber(), "1");
        EXPECT_EQ(form->DataB.absolutePosition() + form->lTotalRecordsB, 4);
        EXPECT_TRUE(form->lblRecordCountB->text().endsWith("Item 1 of 4 items in Meal Number 1."))
            << qPrintable(form->lblRecordCountB->text());
        EXPECT_TRUE(form->RTBox->isHidden() && !form->Text2->isHidden());
    }
    QString shownMealNumber() const { return form->txtFieldB.text(38); }

    // The dialog on its own, over the main window.
    void open(int kind) {
        form->ivReport = static_cast<qint16>(kind);
        dialog = std::make_unique<frmReport>(form->state(), form->cursors(), form->platform(),
                                             form.get());
        dialog->show();
    }
    void enter(const QString& first, const QString& second = {}) {
        dialog->Text1->setText(first);
        dialog->Text2->setText(second);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    }
    // OK is refused with a message holding `message`; the dialog stays open.
    void refused(const QString& message, const QString& first, const QString& second = {}) {
        platform.expectMsg(MsgResult::OK, message);
        enter(first, second);
        ASSERT_FALSE(platform.messages().empty());  // an unused answer fails at the end
        EXPECT_EQ(platform.messages().back().caption, "Platewise");
        EXPECT_TRUE(!form->bvHit && dialog->isVisible());
        EXPECT_EQ(shownMealNumber(), "1");
        EXPECT_EQ(form->lTotalRecordsB, 4);
    }
    frmRTF* reader() const { return form->findChild<frmRTF*>({}, Qt::FindDirectChildrenOnly); }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
    std::unique_ptr<frmReport> dialog;
    QTemporaryDir out;
};

// The four report kinds.

const QStringList kLabels =
    QString(
        " Total Calories:| Total Fat in grams:|    Saturated Fat in grams:"
        "|    Polyunsaturated Fat in grams:|    Monounsaturated Fat in grams:| Cholesterol in mg:"
        "| Carbohydrate in grams:| Fiber in grams:| Protein in grams:| Sodium in mg:"
        "| Potassium in mg:| Calcium in mg:| Phosphorus in mg:| Iron in mg:| Magnesium in mg:"
        "| Zinc in mg:| Copper in mg:| Manganese in mg:| Selenium in in micrograms:"
        "| Vitamin A in iu:| Thiamin in mg:| Riboflavin in mg:| Niacin in mg:"
        "| Pantothenic acid mg:| Vitamin B6 in mg:| Folic Acid in micrograms:"
        "| Vitamin B12 in micrograms:| Vitamin C in mg:| Vitamin E in mg:")
        .split('|');

const char kFooter[] =
    "\r\nPercent Daily Values are Food and Drug Administration\r\n"
    "guidelines and are based on a 2000 calorie diet.  If your calorie\r\n"
    "needs are higher or lower the daily values for carbohydrates,\r\n"
    "protein, fat, and fiber would be proportionally higher or lower also.\r\n"
    "Daily Values for vitamins, minerals, and cholesterol would\r\nremain the same.\r\n";

QString dv(const QString& percent) { return "          Daily Value: " + percent + '%'; }

// A whole report, each line ended by CR LF: the header lines (split at |), then one line per
// nutrient from `values` ("amount" or "amount percent"; percents dropped unless withDV), then the
// footer.
QString report(const QString& header, const char* values, bool withDV = true) {
    const QStringList cells = QString::fromUtf8(values).split(',');
    QStringList lines = header.split('|');
    for (int i = 0; i < cells.size() && i < kLabels.size(); ++i) {
        const QStringList v = cells[i].simplified().split(' ');
        if (i <= 1) lines << QString();
        lines << kLabels[i] + ("  " + v[0]) + (v.size() > 1 && withDV ? dv(v[1]) : QString());
    }
    return lines.join("\r\n") + "\r\n" + kFooter;
}

// Meal 1: 94.6 + 148.8 + 2.4 kcal, protein 0.1 three times, the water adds nothing.
const char kLunch[] =
    "245.8 12.3, 8.31 12.8, 4.6 23, 0.05, 0, 24 8, 36.8 12.3, 4.4 17.6, 0.3 0.6,"
    "0, 0, 287 28.7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8.4 14, 0";
// Meals 1 to 3: lunch, supper's header row and the bread (79 kcal, 4.16 g protein, 1.09 g fat,
// 13.2 g carbohydrate, 1.9 g fiber, 10 mg calcium, 0.8 mg iron).
const char kThreeMeals[] =
    "324.8 16.2, 9.4 14.5, 4.6 23, 0.05, 0, 24 8, 50 16.7, 6.3 25.2,"
    "4.46 8.9, 0, 0, 297 29.7, 0, 0.8 4.4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,"
    "0, 0, 0, 8.4 14, 0";
// Meal 2, only its header row: the four energy nutrients show 0 %, nothing else does.
const char kNothing[] =
    "0 0, 0 0, 0, 0, 0, 0, 0 0, 0, 0 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,"
    "0, 0, 0, 0, 0, 0, 0";

TEST_F(ReportsTest, EachKindTotalsItsMeals) {
    run(&FormB::mnuReportMealNumber_Click, "1");
    const QString kind1 = report(
        " REPORT FOR MEAL NUMBER 1|"
        " Meal Name: Lunch     Date of meal: 11/26/2001|"
        " Total Number of Items in meal: 4",
        kLunch);
    EXPECT_EQ(form->reportText, kind1);
    EXPECT_EQ(form->Text2->toPlainText(), QString(kind1).replace("\r\n", "\n"));

    // Typed 0 to 3: the header names the meals found, 1 and 3.
    run(&FormB::mnuReportRangeMealNumbers_Click, "0", "3");
    EXPECT_EQ(form->reportText, report(" REPORT FOR MEALS 1 THROUGH 3|"
                                       " Date of Meal Number 1:      11/26/2001|"
                                       " Date of Meal Number 3:      11/28/2001|"
                                       " Total Number of Items in all meals: 6",
                                       kThreeMeals));

    run(&FormB::mnuReportSpecificDate_Click, "11/26/01");
    EXPECT_EQ(form->reportText, report(" REPORT FOR DATE: 11/26/2001|"
                                       " Total Number of Items in all meals for this date: 4",
                                       kLunch));

    // Typed up to 11/30: the header shows the latest date found. No Daily Values, same footer.
    run(&FormB::mnuReportRangeDates_Click, "11/26/01", "11/30/01");
    EXPECT_EQ(form->reportText, report(" REPORT FOR DATES 11/26/2001 THROUGH 11/28/2001|"
                                       " Including meal numbers: 1 through 3|"
                                       " Total Number of Items in all meals: 6",
                                       kThreeMeals, false));

    // After a report with many Daily Values, none is left behind; a cancelled dialog leaves the
    // report on display.
    run(&FormB::mnuReportMealNumber_Click, "2");
    const QString kind1Empty = report(
        " REPORT FOR MEAL NUMBER 2|"
        " Meal Name: Supper     Date of meal: 11/27/2001|"
        " Total Number of Items in meal: 1",
        kNothing);
    EXPECT_EQ(form->reportText, kind1Empty);
    run(&FormB::mnuReportRangeDates_Click, {}, {}, true);
    EXPECT_EQ(form->reportText, kind1Empty);
}

// The report dialog.

const QString kEmptyBox = "Information was not entered correctly into the entry boxes.";
const QString kNoRecords = "No records were found that match your entry.";
const QString kBadNumber =
    "A meal number was not entered correctly on this form.  "
    "Only numbers can be entered in the box.";
const QString kBadDate =
    "A date was not entered correctly on this form.  Please enter in the format mm/dd/yy.";

// Each entry of each kind either selects meals or is refused with its own message, leaving the
// dialog open and the main window where it was; hostile entries change nothing either.
TEST_F(ReportsTest, EntriesSelectTheirMealsOrAreRefusedWithTheirOwnMessage) {
    const QString overflow = "Error number 6 was encountered.\n\rWhich is described as: Overflow";
    const QString sql = "1; DROP TABLE Meals; --";
    const int items = rowCount(folder.mealDb(), "Meals");
    struct Refused {
        int kind;
        QString first, second, message;
    };
    const Refused refusedCases[] = {
        {1, "abc", "", kNoRecords},  // read as meal 0
        {1, "9223372036854775808", "", overflow},
        {1, QString(10 * 1024 * 1024, u'9'), "", overflow},
        {1, "'; DROP TABLE Meals; --", "", kNoRecords},

        {2, "1", "", kEmptyBox},
        {2, "20", "30", kNoRecords},  // no meal there

        {2, "1", "9223372036854775808", overflow},
        {2, "1e400", "3", kBadNumber},
        {2, sql, "3", kBadNumber},
        {3, "", "", kBadDate},
        {3, "26/11/01", "", kBadDate},    // month first
        {3, "11/26/29", "", kNoRecords},  // 2029: no meal then
        {3, "31/02/2024", "", kBadDate},
        {3, sql, "", kBadDate},
        {4, "11/26/01", "", kEmptyBox},
        {4, "11/26/01", "11/31/01", kBadDate},
        {4, "#11/26/01#", "12/31/01", kBadDate},
    };
    for (const Refused& c : refusedCases) {
        SCOPED_TRACE(c.first.left(40).toStdString() + " / " + c.second.toStdString());
        open(c.kind);
        refused(c.message, c.first, c.second);
        EXPECT_TRUE(platform.messages().back().text.startsWith(c.message));
    }
    EXPECT_EQ(rowCount(folder.mealDb(), "Meals"), items);
    // A refused number keeps what was typed; no records found empties the boxes.
    open(2);
    refused(kBadNumber, "1", "two");
    EXPECT_EQ(dialog->Text2->text(), "two");
    refused(kNoRecords, "3", "1");  // reversed
    EXPECT_TRUE(dialog->Text1->text().isEmpty() && dialog->Text2->text().isEmpty());

    // Meal numbers round halves to even and take the leading number; dates are month first.
    struct Found {
        int kind;
        const char *first, *second, *from, *to;
        int items;
    };
    const Found foundCases[] = {{1, "3.5", "", "4", "4", 1},
                                {1, "2.5 servings", "", "2", "2", 1},
                                {2, "2", "3.5", "2", "4", 3},
                                {3, "12/5/01", "", "4", "4", 1},
                                {4, "11/27/01", "12/31/01", "2", "4", 3}};
    for (const Found& c : foundCases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        open(c.kind);
        enter(c.first, c.second);
        EXPECT_TRUE(form->bvHit && !dialog->isVisible());
        EXPECT_EQ(shownMealNumber(), c.from);
        EXPECT_EQ(form->lTotalRecordsB, c.items);
        form->DataB.moveLast();
        EXPECT_EQ(shownMealNumber(), c.to);
        form->ResetDataB();
    }

    // 32768 rows: more than a report's 16-bit row count holds.
    SQLite::Database(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE)
        .exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32768) "
            "INSERT INTO Meals (description, ENERG_KCAL, MealNumber, MealName, Date) "
            "SELECT 'Grape', 3, 9, 'Many', '2001-11-29' FROM n");
    open(1);
    refused("32767", "9");
    EXPECT_TRUE(platform.messages().back().text.contains("32768 items"));
    open(4);
    refused("32767", "11/29/01", "11/29/01");
}

// Saving, printing and the text file reader.

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The words of a printed PDF, in order (the text extractor does not keep every blank).
QString pdfWords(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    EXPECT_TRUE(p.waitForFinished());
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

// The reader's editing and saving of a UTF-8 file with CR LF line ends is tested with the
// viewers; here, that a saved report is that file.
TEST_F(ReportsTest, ASavedReportOpensInTheReaderAndSavesAgainIdentically) {
    run(&FormB::mnuReportMealNumber_Click, "8");
    const QString lunch = out.filePath("lunch.txt"), week = out.filePath("week.txt");
    // Typed without a suffix, the name gets ".txt", which the reader's filter shows. The first
    // dialog starts in the user's documents folder, not in the hidden data folder.
    platform.expectSaveFile(out.filePath("lunch"));
    ASSERT_TRUE(QDir(out.path()).mkdir("Documents"));
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", out.path().toUtf8());
    form->mnuSaveReport_Click();
    qputenv("HOME", home);
    EXPECT_EQ(platform.dialogFolders(), QStringList{out.filePath("Documents")});
    const QByteArray saved = bytesOf(lunch);
    EXPECT_EQ(saved, form->reportText.toUtf8());
    EXPECT_TRUE(
        saved.startsWith(" REPORT FOR MEAL NUMBER 8\r\n Meal Name: Crêpe «spécial» ☕     Date"));

    platform.expectOpenFile(lunch);
    form->mnuFileOpen_Click();
    frmRTF* r = reader();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->windowTitle(), " File Reader    lunch.txt");
    EXPECT_EQ(r->text(), QString(form->reportText).replace("\r\n", "\n"));
    platform.expectSaveFile(week);
    r->mnuFileSaveAs_Click();
    EXPECT_EQ(r->windowTitle(), "Text File Reader    week.txt");
    EXPECT_EQ(bytesOf(week), saved);
    EXPECT_TRUE(platform.messages().empty());
    // Later dialogs start where the last file was saved or opened.
    EXPECT_EQ(platform.dialogFolders().mid(1), QStringList(2, out.path()));

    // Run from the folder that holds its data (a build), the program's folder comes first.
    globals().lastFileFolder.clear();
    globals().programDir = QApplication::applicationDirPath();
    EXPECT_EQ(fileDialogFolder(), globals().programDir);
}

TEST_F(ReportsTest, SaveAndPrintTakeTheReportAsTheUserEditedIt) {
    run(&FormB::mnuReportMealNumber_Click, "1");
    // A note typed under the report, on two lines: the lines are saved with CR LF.
    form->Text2->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->Text2, "Note: no dessert");
    QTest::keyClick(form->Text2, Qt::Key_Return);
    QTest::keyClicks(form->Text2, "Tea unsweetened");
    // Tab and Shift+Tab move the focus on and back and leave the report as it was.
    form->show();
    QApplication::setActiveWindow(form.get());
    form->Text2->setFocus();
    const QString typed = form->Text2->toPlainText();
    QTest::keyClick(form->Text2, Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    ASSERT_TRUE(next && next != form->Text2);
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form->Text2);
    QTest::keyClick(form->Text2, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), form->Text2);
    EXPECT_EQ(form->Text2->toPlainText(), typed);

    const QByteArray annotated = form->reportText.toUtf8() + "Note: no dessert\r\nTea unsweetened";
    platform.expectSaveFile(out.filePath("annotated.txt"));
    form->mnuSaveReport_Click();
    EXPECT_EQ(bytesOf(out.filePath("annotated.txt")), annotated);
    // The whole report is on the printed page, with the note.
    if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        platform.expectPrinterSetup(out.filePath("annotated.pdf"));
        form->mnuPrintReport_Click();
        EXPECT_EQ(pdfWords(out.filePath("annotated.pdf")),
                  QString::fromUtf8(annotated).simplified());
    }
    EXPECT_TRUE(platform.messages().empty());
}

TEST_F(ReportsTest, SaveAndPrintWithoutAReportOnDisplayOnlyExplain) {
    for (const char* what : {"save", "print"}) {
        platform.expectMsg(MsgResult::OK);
        what == std::string("save") ? form->mnuSaveReport_Click() : form->mnuPrintReport_Click();
        ASSERT_FALSE(platform.messages().empty());
        const MsgBoxSpec& m = platform.messages().back();
        EXPECT_EQ(m.text, QString("There is no report displayed at this time.  To %1 a report one "
                                  "must be currently displayed, so click on Report on the menu "
                                  "bar and generate a report.")
                              .arg(what));
        EXPECT_TRUE(m.buttons == MsgButtons::OK && m.icon == MsgIcon::None &&
                    m.caption == "Platewise");
    }
    // No file or printer dialog was shown.
    EXPECT_EQ(platform.log().filter("msg: ").size(), platform.log().size());
}

// Cancelled dialogs do nothing; a failed save goes to the common error report, a failed print
// to its own message, and the report stays.
TEST_F(ReportsTest, CancelledDialogsDoNothingAndFailuresAreReported) {
    run(&FormB::mnuReportMealNumber_Click, "1");
    platform.expectSaveFileCancel();
    form->mnuSaveReport_Click();
    platform.expectPrinterSetupCancel();
    form->mnuPrintReport_Click();
    // The reader closes itself when its first dialog is cancelled.
    platform.expectOpenFileCancel();
    form->mnuFileOpen_Click();
    EXPECT_EQ(reader(), nullptr);
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_TRUE(QDir(out.path()).isEmpty());

    const QString missing = out.filePath("no such folder/");
    platform.expectSaveFile(missing + "lunch.txt");
    platform.expectMsg(MsgResult::OK,
                       "Error number 75 was encountered.\n\rWhich is described as: "
                       "Path/File access error");
    form->mnuSaveReport_Click();
    platform.expectPrinterSetup(missing + "lunch.pdf");
    platform.expectMsg(MsgResult::OK,
                       "Error number 482 was encountered.\r\nWhich is described as: Printer error");
    form->mnuPrintReport_Click();
    EXPECT_EQ(form->reportOnDisplay(), form->reportText);
    EXPECT_FALSE(form->Text2->isHidden());
    EXPECT_FALSE(QFileInfo::exists(missing));
}

}  // namespace
}  // namespace pw::test
