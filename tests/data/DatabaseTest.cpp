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
constexpr auto errorOf = test::errorNumberOf;

QString textOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return {};
}

class OpenFailures : public ::testing::Test {
protected:
    // The check must fail with `number`, name the file and say `what`.
    void expectCheckFails(const QString& path, DbKind kind, int number, const char* what) {
        const auto check = [&] { checkDatabaseFile(path, kind); };
        const QString text = textOf(check);
        EXPECT_EQ(errorOf(check), number) << text.toStdString();
        EXPECT_TRUE(text.contains(QFileInfo(path).fileName()) && text.contains(what))
            << text.toStdString();
    }
    void writeMealDb(const QByteArray& bytes) {
        QFile f(folder.mealDb());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    ProgramFolder folder{ProgramFolder::Content::Empty};
};

TEST_F(OpenFailures, MissingFileIsReportedAndNeverCreated) {
    checkDatabaseFile(folder.customDb(), DbKind::Food);  // good files pass
    checkDatabaseFile(folder.mealDb(), DbKind::Meal);
    const QString missing = folder.file("MealDataB2.mdb");
    expectCheckFails(missing, DbKind::Meal, 3024, "could not be found");
    RecordCursor c;
    c.setDatabaseName(missing);
    c.setRecordSource("Meals");
    EXPECT_EQ(errorOf([&] { c.refresh(); }), 3024);
    EXPECT_EQ(errorOf([&] { connection(missing); }), 3024);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(OpenFailures, FilesThatAreNotOurDatabases) {
    // The food file is ours but has no meal tables; a meal file that lacks a field.
    expectCheckFails(folder.customDb(), DbKind::Meal, err::TableNotFound, "MealNumbers");
    SQLite::Database(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE)
        .exec("ALTER TABLE Meals DROP COLUMN PortionSize");
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::UnknownField, "PortionSize");

    const std::pair<QByteArray, const char*> files[] = {
        {QByteArray(), "empty"},
        {QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, 'x'), "Access"},
        {"Lunch,3/4/02\n", "not a database"}};
    for (const auto& [bytes, what] : files) {
        writeMealDb(bytes);
        expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, what);
    }
    QFile::remove(folder.mealDb());  // a SQLite file of another program
    SQLite::Database(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
        .exec("CREATE TABLE Meals (x)");
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, "does not belong");
}

TEST_F(OpenFailures, DamagedFile) {
    // Index pages overwritten: the header is intact but the content does not hold together.
    for (int i = 0; i < 50; ++i)
        test::addMealItem(folder.mealDb(), i, QString(40, u'n'), QDate(2020, 1, 1), "x", 1);
    const qint64 size = QFileInfo(folder.mealDb()).size();
    ASSERT_GT(size, 4096 * 3);
    QFile f(folder.mealDb());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(4096 * 2));
    f.write(QByteArray(int(size - 4096 * 2), '\x5a'));
    f.close();
    const auto check = [&] { checkDatabaseFile(folder.mealDb(), DbKind::Meal); };
    EXPECT_TRUE(errorOf(check) == 3049 || errorOf(check) == err::NotADatabase);
    EXPECT_TRUE(textOf(check).contains("MealDataB.mdb")) << textOf(check).toStdString();
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
        items.addNew();
        items.setText("MealNumber", "1");
    }
    ProgramFolder folder;
    RecordCursor items;
};

TEST_F(WriteFailures, DiskFullKeepsTheRowPendingAndTheFileUnchanged) {
    auto db = connection(folder.mealDb());
    db->exec("PRAGMA max_page_count = " +
             std::to_string(db->execAndGet("PRAGMA page_count").getInt()));
    items.setText("description", QString(20000, u'x'));
    EXPECT_TRUE(textOf([&] { items.update(); }).contains("disk is full"));
    EXPECT_EQ(errorOf([&] { items.update(); }), err::DiskFull);
    EXPECT_EQ(items.editMode(), EditMode::Adding);
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 1);
    db->exec("PRAGMA max_page_count = 1073741823");
    items.update();  // once there is room, the same pending row saves
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 2);
}

TEST_F(WriteFailures, FileInUseByAnotherProgram) {
    connection(folder.mealDb())->setBusyTimeout(0);
    SQLite::Database other(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE);
    other.exec("BEGIN EXCLUSIVE");
    EXPECT_EQ(errorOf([&] { items.update(); }), err::FileLocked);
    EXPECT_EQ(items.editMode(), EditMode::Adding);
    items.cancelUpdate();
    EXPECT_EQ(errorOf([&] { items.deleteRow(); }), err::FileLocked);
    EXPECT_TRUE(items.hasCurrentRow());  // the row was not deleted
    other.exec("ROLLBACK");
    items.deleteRow();
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 0);
}

}  // namespace
}  // namespace pw
