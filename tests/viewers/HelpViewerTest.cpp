#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QTextBlock>
#include <QTextFragment>

#include "app/FormB.h"
#include "app/Globals.h"
#include "data/Database.h"
#include "platform/RichTextBox.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"
#include "viewers/frmHLP.h"

namespace pw::test {
namespace {

const char kNotFound[] =
    "Helpfile not found, make sure help files are in the same directory as "
    "the program file.";

// A loaded main window over a program folder of its own, with the two documents written by the
// test.
class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeDocument("Help.rtf", "{\\rtf1{\\b Instructions}\\par Step 1: add a meal.}");
        writeDocument("DV.rtf", "{\\rtf1{\\b Daily Values}\\par Calcium 1000 mg.}");
        platform.expectMsg(MsgResult::OK, QStringLiteral("There are no records yet"));
        form = startProgram(platform, folder.path());
        ASSERT_NE(form, nullptr);
    }
    void TearDown() override {
        form.reset();
        closeAllConnections();
    }

    void writeDocument(const QString& name, const QByteArray& bytes) {
        QFile file(folder.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QString shownText() const { return form->helpViewer()->RichTextBox1->plainText(); }
    int viewerCount() const { return int(form->findChildren<frmHLP*>().size()); }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
};

TEST_F(HelpViewerTest, SecondChoiceReplacesTheDocumentInTheSameWindow) {
    form->mnuHelp->trigger();
    frmHLP* viewer = form->helpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(viewer->isModal());
    EXPECT_EQ(viewer->windowTitle(), "Help for Platewise");
    EXPECT_EQ(shownText(), "Instructions\nStep 1: add a meal.");
    EXPECT_EQ(globals().svHelpFile, folder.path() + "/Help.rtf");

    // Shown minimised: the other document replaces the text and the window comes back.
    viewer->showMinimized();
    form->mnuDailyValues->trigger();
    EXPECT_EQ(form->helpViewer(), viewer);
    EXPECT_EQ(viewerCount(), 1);
    EXPECT_FALSE(viewer->isMinimized());
    EXPECT_EQ(shownText(), "Daily Values\nCalcium 1000 mg.");
    EXPECT_TRUE(viewer->RichTextBox1->isReadOnly());

    // Closing unloads it; the next choice opens a fresh window.
    viewer->mnuFileExitAction->trigger();
    settle();
    EXPECT_EQ(form->helpViewer(), nullptr);
    EXPECT_EQ(viewerCount(), 0);
    form->mnuHelp->trigger();
    ASSERT_NE(form->helpViewer(), nullptr);
    EXPECT_EQ(shownText(), "Instructions\nStep 1: add a meal.");
    EXPECT_EQ(viewerCount(), 1);
}

TEST_F(HelpViewerTest, MissingDocumentIsReportedOnceAndEmptyDocumentKeepsTheText) {
    ASSERT_TRUE(QFile::remove(folder.file("DV.rtf")));
    platform.expectMsg(MsgResult::OK, kNotFound);
    form->mnuDailyValues->trigger();
    platform.verifyDone();
    ASSERT_NE(form->helpViewer(), nullptr);
    EXPECT_TRUE(form->helpViewer()->isVisible());
    EXPECT_EQ(shownText(), "");
    EXPECT_EQ(platform.messages().back().text, kNotFound);
    EXPECT_EQ(platform.messages().back().caption, kAppTitle);

    // With a document shown, a missing one leaves it in place, and so does an empty one.
    form->mnuHelp->trigger();
    platform.expectMsg(MsgResult::OK, kNotFound);
    form->mnuDailyValues->trigger();
    platform.verifyDone();
    EXPECT_EQ(shownText(), "Instructions\nStep 1: add a meal.");
    writeDocument("DV.rtf", "");
    form->mnuDailyValues->trigger();
    EXPECT_EQ(shownText(), "Instructions\nStep 1: add a meal.");
    EXPECT_EQ(viewerCount(), 1);
}

TEST_F(HelpViewerTest, DocumentThatIsNotRtfIsShownAsText) {
    writeDocument("Help.rtf", "Plain words\r\nsecond line");
    form->mnuHelp->trigger();
    EXPECT_EQ(shownText(), "Plain words\nsecond line");
}

TEST_F(HelpViewerTest, PrintingUsesCourierAndLeavesTheSmallFont) {
    form->mnuHelp->trigger();
    frmHLP* viewer = form->helpViewer();
    viewer->RichTextBox1->selectAll();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.file("help.pdf"));
    viewer->printTo(printer);
    EXPECT_GT(QFile(folder.file("help.pdf")).size(), 0);
    EXPECT_EQ(viewer->RichTextBox1->fontName(), "MS Sans Serif");
    EXPECT_EQ(viewer->RichTextBox1->fontSize(), 8);
    EXPECT_FALSE(viewer->RichTextBox1->textCursor().hasSelection());
    // Every piece of text takes the font; bold stays bold.
    const QTextBlock heading = viewer->RichTextBox1->document()->firstBlock();
    const QTextCharFormat format = heading.begin().fragment().charFormat();
    EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{"MS Sans Serif"});
    EXPECT_EQ(format.fontPointSize(), 8);
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_EQ(shownText(), "Instructions\nStep 1: add a meal.");

    // A printer that cannot print: the common report, and the print font stays.
    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(folder.file("no such folder/help.pdf"));
    platform.expectMsg(MsgResult::OK, QStringLiteral("Error number 482 was encountered.\n\r"
                                                     "Which is described as: Printer error"));
    viewer->printTo(broken);
    platform.verifyDone();
    EXPECT_EQ(viewer->RichTextBox1->fontName(), "Courier New");
}

TEST_F(HelpViewerTest, BoxFollowsTheWindowAndSurvivesATinyOne) {
    form->mnuHelp->trigger();
    frmHLP* viewer = form->helpViewer();
    viewer->resize(700, 500);
    QCoreApplication::processEvents();
    const QRect box = viewer->RichTextBox1->geometry();
    const QSize inner = viewer->centralWidget()->size();
    EXPECT_GT(box.left(), 0);
    EXPECT_GT(box.top(), 0);
    EXPECT_LT(box.right(), inner.width());
    EXPECT_LT(box.bottom(), inner.height());
    EXPECT_GT(box.width(), inner.width() * 3 / 4);

    viewer->centralWidget()->resize(5, 5);
    EXPECT_EQ(viewer->RichTextBox1->geometry(), box);
}

}  // namespace
}  // namespace pw::test
