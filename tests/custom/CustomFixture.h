#pragma once

#include <SQLiteCpp/Statement.h>

#include <optional>

#include "tests/meals/Meals.h"

namespace pw::test {

// A field of the first CSR14 row with this description, read straight from the file; nullopt
// when the field is NULL or no such row exists.
inline std::optional<QString> storedField(const QString& customDb, const QString& description,
                                          const QString& field) {
    SQLite::Database file(customDb.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, QStringLiteral("SELECT \"%1\" FROM CSR14 WHERE Description = ? "
                                              "ORDER BY rowid")
                                   .arg(field)
                                   .toStdString());
    st.bind(1, description.toStdString());
    if (!st.executeStep() || st.getColumn(0).isNull()) return std::nullopt;
    return QString::fromStdString(st.getColumn(0).getString());
}

// The entry box of `slot` in a food window.
inline QLineEdit* foodBox(QWidget& window, int slot) {
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtFields_%1").arg(slot));
    EXPECT_NE(box, nullptr) << "box " << slot;
    return box;
}

// Types into a food box, replacing what it held.
inline void typeInto(QWidget& window, int slot, const QString& text) {
    QLineEdit* box = foodBox(window, slot);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The texts of every row of a bound list.
inline QStringList listRows(const BoundList* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->rowText(i);
    return out;
}

// Clicks the row of a bound list showing `text` with the mouse.
inline void clickRow(BoundList* list, const QString& text) {
    const int row = listRows(list).indexOf(text);
    ASSERT_GE(row, 0) << text.toStdString();
    list->scrollTo(list->model()->index(row, 0));
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace pw::test
