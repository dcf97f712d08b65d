#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <map>

#include "data/Schema.h"
#include "tools/FoodConverter.h"

namespace pw {
namespace {

TEST(UnitText, WritesAmountsAsAPersonWould) {
    struct Case {
        double amount;
        const char* name;
        const char* text;
    };
    const Case cases[] = {{1.0, "cup", "1 cup"},
                          {10.0, "chips", "10 chips"},
                          {0.5, "cup", "1/2 cup"},
                          {1.5, "cup", "1 1/2 cup"},
                          {0.25, "cup", "1/4 cup"},
                          {0.75, "cup", "3/4 cup"},
                          {0.125, "cup", "1/8 cup"},
                          // The source rounds thirds and sixths.
                          {0.333, "cup", "1/3 cup"},
                          {0.33, "cup", "1/3 cup"},
                          {0.67, "cup", "2/3 cup"},
                          {0.666, "cup", "2/3 cup"},
                          {2.33, "cup", "2 1/3 cup"},
                          {0.167, "box", "1/6 box"},
                          // Other amounts keep their shortest decimal; near a whole number is not a
                          // whole number, since the grams belong to 0.99 of the unit.
                          {3.527, "oz", "3.527 oz"},
                          {0.2, "package", "0.2 package"},
                          {0.35, "oz", "0.35 oz"},
                          {0.99, "oz 1 serving", "0.99 oz 1 serving"},
                          // The name's white space is folded.
                          {1.0, "  pat (1\" sq,\t 1/3\" high) ", "1 pat (1\" sq, 1/3\" high)"},
                          {4.0, "", "4"}};
    for (const Case& c : cases) EXPECT_EQ(unitText(c.amount, c.name), c.text) << c.amount;
}

TEST(CleanDescription, FoldsWhiteSpaceAndDropsTrailingBackslash) {
    EXPECT_EQ(cleanDescription(" Cereals ready-to-eat,  QUAKER"), "Cereals ready-to-eat, QUAKER");
    EXPECT_EQ(cleanDescription("Lamb, separable lean only,   trimmed"),
              "Lamb, separable lean only, trimmed");
    EXPECT_EQ(cleanDescription("Chickpeas, rinsed in tap water\\"),
              "Chickpeas, rinsed in tap water");
    EXPECT_EQ(cleanDescription("Chickpeas, rinsed \\ \t"), "Chickpeas, rinsed");
    EXPECT_EQ(cleanDescription("Oil, 1/8\" fat\\inside"), "Oil, 1/8\" fat\\inside");
    EXPECT_EQ(cleanDescription("Butter, salted"), "Butter, salted");
}

// A folder laid out as the unpacked USDA data: foods.index, deprecated.index, <NDB>.xml.
class SourceFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void writeFile(const QString& name, const QByteArray& contents) {
        QFile f(m_dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }

    static QByteArray food(const QByteArray& uid, const QByteArray& name, const QByteArray& body) {
        return "<food uid=\"" + uid + "\" fcf=\"4.0\" name=\"" + name + "\" ccf=\"4.0\">" + body +
               "</food>";
    }

