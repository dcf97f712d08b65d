#include "tests/support/TestDb.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "data/Database.h"
#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"

namespace pw::test {

namespace {

// Fixture writes need not survive a power cut: without syncing, a test folder takes
// milliseconds instead of a good part of a second.
std::unique_ptr<SQLite::Database> fastConnection(const QString& path, int flags) {
    auto db = std::make_unique<SQLite::Database>(path.toStdString(), flags);
    db->exec("PRAGMA synchronous = OFF");
    db->exec("PRAGMA journal_mode = MEMORY");
    return db;
}

// The fixture foods: description, code, values.
const std::tuple<const char*, int, const char*> kFixtureFoods[] = {
    {"Apple, raw", 1001,
     "ENERG_KCAL=52;PROTEIN=0.26;TOT_LIPID=0.17;CARBOHYDRT=13.81;GMWT_1=182;"
     "GMWT_DESC1=1 medium;GMWT_2=109;GMWT_DESC2=1 cup, sliced"},
    {"Bread, whole-wheat", 1002,
     "ENERG_KCAL=247;PROTEIN=13;TOT_LIPID=3.4;CARBOHYDRT=41;FIBER_TD=6;GMWT_1=32;"
     "GMWT_DESC1=1 slice"},
    {"Milk, whole", 1003,
     "ENERG_KCAL=61;PROTEIN=3.15;TOT_LIPID=3.25;CARBOHYDRT=4.8;CALCIUM=113;GMWT_1=244;"
     "GMWT_DESC1=1 cup"},
    {"O'Brien's potatoes", 1004, "ENERG_KCAL=81;PROTEIN=1.8;TOT_LIPID=0.1;CARBOHYDRT=18"},
    {"Water, plain", 1005, ""},
    {"Sample soup", 6400, "ENERG_KCAL=40"},
    {"My granola", 6500, "ENERG_KCAL=471;PROTEIN=10;TOT_LIPID=20;CARBOHYDRT=64"}};

void bindVariant(SQLite::Statement& st, int index, const QVariant& v) {
    const int type = v.typeId();
    if (!v.isValid())
        st.bind(index);
    else if (type == QMetaType::Double)
        st.bind(index, v.toDouble());
    else if (type == QMetaType::Int || type == QMetaType::LongLong)
        st.bind(index, static_cast<int64_t>(v.toLongLong()));
    else
        st.bind(index, (type == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString())
                           .toStdString());
}

}  // namespace

ProgramFolder::ProgramFolder(Content content) {
    if (!m_dir.isValid()) {
        ADD_FAILURE() << "Cannot make a temporary folder";
        return;
    }
    if (content == Content::Templates) {  // writable copies of the built files
        for (const auto& [from, to] : {std::pair{QStringLiteral(PW_FOOD_TEMPLATE), customDb()},
                                       {QStringLiteral(PW_MEAL_TEMPLATE), mealDb()}}) {
            EXPECT_TRUE(QFile::copy(from, to)) << "Cannot copy " << from.toStdString();
            QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        }
        return;
    }
    const int create = SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE;
    createFoodTables(*fastConnection(customDb(), create));
    createMealTables(*fastConnection(mealDb(), create));
    if (content != Content::Fixture) return;
    for (const auto& [description, code, values] : kFixtureFoods)
        addFood(customDb(), QString::fromUtf8(description), code, fields(values));
}

// The shared connections of the program would keep the removed files open.
ProgramFolder::~ProgramFolder() { closeAllConnections(); }

QString ProgramFolder::customDb() const { return file(QStringLiteral("Custom.mdb")); }
QString ProgramFolder::mealDb() const { return file(QStringLiteral("MealDataB.mdb")); }
QString ProgramFolder::file(const QString& name) const { return m_dir.filePath(name); }

qint64 insertRow(const QString& dbPath, const QString& table, const QVariantMap& values) {
    const auto db = fastConnection(dbPath, SQLite::OPEN_READWRITE);
    QStringList columns, marks;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        columns << u'"' + it.key() + u'"';
        marks << QStringLiteral("?");
    }
    const QString sql = columns.isEmpty()
                            ? QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(table)
                            : QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                  .arg(table, columns.join(u','), marks.join(u','));
    SQLite::Statement st(*db, sql.toStdString());
    int index = 1;
    for (const QVariant& v : values) bindVariant(st, index++, v);
    st.exec();
    return db->getLastInsertRowid();
}

qint64 addFood(const QString& customDb, const QString& description, int code,
               const QVariantMap& values) {
    QVariantMap row = values;
    row.insert(QStringLiteral("Description"), description);
    row.insert(QStringLiteral("CODE"), code);
    return insertRow(customDb, QStringLiteral("CSR14"), row);
}

void addMeal(const QString& mealDb, int number, const QString& name, const QDate& date,
             bool withHeaderRow) {
    insertRow(mealDb, QStringLiteral("MealNumbers"),
              {{"MealNumber", number}, {"MealName", name}, {"MealDate", date}});
    if (withHeaderRow) {
        insertRow(mealDb, QStringLiteral("Meals"),
                  {{"MealNumber", number}, {"MealName", name}, {"Date", date}});
    }
}

qint64 addMealItem(const QString& mealDb, int number, const QString& name, const QDate& date,
                   const QString& description, double grams, const QVariantMap& values) {
    // The numbers of an item are kept as texts, as the program writes them.
    QVariantMap row;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        row.insert(it.key(),
                   it->typeId() == QMetaType::Double ? shortestText(it->toDouble()) : *it);
    row.insert({{"description", description},
                {"MealNumber", number},
                {"MealName", name},
                {"Date", date},
                {"PortionSize", shortestText(grams)}});
    return insertRow(mealDb, QStringLiteral("Meals"), row);
}

int errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

int rowCount(const QString& dbPath, const QString& table) {
    SQLite::Database db(dbPath.toStdString(), SQLite::OPEN_READONLY);
    return db.execAndGet(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table).toStdString())
        .getInt();
}

QVariantMap fields(const QString& written) {
    QVariantMap out;
    for (const QString& field : written.split(u';', Qt::SkipEmptyParts)) {
        const QString value = field.section(u'=', 1);
        bool number = false;
        const double d = value.toDouble(&number);
        out[field.section(u'=', 0, 0).trimmed()] = number ? QVariant(d) : QVariant(value);
    }
    return out;
}

QStringList fixtureFoodDescriptions() {
    QStringList out;
    for (const auto& food : kFixtureFoods) out << QString::fromUtf8(std::get<0>(food));
    return out;
}

}  // namespace pw::test
