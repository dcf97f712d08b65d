#include "data/RecordCursor.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "data/Database.h"
#include "data/NumberText.h"
#include "data/QueryDialect.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "data/StoredText.h"

namespace pw {

namespace {

constexpr int kInvalidArgument = 3001;
constexpr int kNotABookmark = 3159;
// Whole numbers beyond this lose digits in a double; a text that large does not fit the field.
constexpr double kLargestWhole = 9007199254740992.0;

using Value = std::optional<QString>;  // nullopt: the field has no value (NULL)

// The leading number of a stored value's text, as leadingNumber(storedText(...)) reads it. A
// whole number or a normal finite double reads back as itself, so those skip the text.
double storedNumber(const SQLite::Column& c, FieldKind kind) {
    switch (c.getType()) {
        case SQLITE_NULL:
            return 0.0;
        case SQLITE_INTEGER:
            return double(c.getInt64()) + 0.0;
        case SQLITE_FLOAT: {
            const double v = c.getDouble();
            if (std::isfinite(v) && (v == 0.0 || std::fabs(v) >= DBL_MIN)) return v + 0.0;
            break;
        }
        case SQLITE_TEXT:
            // A stored text (but a date, which reads as its month/day/year text) is read as its
            // bytes.
            if (kind != FieldKind::Date)
                return leadingNumberUtf8(std::string_view(c.getText(), std::size_t(c.getBytes())));
            break;
        default:
            break;
    }
    return leadingNumber(storedText(c, kind).value_or(QString()));
}

[[noreturn]] void doesNotFit(const FieldInfo& f, const QString& text, const char* kind) {
    throw RuntimeError(err::UpdateCancelled,
                       QStringLiteral("The text '%1' does not fit the field %2 (%3).")
                           .arg(text, f.name, QLatin1String(kind)));
}

// The text of a bound field as the value to store; a text that does not fit raises 3426.
QVariant valueToStore(const FieldInfo& f, const Value& text) {
    if (!text) return QVariant();
    if (f.kind == FieldKind::Text) return *text;
    // Kept exactly as written; an empty one is a field without value, as before.
    if (f.kind == FieldKind::NumberText) return text->isEmpty() ? QVariant() : QVariant(*text);
    if (text->trimmed().isEmpty()) return QVariant();
    switch (f.kind) {
        case FieldKind::Number: {
            const auto v = wholeNumber(*text);
            if (!v) doesNotFit(f, *text, "a number");
            return *v;
        }
        case FieldKind::Integer: {
            const auto v = wholeNumber(*text);
            if (!v || std::fabs(*v) > kLargestWhole) doesNotFit(f, *text, "a whole number");
            return static_cast<qlonglong>(roundHalfEven(*v));
        }
        case FieldKind::Date: {
            const auto date = parseMdy(*text);
            if (!date) doesNotFit(f, *text, "a date in month/day/year order");
            return date->toString(Qt::ISODate);
        }
        case FieldKind::Text:
        case FieldKind::NumberText:
            break;
    }
    return *text;
}

QString columnList(const TableInfo& table) {
    QStringList cols;
    for (const FieldInfo& f : table.fields) cols << quotedName(f.name);
    return cols.join(u',');
}

}  // namespace

// A stored value as the text a person expects: 717, 0.1, 2.11, dates as MM/DD/YYYY.
std::optional<QString> storedText(const SQLite::Column& c, FieldKind kind) {
    if (c.isNull()) return std::nullopt;
    if (c.isInteger()) return plainInt(c.getInt64());
    if (c.isFloat()) {
        const double v = c.getDouble();
        if (kind == FieldKind::Integer && std::trunc(v) == v && std::fabs(v) <= kLargestWhole)
            return plainInt(static_cast<long long>(v));
        return shortestText(v);
    }
    const QString text = QString::fromStdString(c.getString());
    if (kind == FieldKind::Date) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid()) return mdyText(date);
    }
    return text;
}

