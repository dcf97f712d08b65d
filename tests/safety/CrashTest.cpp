// A writer killed at random moments loses no meal it reported as saved and leaves a sound file.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "custom/FoodsCsv.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "tests/support/TestDb.h"

namespace pw::test {
namespace {

// Every meal number of MealNumbers, after checking the file and that both tables agree.
std::set<int> checkedMeals(const QString& path) {
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);  // rolls a hot journal back
    EXPECT_EQ(db.execAndGet("PRAGMA integrity_check").getString(), "ok");
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM MealNumbers n WHERE NOT EXISTS (SELECT 1 FROM "
                            "Meals m WHERE m.MealNumber = n.MealNumber AND m.description IS NULL)")
                  .getInt(),
              0)
        << "a meal without its header row";
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM Meals m WHERE NOT EXISTS (SELECT 1 FROM "
                            "MealNumbers n WHERE m.MealNumber = n.MealNumber)")
                  .getInt(),
              0)
        << "a row of Meals without its meal";
    std::set<int> meals;
    SQLite::Statement st(db, "SELECT MealNumber FROM MealNumbers");
    while (st.executeStep()) meals.insert(st.getColumn(0).getInt());
    return meals;
}

TEST(Crash, AKilledWriterKeepsEveryMealItReportedAndASoundFile) {
    ProgramFolder folder(ProgramFolder::Content::Templates);
    std::mt19937 random(20240304);
    std::uniform_int_distribution<int> delayUs(0, 250000);
    std::set<int> reported;
    const int kills = 250;
    for (int round = 0; round < kills; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(PW_MEAL_WRITER), {folder.mealDb()});
        ASSERT_TRUE(writer.waitForStarted());
        // The delay only picks the moment of the kill; nothing is measured.
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        writer.kill();  // SIGKILL
        ASSERT_TRUE(writer.waitForFinished());
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << writer.readAllStandardError().data();
        // A number is reported once its whole line is out.
        QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
        lines.removeLast();
        for (const QByteArray& line : lines) reported.insert(line.toInt());
        const std::set<int> stored = checkedMeals(folder.mealDb());
        for (int meal : reported)
            ASSERT_TRUE(stored.count(meal)) << "meal " << meal << " lost after kill " << round;
        if (HasFailure()) return;
    }
    RecordProperty("kills", kills);
    RecordProperty("meals", int(reported.size()));
    std::printf("%d kills, %zu meals reported saved\n", kills, reported.size());
    EXPECT_GT(reported.size(), 0u);
}

// What a start finds after a kill: an interrupted restore finished or undone, both files sound
// and accepted by the program's own check; the numbers of meals and of foods.
std::pair<int, int> nextStart(const ProgramFolder& folder) {
    finishInterruptedRestore(folder.path());
    for (const QString& file : {folder.customDb(), folder.mealDb()}) {
        SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE);  // rolls a journal back
        EXPECT_EQ(db.execAndGet("PRAGMA integrity_check").getString(), "ok");
    }
    EXPECT_EQ(errorNumberOf([&] { checkDatabaseFile(folder.customDb(), DbKind::Food); }), 0);
    EXPECT_EQ(errorNumberOf([&] { checkDatabaseFile(folder.mealDb(), DbKind::Meal); }), 0);
    return {rowCount(folder.mealDb(), QStringLiteral("MealNumbers")),
            rowCount(folder.customDb(), QStringLiteral("CSR14"))};
}

// A backup, a restore and an import of 300 foods, each killed at random moments: the data files
// always hold all of the old data or all of the new, and a cut-short backup is absent or whole.
TEST(Crash, KilledBackupRestoreAndImportLeaveAllOldOrAllNew) {
    ProgramFolder folder;
    for (int n = 1; n <= 3; ++n)
        addMeal(folder.mealDb(), n, QStringLiteral("Old"), QDate(2024, 3, n));
    QTemporaryDir work;
    const QString saved = work.filePath(QStringLiteral("old"));
    const QString backup = work.filePath(QStringLiteral("backup"));
    const QString copy = work.filePath(QStringLiteral("copy"));
    const QString csv = work.filePath(QStringLiteral("foods.csv"));
    {
        ProgramFolder source;
        addMeal(source.mealDb(), 1, QStringLiteral("New"), QDate(2024, 4, 1));
        writeBackup(source.path(), backup);
        QByteArray foods = "Description,GMWT_1,GMWT_DESC1,ENERG_KCAL\r\n";
        for (int i = 0; i < 300; ++i)
            foods += "Food " + QByteArray::number(i) + ",10,1 spoon,5\r\n";
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(foods);
        closeAllConnections();
    }
    writeBackup(folder.path(), saved);
    const std::pair<int, int> old = nextStart(folder);
    const std::map<QString, std::pair<int, int>> fresh{
        {QStringLiteral("backup"), old},
        {QStringLiteral("restore"), {1, old.second}},
        {QStringLiteral("import"), {old.first, old.second + 300}}};
    std::mt19937 random(20261207);
    for (const auto& [mode, expected] : fresh) {
        int mid = 0, done = 0, renewed = 0;
        QElapsedTimer clock;
        clock.start();
        // Round -1 runs to its end and sets the span the kills fall in. A kill that comes after
        // the work shortens the span and one that cuts it lengthens it a little, so that most
        // kills land during the work however busy the machine is.
        int spanUs = 0;
        for (int round = -1; round < 100; ++round) {
            QProcess worker;
            worker.start(QStringLiteral(PW_DATA_WORKER),
                         {mode, folder.path(),
                          mode == QLatin1String("backup")    ? copy
                          : mode == QLatin1String("restore") ? backup
                                                             : csv});
            ASSERT_TRUE(worker.waitForStarted());
            if (round < 0) {
                ASSERT_TRUE(worker.waitForFinished());
                spanUs = int(clock.nsecsElapsed() / 1000) * 6 / 5;
            } else {
                std::this_thread::sleep_for(std::chrono::microseconds(
                    std::uniform_int_distribution<int>(0, spanUs)(random)));
                worker.kill();
                ASSERT_TRUE(worker.waitForFinished());
            }
            const bool finished = worker.exitStatus() == QProcess::NormalExit;
            if (finished) {
                EXPECT_EQ(worker.exitCode(), 0) << worker.readAllStandardError().data();
            }
            const std::pair<int, int> now = nextStart(folder);
            ASSERT_TRUE(now == old || now == expected)
                << mode.toStdString() << " round " << round << ": " << now.first << " meals, "
                << now.second << " foods";
            if (mode == QLatin1String("backup") && QFileInfo::exists(copy)) checkBackup(copy);
            if (round >= 0) (finished ? done : mid) += 1;
            if (round >= 0) spanUs = finished ? spanUs * 9 / 10 : spanUs * 51 / 50 + 1;
            if (round >= 0 && now != old) ++renewed;
            // Back to the old files for the next round.
            QDir(copy).removeRecursively();
            QDir(backupsFolder(folder.path())).removeRecursively();
            if (now != old)
                for (const QString& name : {kFoodFile, kMealFile}) {
                    QFile::remove(folder.file(name));
                    QFile::copy(saved + u'/' + name, folder.file(name));
                }
        }
        std::printf(
            "%s: 100 kills, %d during the work, %d after it, %d with the new data, %lld ms\n",
            qPrintable(mode), mid, done, renewed, clock.elapsed());
        EXPECT_GT(mid, 50) << mode.toStdString();
    }
}

}  // namespace
}  // namespace pw::test