    void writeStandardFixture() {
        // Index lines end in CR LF, as in the USDA files.
        writeFile("foods.index",
                  "01001|Butter, salted\r\n"
                  "02002|Spice, partial\r\n"
                  "03144|Babyfood, applesauce and cherries\r\n"
                  "03145|Babyfood, applesauce and cherries\r\n"
                  "03146|BABYFOOD, Applesauce and Cherries\r\n"
                  "16359|Chickpeas, rinsed\\\r\n"
                  "23999|Beef, ground beef calculator\r\n"
                  "90560|Mollusks, snail, raw\r\n"
                  "\r\n");
        // 03266 is only deprecated; 01001 is both listed and deprecated and stays.
        writeFile("deprecated.index", "03266|BABYFOOD,JUC\r\n01001|BUTTER,SALTED\r\n");
        writeFile("01001.xml", food("01001", "Butter, salted",
                                    "<measure amount=\"1.0\" name=\"cup\" grams=\"227.0\"/>"
                                    "<measure amount=\"1.0\" name=\"tbsp\" grams=\"14.2\"/>"
                                    "<measure amount=\"1.0\" name=\"stick\" grams=\"113.0\"/>"
                                    "<nutrient amount=\"717.0\" name=\"Energy\"/>"
                                    "<nutrient amount=\"0.06\" name=\"Sugars\"/>"
                                    "<nutrient amount=\"671.0\" name=\"Retinol\"/>"
                                    "<nutrient amount=\"2499.0\" name=\"Vitamin A\"/>"));
        writeFile("02002.xml", food("02002", "Spice,  partial",
                                    "<measure amount=\"0.5\" name=\"cup\" grams=\"0\"/>"
                                    "<measure amount=\"0.5\" name=\"cup\" grams=\"120.0\"/>"
                                    "<measure amount=\"0.5\" name=\" cup \" grams=\"121.0\"/>"
                                    "<measure amount=\"1.5\" name=\"tbsp\" grams=\"20.0\"/>"
                                    "<measure amount=\"1.0\" name=\"tsp\" grams=\"5.0\"/>"
                                    "<nutrient amount=\"0.0\" name=\"Energy\"/>"
                                    "<nutrient amount=\"12.5\" name=\"Protein\"/>"));
        const QByteArray apple = "<nutrient amount=\"45.0\" name=\"Energy\"/>";
        writeFile("03144.xml", food("03144", "Babyfood, applesauce and cherries", apple));
        writeFile("03145.xml", food("03145", "Babyfood, applesauce and cherries", apple));
        writeFile("03146.xml", food("03146", "BABYFOOD, Applesauce and Cherries", apple));
        writeFile("16359.xml", food("16359", "Chickpeas, rinsed in tap water\\",
                                    "<measure amount=\"0.333\" name=\"cup\" grams=\"40.0\"/>"
                                    "<nutrient amount=\"139.0\" name=\"Energy\"/>"));
        writeFile("23999.xml", "<food uid=\"23999\" name=\"Beef, ground beef calculator\"/>");
        writeFile("03266.xml", food("03266", "BABYFOOD,JUC", apple));
        writeFile("90560.xml", food("90560", "Mollusks, snail, raw", apple));
    }

    std::map<QString, FoodRecord> readByNdb() {
        std::map<QString, FoodRecord> out;
        for (FoodRecord& f : m_converter.readFolder(m_dir.path())) out[f.ndbNo] = f;
        return out;
    }

