#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTest>
#include <QTextBlock>

#include "app/FormB.h"
#include "app/Globals.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "data/Database.h"
#include "platform/RichTextBox.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"
#include "viewers/frmHLP.h"

namespace pw::test {
namespace {

const QString kNotFound =
    "Helpfile not found, make sure help files are in the same directory "
    "as the program file.";
const QString kHelp = "Instructions\nStep 1: add a meal.";

// A loaded main window over a program folder of its own, with the help document written by the
// test (and no Daily Values document).
class ViewersTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeDocument("Help.rtf", "{\\rtf1{\\b Instructions}\\par Step 1: add a meal.}");
        platform.expectMsg(MsgResult::OK, "There are no records yet");
        form = startProgram(platform, folder.path());
        ASSERT_NE(form, nullptr);
    }
    void writeDocument(const QString& name, const QByteArray& bytes) {
        QFile file(folder.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QString shownText() const { return form->helpViewer()->RichTextBox1->plainText(); }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
};

TEST_F(ViewersTest, SecondChoiceReplacesTheDocumentInTheSameWindow) {
    // A missing document is reported; the window opens all the same.
    platform.expectMsg(MsgResult::OK, kNotFound);
    form->mnuDailyValues->trigger();
    frmHLP* viewer = form->helpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible() && !viewer->isModal());

    // Shown minimised: the other document replaces the text and the window comes back.
    viewer->showMinimized();
    form->mnuHelp->trigger();
    EXPECT_EQ(form->helpViewer(), viewer);
    EXPECT_EQ(form->findChildren<frmHLP*>().size(), 1);
    EXPECT_FALSE(viewer->isMinimized());
    EXPECT_EQ(shownText(), kHelp);

    // With a document shown, a missing one leaves it in place, and so does an empty one.
    platform.expectMsg(MsgResult::OK, kNotFound);
    form->mnuDailyValues->trigger();
    EXPECT_EQ(shownText(), kHelp);
    writeDocument("DV.rtf", "");
    form->mnuDailyValues->trigger();
    EXPECT_EQ(shownText(), kHelp);

    // The About box is another modeless window beside it.
    form->mnuAbout->trigger();
    ASSERT_NE(form->aboutBox(), nullptr);
    EXPECT_TRUE(form->aboutBox()->isVisible() && !form->aboutBox()->isModal());
}

TEST_F(ViewersTest, PrintingUsesCourierAndLeavesTheSmallFont) {
    form->mnuHelp->trigger();
    RichTextBox* box = form->helpViewer()->RichTextBox1;
    auto firstFormat = [&] {
        return box->document()->firstBlock().begin().fragment().charFormat();
    };
    const QString shownFont = box->fontName();
    const QTextCharFormat shownFormat = firstFormat();
    ASSERT_NE(shownFont, "Courier New");
    const size_t messagesBefore = platform.messages().size();

    // No usable printer (drawing on it cannot start, as with no printer installed): the common
    // report, and the document keeps its face.
    QPrinter none(QPrinter::HighResolution);
    none.setOutputFormat(QPrinter::PdfFormat);
    none.setOutputFileName(QString());
    platform.expectMsg(MsgResult::OK,
                       "Error number 482 was encountered.\n\rWhich is described as: Printer error");
    form->helpViewer()->printTo(none);
    platform.verifyDone();
    EXPECT_EQ(box->fontName(), shownFont);
    EXPECT_EQ(firstFormat(), shownFormat);

    // Printed: the box is left in MS Sans Serif 8; every piece of text takes the font, bold stays.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(folder.file("help.pdf"));
    form->helpViewer()->printTo(printer);
    EXPECT_GT(QFileInfo(folder.file("help.pdf")).size(), 0);
    EXPECT_EQ(box->fontName(), "MS Sans Serif");
    EXPECT_EQ(box->fontSize(), 8);
    EXPECT_EQ(firstFormat().fontFamilies().toStringList(), QStringList{"MS Sans Serif"});
    EXPECT_EQ(firstFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(platform.messages().size(), messagesBefore + 1);
}

frmSplash* findSplash() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<frmSplash*>(w); splash && splash->isVisible())
            return splash;
    return nullptr;
}

TEST(Splash, KeyDuringStartUpClosesItAndTheMainWindowStillOpens) {
    ScriptedPlatform platform;
    ProgramFolder folder;
    platform.expectMsg(MsgResult::OK, "There are no records yet");
    std::unique_ptr<FormB> form = withSplash(platform, [&] {
        frmSplash* splash = findSplash();
        EXPECT_NE(splash, nullptr);
        if (splash) QTest::keyClick(splash, Qt::Key_Space);
        EXPECT_EQ(findSplash(), nullptr);
        return startProgram(platform, folder.path());
    });
    EXPECT_TRUE(form && form->isVisible());
}

}  // namespace
}  // namespace pw::test
