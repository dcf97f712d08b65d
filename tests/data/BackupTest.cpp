#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <set>

#include "data/Backup.h"
#include "data/Database.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

QByteArray fileHash(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QByteArray dataHash(const ProgramFolder& folder) {
    return fileHash(folder.customDb()) + fileHash(folder.mealDb());
}

QStringList backupNames(const QString& dataFolder) {
    return QDir(backupsFolder(dataFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// A backup every day for 400 days: at the end the 14 latest and the first of each of the 12
// months up to today remain, and nothing else.
TEST(Backup, KeepingRuleOverFourHundredDays) {
    const QDate first(2025, 1, 10);
    QStringList names;
    for (int day = 0; day < 400; ++day) {
        const QDate today = first.addDays(day);
        names << today.toString(Qt::ISODate);
        for (const QString& gone : backupsToRemove(names, today)) names.removeOne(gone);
    }
    const QDate last = first.addDays(399);  // 2026-02-13
    std::set<QString> expected;
    for (int d = 0; d < 14; ++d) expected.insert(last.addDays(-d).toString(Qt::ISODate));
    for (int m = 0; m < 12; ++m) {
        const QDate month = QDate(last.year(), last.month(), 1).addMonths(-m);
        expected.insert(month.toString(Qt::ISODate));
    }
    EXPECT_EQ(std::set<QString>(names.begin(), names.end()), expected);
    EXPECT_TRUE(
        backupsToRemove({QStringLiteral("mine"), QStringLiteral("2001-01-01x")}, last).isEmpty());
}

// Once a day, only after a checked copy; a copy that cannot be made removes nothing old and
// leaves the data files as they were.
TEST(Backup, DailyCopyIsCheckedAndWrittenOncePerDay) {
    ProgramFolder folder;
    test::addMeal(folder.mealDb(), 1, QStringLiteral("Tea"), QDate(2024, 3, 5));
    closeAllConnections();
    const QString old = backupsFolder(folder.path()) + QStringLiteral("/2020-01-01");
    QDir().mkpath(old);
    const QDate today(2024, 3, 9);
    EXPECT_TRUE(dailyBackup(folder.path(), today));
    EXPECT_FALSE(dailyBackup(folder.path(), today));
    EXPECT_EQ(backupNames(folder.path()),
              (QStringList{QStringLiteral("2020-01-01"), QStringLiteral("2024-03-09")}));
    const std::vector<BackupInfo> list = listBackups(folder.path());
    ASSERT_EQ(list.size(), 1u);  // the empty folder is no backup
    EXPECT_EQ(list[0].date, QStringLiteral("2024-03-09"));
    EXPECT_EQ(list[0].meals, 1);
    EXPECT_EQ(list[0].latestMeal, QStringLiteral("2024-03-05"));

    const QByteArray before = dataHash(folder);
    QFile::remove(folder.mealDb());
    QFile::copy(folder.file(QStringLiteral("Custom.mdb")), folder.mealDb());
    QFile(folder.mealDb()).resize(5000);  // a damaged file
    const QByteArray damaged = dataHash(folder);
    EXPECT_NE(test::errorNumberOf([&] { dailyBackup(folder.path(), today.addDays(1)); }), 0);
    EXPECT_EQ(dataHash(folder), damaged);
    EXPECT_EQ(backupNames(folder.path()).size(), 2);
    EXPECT_NE(before, damaged);
}

// A write under way in another connection is wholly outside the copy until it commits.
TEST(Backup, CopyTakenDuringAWriteIsConsistent) {
    ProgramFolder folder;
    SQLite::Database writer(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE);
    writer.exec("BEGIN IMMEDIATE");
    for (int n = 1; n <= 200; ++n)
        writer.exec("INSERT INTO MealNumbers (MealNumber, MealName, MealDate) VALUES (" +
                    std::to_string(n) + ", 'Meal', '2024-03-05')");
    QTemporaryDir out;
    writeBackup(folder.path(), out.filePath(QStringLiteral("during")));
    writer.exec("COMMIT");
    writeBackup(folder.path(), out.filePath(QStringLiteral("after")));
    EXPECT_EQ(describeBackup(out.filePath(QStringLiteral("during"))).meals, 0);
    EXPECT_EQ(describeBackup(out.filePath(QStringLiteral("after"))).meals, 200);
    checkBackup(out.filePath(QStringLiteral("during")));
    // A folder that already holds a backup is never written over.
    EXPECT_NE(test::errorNumberOf([&] { writeBackup(folder.path(), folder.path()); }), 0);
}

// A damaged backup, a SQLite file of another program and a text file named .mdb are refused and
// change nothing; a sound one replaces both files after a copy of the current ones.
TEST(Backup, RestoreRefusesWhatIsNotASoundBackup) {
    ProgramFolder folder;
    test::addMeal(folder.mealDb(), 1, QStringLiteral("Now"), QDate(2024, 3, 5));
    QTemporaryDir store;
    const QString sound = store.filePath(QStringLiteral("sound"));
    writeBackup(folder.path(), sound);
    test::addMeal(folder.mealDb(), 2, QStringLiteral("Later"), QDate(2024, 3, 6));
    closeAllConnections();

    const auto broken = [&](const QString& name, const std::function<void(const QString&)>& spoil) {
        const QString dir = store.filePath(name);
        QDir().mkpath(dir);
        for (const QString& file : {kFoodFile, kMealFile})
            QFile::copy(sound + u'/' + file, dir + u'/' + file);
        spoil(dir + u'/' + kMealFile);
        return dir;
    };
    const QString cases[] = {
        broken(QStringLiteral("damaged"),
               [](const QString& f) {
                   QFile file(f);
                   file.open(QIODevice::ReadWrite);
                   file.seek(4096);  // the second page, whole
                   file.write(QByteArray(4096, '\x7f'));
               }),
        broken(QStringLiteral("foreign"),
               [](const QString& f) {
                   QFile::remove(f);
                   SQLite::Database(f.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
                       .exec("CREATE TABLE Meals (x)");
               }),
        broken(QStringLiteral("text"),
               [](const QString& f) {
                   QFile::remove(f);
                   QFile file(f);
                   file.open(QIODevice::WriteOnly);
                   file.write("Breakfast, toast\n");
               }),
    };
    const QByteArray before = dataHash(folder);
    const QDateTime now(QDate(2024, 3, 9), QTime(15, 30, 12));
    for (const QString& dir : cases) {
        EXPECT_NE(test::errorNumberOf([&] { restoreBackup(dir, folder.path(), now); }), 0)
            << dir.toStdString();
        EXPECT_EQ(dataHash(folder), before) << dir.toStdString();
    }
    EXPECT_TRUE(backupNames(folder.path()).isEmpty());

    restoreBackup(sound, folder.path(), now);
    EXPECT_EQ(test::rowCount(folder.mealDb(), QStringLiteral("MealNumbers")), 1);
    EXPECT_EQ(backupNames(folder.path()), QStringList{QStringLiteral("2024-03-09-153012000")});
    EXPECT_EQ(listBackups(folder.path()).at(0).meals, 2);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);  // no copies or mark left
}

}  // namespace
}  // namespace pw
