#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>

#include "reports/TextFiles.h"
#include "tests/reports/ReportFixture.h"
#include "viewers/frmRTF.h"

namespace pw::test {
namespace {

const QString kNoReportToSave = QStringLiteral(
    "There is no report displayed at this time.  To save a report one must be currently "
    "displayed, so click on Report on the menu bar and generate a report.");
const QString kNoReportToPrint = QStringLiteral(
    "There is no report displayed at this time.  To print a report one must be currently "
    "displayed, so click on Report on the menu bar and generate a report.");

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A meal whose name no single-byte code page holds.
class ReportOutputTest : public ReportFixture {
protected:
    void extraMeals() override {
        addMeal(folder.mealDb(), 8, QStringLiteral("Crêpe «spécial» ☕"), QDate(2002, 2, 14));
    }
    void reportMeal(const QString& number) {
        answerDialog(number);
        form->mnuReportMealNumber_Click();
        ASSERT_FALSE(form->Text2->isHidden());
    }
    frmRTF* reader() const {
        return form->findChild<frmRTF*>(QString(), Qt::FindDirectChildrenOnly);
    }

    QTemporaryDir out;
};

TEST_F(ReportOutputTest, SaveAndPrintNeedAReportOnDisplay) {
    platform.expectMsg(MsgResult::OK);
    form->mnuSaveReport_Click();
    platform.expectMsg(MsgResult::OK);
    form->mnuPrintReport_Click();
    ASSERT_EQ(platform.messages().size(), 2u);
    EXPECT_EQ(platform.messages()[0].text, kNoReportToSave);
    EXPECT_EQ(platform.messages()[1].text, kNoReportToPrint);
    EXPECT_TRUE(platform.fileDialogs().empty());
}

TEST_F(ReportOutputTest, ASavedReportOpensInTheReaderAndSavesAgainIdentically) {
    reportMeal(QStringLiteral("8"));
    const QString lunch = out.filePath(QStringLiteral("lunch.txt"));
    platform.expectSaveFile(lunch);
    form->mnuSaveReport_Click();
    const QByteArray saved = bytesOf(lunch);
    EXPECT_EQ(saved, form->reportText.toUtf8());
    EXPECT_TRUE(
        saved.startsWith(" REPORT FOR MEAL NUMBER 8\r\n Meal Name: Crêpe «spécial» ☕     Date"));
    EXPECT_TRUE(saved.endsWith("remain the same.\r\n"));
    const FileDialogSpec& request = platform.fileDialogs().back();
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.filter, "txt files(*.txt)|*.txt|");
    EXPECT_EQ(request.folder, folder.path());

    platform.expectOpenFile(lunch);
    form->mnuFileOpen_Click();
    frmRTF* r = reader();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->windowTitle(), " File Reader    lunch.txt");
    EXPECT_EQ(platform.fileDialogs().back().title, "Open File");
    EXPECT_EQ(platform.fileDialogs().back().filter, "text files(*.txt)|*.txt|");
    EXPECT_EQ(r->text(), QString(form->reportText).replace("\r\n", "\n"));

    const QString week = out.filePath(QStringLiteral("week.txt"));
    platform.expectSaveFile(week);
    r->mnuFileSaveAs_Click();
    EXPECT_EQ(r->windowTitle(), "Text File Reader    week.txt");
    EXPECT_EQ(bytesOf(week), saved);

    // Edited text keeps the file's CR LF line ends.
    r->RichTextBox1->moveCursor(QTextCursor::End);
    QTest::keyClicks(r->RichTextBox1, QStringLiteral("Note"));
    platform.expectSaveFile(week);
    r->mnuFileSaveAs_Click();
    EXPECT_EQ(bytesOf(week), saved + "Note");
    EXPECT_TRUE(platform.messages().empty());
}

