#include "data/Schema.h"

#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include "data/TextColumn.h"

namespace pw {

namespace {

const char* const kNutrients[] = {
    "ENERG_KCAL", "PROTEIN",    "TOT_LIPID", "CARBOHYDRT", "FIBER_TD",  "ASH",
    "CALCIUM",    "PHOSPHORUS", "IRON",      "SODIUM",     "POTASSIUM", "MAGNESIUM",
    "ZINC",       "COPPER",     "MANGANESE", "SELENIUM",   "VIT_A",     "VIT_E",
    "THIAMIN",    "RIBOFLAVIN", "NIACIN",    "PANTO_ACID", "VIT_B6",    "FOLATE",
    "VIT_B12",    "VIT_C",      "FA_SAT",    "FA_MONO",    "FA_POLY",   "CHOLESTRL"};

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

// An item keeps its numbers as they were written: " 12.5" and "150.000" read back as such.
TableInfo makeMeals() {
    TableInfo t{"Meals", {}};
    t.fields.push_back({"description", FieldKind::Text});
    t.fields.push_back({"SHRT_DESC", FieldKind::Text});
    for (const char* n : kNutrients) t.fields.push_back({n, FieldKind::NumberText});
    t.fields.push_back({"GMWT-1", FieldKind::NumberText});
    t.fields.push_back({"GMWT_DESC1", FieldKind::Text});
    t.fields.push_back({"GMWT_2", FieldKind::NumberText});
    t.fields.push_back({"GMST_DESC2", FieldKind::Text});
    t.fields.push_back({"REFUSE_PCT", FieldKind::NumberText});
    t.fields.push_back({"NDB_NO", FieldKind::Text});
    t.fields.push_back({"MealNumber", FieldKind::Integer});
    t.fields.push_back({"MealName", FieldKind::Text});
    t.fields.push_back({"Date", FieldKind::Date});
    t.fields.push_back({"PortionSize", FieldKind::NumberText});
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
        case FieldKind::Text:
            return "TEXT";
        case FieldKind::Number:
            return "REAL";
        case FieldKind::NumberText:
            return "TEXT";
        case FieldKind::Integer:
            return "INTEGER";
        case FieldKind::Date:
            return "TEXT";  // ISO yyyy-mm-dd, so it sorts and compares by calendar
    }
    return "TEXT";
}

std::string createSql(const TableInfo& t, const QString& extra = QString(),
                      const QString& name = QString()) {
    QStringList cols;
    for (const FieldInfo& f : t.fields) {
        QString c = QStringLiteral("\"%1\" %2").arg(f.name, sqlType(f.kind));
        if (f.kind == FieldKind::Text && (f.name.compare("Description", Qt::CaseInsensitive) == 0))
            c += " COLLATE NOCASE";
        cols << c;
    }
    if (!extra.isEmpty()) cols << extra;
    return QStringLiteral("CREATE TABLE \"%1\" (%2)")
        .arg(name.isEmpty() ? t.name : name, cols.join(", "))
        .toStdString();
}

// The letters of a text without their accents, case folded: "Ünïcode" gives "unicode".
QString bareLetters(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) out += c;
    return out.toCaseFolded();
}

int sign(int n) { return (n > 0) - (n < 0); }

int foldedAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Nearly every description is plain ASCII, and two descriptions are told apart at their first
// letter that differs: while both texts are ASCII up to there, that letter decides in the order
// compareLetterOrder gives (an accent or a letter further on cannot change it), without making
// strings. Sorting the whole food list calls this some hundred thousand times.
int letterOrder(void*, int na, const void* a, int nb, const void* b) {
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const int n = std::min(na, nb);
    int i = 0;
    for (; i < n; ++i) {
        if ((pa[i] | pb[i]) >= 0x80) break;
        const int la = foldedAscii(pa[i]);
        const int lb = foldedAscii(pb[i]);
        if (la != lb) return la < lb ? -1 : 1;
    }
    const std::string_view restA(static_cast<const char*>(a) + n, std::size_t(na - n));
    const std::string_view restB(static_cast<const char*>(b) + n, std::size_t(nb - n));
    if (i == n && isAscii(restA) && isAscii(restB)) {
        if (na != nb) return na < nb ? -1 : 1;
        return sign(std::memcmp(pa, pb, std::size_t(n)));
    }
    return compareLetterOrder(QString::fromUtf8(static_cast<const char*>(a), na),
                              QString::fromUtf8(static_cast<const char*>(b), nb));
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
    createMealsTable(db, mealsTable().name);
    createMealsIndexes(db);
}

void createMealsTable(SQLite::Database& db, const QString& name) {
    db.exec(createSql(mealsTable(), QString(), name));
}

void createMealsIndexes(SQLite::Database& db) {
    db.exec("CREATE INDEX Meals_MealNumber ON Meals (MealNumber)");
    db.exec("CREATE INDEX Meals_Date ON Meals (Date)");
}

int compareLetterOrder(const QString& a, const QString& b) {
    if (const int c = bareLetters(a).compare(bareLetters(b))) return sign(c);
    return sign(a.compare(b));
}

int compareLetterOrderUtf8(std::string_view a, std::string_view b) {
    return letterOrder(nullptr, int(a.size()), a.data(), int(b.size()), b.data());
}

void registerLetterOrder(SQLite::Database& db) {
    const int rc = sqlite3_create_collation_v2(db.getHandle(), kLetterOrder, SQLITE_UTF8, nullptr,
                                               letterOrder, nullptr);
    if (rc != SQLITE_OK) throw SQLite::Exception(db.getHandle(), rc);
}

}  // namespace pw
