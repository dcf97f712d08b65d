#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>

#include "data/Database.h"
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

// Missing files are never created; files that are not ours, or not ours as they should be, are
// named with what is wrong.
TEST_F(OpenFailures, FilesTheProgramCannotUseAreNamedAndNeverCreated) {
    checkDatabaseFile(folder.customDb(), DbKind::Food);  // good files pass
    checkDatabaseFile(folder.mealDb(), DbKind::Meal);
    const QString missing = folder.file("MealDataB2.mdb");
    expectCheckFails(missing, DbKind::Meal, 3024, "could not be found");
    EXPECT_EQ(errorOf([&] { connection(missing); }), 3024);
    EXPECT_FALSE(QFile::exists(missing));

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

}  // namespace
}  // namespace pw
