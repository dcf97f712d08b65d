#include "tests/support/ScriptedPlatform.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace pw::test {
namespace {

// A small dialog: a box, OK and Cancel, and a button whose action the test chooses.
class SmallDialog : public QDialog {
public:
    explicit SmallDialog(const QString& title) {
        setWindowTitle(title);
        box->setObjectName("txtName");
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(more, &QPushButton::clicked, this, [this] {
            if (onMore) onMore();
        });
    }
    QLineEdit* box = new QLineEdit(this);
    QPushButton* ok = new QPushButton("OK", this);
    QPushButton* cancel = new QPushButton("Cancel", this);
    QPushButton* more = new QPushButton("More", this);
    std::function<void()> onMore;
};

TEST(ScriptedPlatform, ModalHandlerActsInsideTheWindow) {
    ScriptedPlatform platform;
    SmallDialog dialog("Name");
    platform.expectModal([](QDialog& d) {
        auto& small = static_cast<SmallDialog&>(d);
        EXPECT_TRUE(small.isVisible());
        QTest::keyClicks(small.box, "Lunch");
        QTest::mouseClick(small.ok, Qt::LeftButton);
    });
    EXPECT_EQ(platform.showModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.box->text(), "Lunch");
    EXPECT_FALSE(dialog.isVisible());

    // Shown again, the result of the last showing does not linger.
    platform.expectModal([](QDialog& d) { static_cast<SmallDialog&>(d).cancel->click(); });
    EXPECT_EQ(platform.showModal(dialog), QDialog::Rejected);
    EXPECT_EQ(platform.log(), (QStringList{"modal: Name", "modal: Name"}));
}

TEST(ScriptedPlatform, NestedModalsAndMessagesTakeTheirAnswersInOrder) {
    ScriptedPlatform platform;
    SmallDialog outer("Outer");
    SmallDialog inner("Inner");
    MsgResult innerAnswer = MsgResult::OK;
    int innerResult = -1;
    outer.onMore = [&] { innerResult = platform.showModal(inner); };
    inner.onMore = [&] {
        innerAnswer = platform.msgBox(
            {"Replace it?", MsgButtons::YesNo, MsgIcon::Question, "Question", MsgResult::No});
    };

    platform.expectModal([](QDialog& d) {
        auto& small = static_cast<SmallDialog&>(d);
        QTest::mouseClick(small.more, Qt::LeftButton);  // opens the inner window
        QTest::mouseClick(small.ok, Qt::LeftButton);
    });
    platform.expectModal([](QDialog& d) {
        auto& small = static_cast<SmallDialog&>(d);
        QTest::mouseClick(small.more, Qt::LeftButton);  // asks the question
        QTest::mouseClick(small.cancel, Qt::LeftButton);
    });
    platform.expectMsg(MsgResult::Yes, "Replace");

    EXPECT_EQ(platform.showModal(outer), QDialog::Accepted);
    EXPECT_EQ(innerResult, QDialog::Rejected);
    EXPECT_EQ(innerAnswer, MsgResult::Yes);
    EXPECT_EQ(platform.log(), (QStringList{"modal: Outer", "modal: Inner", "msg: Replace it?"}));
    ASSERT_EQ(platform.messages().size(), 1u);
    const MsgBoxSpec& shown = platform.messages().front();
    EXPECT_EQ(shown.caption, "Question");
    EXPECT_EQ(shown.buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown.icon, MsgIcon::Question);
    EXPECT_EQ(shown.defaultButton, MsgResult::No);
}

TEST(ScriptedPlatform, UnscriptedPromptsFailAndGetTheCautiousAnswer) {
    static MsgResult answer;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            answer = platform.msgBox({"Delete this meal?", MsgButtons::YesNo});
        },
        "Unexpected message box \"Platewise\": Delete this meal?");
    EXPECT_EQ(answer, MsgResult::No);
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            answer = platform.msgBox({"Save?", MsgButtons::YesNoCancel});
        },
        "Unexpected message box");
    EXPECT_EQ(answer, MsgResult::Cancel);

    static bool printed;
    static std::optional<QString> file;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            QPrinter printer;
            printed = platform.printerSetup(nullptr, printer);
        },
        "Unexpected printer setup dialog");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            FileDialogSpec request;
            request.title = "Save Report";
            file = platform.saveFileName(nullptr, request);
        },
        "Unexpected save file dialog \"Save Report\"");
    EXPECT_FALSE(printed);
    EXPECT_FALSE(file.has_value());

    static int result;
    static bool stillShown;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            SmallDialog dialog("Portion");
            result = platform.showModal(dialog);
            stillShown = dialog.isVisible();
        },
        "Unexpected modal window \"Portion\"");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(stillShown);
}

