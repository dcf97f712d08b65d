#include "data/ColumnRead.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <algorithm>
#include <numeric>

#include "data/Database.h"
#include "data/QueryDialect.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "data/StoredText.h"

namespace pw {

namespace {

// Sorts `order` by `less`, a total order, cheaply when it is nearly in that order already: an
// insertion sort while it moves few entries, a full sort once it has moved as many as there are.
// The insertion sort asks `lessThanEarlier(x, y)` only of an entry x and one that came before it,
// so that question may take what the order they came in says. True when anything moved.
template <class LessThanEarlier, class Less>
bool sortNearlyInOrder(std::vector<std::size_t>& order, LessThanEarlier lessThanEarlier,
                       Less less) {
    std::size_t moves = 0;
    for (std::size_t i = 1; i < order.size(); ++i) {
        const std::size_t x = order[i];
        std::size_t j = i;
        for (; j > 0 && lessThanEarlier(x, order[j - 1]); --j) order[j] = order[j - 1];
        order[j] = x;
        moves += i - j;
        if (moves > order.size()) {
            std::stable_sort(order.begin(), order.end(), less);
            return true;
        }
    }
    return moves > 0;
}

// The texts of `f` in the rows `query` selects, put in the letter order (rowid among equal
// texts), as ORDER BY <f> COLLATE letter order, rowid would give them, without SQLite's sorter.
// They are read in case-blind order, which the field's index gives without sorting and which is
// the letter order already wherever texts are plain ASCII and differ in more than case. False
// when a value is not a text: SQLite orders those by other rules.
bool readInLetterOrder(SQLite::Database& db, const SqlQuery& query, const FieldInfo& f,
                       ColumnRead& read) {
    SQLite::Statement st(db, (query.selectSql(QStringLiteral("rowid, ") + quotedName(f.name),
                                              SqlQuery::Order::Unordered) +
                              QStringLiteral(" ORDER BY ") + quotedName(f.name) +
                              QStringLiteral(" COLLATE NOCASE, rowid"))
                                 .toStdString());
    bindAll(st, query.condition.values);
    std::vector<int64_t> rows;
    std::vector<char> ascii;
    TextColumn texts;
    while (st.executeStep()) {
        const SQLite::Column value = st.getColumn(1);
        if (value.getType() != SQLITE_TEXT) return false;
        rows.push_back(st.getColumn(0).getInt64());
        const std::string_view bytes(value.getText(), std::size_t(value.getBytes()));
        texts.appendUtf8(bytes);
        ascii.push_back(isAscii(bytes));
    }
    const auto less = [&](std::size_t a, std::size_t b) {
        const int c = compareLetterOrderUtf8(texts.utf8(qsizetype(a)), texts.utf8(qsizetype(b)));
        return c != 0 ? c < 0 : rows[a] < rows[b];
    };
    // b came before a, so a is not before b case-blind; for two ASCII texts of different lengths,
    // which cannot be equal case-blind, that is the letter order too.
    const auto lessThanEarlier = [&](std::size_t a, std::size_t b) {
        if (ascii[a] && ascii[b] &&
            texts.utf8(qsizetype(a)).size() != texts.utf8(qsizetype(b)).size())
            return false;
        return less(a, b);
    };
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    const bool moved = sortNearlyInOrder(order, lessThanEarlier, less);
    if (!moved && std::find(ascii.begin(), ascii.end(), 0) == ascii.end()) {
        read.rows = std::move(rows);  // in order as read, and every text as a QString gives it
        read.texts = std::move(texts);
        return true;
    }
    read.rows.reserve(rows.size());
    read.texts.reserve(texts.size(), texts.bytes());
    for (std::size_t i : order) {
        read.rows.push_back(rows[i]);
        // A text read as a QString would be: other bytes than ASCII are decoded (and anything
        // that is not UTF-8 replaced) once.
        if (ascii[i])
            read.texts.appendUtf8(texts.utf8(qsizetype(i)));
        else
            read.texts.append(texts.at(qsizetype(i)));
    }
    return true;
}

}  // namespace

ColumnRead readColumn(const QString& path, const QString& source, const QString& field) {
    ColumnRead read{path, source, field, {}, {}, 0};
    const SqlQuery query = translateSource(source);
    const FieldInfo* f = query.table ? query.table->field(field) : nullptr;
    if (!f) throw RuntimeError(err::UnknownField);
    const bool inLetterOrder = f->kind == FieldKind::Text &&
                               query.orderBy == quotedName(f->name) + QStringLiteral(" COLLATE ") +
                                                    QLatin1String(kLetterOrder);
    try {
        // Used by this thread alone: SQLite need not lock it at every call.
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY | SQLite::OPEN_NOMUTEX);
        registerLetterOrder(db);
        // One read transaction: the counter read inside it belongs to the rows read.
        db.exec("BEGIN");
        if (!inLetterOrder || !readInLetterOrder(db, query, *f, read)) {
            read.rows.clear();
            read.texts = TextColumn();
            SQLite::Statement st(
                db, query.selectSql(QStringLiteral("rowid, ") + quotedName(f->name)).toStdString());
            bindAll(st, query.condition.values);
            while (st.executeStep()) {
                read.rows.push_back(st.getColumn(0).getInt64());
                read.texts.append(storedText(st.getColumn(1), f->kind).value_or(QString()));
            }
        }
        read.version = changeCounter(path);
        db.exec("COMMIT");
    } catch (const SQLite::Exception& e) {
        throw storeError(e, path);
    }
    return read;
}

}  // namespace pw
