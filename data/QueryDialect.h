#pragma once

#include <QString>
#include <QVariantList>

namespace pw {

struct TableInfo;

// The small query language the windows send to a record cursor, translated to SQL. Only these
// forms are understood (keywords, table and field names without regard to case):
//   a table name alone                     Meals
//   Select [ALL] * From T [Where c] [Order by f]
//   c:  f = n | f > n | f BETWEEN n AND n  with n a plain decimal number, a date #m/d/y# or a
//       text 'O''Brien' (an apostrophe inside is doubled)
// Field and table names must be those of the program's tables; every literal becomes a bound
// value, so a text such as O'Brien's or '; DROP TABLE x is only ever data. Anything else raises
// RuntimeError: 3131 for a malformed statement, 3075 for a malformed condition, 3078 for an
// unknown table, 3265 for an unknown field, 3464 for a literal of the wrong kind.

// A condition as SQL with '?' placeholders, and the values for them in order (qlonglong,
// double or QString; dates as ISO yyyy-mm-dd texts, the form in which they are stored).
struct SqlCondition {
    QString where;  // empty: every row
    QVariantList values;
};

struct SqlQuery {
    const TableInfo* table = nullptr;
    SqlCondition condition;
    QString orderBy;  // SQL ordering key, empty for the store's order

    // "SELECT <columns> FROM <table> [WHERE ...] ORDER BY [key,] rowid": rowid as the last key
    // keeps equal keys in the order they were stored. Unordered, the rows come in the store's
    // order, for a reader that puts them in order itself.
    enum class Order { Ordered, Unordered };
    QString selectSql(const QString& columns, Order order = Order::Ordered) const;
};

// A record source (table name or Select statement).
SqlQuery translateSource(const QString& source);

// Find-first criteria against one table: "description = 'O''Brien' ".
SqlCondition translateCriteria(const QString& criteria, const TableInfo& table);

// A field name as SQL, double-quoted ("GMWT-1" has a hyphen).
QString quotedName(const QString& name);

}  // namespace pw
