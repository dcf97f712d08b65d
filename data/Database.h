#pragma once

#include <QString>

#include <memory>

namespace SQLite {
class Database;
}

namespace pw {

// The program's two database files. Opening checks that the file is there, is a SQLite file of
// ours (application_id) with the tables we need, can be written, and passes quick_check; any
// failure throws RuntimeError with a message that names the file and what is wrong. Settings for
// a program that must lose nothing: rollback journal, synchronous=FULL, a busy timeout.
enum class DbKind { Food, Meal };

// The shared connection for a file: every cursor on the same file uses the same connection, so
// a row saved through one cursor is seen by another after its refresh.
std::shared_ptr<SQLite::Database> connection(const QString& path);

// Checks a file before the program uses it; throws RuntimeError (number and a clear text naming
// the file) when it cannot be used.
void checkDatabaseFile(const QString& path, DbKind kind);

// Closes every shared connection (tests, and the end of the program).
void closeAllConnections();

}  // namespace pw
