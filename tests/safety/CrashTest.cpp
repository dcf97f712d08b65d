// A writer killed at random moments loses no meal it reported as saved and leaves a sound file.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <chrono>
#include <random>
#include <set>
#include <thread>

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

}  // namespace
}  // namespace pw::test
