#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QTest>

#include "platform/QtPlatform.h"

namespace pw {
namespace {

TEST(QtPlatform, FileFiltersInBothNotations) {
    // The dialog reads the patterns from the parentheses that end each filter.
    EXPECT_EQ(nameFilters("txt files(*.txt)|*.txt|"), QStringList{"txt files(*.txt)"});
    EXPECT_EQ(nameFilters("Reports|*.txt;*.rpt|All files|*.*"),
              (QStringList{"Reports (*.txt *.rpt)", "All files (*.*)"}));
    EXPECT_EQ(nameFilters("Text Files (*.txt);;All Files (*)"),
              (QStringList{"Text Files (*.txt)", "All Files (*)"}));
}

TEST(QtPlatform, MousePointerIsASettingNotAStack) {
    {
        QtPlatform platform;
        platform.setMousePointer(Pointer::Busy);
        platform.setMousePointer(Pointer::Busy);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        platform.setMousePointer(Pointer::Normal);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        platform.setMousePointer(Pointer::Busy);
    }
    // A platform that goes away leaves no hourglass behind.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Answers the message box the platform is about to show with a key, from inside its own event
// loop, after noting what the box looked like.
struct BoxAnswer {
    explicit BoxAnswer(int k) : key(k) {
        QMetaObject::invokeMethod(
            qApp,
            [this] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;  // the box never came: the test sees a wrong answer
                caption = box->windowTitle();
                icon = box->icon();
                QTest::keyClick(box, Qt::Key(key));
            },
            Qt::QueuedConnection);
    }
    int key;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

TEST(QtPlatform, MessageBoxesAnswerToTheKeyboard) {
    QtPlatform platform;
    // Enter takes the default button.
    BoxAnswer enter(Qt::Key_Return);
    EXPECT_EQ(platform.msgBox({"Delete <b>Kale</b>?", MsgButtons::YesNo, MsgIcon::Question,
                               "Question", MsgResult::No}),
              MsgResult::No);
    EXPECT_EQ(enter.caption, "Question");
    EXPECT_EQ(enter.icon, QMessageBox::Question);

    // Escape is the cautious answer.
    for (auto [buttons, expected] : {std::pair{MsgButtons::OK, MsgResult::OK},
                                     std::pair{MsgButtons::OKCancel, MsgResult::Cancel},
                                     std::pair{MsgButtons::YesNo, MsgResult::No},
                                     std::pair{MsgButtons::YesNoCancel, MsgResult::Cancel}}) {
        BoxAnswer escape(Qt::Key_Escape);
        EXPECT_EQ(platform.msgBox({"Leave?", buttons}), expected);
    }
}

}  // namespace
}  // namespace pw