TEST(ScriptedPlatform, MisfittingOrLeftoverScriptsFail) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            platform.expectMsg(MsgResult::OK, "not found");
            platform.message("Item Kale was missing.");
        },
        "does not contain \"not found\"");
    static MsgResult answer;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            platform.expectMsg(MsgResult::Yes);
            answer = platform.msgBox({"Done."});
        },
        "The scripted answer Yes is not a button");
    EXPECT_EQ(answer, MsgResult::OK);
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            platform.expectOpenFile("/tmp/a.txt");
        },
        "Open dialog answer was not used: /tmp/a.txt");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            platform.expectModal([](QDialog&) {});
            platform.verifyDone();
        },
        "never shown");
    static int result;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            SmallDialog dialog("Report");
            platform.expectModal(
                [](QDialog& d) { QTest::keyClicks(d.findChild<QLineEdit*>(), "1"); });
            result = platform.showModal(dialog);
        },
        "\"Report\" was still open");
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST(ScriptedPlatform, FileDialogsAndPrinterFollowTheScript) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ScriptedPlatform platform;
    platform.expectOpenFile(dir.filePath("lunch.txt"));
    platform.expectSaveFileCancel();
    platform.expectPrinterSetupCancel();
    platform.expectPrinterSetup(dir.filePath("out.pdf"));

    FileDialogSpec open;
    open.title = "Open File";
    open.filter = "text files(*.txt)|*.txt|";
    EXPECT_EQ(platform.openFileName(nullptr, open), dir.filePath("lunch.txt"));
    EXPECT_EQ(platform.saveFileName(nullptr, {}), std::nullopt);
    ASSERT_EQ(platform.fileDialogs().size(), 2u);
    EXPECT_EQ(platform.fileDialogs()[0].filter, "text files(*.txt)|*.txt|");

    QPrinter printer;
    EXPECT_FALSE(platform.printerSetup(nullptr, printer));
    ASSERT_TRUE(platform.printerSetup(nullptr, printer));
    // The chosen printer really prints, into the test's file.
    {
        QPainter painter;
        ASSERT_TRUE(painter.begin(&printer));
        painter.drawText(100, 100, "Total weight: 100 grams");
    }
    QFile pdf(dir.filePath("out.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(ScriptedPlatform, KeysInAModalWindowGoToItsFocusedControl) {
    ScriptedPlatform platform;
    SmallDialog main("Main");
    main.show();
    main.box->setFocus();
    QDialog dialog;
    auto* first = new QLineEdit(&dialog);
    auto* second = new QLineEdit(&dialog);
    platform.expectModal([&](QDialog& d) {
        first->setFocus();
        platform.sendKeys("12{tab}5");
        d.accept();
    });
    platform.showModal(dialog);
    EXPECT_EQ(first->text(), "12");
    EXPECT_EQ(second->text(), "5");
    EXPECT_EQ(main.box->text(), "");
    EXPECT_EQ(platform.sentKeys(), QStringList{"12{tab}5"});
}

}  // namespace
}  // namespace pw::test