TEST_F(ReportOutputTest, CancelledDialogsAreNeverReported) {
    reportMeal(QStringLiteral("1"));
    platform.expectSaveFileCancel();
    form->mnuSaveReport_Click();
    platform.expectPrinterSetupCancel();
    form->mnuPrintReport_Click();
    // The reader closes itself when its first dialog is cancelled.
    platform.expectOpenFileCancel();
    form->mnuFileOpen_Click();
    EXPECT_EQ(reader(), nullptr);

    const QString empty = out.filePath(QStringLiteral("empty.txt"));
    QFile(empty).open(QIODevice::WriteOnly);
    platform.expectOpenFile(empty);
    form->mnuFileOpen_Click();
    ASSERT_TRUE(reader());
    EXPECT_TRUE(reader()->text().isEmpty());
    platform.expectOpenFileCancel();
    reader()->mnuFileOpen_Click();
    platform.expectSaveFileCancel();
    reader()->mnuFileSaveAs_Click();
    platform.expectPrinterSetupCancel();
    reader()->mnuFilePrint_Click();
    EXPECT_EQ(reader()->windowTitle(), " File Reader    empty.txt");
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files) == QStringList{"empty.txt"});
}

TEST_F(ReportOutputTest, FailuresAreReportedWithTheirNumbers) {
    reportMeal(QStringLiteral("1"));
    // A folder that is a file: nothing can be written there.
    const QString blocker = out.filePath(QStringLiteral("blocker"));
    QFile(blocker).open(QIODevice::WriteOnly);
    platform.expectSaveFile(blocker + QStringLiteral("/r.txt"));
    platform.expectMsg(MsgResult::OK);
    form->mnuSaveReport_Click();
    EXPECT_EQ(platform.messages().back().text,
              "Error number 75 was encountered.\n\rWhich is described as: Path/File access error");

    platform.expectPrinterSetup(blocker + QStringLiteral("/r.pdf"));
    platform.expectMsg(MsgResult::OK);
    form->mnuPrintReport_Click();
    EXPECT_EQ(platform.messages().back().text,
              "Error number 482 was encountered.\r\nWhich is described as: Printer error");

    // The reader: a missing file, then a save that fails; the caption stays.
    const QString lunch = out.filePath(QStringLiteral("lunch.txt"));
    QFile f(lunch);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("a\r\nb\r\n");
    f.close();
    platform.expectOpenFile(lunch);
    form->mnuFileOpen_Click();
    ASSERT_TRUE(reader());
    platform.expectOpenFile(out.filePath(QStringLiteral("gone.txt")));
    platform.expectMsg(MsgResult::OK);
    reader()->mnuFileOpen_Click();
    EXPECT_EQ(platform.messages().back().text,
              "Error number 53 was encountered.\n\rWhich is described as: File not found");
    platform.expectSaveFile(blocker + QStringLiteral("/w.txt"));
    platform.expectMsg(MsgResult::OK);
    reader()->mnuFileSaveAs_Click();
    EXPECT_TRUE(platform.messages().back().text.startsWith("Error number 75 was encountered."));
    EXPECT_EQ(reader()->windowTitle(), " File Reader    lunch.txt");
    EXPECT_EQ(reader()->text(), "a\nb\n");
}

TEST_F(ReportOutputTest, PrintingPutsTheReportOnThePage) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    reportMeal(QStringLiteral("1"));
    const QString pdf = out.filePath(QStringLiteral("report.pdf"));
    platform.expectPrinterSetup(pdf);
    form->mnuPrintReport_Click();
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished());
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    // The text extractor keeps the words and their order, not every blank.
    EXPECT_EQ(text.simplified(), form->reportText.simplified());

    // The reader prints the same way.
    const QString lunch = out.filePath(QStringLiteral("lunch.txt"));
    saveFileBytes(lunch, "Lunch for two\r\n");
    platform.expectOpenFile(lunch);
    form->mnuFileOpen_Click();
    const QString pdf2 = out.filePath(QStringLiteral("reader.pdf"));
    platform.expectPrinterSetup(pdf2);
    reader()->mnuFilePrint_Click();
    p.start(QStringLiteral("pdftotext"), {pdf2, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains("Lunch for two"));
}

}  // namespace
}  // namespace pw::test
