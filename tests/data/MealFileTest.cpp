// What the database files keep and how they are listed: the numbers of meal items read back as
// they were written, meal files of earlier builds converted in place or left as they were, and
// descriptions sorted by their letters while the files stay plain SQLite.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <QFile>

#include "data/Database.h"
#include "data/NumberText.h"
#include "data/RecordCursor.h"
#include "data/Schema.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

// One column of a query, read through a plain connection with nothing of the program's
// registered on it, as the sqlite3 shell would read the file.
QStringList plainColumn(const QString& db, const std::string& sql) {
    SQLite::Database file(db.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement st(file, sql);
    QStringList out;
    while (st.executeStep()) out << QString::fromStdString(st.getColumn(0).getString());
    return out;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The rows of makeOldStyle() as items() reads them.
const QStringList kOldItems = {"Apple, raw", "52", "0.26", "150", "Soup", "41.2", "2 cups", ""};

class MealFile : public ::testing::Test {
protected:
    void TearDown() override { closeAllConnections(); }
    void open(RecordCursor& c, const QString& source) {
        c.setDatabaseName(folder.mealDb());
        c.setRecordSource(source);
        c.refresh();
    }
    // Turns the fresh meal file into one as earlier builds made it: the numbers of Meals in
    // REAL columns. Rows: an apple (rowid 2) and a soup (rowid 3) of meal 3; rowid 1 is gone.
    void makeOldStyle() {
        SQLite::Database db(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE);
        QStringList columns;
        for (const FieldInfo& f : mealsTable().fields) {
            const char* type = f.kind == FieldKind::NumberText ? "REAL"
                               : f.kind == FieldKind::Integer  ? "INTEGER"
                                                               : "TEXT";
            columns << QStringLiteral("\"%1\" %2").arg(f.name, QLatin1String(type));
        }
        db.exec("DROP TABLE Meals");
        db.exec(QStringLiteral("CREATE TABLE Meals (%1)").arg(columns.join(", ")).toStdString());
        db.exec("CREATE INDEX Meals_MealNumber ON Meals (MealNumber)");
        db.exec("INSERT INTO Meals (MealNumber) VALUES (3)");
        db.exec(
            "INSERT INTO Meals (description, ENERG_KCAL, PROTEIN, PortionSize, MealNumber, "
            "Date) VALUES ('Apple, raw', 52, 0.26, 150, 3, '2002-03-04')");
        // A text that is a number became one; any other stayed a text.
        db.exec(
            "INSERT INTO Meals (description, ENERG_KCAL, PROTEIN, MealNumber) "
            "VALUES ('Soup', ' 41.2', '2 cups', 3)");
        db.exec("DELETE FROM Meals WHERE rowid = 1");
        test::addMeal(folder.mealDb(), 3, "Lunch", QDate(2002, 3, 4), false);
    }
    QStringList columnTypes() const {
        return plainColumn(folder.mealDb(),
                           "SELECT type FROM pragma_table_info('Meals') WHERE name IN "
                           "('ENERG_KCAL', 'PortionSize', 'MealNumber', 'description')");
    }
    // description, ENERG_KCAL, PROTEIN, PortionSize of every row of meal 3.
    QStringList items() {
        RecordCursor c;
        open(c, "Select ALL * from Meals Where MealNumber = 3");
        QStringList out;
        for (c.moveFirst(); !c.eof(); c.moveNext())
            for (const char* f : {"description", "ENERG_KCAL", "PROTEIN", "PortionSize"})
                out << c.text(QLatin1String(f));
        return out;
    }
    // Rescales the soup as a portion adjustment does, and reads its calories back.
    QString rescaleSoup() {
        RecordCursor c;
        open(c, "Select ALL * from Meals Where MealNumber = 3");
        c.moveLast();
        c.edit();
        c.setText("ENERG_KCAL", " 12.5");
        c.update();
        closeAllConnections();
        RecordCursor again;
        open(again, "Select ALL * from Meals Where MealNumber = 3");
        again.moveLast();
        return again.text("ENERG_KCAL");
    }

    ProgramFolder folder{ProgramFolder::Content::Empty};
};

// Reports and totals take the leading number of what the item detail shows as written.
TEST_F(MealFile, ANewFileKeepsTheTextsOfItemNumbersAndReadersTakeTheirLeadingNumber) {
    RecordCursor items;
    open(items, "Meals");
    const std::pair<const char*, const char*> written[] = {
        {"ENERG_KCAL", " 717"},  {"PROTEIN", " .1"},         {"TOT_LIPID", "-.25"},
        {"CARBOHYDRT", "2.110"}, {"PortionSize", "150.000"}, {"GMWT_2", "2 cups"},
        {"FIBER_TD", ""}};
    items.addNew();
    for (const auto& [field, text] : written) items.setText(field, text);
    items.update();
    closeAllConnections();

    RecordCursor again;
    open(again, "Select * From Meals Order by MealNumber");
    QStringList fields, texts;
    for (const auto& [field, text] : written) {
        fields << field;
        EXPECT_EQ(again.text(field), QLatin1String(text)) << field;
    }
    std::vector<double> numbers;
    again.forEachRowNumbers(fields, [&](const double* v) { numbers.assign(v, v + 7); });
    EXPECT_EQ(numbers, (std::vector<double>{717, 0.1, -0.25, 2.11, 150, 2, 0}));
    EXPECT_EQ(columnTypes(), QStringList({"TEXT", "TEXT", "INTEGER", "TEXT"}));
}

// Converted once, in place: every row keeps its place and its values, shown as before.
TEST_F(MealFile, AnOldFileIsConvertedInPlaceAndThenKeepsTextsAsWritten) {
    makeOldStyle();
    const QStringList rowids = plainColumn(folder.mealDb(), "SELECT rowid FROM Meals");
    EXPECT_EQ(items(), kOldItems);
    EXPECT_EQ(columnTypes(), QStringList({"TEXT", "TEXT", "INTEGER", "TEXT"}));
    EXPECT_EQ(plainColumn(folder.mealDb(), "SELECT rowid FROM Meals"), rowids);
    EXPECT_EQ(plainColumn(folder.mealDb(),
                          "SELECT name FROM sqlite_master WHERE tbl_name = 'Meals' AND "
                          "type = 'index' ORDER BY name"),
              QStringList({"Meals_Date", "Meals_MealNumber"}));
    EXPECT_EQ(plainColumn(folder.mealDb(), "PRAGMA application_id"),
              QStringList({QString::number(kApplicationId)}));
    EXPECT_EQ(plainColumn(folder.mealDb(), "SELECT MealName FROM MealNumbers"),
              QStringList({"Lunch"}));
    EXPECT_EQ(rescaleSoup(), " 12.5");
    EXPECT_EQ(plainColumn(folder.mealDb(), "PRAGMA integrity_check"), QStringList({"ok"}));
}

// A view on Meals makes the conversion fail half-way (the table it names is gone for a
// moment): the file must come out byte for byte as it went in, and still be used as it is.
TEST_F(MealFile, AnOldFileThatCannotBeConvertedIsLeftAsItWasAndStillWorks) {
    makeOldStyle();
    {
        SQLite::Database db(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE);
        db.exec("CREATE VIEW Calories AS SELECT ENERG_KCAL FROM Meals");
    }
    const QByteArray before = bytesOf(folder.mealDb());
    EXPECT_EQ(items(), kOldItems);
    EXPECT_EQ(bytesOf(folder.mealDb()), before);
    EXPECT_EQ(columnTypes(), QStringList({"TEXT", "REAL", "INTEGER", "REAL"}));
    EXPECT_EQ(rescaleSoup(), "12.5");  // its number kept, though not its text
    EXPECT_EQ(plainColumn(folder.mealDb(), "SELECT count(*) FROM Calories"), QStringList({"2"}));
}

// "Ünïcode crème" among the U's, not after "Zeta two", in the main food list's view and in the
// customisation window's; names differing only in case or accents in a fixed order.
TEST(LetterOrder, FoodListsSortAccentedLettersAmongTheirLettersAndTheFileStaysPlain) {
    ProgramFolder folder(ProgramFolder::Content::Empty);
    const char* stored[] = {"Zeta two", "Ünïcode crème", "Umbrella fruit", "apple", "Éclair",
                            "Vanilla",  "unicorn",       "Apple",          "Ápple", "Eel"};
    for (const char* d : stored) test::addFood(folder.customDb(), QString::fromUtf8(d), 6500);
    const QStringList expected =
        QString::fromUtf8(
            "Apple|apple|Ápple|Éclair|Eel|Umbrella fruit|Ünïcode crème|unicorn|"
            "Vanilla|Zeta two")
            .split(u'|');
    for (const char* view : {"Select ALL * From CSR14 Order by description",
                             "Select All * from CSR14 where Code > 6399 order by description"}) {
        RecordCursor c;
        c.setDatabaseName(folder.customDb());
        c.setRecordSource(QLatin1String(view));
        c.refresh();
        EXPECT_EQ(c.columnTexts("Description"), expected) << view;
    }
    // The order is a true order: what sorts before something sorts after it the other way round.
    for (const QString& a : expected)
        for (const QString& b : expected)
            EXPECT_EQ(compareLetterOrder(a, b), -compareLetterOrder(b, a));

    // The schema names no collation of ours: a plain connection reads and sorts the file.
    EXPECT_EQ(
        plainColumn(folder.customDb(), "SELECT Description FROM CSR14 ORDER BY Description").size(),
        qsizetype(std::size(stored)));
    EXPECT_EQ(plainColumn(folder.customDb(), "PRAGMA integrity_check"), QStringList({"ok"}));
    closeAllConnections();
}

}  // namespace
}  // namespace pw