    QTemporaryDir m_dir;
    FoodConverter m_converter;
};

TEST_F(SourceFolder, TakesEveryListedFoodWithValuesAndLeavesOutTheRest) {
    writeStandardFixture();
    const std::map<QString, FoodRecord> foods = readByNdb();
    QStringList ndbs;
    for (const auto& [ndb, f] : foods) ndbs << ndb;
    EXPECT_EQ(ndbs, QStringList({"01001", "02002", "03144", "03145", "03146", "16359", "90560"}));
    EXPECT_EQ(m_converter.skipped(), QStringList({"23999 Beef, ground beef calculator"}));
    EXPECT_EQ(foods.at("01001").code, 100);
    EXPECT_EQ(foods.at("03146").code, 300);
    EXPECT_EQ(foods.at("16359").code, 1600);
    // Numbered outside its group (fish and shellfish); 9000 would make it a deletable user food.
    EXPECT_EQ(foods.at("90560").code, 1500);
}

TEST_F(SourceFolder, TakesTheTableNutrientsAndLeavesMissingOnesEmpty) {
    writeStandardFixture();
    const std::map<QString, FoodRecord> foods = readByNdb();
    const FoodRecord& butter = foods.at("01001");
    EXPECT_EQ(butter.value(2), 717.0);
    EXPECT_EQ(butter.value(18), 2499.0);  // Retinol and Sugars have no slot
    const FoodRecord& spice = foods.at("02002");
    EXPECT_EQ(spice.value(2), 0.0);  // a stated zero stays a zero
    EXPECT_EQ(spice.value(3), 12.5);
    for (const FoodRecord* f : {&butter, &spice})
        for (int slot : {1, 4, 5, 17, 25, 31}) EXPECT_FALSE(f->value(slot).has_value()) << slot;
}

TEST_F(SourceFolder, UnitsAreTheFirstTwoMeasuresThatReadDifferently) {
    writeStandardFixture();
    const std::map<QString, FoodRecord> foods = readByNdb();
    const FoodRecord& butter = foods.at("01001");
    EXPECT_EQ(butter.unit1, (HouseholdUnit{"1 cup", 227.0}));
    EXPECT_EQ(butter.unit2, (HouseholdUnit{"1 tbsp", 14.2}));
    // The 0-gram measure is no unit; " cup " reads as the first "1/2 cup" and is passed over.
    const FoodRecord& spice = foods.at("02002");
    EXPECT_EQ(spice.unit1, (HouseholdUnit{"1/2 cup", 120.0}));
    EXPECT_EQ(spice.unit2, (HouseholdUnit{"1 1/2 tbsp", 20.0}));
    const FoodRecord& chickpeas = foods.at("16359");
    EXPECT_EQ(chickpeas.unit1, (HouseholdUnit{"1/3 cup", 40.0}));
    EXPECT_FALSE(chickpeas.unit2.has_value());
    EXPECT_FALSE(foods.at("03144").unit1.has_value());
}

TEST_F(SourceFolder, DescriptionsAreCleanedAndMadeUniqueWithoutRegardToCase) {
    writeStandardFixture();
    const std::map<QString, FoodRecord> foods = readByNdb();
    EXPECT_EQ(foods.at("01001").description, "Butter, salted");
    EXPECT_EQ(foods.at("02002").description, "Spice, partial");
    EXPECT_EQ(foods.at("16359").description, "Chickpeas, rinsed in tap water");
    EXPECT_EQ(foods.at("03144").description, "Babyfood, applesauce and cherries (USDA no. 03144)");
    EXPECT_EQ(foods.at("03145").description, "Babyfood, applesauce and cherries (USDA no. 03145)");
    EXPECT_EQ(foods.at("03146").description, "BABYFOOD, Applesauce and Cherries (USDA no. 03146)");
}

TEST_F(SourceFolder, BrokenSourcesStopTheConversion) {
    writeStandardFixture();
    QFile::remove(m_dir.filePath("16359.xml"));
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);

    writeStandardFixture();
    writeFile("16359.xml", "<food uid=\"16359\" name=\"Chickpeas\"><nutrient amount=\"1\"");
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);

    writeFile("16359.xml", food("16359", "Chickpeas", "<nutrient amount=\"n/a\" name=\"Iron\"/>"));
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);

    writeStandardFixture();
    writeFile("foods.index", "77001|A food of an unknown group\n");
    writeFile("77001.xml", food("77001", "A food of an unknown group",
                                "<nutrient amount=\"1\" name=\"Iron\"/>"));
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);
    writeFile("foods.index", "1001|Butter, salted\n");
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);
    writeFile("foods.index", "01001 Butter, salted\n");
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);
    writeFile("foods.index", "01001|Butter, salted\n01001|Butter, salted\n");
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);

    QFile::remove(m_dir.filePath("foods.index"));
    EXPECT_THROW(m_converter.readFolder(m_dir.path()), ConversionError);
}

TEST(MakeDescriptionsUnique, ClashWithoutAFoodNumberIsAnError) {
    FoodRecord a;
    a.description = "Sample: Granola bar";
    FoodRecord b = a;
    b.description = "sample: granola BAR";
    std::vector<FoodRecord> foods{a, b};
    EXPECT_THROW(makeDescriptionsUnique(foods), ConversionError);

    // A clash that the appended number would create again is caught too.
    FoodRecord c;
    c.description = "Tea";
    c.ndbNo = "14001";
    FoodRecord d = c;
    FoodRecord e;
    e.description = "Tea (USDA no. 14001)";
    e.ndbNo = "14002";
    std::vector<FoodRecord> teas{c, d, e};
    EXPECT_THROW(makeDescriptionsUnique(teas), ConversionError);
}

