#pragma once

#include <QByteArray>
#include <QString>

namespace pw {

// Every meal item of the meal file at `mealDb` as CSV (reports/ReportCsv): one row per item, by
// meal number and then in the order the items were added: meal number, meal name, date
// (MM/DD/YYYY), food description, grams, quantity, unit, then the 29 nutrients in the report's
// order, headed by the report's labels with their units ("Protein (g)"). Numbers are written as
// they are stored. Read in one snapshot; throws RuntimeError when the store fails.
QByteArray allMealsCsv(const QString& mealDb);

}  // namespace pw
