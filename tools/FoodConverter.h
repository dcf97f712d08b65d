#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

class QIODevice;

namespace SQLite {
class Database;
}

namespace pw {

// The reference food table holds 31 values per food, slots 1 to 31.
inline constexpr int kFoodValueCount = 31;
// Item codes: reference foods carry their USDA food group (below 6010), the team's sample foods
// lie between 6400 and 6499.
inline constexpr int kFirstSampleCode = 6400;
// Reference foods lie below this code; the window that adds foods lists those above it.
inline constexpr int kReferenceCodeLimit = 6010;

// A failure while converting or writing: the build stops and says why.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message);
};

// A household unit of a food: "1/2 cup" and the grams of one such unit.
struct HouseholdUnit {
    QString text;
    double grams = 0;
    bool operator==(const HouseholdUnit&) const = default;
};

// One row of the reference food table.
struct FoodRecord {
    QString description;
    // values[i] is slot i + 1; a value the source does not give stays empty, never 0.
    std::array<std::optional<double>, kFoodValueCount> values;
    std::optional<HouseholdUnit> unit1;
    std::optional<HouseholdUnit> unit2;
    QString ndbNo;  // five characters, "01001"
    int code = 0;

    std::optional<double>& value(int slot) { return values.at(slot - 1); }
    const std::optional<double>& value(int slot) const { return values.at(slot - 1); }
};

// The USDA nutrient name that feeds a slot (1 to 31), e.g. "Energy" for slot 2.
QString usdaNutrientName(int slot);

// A household amount as a person writes it: 0.5 -> "1/2", 1.5 -> "1 1/2", 3.527 -> "3.527",
// followed by a blank and the unit name with its white space folded.
QString unitText(double amount, const QString& name);

// A food description with its white space folded and a stray trailing backslash dropped.
QString cleanDescription(const QString& text);

// Gives every food a description that no other food has, ignoring case (the table looks foods up
// by description without regard to case): each food of a clashing group gets its USDA number
// appended, " (USDA no. 03144)". Fails when that still leaves a clash.
void makeDescriptionsUnique(std::vector<FoodRecord>& foods);

// The team's sample foods (codes 6400 to 6499): typical label values converted to 100 grams.
std::vector<FoodRecord> sampleFoods();

// Reads the unpacked USDA SR24 XML: the foods listed in foods.index, each from <NDB>.xml.
// Foods with none of the table's values are left out and named in skipped().
class FoodConverter {
public:
    std::vector<FoodRecord> readFolder(const QString& dir);
    // One food file's contents; nullopt when the food has none of the table's values.
    std::optional<FoodRecord> readFood(QIODevice& xml, const QString& ndbNo,
                                       const QString& indexDescription) const;

    const QStringList& skipped() const { return m_skipped; }

private:
    QStringList m_skipped;
};

// Creates the food table in an empty database and fills it, in one transaction.
void writeFoods(SQLite::Database& db, const std::vector<FoodRecord>& foods);
// Creates the empty meal tables in an empty database, in one transaction.
void writeMealTables(SQLite::Database& db);

// Builds a new database file at path: refuses a path that exists, fills a file under a temporary
// name beside it and renames it only when filling succeeded, so a failure leaves no file behind.
void buildDatabaseFile(const QString& path, const std::function<void(SQLite::Database&)>& fill);

}  // namespace pw
