#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "app/FormB.h"
#include "app/Globals.h"
#include "data/Database.h"
#include "data/RuntimeError.h"
#include "platform/BoundList.h"
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

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
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
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Korvane Platewise"));
    EXPECT_EQ(form->DataB.recordCount(), 0);
    EXPECT_TRUE(form->sMealNum.isEmpty());
    EXPECT_TRUE(form->svA.isEmpty());
    EXPECT_TRUE(form->RTBox->toPlainText().isEmpty());
    EXPECT_FALSE(form->DBList1->isVisible());
    EXPECT_FALSE(form->Frame2->isVisible());
    // Every food of the table is in the list, in description order.
    EXPECT_EQ(form->DBList1->count(), test::fixtureFoodDescriptions().size());
    EXPECT_EQ(form->DBList1->rowText(0), QStringLiteral("Apple, raw"));
    EXPECT_EQ(form->svCR, QStringLiteral("\r\n"));
}

TEST(Startup, OpensOnTheLowestMealNumber) {
    ProgramFolder folder;
    const QDate d(2024, 3, 5);
    test::addMeal(folder.mealDb(), 7, "Dinner", d, false);
    test::addMealItem(folder.mealDb(), 7, "Dinner", d, "Apple, raw", 100);
    test::addMeal(folder.mealDb(), 12, "Snack", d, false);
    test::addMealItem(folder.mealDb(), 12, "Snack", d, "Milk, whole", 100);
    test::addMeal(folder.mealDb(), 3, "Lunch", d, false);
    for (const char* food : {"Apple, raw", "Milk, whole", "Bread, whole-wheat"})
        test::addMealItem(folder.mealDb(), 3, "Lunch", d, food, 100);

    ScriptedPlatform platform;
    auto form = startProgram(platform, folder.path());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->sMealNum, QStringLiteral("3"));
    EXPECT_EQ(form->svA, QStringLiteral("Select ALL * from Meals Where MealNumber = 3"));
    EXPECT_EQ(form->lTotalRecordsB, 3);
    EXPECT_EQ(form->DataB.absolutePosition(), 0);
    EXPECT_EQ(form->txtFieldB.text(38), QStringLiteral("3"));
    EXPECT_EQ(form->RTBox->toPlainText(), QStringLiteral("Korvane Platewise version 1.0"));
    EXPECT_TRUE(platform.messages().empty());
}

// Each file the program cannot use: a message naming the file, no main window, the file as it was.
TEST(Startup, UnusableFilesAreReportedByNameAndLeftUntouched) {
    struct Case {
        const char* what;
        std::function<void(ProgramFolder&)> spoil;
        bool meal;  // which file is spoiled
    };
    const std::vector<Case> cases = {
        {"missing", [](ProgramFolder& f) { QFile::remove(f.mealDb()); }, true},
        {"zero length", [](ProgramFolder& f) { writeBytes(f.customDb(), {}); }, false},
        {"an Access file",
         [](ProgramFolder& f) {
             writeBytes(f.mealDb(),
                        QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, '\0'));
         },
         true},
        {"not ours", [](ProgramFolder& f) { execSql(f.customDb(), "PRAGMA application_id = 7"); },
         false},
        {"lacks a table", [](ProgramFolder& f) { execSql(f.mealDb(), "DROP TABLE Meals"); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        c.spoil(folder);
        const QString path = c.meal ? folder.mealDb() : folder.customDb();
        const QByteArray before = fileBytes(path);
        const bool existed = QFile::exists(path);
        ScriptedPlatform platform;
        platform.expectMsg(MsgResult::OK, c.meal ? "MealDataB.mdb" : "Custom.mdb");
        EXPECT_FALSE(startProgram(platform, folder.path()));
        EXPECT_EQ(QFile::exists(path), existed);
        EXPECT_EQ(fileBytes(path), before);
        closeAllConnections();
    }
}

// While a food is being picked only the picking, Open, Exit and Help can be used; Cancel gives
// every meal command back.
TEST(Startup, PickingAFoodLocksTheMealCommandsUntilCancel) {
    ProgramFolder folder;
    const QDate d(2024, 3, 5);
    test::addMeal(folder.mealDb(), 1, "Lunch", d, false);
    test::addMealItem(folder.mealDb(), 1, "Lunch", d, "Apple, raw", 100);
    ScriptedPlatform platform;
    auto form = startProgram(platform, folder.path());
    ASSERT_TRUE(form);
    FormB& f = *form;
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

TEST(GlobalErrorHandler, TextsByErrorNumber) {
    ScriptedPlatform platform;
    GlobalErrorHandler(platform, err::DialogCancelled);  // never reported
    platform.expectMsg(MsgResult::OK);
    GlobalErrorHandler(platform, 11);
    platform.expectMsg(MsgResult::OK);
    GlobalErrorHandler(platform, 62);
    platform.expectMsg(MsgResult::OK);
    GlobalErrorHandler(platform, 3426);
    platform.expectMsg(MsgResult::OK);
    GlobalErrorHandler(platform, 7);
    ASSERT_EQ(platform.messages().size(), 4u);
    EXPECT_EQ(platform.messages()[0].text,
              QStringLiteral("Error number 11 was encountered.\n\rWhich is described as: ") +
                  errorDescription(11));
    EXPECT_EQ(platform.messages()[1].text,
              QStringLiteral("Error Number 62, Input past end of File.\nThis means you tried to "
                             "read a binary file"));
    EXPECT_EQ(platform.messages()[2].text,
              QStringLiteral("Error 3426  Information has not been entered correctly in the "
                             "entry fields"));
    EXPECT_EQ(platform.messages()[3].text,
              QStringLiteral("File selected is too large for this program to handle"));
    for (const MsgBoxSpec& m : platform.messages()) {
        EXPECT_EQ(m.caption, QStringLiteral("Platewise"));
        EXPECT_EQ(m.buttons, MsgButtons::OK);
    }
}

}  // namespace
}  // namespace pw
