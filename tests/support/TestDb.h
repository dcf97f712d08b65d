#pragma once

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <functional>

namespace pw::test {

// A program folder of its own for one test: a QTemporaryDir holding Custom.mdb and MealDataB.mdb
// (and nothing else unless the test puts it there). Removed with the object.
class ProgramFolder {
public:
    enum class Content {
        Fixture,    // fresh tables from the same code that builds the shipped files, with the
                    // fixture foods below and no meals
        Empty,      // fresh tables, no rows at all
        Templates,  // copies of the built files: the real USDA foods and an empty meal store
    };
    explicit ProgramFolder(Content content = Content::Fixture);
    ~ProgramFolder();

    QString path() const { return m_dir.path(); }
    QString customDb() const;  // <folder>/Custom.mdb
    QString mealDb() const;    // <folder>/MealDataB.mdb
    QString file(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

// Writes one row straight into a table (not through a cursor), every value bound. Values may be
// QString, int, qlonglong, double or QDate (stored as the store keeps dates); a field left out is
// NULL. Returns the new row's rowid.
qint64 insertRow(const QString& dbPath, const QString& table, const QVariantMap& values);

// One food of CSR14; `values` maps field names (ENERG_KCAL, PROTEIN...) to numbers.
qint64 addFood(const QString& customDb, const QString& description, int code,
               const QVariantMap& values = {});

// A meal: its MealNumbers row and, when withHeaderRow, the empty header row in Meals that the
// meal dialog writes.
void addMeal(const QString& mealDb, int number, const QString& name, const QDate& date,
             bool withHeaderRow = true);

// One item row of a meal in Meals (description, portion in grams, nutrient values by field name).
qint64 addMealItem(const QString& mealDb, int number, const QString& name, const QDate& date,
                   const QString& description, double grams, const QVariantMap& values = {});

// Field values written "FIELD=value;FIELD=value": numbers as numbers, anything else as text.
QVariantMap fields(const QString& written);

// The number of the RuntimeError that f throws; 0 when it throws none.
int errorNumberOf(const std::function<void()>& f);

// Number of rows of a table, read directly from the file.
int rowCount(const QString& dbPath, const QString& table);

// The fixture foods of Content::Fixture, by description, in the order they were inserted:
//   "Apple, raw"             code 1001  52 kcal, 0.26 g protein, 0.17 g fat, 13.81 g carb;
//                                       units "1 medium" 182 g and "1 cup, sliced" 109 g
//   "Bread, whole-wheat"     code 1002  247 kcal, 13 g protein, 3.4 g fat, 41 g carb, 6 g fiber;
//                                       unit "1 slice" 32 g, no second unit
//   "Milk, whole"            code 1003  61 kcal, 3.15 protein, 3.25 fat, 4.8 carb, 113 calcium;
//                                       unit "1 cup" 244 g
//   "O'Brien's potatoes"     code 1004  81 kcal, 1.8 protein, 0.1 fat, 18 carb; no units
//   "Water, plain"           code 1005  every value empty (NULL), no units
//   "Sample soup"            code 6400  40 kcal (a sample food: listed, not deletable)
//   "My granola"             code 6500  471 kcal, 10 protein, 20 fat, 64 carb (a user food)
QStringList fixtureFoodDescriptions();

}  // namespace pw::test
