#include "data/Database.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <exception>
#include <future>
#include <map>
#include <new>

#include "data/NumberText.h"
#include "data/QueryDialect.h"
#include "data/Schema.h"

namespace pw {

namespace {

// Nothing may be thrown through SQLite: a number too large for a double ends the query instead.
void leadingNumberFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    try {
        const std::size_t size = std::size_t(sqlite3_value_bytes(argv[0]));
        sqlite3_result_double(context,
                              text ? leadingNumberUtf8(std::string_view(text, size)) : 0.0);
    } catch (const RuntimeError& e) {
        sqlite3_result_error(context, e.description().toUtf8().constData(), -1);
    }
}

void bindValue(SQLite::Statement& st, int index, const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::LongLong:
            st.bind(index, static_cast<int64_t>(v.toLongLong()));
            break;
        case QMetaType::Double:
            st.bind(index, v.toDouble());
            break;
        case QMetaType::QString:
            st.bind(index, v.toString().toStdString());
            break;
        default:
            st.bind(index);
            break;  // NULL
    }
}

}  // namespace

void bindAll(SQLite::Statement& st, const QVariantList& values, int first) {
    for (int i = 0; i < values.size(); ++i) bindValue(st, first + i, values[i]);
}

namespace {

constexpr int kBusyTimeoutMs = 3000;
constexpr int kFileNotFound = 3024;
constexpr int kDiskOrNetwork = 3043;
constexpr int kDamaged = 3049;

struct Entry {
    std::shared_ptr<SQLite::Database> db;
    bool checked[2] = {false, false};  // by DbKind
};

std::map<QString, Entry>& pool() {
    static std::map<QString, Entry> connections;
    return connections;
}

QString keyFor(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void fileFailure(int number, const QString& path, const QString& what) {
    throw RuntimeError(number, QStringLiteral("%1: %2").arg(shown(path), what));
}

const QString kReadOnly = QStringLiteral("the file is read-only; the change was not saved.");

// The checks that need no database engine: the file is there, has content, and is SQLite.
void checkPlainFile(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        fileFailure(kFileNotFound, path, QStringLiteral("the file could not be found."));
    if (info.size() == 0)
        fileFailure(err::NotADatabase, path, QStringLiteral("the file is empty."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fileFailure(err::CantOpenFile, path, QStringLiteral("the file cannot be read."));
    const QByteArray head = file.read(32);
    if (head.startsWith(QByteArray("\0\1\0\0Standard Jet DB", 19)) ||
        head.startsWith(QByteArray("\0\1\0\0Standard ACE DB", 19))) {
        fileFailure(err::NotADatabase, path,
                    QStringLiteral("this is a Microsoft Access database; the program reads only "
                                   "its own database files."));
    }
    if (!head.startsWith(QByteArray("SQLite format 3\0", 16)))
        fileFailure(err::NotADatabase, path, QStringLiteral("this is not a database file."));
}

std::shared_ptr<SQLite::Database> openFile(const QString& path) {
    checkPlainFile(path);
    try {
        // Read-write only: a missing file must never be created. A connection is used by the one
        // thread that runs the windows, so SQLite need not lock it around every call.
        auto db = std::make_shared<SQLite::Database>(
            path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX, kBusyTimeoutMs);
        db->exec("PRAGMA journal_mode = DELETE");
        db->exec("PRAGMA synchronous = FULL");
        registerLetterOrder(*db);
        // pw_leading_number(text): the leading number of a stored text, as the program reads it.
        sqlite3_create_function_v2(db->getHandle(), "pw_leading_number", 1,
                                   SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   &leadingNumberFunction, nullptr, nullptr, nullptr);
        return db;
    } catch (const SQLite::Exception& e) {
        throw storeError(e, path);
    }
}

const TableInfo* const kFoodTables[] = {&csr14Table()};
const TableInfo* const kMealTables[] = {&mealNumbersTable(), &mealsTable()};

void checkTables(SQLite::Database& db, const QString& path, DbKind kind) {
    const auto check = [&](const TableInfo& table) {
        QSet<QString> columns;
        SQLite::Statement info(db, "SELECT name FROM pragma_table_info(?)");
        info.bind(1, table.name.toStdString());
        while (info.executeStep())
            columns.insert(QString::fromStdString(info.getColumn(0).getString()).toLower());
        if (columns.isEmpty())
            fileFailure(err::TableNotFound, path,
                        QStringLiteral("the table %1 is missing.").arg(table.name));
        for (const FieldInfo& f : table.fields) {
            if (!columns.contains(f.name.toLower()))
                fileFailure(
                    err::UnknownField, path,
                    QStringLiteral("the table %1 has no field %2.").arg(table.name, f.name));
        }
    };
    if (kind == DbKind::Food) {
        for (const TableInfo* t : kFoodTables) check(*t);
    } else {
        for (const TableInfo* t : kMealTables) check(*t);
    }
}

// An old number of Meals as the text the program shows for it: 150.0 as "150", 0.26 as "0.26";
// texts and fields without value stay as they are.
void numberAsText(sqlite3_context* context, int, sqlite3_value** args) {
    sqlite3_value* v = args[0];
    switch (sqlite3_value_type(v)) {
        case SQLITE_FLOAT: {
            const QByteArray text = shortestText(sqlite3_value_double(v)).toUtf8();
            sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            return;
        }
        case SQLITE_INTEGER: {
            const QByteArray text = plainInt(sqlite3_value_int64(v)).toUtf8();
            sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            return;
        }
        default:
            sqlite3_result_value(context, v);
    }
}

// Meal files made by earlier builds hold the numbers of Meals in REAL columns, which keep a
// value but not the text it was written as (" 12.5", "150.000"). Such a table is moved to text
// columns in place, in one transaction: the whole table is converted, or the file stays exactly
// as it was and is read as it is (the cursor reads a number from either kind of column).
// A table with fields of its own beyond ours is left alone.
void convertOldMealsTable(SQLite::Database& db) {
    const TableInfo& meals = mealsTable();
    QStringList columns, copied;
    bool old = false;
    SQLite::Statement info(db, "SELECT name, type FROM pragma_table_info('Meals')");
    while (info.executeStep()) {
        const QString name = QString::fromStdString(info.getColumn(0).getString());
        const FieldInfo* f = meals.field(name);
        if (!f) return;
        const QString type = QString::fromStdString(info.getColumn(1).getString());
        const bool textNow = type.compare(QLatin1String("TEXT"), Qt::CaseInsensitive) == 0;
        columns << quotedName(f->name);
        if (f->kind == FieldKind::NumberText) {
            old = old || !textNow;
            copied << QStringLiteral("pw_number_text(%1)").arg(quotedName(f->name));
        } else {
            copied << quotedName(f->name);
        }
    }
    info.reset();  // a statement not reset keeps the table from being dropped
    if (!old) return;
    sqlite3_create_function_v2(db.getHandle(), "pw_number_text", 1,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, numberAsText, nullptr,
                               nullptr, nullptr);
    try {
        SQLite::Transaction together(db, SQLite::TransactionBehavior::IMMEDIATE);
        createMealsTable(db, QStringLiteral("Meals_text"));
        db.exec(QStringLiteral("INSERT INTO \"Meals_text\" (rowid, %1) SELECT rowid, %2 FROM Meals")
                    .arg(columns.join(u','), copied.join(u','))
                    .toStdString());
        db.exec("DROP TABLE Meals");
        db.exec("ALTER TABLE \"Meals_text\" RENAME TO Meals");
        createMealsIndexes(db);
        together.commit();
    } catch (const SQLite::Exception&) {
        // Rolled back: the file is as it was.
    }
}

}  // namespace

std::shared_ptr<SQLite::Database> connection(const QString& path) {
    const QString key = keyFor(path);
    Entry& entry = pool()[key];
    if (!entry.db) {
        try {
            entry.db = openFile(path);
        } catch (...) {
            pool().erase(key);
            throw;
        }
    }
    return entry.db;
}

void checkDatabaseFile(const QString& path, DbKind kind) {
    checkPlainFile(path);
    // A connection of its own, so that a bad file is not kept open in the pool.
    const std::shared_ptr<SQLite::Database> db = openFile(path);
    try {
        // The check reads each page once: a small cache keeps the program's peak memory down.
        db->exec("PRAGMA cache_size = -256");
        if (sqlite3_db_readonly(db->getHandle(), "main") == 1)
            fileFailure(err::ReadOnly, path,
                        QStringLiteral("the file is read-only; changes could not be saved."));
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (!folder.isWritable())
            fileFailure(err::ReadOnly, path,
                        QStringLiteral("its folder is read-only; changes could not be saved."));
        const int appId = db->execAndGet("PRAGMA application_id").getInt();
        if (appId != kApplicationId)
            fileFailure(err::NotADatabase, path,
                        QStringLiteral("this database file does not belong to this program."));
        checkTables(*db, path, kind);
        SQLite::Statement quick(*db, "PRAGMA quick_check");
        if (quick.executeStep()) {
            const QString result = QString::fromStdString(quick.getColumn(0).getString());
            if (result != QLatin1String("ok"))
                fileFailure(kDamaged, path,
                            QStringLiteral("the file is damaged (%1).").arg(result));
        }
        quick.reset();
        if (kind == DbKind::Meal) convertOldMealsTable(*db);
    } catch (const SQLite::Exception& e) {
        throw storeError(e, path);
    }
}

void checkCopyOfDatabase(const QString& path, DbKind kind) {
    checkPlainFile(path);
    try {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY, kBusyTimeoutMs);
        if (db.execAndGet("PRAGMA application_id").getInt() != kApplicationId)
            fileFailure(err::NotADatabase, path,
                        QStringLiteral("this database file does not belong to this program."));
        checkTables(db, path, kind);
        const QString result =
            QString::fromStdString(db.execAndGet("PRAGMA integrity_check").getString());
        if (result != QLatin1String("ok"))
            fileFailure(kDamaged, path, QStringLiteral("the file is damaged (%1).").arg(result));
    } catch (const SQLite::Exception& e) {
        throw storeError(e, path);
    }
}

namespace {

std::shared_ptr<SQLite::Database> markChecked(const QString& path, DbKind kind) {
    auto db = connection(path);
    pool()[keyFor(path)].checked[int(kind)] = true;
    return db;
}

}  // namespace

std::shared_ptr<SQLite::Database> checkedConnection(const QString& path, DbKind kind) {
    const auto found = pool().find(keyFor(path));
    if (found != pool().end() && found->second.db && found->second.checked[int(kind)])
        return found->second.db;
    checkDatabaseFile(path, kind);
    return markChecked(path, kind);
}

struct FileChecks::State {
    QString food, meal;
    std::future<void> done;
};

FileChecks::FileChecks(const QString& foodPath, const QString& mealPath,
                       std::function<void()> afterChecks)
    : d(std::make_unique<State>(State{foodPath, mealPath, {}})) {
    d->done = std::async(std::launch::async,
                         [food = foodPath, meal = mealPath, then = std::move(afterChecks)] {
                             checkDatabaseFile(food, DbKind::Food);
                             checkDatabaseFile(meal, DbKind::Meal);
                             if (then) then();
                         });
}

FileChecks::~FileChecks() {
    if (d->done.valid()) d->done.wait();
}

void FileChecks::finish() {
    d->done.get();  // rethrows the check's RuntimeError
    markChecked(d->food, DbKind::Food);
    markChecked(d->meal, DbKind::Meal);
}

RuntimeError storeError(const SQLite::Exception& e, const QString& path) {
    const QString engine = QString::fromUtf8(e.what());
    const auto make = [&](int number, const QString& what) {
        // A failure whose file is not known is told without a name.
        if (path.isEmpty()) return RuntimeError(number, what);
        return RuntimeError(number, QStringLiteral("%1: %2").arg(shown(path), what));
    };
    switch (e.getErrorCode() & 0xff) {
        case SQLITE_FULL:
            return make(err::DiskFull,
                        QStringLiteral("the disk is full; the change was not saved."));
        case SQLITE_READONLY:
        case SQLITE_PERM:
            return make(err::ReadOnly, kReadOnly);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return make(err::FileLocked, QStringLiteral("the file is in use by another program; "
                                                        "the change was not saved. Try again."));
        case SQLITE_CONSTRAINT:
            return make(err::DuplicateKey,
                        QStringLiteral("the change would create a duplicate value (%1); it was "
                                       "not saved.")
                            .arg(engine));
        case SQLITE_NOTADB:
            return make(err::NotADatabase, QStringLiteral("this is not a database file."));
        case SQLITE_CORRUPT:
            return make(kDamaged, QStringLiteral("the file is damaged (%1).").arg(engine));
        case SQLITE_CANTOPEN:
            return make(err::CantOpenFile, QStringLiteral("the file cannot be opened."));
        case SQLITE_IOERR:
            // A file made read-only while open fails only when it is written.
            if (!QFileInfo(path).isWritable()) return make(err::ReadOnly, kReadOnly);
            return make(kDiskOrNetwork,
                        QStringLiteral("the file could not be read or written (%1); the change "
                                       "was not saved.")
                            .arg(engine));
        case SQLITE_NOMEM:
            return make(err::OutOfMemory, QStringLiteral("out of memory."));
        default:
            return make(kDiskOrNetwork, QStringLiteral("the database reported: %1").arg(engine));
    }
}

void closeAllConnections() { pool().clear(); }

Savepoint::Savepoint(SQLite::Database& db) : m_db(db) {
    // A file that may no longer be written is refused before anything is written: a write that
    // failed half-way would leave a journal that keeps the file from being read until it can
    // be written again.
    const QString path = QString::fromStdString(m_db.getFilename());
    if (!path.isEmpty() && !QFileInfo(path).isWritable())
        fileFailure(err::ReadOnly, path, kReadOnly);
    try {
        m_db.exec("SAVEPOINT pw_write");
    } catch (const SQLite::Exception& e) {
        throw storeError(e, QString::fromStdString(m_db.getFilename()));
    }
    m_open = true;
}

Savepoint::Savepoint(const QString& path) : Savepoint(*connection(path)) {
    m_keep = connection(path);
}

Savepoint::~Savepoint() {
    if (!m_open) return;
    try {
        m_db.exec("ROLLBACK TO pw_write");
        m_db.exec("RELEASE pw_write");
    } catch (const SQLite::Exception&) {
        // The connection rolls back by itself when the statement failed for good.
    }
}

void Savepoint::commit() {
    try {
        m_db.exec("RELEASE pw_write");
    } catch (const SQLite::Exception& e) {
        throw storeError(e, QString::fromStdString(m_db.getFilename()));
    }
    m_open = false;
}

ReadSnapshot::ReadSnapshot(const QString& path) {
    std::shared_ptr<SQLite::Database> db = connection(path);
    if (sqlite3_get_autocommit(db->getHandle()) == 0) return;  // read within the open one
    try {
        db->exec("BEGIN");
    } catch (const SQLite::Exception& e) {
        throw storeError(e, path);
    }
    m_db = std::move(db);
}

ReadSnapshot::~ReadSnapshot() {
    if (m_db && sqlite3_get_autocommit(m_db->getHandle()) == 0)
        sqlite3_exec(m_db->getHandle(), "COMMIT", nullptr, nullptr, nullptr);
}

RuntimeError pendingError() {
    constexpr int kInternalError = 51;
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const SQLite::Exception& e) {
        return storeError(e, QString());
    } catch (const std::bad_alloc&) {
        return RuntimeError(err::OutOfMemory);
    } catch (const std::exception& e) {
        return RuntimeError(kInternalError, QString::fromUtf8(e.what()));
    } catch (...) {
        return RuntimeError(kInternalError);
    }
}

}  // namespace pw
