#include "data/Schema.h"

#include <SQLiteCpp/Database.h>

namespace pw {

namespace {

const char* const kNutrients[] = {
    "ENERG_KCAL", "PROTEIN",   "TOT_LIPID", "CARBOHYDRT", "FIBER_TD",   "ASH",
    "CALCIUM",    "PHOSPHORUS", "IRON",     "SODIUM",     "POTASSIUM",  "MAGNESIUM",
    "ZINC",       "COPPER",    "MANGANESE", "SELENIUM",   "VIT_A",      "VIT_E",
    "THIAMIN",    "RIBOFLAVIN", "NIACIN",   "PANTO_ACID", "VIT_B6",     "FOLATE",
    "VIT_B12",    "VIT_C",     "FA_SAT",    "FA_MONO",    "FA_POLY",    "CHOLESTRL"};

TableInfo makeCsr14() {
    TableInfo t{"CSR14", {}};
    t.fields.push_back({"Description", FieldKind::Text});
    t.fields.push_back({"WATER", FieldKind::Number});
    for (const char* n : kNutrients) t.fields.push_back({n, FieldKind::Number});
    t.fields.push_back({"GMWT_1", FieldKind::Number});
    t.fields.push_back({"GMWT_DESC1", FieldKind::Text});
    t.fields.push_back({"GMWT_2", FieldKind::Number});
    t.fields.push_back({"GMWT_DESC2", FieldKind::Text});
    t.fields.push_back({"REFUSE_PCT", FieldKind::Number});
    t.fields.push_back({"NDB_NO", FieldKind::Text});
    t.fields.push_back({"CODE", FieldKind::Integer});
    return t;
}

TableInfo makeMeals() {
    TableInfo t{"Meals", {}};
    t.fields.push_back({"description", FieldKind::Text});
    t.fields.push_back({"SHRT_DESC", FieldKind::Text});
    for (const char* n : kNutrients) t.fields.push_back({n, FieldKind::Number});
    t.fields.push_back({"GMWT-1", FieldKind::Number});
    t.fields.push_back({"GMWT_DESC1", FieldKind::Text});
    t.fields.push_back({"GMWT_2", FieldKind::Number});
    t.fields.push_back({"GMST_DESC2", FieldKind::Text});
    t.fields.push_back({"REFUSE_PCT", FieldKind::Number});
    t.fields.push_back({"NDB_NO", FieldKind::Text});
    t.fields.push_back({"MealNumber", FieldKind::Integer});
    t.fields.push_back({"MealName", FieldKind::Text});
    t.fields.push_back({"Date", FieldKind::Date});
    t.fields.push_back({"PortionSize", FieldKind::Number});
    return t;
}

TableInfo makeMealNumbers() {
    TableInfo t{"MealNumbers", {}};
    t.fields.push_back({"MealNumber", FieldKind::Integer, true});
    t.fields.push_back({"MealName", FieldKind::Text, true, false});
    t.fields.push_back({"MealDate", FieldKind::Date, true});
    return t;
}

const char* sqlType(FieldKind k) {
    switch (k) {
        case FieldKind::Text: return "TEXT";
        case FieldKind::Number: return "REAL";
        case FieldKind::Integer: return "INTEGER";
        case FieldKind::Date: return "TEXT";  // ISO yyyy-mm-dd, so it sorts and compares by calendar
    }
    return "TEXT";
}

std::string createSql(const TableInfo& t, const QString& extra = QString()) {
    QStringList cols;
    for (const FieldInfo& f : t.fields) {
        QString c = QStringLiteral("\"%1\" %2").arg(f.name, sqlType(f.kind));
        if (f.kind == FieldKind::Text && (f.name.compare("Description", Qt::CaseInsensitive) == 0))
            c += " COLLATE NOCASE";
        cols << c;
    }
    if (!extra.isEmpty()) cols << extra;
    return QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(t.name, cols.join(", ")).toStdString();
}

void stamp(SQLite::Database& db) {
    db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
}

}  // namespace

const FieldInfo* TableInfo::field(const QString& n) const {
    for (const FieldInfo& f : fields)
        if (f.name.compare(n, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

const TableInfo& csr14Table() {
    static const TableInfo t = makeCsr14();
    return t;
}
const TableInfo& mealsTable() {
    static const TableInfo t = makeMeals();
    return t;
}
const TableInfo& mealNumbersTable() {
    static const TableInfo t = makeMealNumbers();
    return t;
}

const TableInfo* knownTable(const QString& name) {
    for (const TableInfo* t : {&csr14Table(), &mealsTable(), &mealNumbersTable()})
        if (t->name.compare(name, Qt::CaseInsensitive) == 0) return t;
    return nullptr;
}

QStringList fieldNames(const TableInfo& table) {
    QStringList out;
    for (const FieldInfo& f : table.fields) out << f.name;
    return out;
}

void createFoodTables(SQLite::Database& db) {
    stamp(db);
    db.exec(createSql(csr14Table()));
    db.exec("CREATE INDEX CSR14_Description ON CSR14 (Description)");
    db.exec("CREATE INDEX CSR14_Code ON CSR14 (CODE)");
}

void createMealTables(SQLite::Database& db) {
    stamp(db);
    db.exec(createSql(mealNumbersTable(), "UNIQUE (MealNumber)"));
    db.exec(createSql(mealsTable()));
    db.exec("CREATE INDEX Meals_MealNumber ON Meals (MealNumber)");
    db.exec("CREATE INDEX Meals_Date ON Meals (Date)");
}

}  // namespace pw
