#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

#include "data/RuntimeError.h"

namespace SQLite {
class Database;
class Exception;
class Statement;
}  // namespace SQLite

namespace pw {

// The two database files every data folder holds.
inline const QString kFoodFile = QStringLiteral("Custom.mdb");
inline const QString kMealFile = QStringLiteral("MealDataB.mdb");

// The program's two database files. Opening checks that the file is there, is a SQLite file of
// ours (application_id) with the tables we need, can be written, and passes quick_check; any
// failure throws RuntimeError with a message that names the file and what is wrong:
//   3024 missing file, 3343 empty file / not a database / an Access file / a SQLite file that is
//   not ours, 3078 a table missing, 3265 a field missing, 3027 read-only file or folder,
//   3049 damaged (quick_check fails). A file is never created.
// Settings for a program that must lose nothing: rollback journal, synchronous=FULL, a busy
// timeout.
enum class DbKind { Food, Meal };

// The shared connection for a file: every cursor on the same file uses the same connection, so
// a row saved through one cursor is seen by another after its refresh.
std::shared_ptr<SQLite::Database> connection(const QString& path);

// Checks a file before the program uses it; throws RuntimeError (number and a clear text naming
// the file) when it cannot be used.
void checkDatabaseFile(const QString& path, DbKind kind);

// Checks a copy of a database file that the program will not write (a backup): a SQLite file
// of ours with the tables of `kind`, passing the full integrity_check. Opened read-only; throws
// RuntimeError as checkDatabaseFile does.
void checkCopyOfDatabase(const QString& path, DbKind kind);

// The shared connection for a file of the given kind, checked (checkDatabaseFile) the first time
// the program uses it for that kind. The record cursor opens its files through this.
std::shared_ptr<SQLite::Database> checkedConnection(const QString& path, DbKind kind);

// Both files of a data folder checked (checkDatabaseFile) on a second thread, while the caller
// builds its windows: the check reads every page of the food file, and nothing on screen waits for
// it until the main window loads. The check's own connection is used by that thread alone.
class FileChecks {
public:
    // `afterChecks`, when given, runs on the same thread once both files have passed: work that
    // reads the checked files ahead of the main window. It must not throw.
    FileChecks(const QString& foodPath, const QString& mealPath,
               std::function<void()> afterChecks = {});
    ~FileChecks();  // waits for the thread
    FileChecks(const FileChecks&) = delete;
    FileChecks& operator=(const FileChecks&) = delete;
    // Waits for the checks and throws the RuntimeError of the first file that cannot be used
    // (the food file first); afterwards checkedConnection() does not check the files again.
    void finish();

private:
    struct State;
    std::unique_ptr<State> d;
};

// Binds `values` to the statement's parameters from number `first` on: whole numbers, doubles and
// texts as themselves, anything else as NULL. Every literal of a query reaches SQLite this way.
void bindAll(SQLite::Statement& st, const QVariantList& values, int first = 1);

// A failure reported by SQLite as the program's error: disk full 3035, read-only 3027, file in
// use 3045, duplicate value 3022, damaged file 3049, not a database 3343, any other 3043 (disk
// or network error); the text names the file. The change that failed was rolled back.
RuntimeError storeError(const SQLite::Exception& e, const QString& path);

// A savepoint on a connection: the writes between its start and commit() are stored together or
// not at all. Savepoints nest, so the cursors' own writes join an enclosing one (a new meal and
// its first row in Meals, for instance). Destroyed without commit(), it rolls back.
class Savepoint {
public:
    explicit Savepoint(SQLite::Database& db);
    explicit Savepoint(const QString& path);  // on the shared connection of a file
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;
    void commit();

private:
    std::shared_ptr<SQLite::Database> m_keep;
    SQLite::Database& m_db;
    bool m_open = false;
};

// A read transaction on the shared connection of a file: every read until it ends sees one
// snapshot, and the store locks the file once instead of once per statement. Nothing is written
// through it, so its end only releases the lock. Inside a transaction that is already open it
// does nothing: the reads join that one. A failure to begin throws RuntimeError (storeError).
class ReadSnapshot {
public:
    explicit ReadSnapshot(const QString& path);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    std::shared_ptr<SQLite::Database> m_db;  // null when it joined an open transaction
};

// The run-time error that stands for the exception being handled; call it only inside a catch
// block. A RuntimeError stays as it is; a store failure becomes its storeError; running out of
// memory is 7; any other exception is 51 with its own text, and one of unknown type 51 with the
// standard description. Every event guard reports what this returns.
RuntimeError pendingError();

// Closes every shared connection (tests, and the end of the program).
void closeAllConnections();

}  // namespace pw
