#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <map>

#include "data/Schema.h"
#include "tools/FoodConverter.h"

namespace pw {
namespace {

TEST(UnitText, WritesAmountsAsAPersonWouldAndCleansDescriptions) {
    // Thirds and sixths are rounded in the source; other amounts keep their shortest decimal.
    const std::pair<double, const char*> cases[] = {
        {1.0, "1 cup"},     {0.5, "1/2 cup"},     {1.5, "1 1/2 cup"}, {0.75, "3/4 cup"},
        {0.125, "1/8 cup"}, {0.333, "1/3 cup"},   {0.67, "2/3 cup"},  {2.33, "2 1/3 cup"},
        {0.167, "1/6 cup"}, {3.527, "3.527 cup"}, {0.2, "0.2 cup"},   {0.99, "0.99 cup"}};
    for (const auto& [amount, text] : cases) EXPECT_EQ(unitText(amount, "cup"), text) << amount;
    EXPECT_EQ(unitText(1, "  pat (1\" sq,\t 1/3\" high) "), "1 pat (1\" sq, 1/3\" high)");
    EXPECT_EQ(cleanDescription("Chickpeas, rinsed \\ \t"), "Chickpeas, rinsed");
    EXPECT_EQ(cleanDescription("Oil, 1/8\" fat\\inside"), "Oil, 1/8\" fat\\inside");
}

QByteArray food(const QByteArray& uid, const QByteArray& name, const QByteArray& body) {
    return "<food uid=\"" + uid + "\" name=\"" + name + "\">" + body + "</food>";
}
QByteArray measure(const char* amount, const char* name, const char* grams) {
    return "<measure grams=\"" + QByteArray(grams) + "\" amount=\"" + amount + "\" name=\"" + name +
           "\"/>";
}
QByteArray nutrient(const char* amount, const char* name) {
    return QByteArray("<nutrient amount=\"") + amount + "\" name=\"" + name + "\"/>";
}

// A folder laid out as the unpacked USDA data: foods.index, deprecated.index, <NDB>.xml.
class SourceFolder : public ::testing::Test {
protected:
    void writeFile(const QString& name, const QByteArray& contents) {
        QFile f(m_dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }
    void writeStandardFixture() {
        // Index lines end in CR LF, as in the USDA files. 03266 is only deprecated; 01001 is
        // both listed and deprecated and stays.
        writeFile("foods.index",
                  "01001|Butter, salted\r\n02002|Spice, partial\r\n"
                  "03144|Babyfood, applesauce and cherries\r\n"
                  "03146|BABYFOOD, Applesauce and Cherries\r\n"
                  "16359|Chickpeas, rinsed\\\r\n23999|Beef, ground beef calculator\r\n"
                  "90560|Mollusks, snail, raw\r\n\r\n");
        writeFile("deprecated.index", "03266|BABYFOOD,JUC\r\n01001|BUTTER,SALTED\r\n");
        writeFile("01001.xml",
                  food("01001", "Butter, salted",
                       measure("1.0", "cup", "227.0") + measure("1.0", "tbsp", "14.2") +
                           measure("1.0", "stick", "113.0") + nutrient("717.0", "Energy") +
                           nutrient("0.06", "Sugars") + nutrient("2499.0", "Vitamin A")));
        // The 0-gram measure is no unit; " cup " reads as the first "1/2 cup" and is passed over.
        writeFile("02002.xml",
                  food("02002", "Spice,  partial",
                       measure("0.5", "cup", "0") + measure("0.5", "cup", "120.0") +
                           measure("0.5", " cup ", "121.0") + measure("1.5", "tbsp", "20.0") +
                           nutrient("0.0", "Energy") + nutrient("12.5", "Protein")));
        const QByteArray baby = nutrient("45.0", "Energy");
        writeFile("03144.xml", food("03144", "Babyfood, applesauce and cherries", baby));
        writeFile("03146.xml", food("03146", "BABYFOOD, Applesauce and Cherries", baby));
        writeFile("16359.xml", food("16359", "Chickpeas, rinsed in tap water\\",
                                    measure("0.333", "cup", "40.0") + nutrient("139.0", "Energy")));
        writeFile("23999.xml", "<food uid=\"23999\" name=\"Beef, ground beef calculator\"/>");
        writeFile("03266.xml", food("03266", "BABYFOOD,JUC", baby));
        writeFile("90560.xml", food("90560", "Mollusks, snail, raw", baby));
    }

    QTemporaryDir m_dir;
    FoodConverter m_converter;
};

TEST_F(SourceFolder, ReadsListedFoodsWithValuesUnitsAndUniqueDescriptions) {
    writeStandardFixture();
    std::map<QString, FoodRecord> foods;
    for (FoodRecord& f : m_converter.readFolder(m_dir.path())) foods[f.ndbNo] = f;
    QStringList listed;
    for (const auto& [ndb, f] : foods)
        listed << ndb + " " + f.description + " " + QString::number(f.code);
    EXPECT_EQ(listed, QStringList({"01001 Butter, salted 100", "02002 Spice, partial 200",
                                   "03144 Babyfood, applesauce and cherries (USDA no. 03144) 300",
                                   "03146 BABYFOOD, Applesauce and Cherries (USDA no. 03146) 300",
                                   "16359 Chickpeas, rinsed in tap water 1600",
                                   // Outside its group: 9000 would make it a deletable user food.
                                   "90560 Mollusks, snail, raw 1500"}));
    EXPECT_EQ(m_converter.skipped(), QStringList({"23999 Beef, ground beef calculator"}));
    const FoodRecord& spice = foods.at("02002");
    EXPECT_EQ(foods.at("01001").value(18), 2499.0);  // Sugars has no slot
    EXPECT_EQ(spice.value(2), 0.0);                  // a stated zero stays a zero
    for (int slot : {1, 4, 5, 17, 25, 31}) EXPECT_FALSE(spice.value(slot).has_value()) << slot;
    EXPECT_EQ(spice.unit1, (HouseholdUnit{"1/2 cup", 120.0}));
    EXPECT_EQ(spice.unit2, (HouseholdUnit{"1 1/2 tbsp", 20.0}));
    EXPECT_EQ(foods.at("16359").unit1, (HouseholdUnit{"1/3 cup", 40.0}));
    EXPECT_FALSE(foods.at("16359").unit2.has_value() || foods.at("03144").unit1.has_value());
}

TEST_F(SourceFolder, BrokenSourcesStopTheConversion) {
    const std::pair<const char*, QByteArray> broken[] = {
        {"16359.xml", "<food uid=\"16359\" name=\"Chickpeas\"><nutrient amount=\"1\""},
        {"16359.xml", food("16359", "Chickpeas", nutrient("n/a", "Iron"))},
        {"foods.index", "77001|A food of an unknown group\n"},
        {"foods.index", "1001|Butter, salted\n"},
        {"foods.index", "01001|Butter, salted\n01001|Butter, salted\n"},
        {"02002.xml", {}},  // removed
        {"foods.index", {}}};
    for (const auto& [file, contents] : broken) {
        writeStandardFixture();
        writeFile("77001.xml", food("77001", "Unknown group", nutrient("1", "Iron")));
        writeFile(file, contents);
        if (contents.isEmpty()) QFile::remove(m_dir.filePath(file));
        EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError) << contents.data();
    }
}

// A food as a database row: one text per field, "NULL" for a field without value.
QStringList rowTexts(SQLite::Database& db, const QString& description) {
    SQLite::Statement q(db, "SELECT * FROM CSR14 WHERE Description = ?");
    q.bind(1, description.toStdString());
    QStringList out;
    for (int i = 0; i < q.getColumnCount() && (i > 0 || q.executeStep()); ++i)
        out << (q.getColumn(i).isNull() ? QStringLiteral("NULL")
                                        : QString::fromStdString(q.getColumn(i).getString()));
    return out;
}

TEST_F(SourceFolder, DatabaseFileKeepsMissingValuesNullAndFailuresLeaveNoFile) {
    writeStandardFixture();
    const std::vector<FoodRecord> foods = m_converter.readFolder(m_dir.path());
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("out"));
    const QString target = m_dir.filePath("out/Custom.mdb");
    const auto outFiles = [&] {
        return QDir(m_dir.filePath("out")).entryList(QDir::Files | QDir::Hidden);
    };
    // A fill that fails inside its transaction leaves nothing.
    EXPECT_ANY_THROW(buildDatabaseFile(target, [&](SQLite::Database& db) {
        writeFoods(db, foods);
        throw ConversionError("disk full");
    }));
    EXPECT_TRUE(outFiles().isEmpty());

