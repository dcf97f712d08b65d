#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "app/FormB.h"
#include "app/Startup.h"
#include "data/Database.h"
#include "data/RuntimeError.h"
#include "platform/BoundList.h"
#include "platform/GlobalModule.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;
using test::ScriptedPlatform;

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void execSql(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST(Startup, NoMealsShowsTheMessageOverTheVisibleWindowAndNoBanner) {
    ProgramFolder folder;
    ScriptedPlatform platform;
    platform.expectMsg(MsgResult::OK, "There are no records yet...proceed to step 1.");
    auto form = startProgram(platform, folder.path());
    ASSERT_TRUE(form);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, QStringLiteral("Platewise"));
    EXPECT_EQ(platform.messages()[0].icon, MsgIcon::None);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->sMealNum.isEmpty());
    EXPECT_TRUE(form->RTBox->toPlainText().isEmpty());
    EXPECT_FALSE(form->DBList1->isVisible());
    // Every food of the table is in the list, in description order.
    EXPECT_EQ(form->DBList1->count(), test::fixtureFoodDescriptions().size());
    EXPECT_EQ(form->DBList1->rowText(0), QStringLiteral("Apple, raw"));
}

// Opens on the lowest meal number; while a food is being picked only the picking, Open, Exit and
// Help can be used, and Cancel gives every meal command back.
TEST(Startup, OpensOnTheLowestMealAndPickingLocksTheMealCommandsUntilCancel) {
    ProgramFolder folder;
    const QDate d(2024, 3, 5);
    for (int meal : {7, 12, 3}) test::addMeal(folder.mealDb(), meal, "Meal", d, false);
    test::addMealItem(folder.mealDb(), 7, "Meal", d, "Apple, raw", 100);
    test::addMealItem(folder.mealDb(), 12, "Meal", d, "Milk, whole", 100);
    for (const char* food : {"Apple, raw", "Milk, whole", "Bread, whole-wheat"})
        test::addMealItem(folder.mealDb(), 3, "Meal", d, food, 100);
    ScriptedPlatform platform;
    auto form = startProgram(platform, folder.path());
    ASSERT_TRUE(form);
    FormB& f = *form;
    EXPECT_EQ(f.sMealNum, QStringLiteral("3"));
    EXPECT_EQ(f.lTotalRecordsB, 3);
    EXPECT_EQ(f.DataB.absolutePosition(), 0);
    EXPECT_EQ(f.RTBox->toPlainText(), QStringLiteral("Korvane Platewise version 1.0"));
    EXPECT_TRUE(platform.messages().empty());

    // The row of buttons along the top edge, all but Exit.
    QList<QPushButton*> row =
        f.centralWidget()->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
    row.removeOne(f.cmdClose);
    ASSERT_FALSE(row.isEmpty());
    const QList<QAction*> menus = {f.mnuSaveReport,          f.mnuPrintReport,
                                   f.mnuStep1->menuAction(), f.mnuStep2->menuAction(),
                                   f.mnuStep3->menuAction(), f.mnuReport->menuAction()};
    const auto expectEnabled = [&](bool enabled) {
        for (QPushButton* b : row) EXPECT_EQ(b->isEnabled(), enabled) << b->text().toStdString();
        for (QAction* a : menus) EXPECT_EQ(a->isEnabled(), enabled) << a->text().toStdString();
        for (QAction* a : {f.mnuFileOpen, f.mnuExit, f.mnuHelpMenu->menuAction()})
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        EXPECT_TRUE(f.cmdClose->isEnabled());
    };
    QTest::mouseClick(f.cmdAddItem, Qt::LeftButton);
    expectEnabled(false);
    QTest::mouseClick(f.cmdCancel, Qt::LeftButton);
    expectEnabled(true);
}

// Each file the program cannot use: a message naming the file, no main window, the file as it
// was. (Which fault is named how: OpenFailures in the data tests.)
TEST(Startup, UnusableFilesAreReportedByNameAndLeftUntouched) {
    const std::vector<std::pair<std::function<void(ProgramFolder&)>, bool>> cases = {
        {[](ProgramFolder& f) { QFile::remove(f.mealDb()); }, true},
        {[](ProgramFolder& f) { QFile(f.customDb()).resize(0); }, false},
        {[](ProgramFolder& f) { execSql(f.customDb(), "PRAGMA application_id = 7"); }, false},
        {[](ProgramFolder& f) { execSql(f.mealDb(), "DROP TABLE Meals"); }, true},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& [spoil, meal] = cases[i];
        ProgramFolder folder;
        spoil(folder);
        const QString path = meal ? folder.mealDb() : folder.customDb();
        const QByteArray before = fileBytes(path);
        const bool existed = QFile::exists(path);
        ScriptedPlatform platform;
        platform.expectMsg(MsgResult::OK, meal ? "MealDataB.mdb" : "Custom.mdb");
        EXPECT_FALSE(startProgram(platform, folder.path()));
        EXPECT_EQ(QFile::exists(path), existed);
        EXPECT_EQ(fileBytes(path), before);
        closeAllConnections();
    }
}

TEST(GlobalErrorHandler, TextsByErrorNumber) {
    ScriptedPlatform platform;
    GlobalErrorHandler(platform, err::DialogCancelled);  // never reported
    const std::pair<int, QString> cases[] = {
        {11, QStringLiteral("Error number 11 was encountered.\n\rWhich is described as: ") +
                 errorDescription(11)},
        {62, QStringLiteral("Error Number 62, Input past end of File.\nThis means you tried to "
                            "read a binary file")},
        {3426, QStringLiteral("Error 3426  Information has not been entered correctly in the "
                              "entry fields")},
    };
    for (const auto& [number, text] : cases) {
        platform.expectMsg(MsgResult::OK);
        GlobalErrorHandler(platform, number);
        ASSERT_FALSE(platform.messages().empty());
        EXPECT_EQ(platform.messages().back().text, text);
        EXPECT_EQ(platform.messages().back().caption, QStringLiteral("Platewise"));
        EXPECT_EQ(platform.messages().back().buttons, MsgButtons::OK);
    }
    EXPECT_EQ(platform.messages().size(), 3u);
}

}  // namespace
}  // namespace pw