TEST(SampleFoods, AreMarkedAsSamplesAndConvertedTo100Grams) {
    const std::vector<FoodRecord> samples = sampleFoods();
    ASSERT_GE(samples.size(), 3u);
    ASSERT_LE(samples.size(), 5u);
    for (const FoodRecord& f : samples) {
        EXPECT_TRUE(f.description.startsWith("Sample: ")) << qPrintable(f.description);
        EXPECT_GE(f.code, 6400);
        EXPECT_LE(f.code, 6499);
        EXPECT_TRUE(f.unit1.has_value()) << qPrintable(f.description);
        EXPECT_TRUE(f.value(2).has_value()) << qPrintable(f.description);
    }
    // The granola bar label: 190 kcal and 7 g fat in a 42 g serving.
    EXPECT_EQ(samples[0].description, "Sample: Granola bar, oats and honey");
    EXPECT_DOUBLE_EQ(*samples[0].value(2), 452.4);
    EXPECT_DOUBLE_EQ(*samples[0].value(4), 16.667);
    EXPECT_FALSE(samples[0].value(1).has_value());  // labels state no water
}

// A food as a database row: one text per field, "NULL" for a field without value.
QStringList rowTexts(SQLite::Database& db, const QString& description) {
    SQLite::Statement q(db, "SELECT * FROM CSR14 WHERE Description = ?");
    q.bind(1, description.toStdString());
    QStringList out;
    if (!q.executeStep()) return out;
    for (int i = 0; i < q.getColumnCount(); ++i)
        out << (q.getColumn(i).isNull() ? QStringLiteral("NULL")
                                        : QString::fromStdString(q.getColumn(i).getString()));
    return out;
}

class DatabaseFile : public SourceFolder {
protected:
    QString target() const { return m_dir.filePath("out/Custom.mdb"); }
    void SetUp() override {
        SourceFolder::SetUp();
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("out"));
    }
};

TEST_F(DatabaseFile, WritesEveryFieldAndKeepsMissingValuesNull) {
    writeStandardFixture();
    const std::vector<FoodRecord> foods = m_converter.readFolder(m_dir.path());
    buildDatabaseFile(target(), [&](SQLite::Database& db) { writeFoods(db, foods); });

    SQLite::Database db(target().toStdString());
    EXPECT_EQ(db.execAndGet("PRAGMA application_id").getInt(), kApplicationId);
    EXPECT_EQ(db.execAndGet("SELECT COUNT(*) FROM CSR14").getInt(), 7);
    // Description, 31 values (slot 2 = 0, slot 3 = 12.5), units, refuse, number, code.
    QStringList spice{"Spice, partial", "NULL", "0.0", "12.5"};
    for (int slot = 4; slot <= kFoodValueCount; ++slot) spice << "NULL";
    spice << "120.0"
          << "1/2 cup"
          << "20.0"
          << "1 1/2 tbsp"
          << "NULL"
          << "02002"
          << "200";
    EXPECT_EQ(rowTexts(db, "Spice, partial"), spice);

    const QStringList chickpeas = rowTexts(db, "CHICKPEAS, rinsed in tap water");
    ASSERT_EQ(chickpeas.size(), 39);
    EXPECT_EQ(chickpeas.mid(32),
              QStringList({"40.0", "1/3 cup", "NULL", "NULL", "NULL", "16359", "1600"}));
}

TEST_F(DatabaseFile, RefusesAnExistingFileAndLeavesItAlone) {
    {
        QFile existing(target());
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("the user's foods");
    }
    bool filled = false;
    EXPECT_THROW(buildDatabaseFile(target(), [&](SQLite::Database&) { filled = true; }),
                 ConversionError);
    EXPECT_FALSE(filled);
    QFile existing(target());
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "the user's foods");
    EXPECT_EQ(QDir(m_dir.filePath("out")).entryList(QDir::Files), QStringList({"Custom.mdb"}));
}