// The file change counter in a database file's header, which every committed change advances
// (the files keep a rollback journal); 0 when it cannot be read.
quint32 changeCounter(const QString& path) {
    QFile file(path);
    char header[28];
    if (!file.open(QIODevice::ReadOnly) || file.read(header, sizeof header) != sizeof header)
        return 0;
    return qFromBigEndian<quint32>(header + 24);
}

struct RecordCursor::Impl {
    QString path;
    QString source;

    // What the last refresh opened.
    std::shared_ptr<SQLite::Database> db;
    SqlQuery query;
    std::vector<int64_t> rows;  // row ids in the cursor's order; added rows at the end
    int pos = -1;               // -1 before the first row, rows.size() past the last
    bool afterDelete = false;   // the row at pos was deleted: no current row until a move
    std::unique_ptr<SQLite::Statement> rowStatement;

    // The current row's values, read when first asked for.
    mutable bool loaded = false;
    mutable std::vector<Value> values;
    // Texts written outside an edit, held as a bound text box holds them until the next move.
    QHash<int, QString> held;

    // The texts of a list's field read with the rows by refresh(ColumnRead&&), answered once by
    // columnTexts while nothing was written through the connection since.
    struct Ahead {
        int field = -1;
        TextColumn texts;
        int64_t changes = 0;
    };
    mutable std::optional<Ahead> ahead;

    EditMode mode = EditMode::None;
    std::vector<Value> pending;
    std::vector<bool> dirty;
    bool noMatch = false;

    int count() const { return int(rows.size()); }
    bool hasRow() const { return !afterDelete && pos >= 0 && pos < count(); }
    const TableInfo& table() const { return *query.table; }

    // Field positions by their exact names; other spellings take the slower search below.
    QHash<QString, int> exactNames;

    int fieldIndex(const QString& name) const {
        if (!query.table) throw RuntimeError(err::UnknownField);
        if (const auto it = exactNames.constFind(name); it != exactNames.constEnd()) return *it;
        const auto& fields = query.table->fields;
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
        throw RuntimeError(err::UnknownField, QStringLiteral("%1 (%2)").arg(
                                                  errorDescription(err::UnknownField), name));
    }

    template <class F>
    auto guarded(F&& f) const {
        try {
            return f();
        } catch (const SQLite::Exception& e) {
            throw storeError(e, path);
        }
    }

    void load() const {
        if (loaded) return;
        values.assign(table().fields.size(), std::nullopt);
        if (hasRow()) {
            guarded([&] {
                // A failed step of an earlier read would be reported again by a plain reset.
                rowStatement->tryReset();
                rowStatement->bind(1, rows[std::size_t(pos)]);
                // A row deleted through another cursor reads as a row without values.
                if (rowStatement->executeStep()) {
                    for (std::size_t i = 0; i < values.size(); ++i)
                        values[i] =
                            storedText(rowStatement->getColumn(int(i)), table().fields[i].kind);
                }
                rowStatement->tryReset();
            });
        }
        loaded = true;
    }

    void rowChanged() {
        loaded = false;
        held.clear();
    }

    void dropPending() {
        mode = EditMode::None;
        pending.clear();
        dirty.clear();
    }
};

RecordCursor::RecordCursor() : d(std::make_unique<Impl>()) {}
RecordCursor::~RecordCursor() = default;

void RecordCursor::setDatabaseName(const QString& path) { d->path = path; }
QString RecordCursor::databaseName() const { return d->path; }
void RecordCursor::setRecordSource(const QString& source) { d->source = source; }
QString RecordCursor::recordSource() const { return d->source; }

void RecordCursor::refresh() { open(nullptr); }

void RecordCursor::refresh(ColumnRead&& read) {
    open(read.path == d->path && read.source == d->source ? &read : nullptr);
}

