#include "platform/QtPlatform.h"

#include <QCursor>
#include <QGuiApplication>

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

}  // namespace
}  // namespace pw
