#include "custom/FoodsCsv.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <QSet>

#include "data/Database.h"
#include "data/FoodTableVersion.h"
#include "data/NumberText.h"
#include "data/QueryDialect.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "reports/ReportCsv.h"

namespace pw {

namespace {

constexpr int kMaxListed = 20;
constexpr int kFields = FoodSlot::Code;  // every field but the code

QString fieldName(int slot) { return csr14Table().fields[std::size_t(slot)].name; }

QString storedText(const SQLite::Column& c) {
    if (c.isNull()) return QString();
    if (c.isFloat()) return shortestText(c.getDouble());
    return QString::fromStdString(c.getString());
}

QSet<QString> storedDescriptions(const QString& customDb) {
    QSet<QString> known;
    try {
        SQLite::Statement st(*connection(customDb), "SELECT Description FROM CSR14");
        while (st.executeStep())
            known.insert(QString::fromStdString(st.getColumn(0).getString()).toCaseFolded());
    } catch (const SQLite::Exception& e) {
        throw storeError(e, customDb);
    }
    return known;
}

// The first thing wrong with one food, as "FIELD: what"; empty when it may be added.
QString rowProblem(const FoodEntry& food, QSet<QString>& descriptions) {
    try {
        if (const auto note = checkNewFood(food))
            return fieldName(note->box) + QStringLiteral(": ") + note->text;
    } catch (const RuntimeError&) {
        return fieldName(FoodSlot::Gram1) + QStringLiteral(": not a number.");
    }
    for (int slot = 0; slot < kFields; ++slot) {
        const QString& value = food[std::size_t(slot)];
        if (csr14Table().fields[std::size_t(slot)].kind == FieldKind::Number && !value.isEmpty() &&
            !wholeNumber(value))
            return fieldName(slot) + QStringLiteral(": not a number.");
    }
    const QString key = food[FoodSlot::Description].toCaseFolded();
    if (descriptions.contains(key))
        return fieldName(FoodSlot::Description) + QStringLiteral(": a food of that name exists.");
    descriptions.insert(key);
    return QString();
}

}  // namespace

QByteArray userFoodsCsv(const QString& customDb) {
    QStringList header;
    QStringList columns;
    for (int slot = 0; slot < kFields; ++slot) {
        header << fieldName(slot);
        columns << quotedName(fieldName(slot));
    }
    std::vector<QStringList> rows{header};
    try {
        SQLite::Statement st(*connection(customDb),
                             QStringLiteral("SELECT %1 FROM CSR14 WHERE CODE >= ? ORDER BY rowid")
                                 .arg(columns.join(u','))
                                 .toStdString());
        st.bind(1, kUserFoodCode);
        while (st.executeStep()) {
            QStringList row;
            for (int i = 0; i < kFields; ++i) row << storedText(st.getColumn(i));
            rows.push_back(std::move(row));
        }
    } catch (const SQLite::Exception& e) {
        throw storeError(e, customDb);
    }
    return csvBytes(rows);
}

FoodsImport readFoodsCsv(const QByteArray& bytes, const QString& customDb) {
    FoodsImport result;
    const auto wrong = [&result](int line, const QString& what) {
        if (++result.wrongRows <= kMaxListed)
            result.problems << QStringLiteral("Line %1, %2").arg(line).arg(what);
    };
    std::vector<CsvRecord> records = csvRecords(QString::fromUtf8(bytes));
    // Blank lines hold no food.
    std::erase_if(records, [](const CsvRecord& r) {
        return r.fields.size() == 1 && r.fields[0].trimmed().isEmpty();
    });
    if (records.empty()) {
        wrong(1, QStringLiteral("the file holds no header."));
        return result;
    }
    std::vector<int> slotOf;  // by column
    QSet<int> seen;
    for (const QString& name : records.front().fields) {
        int slot = -1;
        for (int s = 0; s < kFields; ++s)
            if (fieldName(s).compare(name.trimmed(), Qt::CaseInsensitive) == 0) slot = s;
        if (slot < 0 || seen.contains(slot))
            wrong(records.front().line,
                  QStringLiteral("%1: %2").arg(name, slot < 0 ? QStringLiteral("not a field.")
                                                              : QStringLiteral("named twice.")));
        seen.insert(slot);
        slotOf.push_back(slot);
    }
    if (!seen.contains(FoodSlot::Description))
        wrong(records.front().line, QStringLiteral("Description: the column is missing."));
    if (result.wrongRows > 0) return result;

    QSet<QString> descriptions = storedDescriptions(customDb);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (record.fields.size() != qsizetype(slotOf.size())) {
            wrong(record.line, QStringLiteral("%1 fields where the header names %2.")
                                   .arg(record.fields.size())
                                   .arg(slotOf.size()));
            continue;
        }
        FoodEntry food;
        for (std::size_t c = 0; c < slotOf.size(); ++c)
            food[std::size_t(slotOf[c])] = record.fields[qsizetype(c)];
        food[FoodSlot::Code] = QString::number(kUserFoodCode);
        if (const QString problem = rowProblem(food, descriptions); !problem.isEmpty())
            wrong(record.line, problem);
        else
            result.foods.push_back(food);
    }
    if (result.wrongRows > 0) result.foods.clear();
    return result;
}

void addFoods(const QString& customDb, const std::vector<FoodEntry>& foods) {
    if (foods.empty()) return;
    QStringList columns, marks;
    for (int slot = 0; slot < FoodSlot::Count; ++slot) {
        columns << quotedName(fieldName(slot));
        marks << QStringLiteral("?");
    }
    const auto db = connection(customDb);
    {
        Savepoint together(*db);
        try {
            SQLite::Statement st(*db, QStringLiteral("INSERT INTO CSR14 (%1) VALUES (%2)")
                                          .arg(columns.join(u','), marks.join(u','))
                                          .toStdString());
            for (const FoodEntry& food : foods) {
                QVariantList values;
                for (int slot = 0; slot < FoodSlot::Count; ++slot) {
                    const QString& text = food[std::size_t(slot)];
                    const FieldKind kind = csr14Table().fields[std::size_t(slot)].kind;
                    if (text.isEmpty())
                        values << QVariant();
                    else if (kind == FieldKind::Number)
                        values << *wholeNumber(text);
                    else if (kind == FieldKind::Integer)
                        values << qlonglong(text.toLongLong());
                    else
                        values << text;
                }
                bindAll(st, values);
                st.exec();
                st.reset();
            }
        } catch (const SQLite::Exception& e) {
            throw storeError(e, customDb);
        }
        together.commit();
    }
    noteFoodTableChanged();
}

QString importProblemsText(const FoodsImport& result) {
    QString text = QStringLiteral("No food was imported: %1 row(s) of the file are wrong.")
                       .arg(result.wrongRows);
    for (const QString& p : result.problems) text += u'\n' + p;
    if (result.wrongRows > result.problems.size())
        text += QStringLiteral("\n... and %1 more.").arg(result.wrongRows - result.problems.size());
    return text;
}

}  // namespace pw