void RecordCursor::open(ColumnRead* ahead) {
    SqlQuery query = translateSource(d->source);
    const DbKind kind = query.table == &csr14Table() ? DbKind::Food : DbKind::Meal;
    auto db = checkedConnection(d->path, kind);
    // Rows read ahead are taken only while the file is as it was when they were read.
    if (ahead && (ahead->version == 0 || ahead->version != changeCounter(d->path))) ahead = nullptr;
    std::vector<int64_t> rows;
    auto rowStatement = d->guarded([&] {
        if (ahead) {
            rows = std::move(ahead->rows);
        } else {
            SQLite::Statement ids(*db, query.selectSql(QStringLiteral("rowid")).toStdString());
            bindAll(ids, query.condition.values);
            while (ids.executeStep()) rows.push_back(ids.getColumn(0).getInt64());
        }
        const QString one = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                .arg(columnList(*query.table), quotedName(query.table->name));
        return std::make_unique<SQLite::Statement>(*db, one.toStdString());
    });
    d->dropPending();
    d->rowStatement.reset();  // before the connection it belongs to may go
    d->db = std::move(db);
    if (d->query.table != query.table) {
        d->exactNames.clear();
        for (std::size_t i = 0; i < query.table->fields.size(); ++i)
            d->exactNames.insert(query.table->fields[i].name, int(i));
    }
    d->query = std::move(query);
    d->rows = std::move(rows);
    d->rowStatement = std::move(rowStatement);
    d->noMatch = false;
    d->ahead.reset();
    if (ahead)
        d->ahead = Impl::Ahead{d->fieldIndex(ahead->field), std::move(ahead->texts),
                               sqlite3_total_changes64(d->db->getHandle())};
    arriveAt(d->rows.empty() ? -1 : 0);
}

RecordCursor::Mark RecordCursor::mark() const { return {d->rows, d->pos, d->afterDelete}; }

void RecordCursor::restore(const Mark& mark) {
    d->dropPending();
    d->ahead.reset();
    d->rows = mark.rows;
    arriveAt(mark.pos, mark.afterDelete);
}

CursorMarks::CursorMarks(std::initializer_list<RecordCursor*> cursors) {
    for (RecordCursor* c : cursors) m_marks.emplace_back(c, c->mark());
}

void CursorMarks::restore() const {
    for (const auto& [cursor, mark] : m_marks) {
        try {
            cursor->restore(mark);
        } catch (const RuntimeError&) {
            // The row is shown again once the file can be read.
        }
    }
}

void RecordCursor::arriveAt(int position, bool afterDelete) {
    d->pos = position;
    d->afterDelete = afterDelete;
    d->rowChanged();
    if (onReposition) onReposition();
}

bool RecordCursor::isOpen() const { return d->db != nullptr; }

int RecordCursor::recordCount() const { return d->count(); }

// Leaving a row saves a pending change first, as a bound form does; a failing save keeps the
// cursor where it is.
static void leaveRow(RecordCursor& c, bool hasRow) {
    if (c.editMode() != EditMode::None) {
        c.update();
    } else if (hasRow && c.onValidate) {
        c.onValidate();
    }
}

void RecordCursor::moveFirst() {
    leaveRow(*this, d->hasRow());
    if (d->rows.empty()) throw RuntimeError(err::NoCurrentRecord);
    arriveAt(0);
}

void RecordCursor::moveLast() {
    leaveRow(*this, d->hasRow());
    if (d->rows.empty()) throw RuntimeError(err::NoCurrentRecord);
    arriveAt(d->count() - 1);
}

void RecordCursor::moveNext() {
    leaveRow(*this, d->hasRow());
    if (d->afterDelete) {
        arriveAt(d->pos);  // the row after the deleted one now stands at pos
    } else if (eof()) {
        throw RuntimeError(err::NoCurrentRecord);
    } else {
        arriveAt(d->pos + 1);
    }
}

void RecordCursor::movePrevious() {
    leaveRow(*this, d->hasRow());
    if (d->afterDelete) {
        arriveAt(d->pos - 1);
    } else if (bof()) {
        throw RuntimeError(err::NoCurrentRecord);
    } else {
        arriveAt(std::min(d->pos, d->count()) - 1);
    }
}

bool RecordCursor::eof() const {
    return d->rows.empty() || (!d->afterDelete && d->pos >= d->count());
}