TEST_F(DatabaseFile, AFailedFillLeavesNoFileBehind) {
    FoodRecord bad;
    bad.description = "Half written";
    bad.code = 100;
    std::vector<FoodRecord> foods{bad};
    EXPECT_THROW(buildDatabaseFile(target(),
                                   [&](SQLite::Database& db) {
                                       writeFoods(db, foods);
                                       throw ConversionError("disk full");
                                   }),
                 ConversionError);
    EXPECT_TRUE(QDir(m_dir.filePath("out")).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // A fill that fails inside its transaction leaves nothing either.
    EXPECT_THROW(buildDatabaseFile(target(),
                                   [&](SQLite::Database& db) {
                                       writeMealTables(db);
                                       writeMealTables(db);  // the tables exist already
                                   }),
                 std::exception);
    EXPECT_TRUE(QDir(m_dir.filePath("out")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// The food file the build made from the USDA data.
class BuiltFoodFile : public ::testing::Test {
protected:
    SQLite::Database m_db{PW_FOOD_TEMPLATE, SQLite::OPEN_READONLY};

    int count(const char* sql) { return m_db.execAndGet(sql).getInt(); }
};

TEST_F(BuiltFoodFile, ButterHasItsUsdaValuesAndUnits) {
    // Every field of USDA food 01001, read off its XML by hand.
    const QStringList expected = {
        "Butter, salted", "15.87",  "717.0", "0.85",  "81.11",  "0.06",  "0.0",
        "2.11",           "24.0",   "24.0",  "0.02",  "714.0",  "24.0",  "2.0",
        "0.09",           "0.0",    "0.0",   "1.0",   "2499.0", "2.32",  "0.005",
        "0.034",          "0.042",  "0.11",  "0.003", "3.0",    "0.17",  "0.0",
        "51.368",         "21.021", "3.043", "215.0", "227.0",  "1 cup", "14.2",
        "1 tbsp",         "NULL",   "01001", "100"};
    EXPECT_EQ(rowTexts(m_db, "Butter, salted"), expected);
}

TEST_F(BuiltFoodFile, HoldsTheReferenceFoodsAndTheSamples) {
    EXPECT_EQ(count("SELECT COUNT(*) FROM CSR14 WHERE CODE < 6010"), 7906);
    const int samples = count("SELECT COUNT(*) FROM CSR14 WHERE CODE BETWEEN 6400 AND 6499");
    EXPECT_GE(samples, 3);
    EXPECT_LE(samples, 5);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CSR14"), 7906 + samples);
    // No user foods and nothing between the two ranges.
    EXPECT_EQ(count("SELECT COUNT(*) FROM CSR14 WHERE CODE IS NULL OR CODE >= 6500 OR "
                    "(CODE >= 6010 AND CODE < 6400)"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CSR14 WHERE REFUSE_PCT IS NOT NULL"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CSR14 WHERE length(NDB_NO) <> 5 AND CODE < 6010"), 0);
}

TEST_F(BuiltFoodFile, EveryDescriptionIsUniqueWithoutRegardToCase) {
    SQLite::Statement q(m_db, "SELECT Description FROM CSR14");
    QSet<QString> seen;
    int rows = 0;
    while (q.executeStep()) {
        const QString d = QString::fromStdString(q.getColumn(0).getString());
        EXPECT_FALSE(d.isEmpty());
        EXPECT_EQ(d, d.simplified());
        EXPECT_FALSE(d.endsWith('\\')) << qPrintable(d);
        EXPECT_FALSE(seen.contains(d.toCaseFolded())) << qPrintable(d);
        seen.insert(d.toCaseFolded());
        ++rows;
    }
    EXPECT_GT(rows, 7906);
}

TEST_F(BuiltFoodFile, KeepsMissingValuesEmptyAndIsStamped) {
    EXPECT_GT(count("SELECT COUNT(*) FROM CSR14 WHERE FOLATE IS NULL"), 0);
    EXPECT_GT(count("SELECT COUNT(*) FROM CSR14 WHERE GMWT_DESC2 IS NULL"), 0);
    // A unit description always comes with its weight.
    EXPECT_EQ(count("SELECT COUNT(*) FROM CSR14 WHERE (GMWT_DESC1 IS NULL) <> (GMWT_1 IS NULL) "
                    "OR (GMWT_DESC2 IS NULL) <> (GMWT_2 IS NULL)"),
              0);
    EXPECT_EQ(count("PRAGMA application_id"), kApplicationId);
}

TEST(BuiltMealFile, IsEmptyAndStamped) {
    SQLite::Database db(PW_MEAL_TEMPLATE, SQLite::OPEN_READONLY);
    EXPECT_EQ(db.execAndGet("PRAGMA application_id").getInt(), kApplicationId);
    EXPECT_EQ(db.execAndGet("SELECT COUNT(*) FROM MealNumbers").getInt(), 0);
    EXPECT_EQ(db.execAndGet("SELECT COUNT(*) FROM Meals").getInt(), 0);
}

}  // namespace
}  // namespace pw
