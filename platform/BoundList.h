#pragma once

#include <QElapsedTimer>
#include <QListView>
#include <QString>
#include <QStringList>
#include <functional>

#include "data/RecordCursor.h"

namespace pw {

class TextListModel;

// A list bound to a record cursor: it shows one field of every row of the cursor, in the
// cursor's order, read again on refill(). A standard list view, so that assistive technology
// reads its rows; it lists thousands of rows without delay.
//
// Typing while it has the focus selects the first row that begins with the typed letters (case
// not mattering); letters typed in quick succession (within the desktop's keyboard input
// interval) extend the search, capitals typed with Shift, Caps Lock or AltGr among them. Page Up /
// Page Down page it; Enter on a row reports it.
class BoundList : public QListView {
    Q_OBJECT

public:
    explicit BoundList(QWidget* parent = nullptr);
    ~BoundList() override;

    // The rows come from `cursor`'s field `listField` at every refill().
    void setRecordCursor(RecordCursor* cursor, const QString& listField) {
        setTextSource([cursor, listField] {
            return cursor ? cursor->columnTextBlock(listField) : TextColumn();
        });
    }
    // Any other source of the rows' texts; refill() calls it.
    void setTextSource(std::function<TextColumn()> source);
    // Reads the rows again from the source. Nothing is selected afterwards.
    void refill();
    // Shows these rows (without a source, or until the next refill()). Nothing is selected.
    void setTexts(const QStringList& texts);
    void setTexts(TextColumn texts);

    int count() const;
    QString rowText(int row) const;  // empty outside 0 .. count()-1
    // The selected row and its text; -1 and the empty text when nothing is selected.
    int currentRow() const;
    QString text() const;
    // Selects `row` and scrolls it into view; -1 clears the selection.
    void setCurrentRow(int row);

    // The first row whose text begins with `prefix`, case not mattering; -1 when none does.
    int findFirst(const QString& prefix) const;
    // The first row whose text is `text` exactly; -1 when none is.
    int rowOf(const QString& text) const;
    // Forgets the letters typed so far, as a pause in typing does.
    void resetKeyboardSearch();
    QString typedSearch() const { return m_typed; }

    void keyboardSearch(const QString& search) override;

signals:
    void itemClicked();        // a row was clicked with the mouse
    void itemDoubleClicked();  // a row was double-clicked (after the click of its first press)
    void enterPressed();       // Enter or Return while a row is selected
    void currentRowChanged(int row);  // by mouse, keyboard or program; -1: nothing selected

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TextListModel* m_model;
    std::function<TextColumn()> m_source;
    QString m_typed;          // letters of the keyboard search so far
    QElapsedTimer m_typedAt;  // when the last of them was typed
};

}  // namespace pw
