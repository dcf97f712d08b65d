#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/FormB.h"
#include "app/Startup.h"
#include "app/frmRestore.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "platform/GlobalModule.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;
using test::ScriptedPlatform;

// Escape closes the window and changes nothing; Enter on the listed backup asks, then puts the
// backup's meals on show after copying the files in use into Backups/.
TEST(Restore, TheWindowRestoresTheChosenBackupFromTheKeyboard) {
    ProgramFolder folder;
    test::addMeal(folder.mealDb(), 4, QStringLiteral("Kept"), QDate(2024, 3, 5));
    ASSERT_TRUE(dailyBackup(folder.path(), QDate(2024, 3, 6)));
    test::addMeal(folder.mealDb(), 2, QStringLiteral("Later"), QDate(2024, 3, 7));
    ScriptedPlatform platform;
    auto form = startProgram(platform, folder.path());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->sMealNum, QStringLiteral("2"));

    const auto press = [](int key) {
        return [key](QDialog& d) {
            auto& window = static_cast<frmRestore&>(d);
            QApplication::setActiveWindow(&window);
            EXPECT_EQ(window.windowTitle(), QStringLiteral("Restore from a Backup"));
            ASSERT_EQ(window.lstBackups->topLevelItemCount(), 1);
            const QTreeWidgetItem* row = window.lstBackups->topLevelItem(0);
            EXPECT_EQ(QStringList({row->text(0), row->text(1), row->text(2)}),
                      QStringList({"2024-03-06", "1", "2024-03-05"}));
            QTest::keyClick(window.lstBackups, Qt::Key(key));
        };
    };
    platform.expectModal(press(Qt::Key_Escape));
    form->mnuRestore->trigger();
    EXPECT_EQ(test::rowCount(folder.mealDb(), QStringLiteral("MealNumbers")), 2);

    platform.expectModal(press(Qt::Key_Return));
    platform.expectMsg(MsgResult::Yes, QStringLiteral("Replace your meals and your own foods"));
    form->mnuRestore->trigger();
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, QStringLiteral("Question"));
    EXPECT_EQ(platform.messages()[0].defaultButton, MsgResult::No);
    EXPECT_EQ(form->sMealNum, QStringLiteral("4"));
    EXPECT_EQ(test::rowCount(folder.mealDb(), QStringLiteral("MealNumbers")), 1);
    EXPECT_EQ(listBackups(folder.path()).front().meals, 2);  // the files that were in use
    form.reset();
    closeAllConnections();
}

}  // namespace
}  // namespace pw
