#include "reports/MealsCsv.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <QDate>
#include <vector>

#include "data/Database.h"
#include "data/Fields.h"
#include "data/NumberText.h"
#include "data/QueryDialect.h"
#include "data/Schema.h"
#include "reports/ReportCsv.h"
#include "reports/ReportFigures.h"
#include "reports/ReportText.h"

namespace pw {

namespace {

// A stored value as its text: texts as they are, numbers of an older file as they read back.
QString storedText(const SQLite::Column& c) {
    if (c.isNull()) return QString();
    if (c.isFloat()) return shortestText(c.getDouble());
    return QString::fromStdString(c.getString());
}

QString shownDate(const QString& stored) {
    const QDate date = QDate::fromString(stored, Qt::ISODate);
    return date.isValid() ? mdyText(date) : stored;
}

}  // namespace

QByteArray allMealsCsv(const QString& mealDb) {
    const QStringList names = fieldNames(mealsTable());
    QStringList header{QStringLiteral("Meal Number"), QStringLiteral("Meal Name"),
                       QStringLiteral("Date"),        QStringLiteral("Food"),
                       QStringLiteral("Grams"),       QStringLiteral("Quantity"),
                       QStringLiteral("Unit")};
    QStringList columns;
    for (const int field :
         {int(MealField::MealNumber), int(MealField::MealName), int(MealField::Date),
          int(MealField::Description), int(MealField::PortionSize), int(MealField::PortionQuantity),
          int(MealField::PortionUnit)})
        columns << quotedName(names[field]);
    for (const NutrientLine& line : ReportText::nutrientLines()) {
        header << QStringLiteral("%1 (%2)").arg(lineName(line.label), nutrientUnit(line.slot));
        columns << quotedName(names[line.slot]);
    }
    std::vector<QStringList> rows{header};
    // A meal's header row has no description; every other row is an item.
    const QString sql = QStringLiteral(
                            "SELECT %1 FROM Meals WHERE ifnull(description, '') <> '' "
                            "ORDER BY MealNumber, rowid")
                            .arg(columns.join(u','));
    ReadSnapshot snapshot(mealDb);
    try {
        SQLite::Statement st(*connection(mealDb), sql.toStdString());
        while (st.executeStep()) {
            QStringList row;
            for (int i = 0; i < columns.size(); ++i) row << storedText(st.getColumn(i));
            row[2] = shownDate(row[2]);
            rows.push_back(std::move(row));
        }
    } catch (const SQLite::Exception& e) {
        throw storeError(e, mealDb);
    }
    return csvBytes(rows);
}

}  // namespace pw
