#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "custom/NewFood.h"

namespace pw {

// The user's own foods (codes from kUserFoodCode up) as CSV (reports/ReportCsv): a header of the
// food table's field names (Description, WATER, ENERG_KCAL... GMWT_1, GMWT_DESC1, GMWT_2,
// GMWT_DESC2, REFUSE_PCT, NDB_NO), values per 100 g as stored, an empty field where the food has
// none. The code is left out: every imported food is a user food.
QByteArray userFoodsCsv(const QString& customDb);

// A foods CSV read and checked against the food table at `customDb`.
struct FoodsImport {
    std::vector<FoodEntry> foods;  // by slot, the code set; empty when anything was wrong
    QStringList problems;          // "Line 3, GMWT_1: ..." for at most the first 20 wrong rows
    int wrongRows = 0;
};

// Reads the file's text: the header by name (any order, without regard to case; missing nutrient
// columns stay empty), then every row checked as the add-food dialog checks a new food, every
// number field a number, and its description new to the food table and to the file.
FoodsImport readFoodsCsv(const QByteArray& bytes, const QString& customDb);

// Adds the foods to the food table in one transaction: all of them or none. Notes the change of
// the food table once it is stored. Throws RuntimeError when the store fails.
void addFoods(const QString& customDb, const std::vector<FoodEntry>& foods);

// The one message for a refused import: the wrong rows by line and field.
QString importProblemsText(const FoodsImport& result);

}  // namespace pw
