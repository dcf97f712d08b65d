#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/ScriptedPlatform.h"

namespace pw::test {
namespace {

// A small dialog: a box, OK and Cancel, and a button whose action the test chooses.
class SmallDialog : public QDialog {
public:
    explicit SmallDialog(const QString& title) {
        setWindowTitle(title);
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

SmallDialog& small(QDialog& d) { return static_cast<SmallDialog&>(d); }

TEST(ScriptedPlatform, ModalHandlerTypesAndClicksInsideTheWindow) {
    ScriptedPlatform platform;
    SmallDialog dialog("Name");
    platform.expectModal([](QDialog& d) {
        QTest::keyClicks(small(d).box, "Lunch");
        QTest::mouseClick(small(d).ok, Qt::LeftButton);
    });
    EXPECT_EQ(platform.showModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.box->text(), "Lunch");
    EXPECT_FALSE(dialog.isVisible());

    // Shown again, the result of the last showing does not linger.
    platform.expectModal([](QDialog& d) { small(d).cancel->click(); });
    EXPECT_EQ(platform.showModal(dialog), QDialog::Rejected);
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
        QTest::mouseClick(small(d).more, Qt::LeftButton);  // opens the inner window
        QTest::mouseClick(small(d).ok, Qt::LeftButton);
    });
    platform.expectModal([](QDialog& d) {
        QTest::mouseClick(small(d).more, Qt::LeftButton);  // asks the question
        QTest::mouseClick(small(d).cancel, Qt::LeftButton);
    });
    platform.expectMsg(MsgResult::Yes, "Replace");

    EXPECT_EQ(platform.showModal(outer), QDialog::Accepted);
    EXPECT_EQ(innerResult, QDialog::Rejected);
    EXPECT_EQ(innerAnswer, MsgResult::Yes);
    EXPECT_EQ(platform.log(), (QStringList{"modal: Outer", "modal: Inner", "msg: Replace it?"}));
}

TEST(ScriptedPlatform, UnscriptedPromptsAndUnusedAnswersFail) {
    static MsgResult answer;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            answer = platform.msgBox({"Delete this meal?", MsgButtons::YesNo});
        },
        "Unexpected message box \"Platewise\": Delete this meal?");
    EXPECT_EQ(answer, MsgResult::No);

    static int result;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            SmallDialog dialog("Portion");
            result = platform.showModal(dialog);
        },
        "Unexpected modal window \"Portion\"");
    EXPECT_EQ(result, QDialog::Rejected);

    // Answers left unused fail.
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
    // A handler that leaves its window open fails rather than hanging the test.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPlatform platform;
            SmallDialog dialog("Report");
            platform.expectModal([](QDialog& d) { QTest::keyClicks(small(d).box, "1"); });
            result = platform.showModal(dialog);
        },
        "\"Report\" was still open");
}

}  // namespace
}  // namespace pw::test
