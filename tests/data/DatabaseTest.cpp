#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <new>
#include <stdexcept>

#include "data/Database.h"
#include "data/RuntimeError.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

bool inTransaction(const QString& path) {
    return sqlite3_get_autocommit(connection(path)->getHandle()) == 0;
}

// A snapshot holds one read transaction while it lives; inside a savepoint it joins it and
// leaves it open, so the savepoint's writes are still committed (or rolled back) by their owner.
TEST(ReadSnapshot, HoldsOneTransactionOrJoinsTheOpenOne) {
    ProgramFolder folder;
    const QString db = folder.mealDb();
    {
        const ReadSnapshot snapshot(db);
        EXPECT_TRUE(inTransaction(db));
    }
    EXPECT_FALSE(inTransaction(db));

    const int before = test::rowCount(db, QStringLiteral("MealNumbers"));
    {
        Savepoint together(db);
        connection(db)->exec(
            "INSERT INTO MealNumbers (MealNumber, MealName, MealDate) "
            "VALUES (41, 'Tea', '2024-03-05')");
        { const ReadSnapshot snapshot(db); }
        EXPECT_TRUE(inTransaction(db));  // the savepoint is still open
        together.commit();
    }
    EXPECT_FALSE(inTransaction(db));
    EXPECT_EQ(test::rowCount(db, QStringLiteral("MealNumbers")), before + 1);
    closeAllConnections();
}

// Whatever an event's handler throws becomes a run-time error with a number and a text.
TEST(PendingError, EveryKindOfExceptionBecomesARuntimeError) {
    struct Case {
        const char* what;
        std::function<void()> raise;
        int number;
        QString description;
    };
    const std::vector<Case> cases = {
        {"store failure", [] { throw SQLite::Exception("database is locked", SQLITE_BUSY); },
         err::FileLocked,
         QStringLiteral("the file is in use by another program; the change was not saved. Try "
                        "again.")},
        {"out of memory", [] { throw std::bad_alloc(); }, err::OutOfMemory,
         QStringLiteral("Out of memory")},
        {"other standard exception", [] { throw std::invalid_argument("Key script \"{X\""); }, 51,
         QStringLiteral("Key script \"{X\"")},
        {"unknown", [] { throw 42; }, 51, QStringLiteral("Internal error")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.raise();
            ADD_FAILURE() << "nothing thrown";
        } catch (...) {
            const RuntimeError e = pendingError();
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.description(), c.description);
        }
    }
}

}  // namespace
}  // namespace pw
