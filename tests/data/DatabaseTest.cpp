#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>

#include "data/Database.h"
#include "data/RecordCursor.h"
#include "data/Schema.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

struct Failure {
    int number = 0;
    QString text;
};

Failure failureOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return {e.number(), e.description()};
    }
    return {};
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class OpenFailures : public ::testing::Test {
protected:
    // The check must fail with `number`, name the file and say `what`.
    void expectCheckFails(const QString& path, DbKind kind, int number, const char* what) {
        const Failure f = failureOf([&] { checkDatabaseFile(path, kind); });
        EXPECT_EQ(f.number, number) << f.text.toStdString();
        EXPECT_TRUE(f.text.contains(QFileInfo(path).fileName())) << f.text.toStdString();
        EXPECT_TRUE(f.text.contains(QLatin1String(what))) << f.text.toStdString();
    }
    ProgramFolder folder{ProgramFolder::Content::Empty};
};

TEST_F(OpenFailures, GoodFilesPass) {
    checkDatabaseFile(folder.customDb(), DbKind::Food);
    checkDatabaseFile(folder.mealDb(), DbKind::Meal);
}

TEST_F(OpenFailures, MissingFileIsReportedAndNeverCreated) {
    const QString missing = folder.file("MealDataB2.mdb");
    expectCheckFails(missing, DbKind::Meal, 3024, "could not be found");
    RecordCursor c;
    c.setDatabaseName(missing);
    c.setRecordSource("Meals");
    EXPECT_EQ(failureOf([&] { c.refresh(); }).number, 3024);
    EXPECT_EQ(failureOf([&] { connection(missing); }).number, 3024);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(OpenFailures, FilesThatAreNotOurDatabases) {
    writeBytes(folder.mealDb(), QByteArray());
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, "empty");

    writeBytes(folder.mealDb(),
               QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, 'x'));
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, "Access");

    writeBytes(folder.mealDb(), QByteArray("Lunch,3/4/02\n"));
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, "not a database");

    // A SQLite file of another program.
    QFile::remove(folder.mealDb());
    {
        SQLite::Database other(folder.mealDb().toStdString(),
                               SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        other.exec("CREATE TABLE Meals (x)");
    }
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, "does not belong");
}

TEST_F(OpenFailures, MissingTableOrField) {
    // The food file is ours but has no meal tables.
    expectCheckFails(folder.customDb(), DbKind::Meal, err::TableNotFound, "MealNumbers");
    {
        SQLite::Database db(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE);
        db.exec("ALTER TABLE Meals DROP COLUMN PortionSize");
    }
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::UnknownField, "PortionSize");
}

TEST_F(OpenFailures, DamagedFile) {
    // Index pages overwritten: the header is intact but the content does not hold together.
    for (int i = 0; i < 50; ++i)
        test::addMealItem(folder.mealDb(), i, QString(40, u'n'), QDate(2020, 1, 1), "x", 1);
    QFile f(folder.mealDb());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    ASSERT_GT(size, 4096 * 3);
    f.seek(4096 * 2);
    f.write(QByteArray(int(size - 4096 * 2), '\x5a'));
    f.close();
    const Failure failure = failureOf([&] { checkDatabaseFile(folder.mealDb(), DbKind::Meal); });
    EXPECT_TRUE(failure.number == 3049 || failure.number == err::NotADatabase) << failure.number;
    EXPECT_TRUE(failure.text.contains("MealDataB.mdb")) << failure.text.toStdString();
}

TEST_F(OpenFailures, ReadOnlyFile) {
    QFile::setPermissions(folder.mealDb(), QFile::ReadOwner | QFile::ReadGroup);
    bool immutable = false;
    if (geteuid() == 0) {  // permissions do not bind root; an immutable file does
        immutable = QProcess::execute("chattr", {"+i", folder.mealDb()}) == 0;
        if (!immutable) GTEST_SKIP() << "cannot make a file read-only for root here";
    }
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::ReadOnly, "read-only");
    if (immutable) QProcess::execute("chattr", {"-i", folder.mealDb()});
}

class WriteFailures : public ::testing::Test {
protected:
    void SetUp() override {
        test::addMeal(folder.mealDb(), 1, "Lunch", QDate(2024, 5, 6));
        items.setDatabaseName(folder.mealDb());
        items.setRecordSource("Select * from Meals Where MealNumber = 1");
        items.refresh();
    }
    void addItem(const QString& description) {
        items.addNew();
        items.setText("description", description);
        items.setText("MealNumber", "1");
    }
    ProgramFolder folder;
    RecordCursor items;
};

TEST_F(WriteFailures, DiskFullKeepsTheRowPendingAndTheFileUnchanged) {
    auto db = connection(folder.mealDb());
    const int pages = db->execAndGet("PRAGMA page_count").getInt();
    db->exec("PRAGMA max_page_count = " + std::to_string(pages));
    addItem(QString(20000, u'x'));
    const Failure f = failureOf([&] { items.update(); });
    EXPECT_EQ(f.number, err::DiskFull);
    EXPECT_TRUE(f.text.contains("disk is full")) << f.text.toStdString();
    EXPECT_EQ(items.editMode(), EditMode::Adding);
    EXPECT_EQ(items.recordCount(), 1);
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 1);
    db->exec("PRAGMA max_page_count = 1073741823");
    items.update();  // once there is room, the same pending row saves
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 2);
}

TEST_F(WriteFailures, FileInUseByAnotherProgram) {
    connection(folder.mealDb())->setBusyTimeout(0);
    SQLite::Database other(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE);
    other.exec("BEGIN EXCLUSIVE");
    addItem("Toast");
    EXPECT_EQ(failureOf([&] { items.update(); }).number, err::FileLocked);
    EXPECT_EQ(items.editMode(), EditMode::Adding);
    items.cancelUpdate();
    EXPECT_EQ(failureOf([&] { items.deleteRow(); }).number, err::FileLocked);
    EXPECT_TRUE(items.hasCurrentRow());  // the row was not deleted
    other.exec("ROLLBACK");
    items.deleteRow();
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 0);
}

TEST_F(WriteFailures, CursorsOnOneFileShareOneConnection) {
    EXPECT_EQ(connection(folder.mealDb()), connection(folder.file("./MealDataB.mdb")));
    const auto db = connection(folder.mealDb());
    EXPECT_EQ(db->execAndGet("PRAGMA journal_mode").getString(), "delete");
    EXPECT_EQ(db->execAndGet("PRAGMA synchronous").getInt(), 2);  // FULL
}

}  // namespace
}  // namespace pw