bool RecordCursor::bof() const { return d->rows.empty() || (!d->afterDelete && d->pos < 0); }

bool RecordCursor::hasCurrentRow() const { return d->hasRow(); }

int RecordCursor::absolutePosition() const { return d->hasRow() ? d->pos : -1; }

void RecordCursor::setAbsolutePosition(int position) {
    leaveRow(*this, d->hasRow());
    if (position < 0 || position >= d->count()) throw RuntimeError(kInvalidArgument);
    arriveAt(position);
}

QByteArray RecordCursor::bookmark() const {
    if (!d->hasRow()) throw RuntimeError(err::NoCurrentRecord);
    return QByteArray::number(static_cast<qlonglong>(d->rows[std::size_t(d->pos)]));
}

void RecordCursor::setBookmark(const QByteArray& bookmark) {
    bool ok = false;
    const int64_t rowid = bookmark.toLongLong(&ok);
    const auto it = std::find(d->rows.begin(), d->rows.end(), rowid);
    if (!ok || it == d->rows.end())
        throw RuntimeError(kNotABookmark, QStringLiteral("Not a valid bookmark."));
    leaveRow(*this, d->hasRow());
    arriveAt(int(it - d->rows.begin()));
}

bool RecordCursor::findFirst(const QString& criteria) {
    if (!d->db) throw RuntimeError(err::NoCurrentRecord);
    const SqlCondition condition = translateCriteria(criteria, d->table());
    leaveRow(*this, d->hasRow());
    std::unordered_set<int64_t> matching;
    d->guarded([&] {
        SQLite::Statement st(*d->db, QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                                         .arg(quotedName(d->table().name), condition.where)
                                         .toStdString());
        bindAll(st, condition.values);
        while (st.executeStep()) matching.insert(st.getColumn(0).getInt64());
    });
    for (std::size_t i = 0; i < d->rows.size(); ++i) {
        if (matching.count(d->rows[i])) {
            d->noMatch = false;
            arriveAt(int(i));
            return true;
        }
    }
    d->noMatch = true;
    return false;
}

bool RecordCursor::noMatch() const { return d->noMatch; }

void RecordCursor::addNew() {
    if (!d->db) throw RuntimeError(err::NoCurrentRecord);
    if (d->mode != EditMode::None) update();
    d->rowChanged();
    d->mode = EditMode::Adding;
    d->pending.assign(d->table().fields.size(), std::nullopt);
    d->dirty.assign(d->pending.size(), false);
}

void RecordCursor::edit() {
    if (d->mode == EditMode::Editing) return;
    if (d->mode == EditMode::Adding) update();
    if (!d->hasRow()) throw RuntimeError(err::NoCurrentRecord);
    d->held.clear();
    d->load();
    d->mode = EditMode::Editing;
    d->pending = d->values;
    d->dirty.assign(d->pending.size(), false);
}

