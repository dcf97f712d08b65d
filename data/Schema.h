#pragma once

#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

namespace SQLite {
class Database;
}

namespace pw {

// Our mark in the SQLite header of both database files (PRAGMA application_id): "PLWW".
inline constexpr int kApplicationId = 0x504C5757;

// NumberText: a number kept as the text it was written in (" 12.5", "150.000"); every reader
// takes its leading number. The numbers of meal items are of this kind.
enum class FieldKind { Text, Number, NumberText, Integer, Date };

struct FieldInfo {
    QString name;
    FieldKind kind;
    bool required = false;   // a missing value fails the save with 3314
    bool allowEmpty = true;  // texts only: an empty text fails the save with 3315
};

struct TableInfo {
    QString name;
    std::vector<FieldInfo> fields;
    const FieldInfo* field(const QString& name) const;  // matched without regard to case
};

// The reference food table CSR14: index = nutrient slot 0..38.
const TableInfo& csr14Table();
// The meal tables: Meals by binding index 0..41, MealNumbers with its three fields.
const TableInfo& mealsTable();
const TableInfo& mealNumbersTable();
// One of the three tables by name, without regard to case; nullptr when unknown.
const TableInfo* knownTable(const QString& name);

QStringList fieldNames(const TableInfo& table);

// Creates the tables of a new, empty database file (used only by the build, never by the
// program on a user's file).
void createFoodTables(SQLite::Database& db);
void createMealTables(SQLite::Database& db);
// The Meals table alone, under another name when the old one is being replaced, and its indexes.
void createMealsTable(SQLite::Database& db, const QString& name);
void createMealsIndexes(SQLite::Database& db);

// The sort order of descriptions in the food lists, registered on the program's own connections
// (never declared in a file, which the plain sqlite3 shell must still read): letters compare
// without regard to case or accents, so "Ünïcode crème" sorts among the U's; texts that differ
// only in case or accents follow each other in a fixed order.
inline constexpr char kLetterOrder[] = "PW_LETTER_ORDER";
void registerLetterOrder(SQLite::Database& db);
int compareLetterOrder(const QString& a, const QString& b);
// The same order for two texts held as UTF-8, exactly as SQLite sorts by it.
int compareLetterOrderUtf8(std::string_view a, std::string_view b);

}  // namespace pw
