#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "app/FormB.h"
#include "app/Startup.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "data/Database.h"
#include "data/TextFiles.h"
#include "platform/RichTextBox.h"
#include "platform/RtfReader.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"
#include "viewers/frmHLP.h"
#include "viewers/frmRTF.h"

namespace pw::test {
namespace {

const QString kNotFound =
    "Helpfile not found, make sure help files are in the same directory "
    "as the program file.";
const QString kHelp = "Instructions\nStep 1: add a meal.";

// Types `text` into `box` key by key; characters without a key of their own come as key text.
void typeText(QWidget* box, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

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

// The instructions that come with the program name every command of the menus and say where an
// installed program keeps its data.
TEST_F(ViewersTest, TheShippedInstructionsNameEveryMenuCommandAndWhereTheDataLives) {
    const QString help = parseRtf(bytesOf(PW_PROGRAM_DIR "/Help.rtf")).plainText().simplified();
    for (QAction* command : form->menuBar()->findChildren<QAction*>()) {
        const QString caption = command->text().remove('&').remove("...");
        EXPECT_TRUE(help.contains(caption)) << caption.toStdString();
    }
    EXPECT_TRUE(help.contains("~/.local/share/Platewise"));
    EXPECT_FALSE(help.contains("lie in the program's folder"));
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
}

// The text file reader over a file that is not UTF-8: every byte from 0x80 to 0xFF, and the
// three kinds of line end; then over a UTF-8 file.
TEST_F(ViewersTest, ReaderWritesASingleByteOrUtf8FileBackInItsOwnBytes) {
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b) high += char(b);
    const QByteArray original = "Caf\xE9 au lait\r\n" + high + "\r\nold Mac line\rlast line\n";
    writeDocument("latin1.txt", original);
    platform.expectOpenFile(folder.file("latin1.txt"));
    form->mnuFileOpen_Click();
    auto* r = form->findChild<frmRTF*>();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->encoding(), TextEncoding::Latin1);
    EXPECT_EQ(r->text(), QString::fromLatin1(original).replace("\r\n", "\n").replace('\r', '\n'));

    const QString copy = folder.file("copy.txt");
    platform.expectSaveFile(copy);
    r->mnuFileSaveAs_Click();
    EXPECT_EQ(bytesOf(copy), original);

    // Typed on the first line and after the last line end: only those bytes change.
    QPlainTextEdit* box = r->RichTextBox1;
    box->moveCursor(QTextCursor::Start);
    box->moveCursor(QTextCursor::EndOfBlock);
    typeText(box, QString::fromUtf8("! crème"));
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, "end");
    platform.expectSaveFile(copy);
    r->mnuFileSaveAs_Click();
    EXPECT_EQ(bytesOf(copy).toHex(' ').toStdString(),
              ("Caf\xE9 au lait! cr\xE8me\r\n" + high + "\r\nold Mac line\rlast line\nend")
                  .toHex(' ')
                  .toStdString());

    // A character Latin-1 cannot write is refused before any file is asked for (none is scripted).
    typeText(box, QString::fromUtf8(" 5 €"));
    platform.expectMsg(MsgResult::OK, "cannot hold");
    r->mnuFileSaveAs_Click();
    EXPECT_TRUE(bytesOf(copy).endsWith("\nend"));

    // A UTF-8 file opened in the same reader stays UTF-8, and takes what Latin-1 could not.
    writeDocument("report.txt", "Cr\xC3\xA8me\r\n");
    platform.expectOpenFile(folder.file("report.txt"));
    r->mnuFileOpen_Click();
    EXPECT_EQ(r->encoding(), TextEncoding::Utf8);
    EXPECT_EQ(r->text(), QString::fromUtf8("Crème\n"));
    box->moveCursor(QTextCursor::End);
    typeText(box, QString::fromUtf8("€"));
    platform.expectSaveFile(copy);
    r->mnuFileSaveAs_Click();
    EXPECT_EQ(bytesOf(copy), "Cr\xC3\xA8me\r\n\xE2\x82\xAC");
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