void RecordCursor::update() {
    if (d->mode == EditMode::None) throw RuntimeError(err::UpdateWithoutEdit);
    if (d->mode == EditMode::Editing && !d->hasRow()) throw RuntimeError(err::NoCurrentRecord);
    if (onValidate) onValidate();
    const auto& fields = d->table().fields;

    // Every written text must fit its field (3426) before the rules of the table are tested.
    QStringList columns;
    QVariantList toStore;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!d->dirty[i]) continue;
        columns << quotedName(fields[i].name);
        toStore << valueToStore(fields[i], d->pending[i]);
    }
    int written = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldInfo& f = fields[i];
        bool isNull = !d->pending[i].has_value();
        bool isEmptyText = !isNull && f.kind == FieldKind::Text && d->pending[i]->isEmpty();
        if (d->dirty[i]) {
            isNull = !toStore[written++].isValid();
        }
        if (f.required && isNull) {
            throw RuntimeError(err::RequiredNull,
                               QStringLiteral("The field '%1.%2' cannot contain a Null value "
                                              "because the Required property for this field is "
                                              "set to True.  Enter a value in this field.")
                                   .arg(d->table().name, f.name));
        }
        if (!f.allowEmpty && isEmptyText) {
            throw RuntimeError(err::ZeroLength,
                               QStringLiteral("Field '%1.%2' can't be a zero-length string.")
                                   .arg(d->table().name, f.name));
        }
    }

    const QString table = quotedName(d->table().name);
    d->guarded([&] {
        Savepoint transaction(*d->db);
        if (d->mode == EditMode::Adding) {
            QString sql =
                columns.isEmpty()
                    ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                    : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, columns.join(u','),
                               QStringList(columns.size(), QStringLiteral("?")).join(u','));
            SQLite::Statement st(*d->db, sql.toStdString());
            bindAll(st, toStore);
            st.exec();
            const int64_t rowid = d->db->getLastInsertRowid();
            transaction.commit();
            d->rows.push_back(rowid);
            d->ahead.reset();
        } else if (!columns.isEmpty()) {
            QStringList sets;
            for (const QString& c : columns) sets << c + QStringLiteral(" = ?");
            SQLite::Statement st(*d->db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                             .arg(table, sets.join(u','))
                                             .toStdString());
            bindAll(st, toStore);
            st.bind(int(toStore.size()) + 1, d->rows[std::size_t(d->pos)]);
            st.exec();
            transaction.commit();
        }
    });
    d->dropPending();
    d->rowChanged();
}

void RecordCursor::cancelUpdate() {
    d->dropPending();
    d->rowChanged();
}

void RecordCursor::deleteRow() {
    if (d->mode != EditMode::None) cancelUpdate();
    if (!d->hasRow()) throw RuntimeError(err::NoCurrentRecord);
    if (onValidate) onValidate();
    const int64_t rowid = d->rows[std::size_t(d->pos)];
    d->guarded([&] {
        Savepoint transaction(*d->db);
        SQLite::Statement st(*d->db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?")
                                         .arg(quotedName(d->table().name))
                                         .toStdString());
        st.bind(1, rowid);
        st.exec();
        transaction.commit();
    });
    d->rows.erase(d->rows.begin() + d->pos);
    d->ahead.reset();
    d->afterDelete = true;
    d->rowChanged();
}

EditMode RecordCursor::editMode() const { return d->mode; }

QStringList RecordCursor::fieldNames() const {
    return d->query.table ? pw::fieldNames(*d->query.table) : QStringList();
}

bool RecordCursor::hasField(const QString& field) const {
    return d->query.table && d->query.table->field(field) != nullptr;
}

QString RecordCursor::text(const QString& field) const {
    if (!d->query.table) return QString();
    const int i = d->fieldIndex(field);
    if (d->mode != EditMode::None) return d->pending[std::size_t(i)].value_or(QString());
    if (const auto it = d->held.constFind(i); it != d->held.constEnd()) return *it;
    if (!d->hasRow()) return QString();
    d->load();
    return d->values[std::size_t(i)].value_or(QString());
}

bool RecordCursor::isNull(const QString& field) const {
    if (!d->query.table) return true;
    const int i = d->fieldIndex(field);
    if (d->mode != EditMode::None) return !d->pending[std::size_t(i)].has_value();
    if (!d->hasRow()) return true;
    d->load();
    return !d->values[std::size_t(i)].has_value();
}

void RecordCursor::setText(const QString& field, const QString& text) {
    const int i = d->fieldIndex(field);
    if (d->mode == EditMode::None) {
        d->held.insert(i, text);
        return;
    }
    d->pending[std::size_t(i)] = text;
    d->dirty[std::size_t(i)] = true;
}

QStringList RecordCursor::columnTexts(const QString& field) const {
    return columnTextBlock(field).toList();
}

