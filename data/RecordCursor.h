#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "data/ColumnRead.h"

namespace pw {

enum class EditMode { None, Editing, Adding };

// A record cursor over one table or query of a database file. Every window reads and writes
// every table through one of these. Operations that fail throw RuntimeError with the error
// number the program knows (3021 no current record, 3314 / 3315 / 3426 on a failing save, ...);
// a failing save leaves the pending row pending.
//
// The record source is a table name or a query text in the program's small query dialect
// (QueryDialect.h); every literal in it reaches SQLite as a bound parameter.
class RecordCursor {
public:
    RecordCursor();
    ~RecordCursor();
    RecordCursor(const RecordCursor&) = delete;
    RecordCursor& operator=(const RecordCursor&) = delete;

    void setDatabaseName(const QString& path);  // full path; takes effect at the next refresh
    QString databaseName() const;
    void setRecordSource(const QString& source);  // takes effect at the next refresh
    QString recordSource() const;

    // Runs the source again: the current row becomes the first row (or none), reposition runs.
    // Drops a pending edit or addition.
    void refresh();
    // The same with the rows read ahead: taken as they are when `read` is of this cursor's file
    // and source and the file has not changed since; columnTexts(read.field) then answers
    // read.texts once, unless the rows change first. Otherwise a plain refresh().
    void refresh(ColumnRead&& read);
    // The rows a cursor holds and its place among them. A change stored inside a transaction
    // that is then rolled back is taken back from the cursor by restoring the mark taken
    // before it; that needs no reading, so it works while the file cannot be read either.
    struct Mark {
        std::vector<int64_t> rows;
        int pos = -1;
        bool afterDelete = false;
    };
    Mark mark() const;
    void restore(const Mark& mark);  // drops a pending row; the current row is read afresh
    bool isOpen() const;

    int recordCount() const;  // rows of the source plus rows added through this cursor
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool eof() const;  // past the last row (or no rows): no current row
    bool bof() const;  // before the first row (or no rows): no current row
    bool hasCurrentRow() const;
    int absolutePosition() const;            // 0-based; -1 when there is no current row
    void setAbsolutePosition(int position);  // throws 3001-like error when out of range
    QByteArray bookmark() const;             // throws 3021 with no current row
    void setBookmark(const QByteArray& bookmark);

    // Makes the first row (in the cursor's order) that matches the criteria current and returns
    // true; with no match the cursor stays where it was, noMatch() is true and false is returned.
    bool findFirst(const QString& criteria);
    bool noMatch() const;

    void addNew();        // pending new row, every field empty
    void edit();          // pending edit of the current row (3021 without one)
    void update();        // saves the pending row (validate runs first); see class comment
    void cancelUpdate();  // drops the pending row or edit
    void deleteRow();     // deletes the current row; no current row until the next move
    EditMode editMode() const;

    // Fields of the current (or pending) row as texts: an empty text for a field without value.
    // Numbers come back in their shortest form ("717", "0.1", "2.11"); dates as MM/DD/YYYY.
    QStringList fieldNames() const;
    bool hasField(const QString& field) const;  // field names match without regard to case
    QString text(const QString& field) const;
    bool isNull(const QString& field) const;
    // Writes a field of the pending row. Outside an edit or addition the text is only held
    // until the cursor moves, as a bound text box would hold it.
    void setText(const QString& field, const QString& text);

    // One field of every row, in the cursor's order (for a list bound to the cursor).
    QStringList columnTexts(const QString& field) const;
    // The same held compactly, as a list of thousands of rows keeps them.
    TextColumn columnTextBlock(const QString& field) const;

    // Every row in the cursor's order, read with one query: `visit` gets the leading number
    // (leadingNumber) of the text of each of `fields` in that row, in the order of `fields`; the
    // same numbers as moving to each row and reading text(field). The current row, a pending
    // edit and held texts stay as they are, and no event runs. A pending edit is not seen: the
    // stored values are read.
    void forEachRowNumbers(const QStringList& fields,
                           const std::function<void(const double*)>& visit) const;

    // Events for the owning window.
    std::function<void()> onReposition;
    std::function<void()> onValidate;

private:
    // The one way the cursor comes to a row (or to none, -1): the row's values are read afresh
    // and the reposition event follows. `afterDelete`: the cursor stands where a row was deleted.
    void arriveAt(int position, bool afterDelete = false);
    // refresh(), taking the rows of `ahead` when it is given.
    void open(ColumnRead* ahead);

    struct Impl;
    std::unique_ptr<Impl> d;
};

// The marks of several cursors, taken before a transaction that writes through them and put
// back together when it is rolled back. Showing a restored row may fail while the file cannot
// be read; that failure is not reported, since the one that caused the rollback is.
class CursorMarks {
public:
    CursorMarks(std::initializer_list<RecordCursor*> cursors);
    void restore() const;

private:
    std::vector<std::pair<RecordCursor*, RecordCursor::Mark>> m_marks;
};

// Fields of a cursor addressed by binding index, as a window's control array of bound text
// boxes would address them (txtFieldB(38) is MealNumber).
class BoundFields {
public:
    BoundFields(RecordCursor& cursor, QStringList fieldNames)
        : m_cursor(cursor), m_names(std::move(fieldNames)) {}
    QString text(int index) const { return m_cursor.text(m_names.at(index)); }
    void setText(int index, const QString& text) { m_cursor.setText(m_names.at(index), text); }
    const QString& name(int index) const { return m_names.at(index); }
    int count() const { return int(m_names.size()); }

private:
    RecordCursor& m_cursor;
    QStringList m_names;
};

// Every apostrophe doubled, for a text criterion: O'Brien's becomes O''Brien''s.
QString SrchReplace(const QString& sStringToFix);

}  // namespace pw
