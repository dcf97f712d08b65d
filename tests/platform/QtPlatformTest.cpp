#include "platform/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(QtPlatform, FileFiltersInBothNotations) {
    // The dialog reads the patterns from the parentheses that end each filter.
    EXPECT_EQ(nameFilters("txt files(*.txt)|*.txt|"), QStringList{"txt files(*.txt)"});
    EXPECT_EQ(nameFilters("Reports|*.txt;*.rpt|All files|*.*"),
              (QStringList{"Reports (*.txt *.rpt)", "All files (*.*)"}));
    EXPECT_EQ(nameFilters("Text Files (*.txt);;All Files (*)"),
              (QStringList{"Text Files (*.txt)", "All Files (*)"}));
    EXPECT_TRUE(nameFilters("").isEmpty());
}

TEST(QtPlatform, MousePointerIsASettingNotAStack) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        QtPlatform platform;
        platform.setMousePointer(Pointer::Busy);
        platform.setMousePointer(Pointer::Busy);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        platform.setMousePointer(Pointer::Normal);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        platform.setMousePointer(Pointer::Normal);
        platform.setMousePointer(Pointer::Busy);
    }
    // A platform that goes away leaves no hourglass behind.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Answers the message box the platform is about to show with a key, from inside its own event
// loop, after noting what the box looked like.
struct BoxAnswer {
    explicit BoxAnswer(int k) : key(k) {}
    int key;
    QString text, caption, defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;

    void arm() {
        QMetaObject::invokeMethod(
            qApp,
            [this] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;  // the box never came: the test sees a wrong answer
                text = box->text();
                caption = box->windowTitle();
                icon = box->icon();
                buttonCount = int(box->buttons().size());
                if (box->defaultButton()) defaultButton = box->defaultButton()->text();
                QTest::keyClick(box, Qt::Key(key));
            },
            Qt::QueuedConnection);
    }
};

TEST(QtPlatform, MessageBoxesAnswerToTheKeyboard) {
    QtPlatform platform;
    BoxAnswer enter(Qt::Key_Return);
    enter.arm();
    // Enter takes the default button; a text with markup shows as it is.
    EXPECT_EQ(platform.msgBox({"Delete <b>Kale</b>?", MsgButtons::YesNo, MsgIcon::Question,
                               "Question", MsgResult::No}),
              MsgResult::No);
    EXPECT_EQ(enter.text, "Delete <b>Kale</b>?");
    EXPECT_EQ(enter.caption, "Question");
    EXPECT_EQ(enter.icon, QMessageBox::Question);
    EXPECT_EQ(enter.buttonCount, 2);
    EXPECT_EQ(enter.defaultButton.remove('&'), "No");

    // Without a default of its own the first button is the default.
    BoxAnswer first(Qt::Key_Return);
    first.arm();
    EXPECT_EQ(platform.msgBox({"Save it?", MsgButtons::YesNoCancel, MsgIcon::Exclamation}),
              MsgResult::Yes);
    EXPECT_EQ(first.icon, QMessageBox::Warning);
    EXPECT_EQ(first.buttonCount, 3);
    EXPECT_EQ(first.caption, "Platewise");

    // Escape is the cautious answer.
    for (auto [buttons, expected] : {std::pair{MsgButtons::OK, MsgResult::OK},
                                     std::pair{MsgButtons::OKCancel, MsgResult::Cancel},
                                     std::pair{MsgButtons::YesNo, MsgResult::No},
                                     std::pair{MsgButtons::YesNoCancel, MsgResult::Cancel}}) {
        BoxAnswer escape(Qt::Key_Escape);
        escape.arm();
        EXPECT_EQ(platform.msgBox({"Leave?", buttons}), expected);
    }
}

}  // namespace
}  // namespace pw