TextColumn RecordCursor::columnTextBlock(const QString& field) const {
    if (!d->db) return {};
    const int i = d->fieldIndex(field);
    const FieldInfo& f = d->table().fields[std::size_t(i)];
    if (d->ahead) {
        Impl::Ahead ahead = std::move(*d->ahead);
        d->ahead.reset();
        if (ahead.field == i && ahead.changes == sqlite3_total_changes64(d->db->getHandle()))
            return ahead.texts;
    }
    // The rows are put in the cursor's order by their rowids: sorting them again in the query
    // would cost as much as the refresh did.
    QHash<int64_t, QString> byRow;
    byRow.reserve(qsizetype(d->rows.size()));
    d->guarded([&] {
        SQLite::Statement st(*d->db, d->query
                                         .selectSql(QStringLiteral("rowid, ") + quotedName(f.name),
                                                    SqlQuery::Order::Unordered)
                                         .toStdString());
        bindAll(st, d->query.condition.values);
        while (st.executeStep())
            byRow.insert(st.getColumn(0).getInt64(),
                         storedText(st.getColumn(1), f.kind).value_or(QString()));
    });
    TextColumn out;
    for (int64_t rowid : d->rows) {
        const auto it = byRow.constFind(rowid);
        if (it != byRow.constEnd()) {
            out.append(*it);
            continue;
        }
        // A row added through this cursor that the source's condition does not select.
        QString value;
        d->guarded([&] {
            SQLite::Statement one(*d->db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                              .arg(quotedName(f.name), quotedName(d->table().name))
                                              .toStdString());
            one.bind(1, rowid);
            if (one.executeStep()) value = storedText(one.getColumn(0), f.kind).value_or(QString());
        });
        out.append(value);
    }
    return out;
}

void RecordCursor::forEachRowNumbers(const QStringList& fields,
                                     const std::function<void(const double*)>& visit) const {
    if (!d->db || d->rows.empty()) return;
    const std::size_t width = std::size_t(fields.size());
    std::vector<const FieldInfo*> wanted;
    QStringList columns{QStringLiteral("rowid")};
    for (const QString& name : fields) {
        wanted.push_back(&d->table().fields[std::size_t(d->fieldIndex(name))]);
        columns << quotedName(wanted.back()->name);
    }
    const std::size_t count = d->rows.size();
    std::vector<double> numbers(std::max<std::size_t>(width, 1) * count, 0.0);
    std::vector<bool> read(count, false);
    std::unordered_map<int64_t, std::size_t> positions;  // built only when the orders differ
    auto readRow = [&](SQLite::Statement& st, std::size_t at) {
        for (std::size_t f = 0; f < width; ++f)
            numbers[at * width + f] = storedNumber(st.getColumn(int(f) + 1), wanted[f]->kind);
        read[at] = true;
    };
    d->guarded([&] {
        SQLite::Statement st(*d->db, d->query.selectSql(columns.join(u',')).toStdString());
        bindAll(st, d->query.condition.values);
        std::size_t next = 0;  // rows come in the cursor's order unless rows were added or deleted
        while (st.executeStep()) {
            const int64_t rowid = st.getColumn(0).getInt64();
            if (next < count && d->rows[next] == rowid) {
                readRow(st, next++);
                continue;
            }
            if (positions.empty())
                for (std::size_t i = 0; i < count; ++i) positions.emplace(d->rows[i], i);
            if (const auto it = positions.find(rowid); it != positions.end())
                readRow(st, it->second);
        }
        // Rows added through this cursor that the source's condition does not select; a row
        // deleted through another cursor reads as a row without values.
        std::unique_ptr<SQLite::Statement> one;
        for (std::size_t i = 0; i < count; ++i) {
            if (read[i]) continue;
            if (!one) {
                columns.removeFirst();
                one = std::make_unique<SQLite::Statement>(
                    *d->db, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid = ?")
                                .arg(columns.join(u','), quotedName(d->table().name))
                                .toStdString());
            }
            one->reset();
            one->bind(1, d->rows[i]);
            if (one->executeStep()) readRow(*one, i);
        }
    });
    for (std::size_t i = 0; i < count; ++i) visit(numbers.data() + i * width);
}

QString SrchReplace(const QString& sStringToFix) {
    QString out;
    out.reserve(sStringToFix.size() + 8);
    for (const QChar c : sStringToFix) {
        out += c;
        if (c == u'\'') out += c;
    }
    return out;
}

}  // namespace pw