    buildDatabaseFile(target, [&](SQLite::Database& db) { writeFoods(db, foods); });
    SQLite::Database db(target.toStdString());
    // Values not given stay empty, a stated zero is a zero.
    const QStringList spice = rowTexts(db, "Spice, partial");
    EXPECT_EQ(spice.mid(0, 5), QStringList({"Spice, partial", "NULL", "0.0", "12.5", "NULL"}));
    // An existing file is refused and left alone.
    EXPECT_THROW(buildDatabaseFile(target, [&](SQLite::Database&) { ADD_FAILURE(); }),
                 ConversionError);
    EXPECT_EQ(rowTexts(db, "Spice, partial"), spice);
    EXPECT_EQ(outFiles(), QStringList({"Custom.mdb"}));
}

// The food file the build made from the USDA data.
TEST(BuiltFoodFile, HoldsTheUsdaFoodsAndTheSamplesWithUniqueDescriptions) {
    SQLite::Database db{PW_FOOD_TEMPLATE, SQLite::OPEN_READONLY};
    const auto count = [&](const char* where) {
        return db.execAndGet(std::string("SELECT COUNT(*) FROM CSR14 WHERE ") + where).getInt();
    };
    // Every field of USDA food 01001, read off its XML by hand.
    EXPECT_EQ(rowTexts(db, "Butter, salted"),
              QStringList({"Butter, salted", "15.87",  "717.0", "0.85",  "81.11",  "0.06",  "0.0",
                           "2.11",           "24.0",   "24.0",  "0.02",  "714.0",  "24.0",  "2.0",
                           "0.09",           "0.0",    "0.0",   "1.0",   "2499.0", "2.32",  "0.005",
                           "0.034",          "0.042",  "0.11",  "0.003", "3.0",    "0.17",  "0.0",
                           "51.368",         "21.021", "3.043", "215.0", "227.0",  "1 cup", "14.2",
                           "1 tbsp",         "NULL",   "01001", "100"}));
    EXPECT_EQ(count("CODE < 6010 AND length(NDB_NO) = 5"), 7906);
    const int samples = count(
        "CODE BETWEEN 6400 AND 6499 AND Description LIKE 'Sample: %' AND "
        "GMWT_1 > 0 AND ENERG_KCAL > 0");
    EXPECT_TRUE(samples >= 3 && samples <= 5) << samples;
    EXPECT_EQ(count("1"), 7906 + samples);  // no user foods, nothing between the two ranges
    EXPECT_EQ(count("REFUSE_PCT IS NOT NULL OR (GMWT_DESC1 IS NULL) <> (GMWT_1 IS NULL)"), 0);

    SQLite::Statement q(db, "SELECT Description FROM CSR14");
    QSet<QString> seen;
    while (q.executeStep()) {
        const QString d = QString::fromStdString(q.getColumn(0).getString());
        EXPECT_TRUE(!d.isEmpty() && d == d.simplified() && !d.endsWith('\\')) << qPrintable(d);
        EXPECT_FALSE(seen.contains(d.toCaseFolded())) << qPrintable(d);
        seen.insert(d.toCaseFolded());
    }
}

}  // namespace
}  // namespace pw
