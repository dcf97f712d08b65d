#include "data/MealStore.h"

#include <initializer_list>

#include "data/Database.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/RecordCursor.h"
#include "data/RuntimeError.h"

namespace pw {

namespace {

// Runs `change` as one transaction on `path`. When it fails, the file is as it was before (even
// when the commit itself failed) and so are the cursors written through.
void together(const QString& path, std::initializer_list<RecordCursor*> cursors,
              const std::function<void()>& change) {
    const CursorMarks before(cursors);
    try {
        Savepoint transaction(path);
        change();
        transaction.commit();
    } catch (...) {
        before.restore();
        throw;
    }
}

// The texts of a pending row: an empty text, or one of blanks only, leaves its field without a
// value, so the store refuses it as missing.
void setTexts(RecordCursor& cursor, std::initializer_list<std::pair<QString, QString>> texts) {
    for (const auto& [field, text] : texts)
        if (!text.trimmed().isEmpty()) cursor.setText(field, text);
}

}  // namespace

MealStore::MealStore(RecordCursor& items) : m_items(items) {}

void MealStore::addMeal(RecordCursor& headers, const MealHeader& meal,
                        const std::function<void()>& saveItem) {
    // The pending row starts afresh, so that a text emptied since an earlier try counts as empty.
    if (headers.editMode() == EditMode::Adding) headers.cancelUpdate();
    together(m_items.databaseName(), {&m_items, &headers}, [&] {
        headers.addNew();
        setTexts(headers, {{QStringLiteral("MealNumber"), meal.number},
                           {QStringLiteral("MealName"), meal.name},
                           {QStringLiteral("MealDate"), meal.date}});
        headers.update();
        headers.moveLast();  // the row just added
        m_items.addNew();
        m_items.setText(QStringLiteral("MealNumber"), meal.number);
        m_items.setText(QStringLiteral("MealName"), meal.name);
        m_items.setText(QStringLiteral("Date"), meal.date);
        saveItem();
    });
}

qint16 MealStore::saveItem(const std::function<void()>& fill) {
    together(m_items.databaseName(), {&m_items}, [&] {
        fill();
        m_items.update();
    });
    return counter16(m_items.recordCount());
}

qint16 MealStore::removeItem() {
    together(m_items.databaseName(), {&m_items}, [&] { m_items.deleteRow(); });
    return counter16(m_items.recordCount());
}

void MealStore::removeMeal(RecordCursor& headers) {
    together(m_items.databaseName(), {&headers, &m_items}, [&] {
        headers.deleteRow();
        m_items.deleteRow();
    });
}

int MealStore::nextMealNumber() const {
    RecordCursor headers;
    headers.setDatabaseName(m_items.databaseName());
    headers.setRecordSource(mealHeadersQuery());
    headers.refresh();
    if (headers.recordCount() == 0) return 1;
    headers.moveLast();
    const double next =
        roundHalfEven(leadingNumber(headers.text(QStringLiteral("MealNumber")))) + 1;
    if (next > kHighestMealNumber) throw RuntimeError(err::Overflow);
    return int(next);
}

int MealStore::copyMeal(const QString& fromNumber, const MealHeader& header) {
    const QString path = m_items.databaseName();
    RecordCursor from, headers, to;
    for (RecordCursor* c : {&from, &headers, &to}) c->setDatabaseName(path);
    int number = 0;
    together(path, {}, [&] {
        number = nextMealNumber();
        const QString numberText = plainInt(number);
        headers.setRecordSource(mealHeaderQuery(numberText));
        headers.refresh();
        headers.addNew();
        setTexts(headers, {{QStringLiteral("MealNumber"), numberText},
                           {QStringLiteral("MealName"), header.name},
                           {QStringLiteral("MealDate"), header.date}});
        headers.update();

        from.setRecordSource(mealItemsQuery(fromNumber));
        from.refresh();
        to.setRecordSource(mealItemsQuery(numberText));
        to.refresh();
        const QStringList fields = from.fieldNames();
        for (int row = 0; row < from.recordCount(); ++row) {
            from.setAbsolutePosition(row);
            to.addNew();
            for (const QString& field : fields)
                if (!from.isNull(field)) to.setText(field, from.text(field));
            to.setText(QStringLiteral("MealNumber"), numberText);
            to.setText(QStringLiteral("MealName"), header.name);
            to.setText(QStringLiteral("Date"), header.date);
            to.update();
        }
    });
    return number;
}

}  // namespace pw
