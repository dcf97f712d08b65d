// The store as the program reads it: the sources it writes, the record cursor's moves and edits,
// the rules the store keeps, and the files it refuses to open.
#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <limits>

#include "data/Database.h"
#include "data/NumberText.h"
#include "data/QueryDialect.h"
#include "data/RecordCursor.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

constexpr auto errorOf = test::errorNumberOf;

// The sources and criteria the program writes, as the store is asked for them.

// "table|where|values|order".
QString shape(const QString& source) {
    const SqlQuery q = translateSource(source);
    QStringList values;
    for (const QVariant& v : q.condition.values) values << v.toString();
    return QStringList{q.table->name, q.condition.where, values.join(u','), q.orderBy}.join(u'|');
}

// The forms no cursor test below reads back: a numeric order on a dashed name, a bare number.
TEST(QueryDialect, FormsTheCursorTestsDoNotReadBackTranslate) {
    EXPECT_EQ(shape("CSR14"), "CSR14|||");
    EXPECT_EQ(shape("Select * from Meals order by [GMWT-1]"), R"(Meals|||CAST("GMWT-1" AS REAL))");
    EXPECT_EQ(shape("Select ALL * from Meals Where MealNumber = -.5"),
              R"(Meals|"MealNumber" = ?|-0.5|)");
}

TEST(QueryDialect, AnythingOutsideTheDialectIsAnErrorNotACrash) {
    // An apostrophe that is not doubled ends the text; whatever follows is outside the dialect.
    const std::pair<const char*, int> criteria[] = {
        {"description = 'O'Brien' ", err::SyntaxError},
        {"description = 'unclosed", err::SyntaxError},
        {"description = 'x'; DELETE FROM CSR14", err::SyntaxError},
        {"description LIKE 'x%'", err::SyntaxError},
        {"nosuchfield = 'x'", err::UnknownField},
        {"description = 5", 3464}};  // a number for a text field
    for (const auto& [text, number] : criteria)
        EXPECT_EQ(errorOf([&] { translateCriteria(text, csr14Table()); }), number) << text;
    const std::pair<QString, int> sources[] = {
        {"NoSuchTable", err::TableNotFound},
        {"Select * From sqlite_master", err::TableNotFound},
        {"Select * From Meals Order by Nonsense", err::UnknownField},
        {"Select description From CSR14", err::SqlSyntax},
        {"Select * From Meals; DROP TABLE Meals", err::SqlSyntax},
        {"Select * From Meals Where MealNumber = 1 OR 1 = 1", err::SqlSyntax},
        {"Select * From Meals Where MealNumber", err::SyntaxError},
        {"Select * from Meals Where MealNumber = 1.2.3", err::SyntaxError},
        {"Select * From Meals Where Date = #2/30/2001#", err::SyntaxError},
        {"Select * From Meals Where Date = #1/1/01", err::SqlSyntax},
        {"Select * From Meals Where Date = 5", 3464},
        {"Select * From [Meals", err::SqlSyntax},
        {QString(10000, u'('), err::SqlSyntax}};
    for (const auto& [source, number] : sources)
        EXPECT_EQ(errorOf([&] { translateSource(source); }), number)
            << source.left(60).toStdString();
}

class CursorTest : public ::testing::Test {
protected:
    void open(RecordCursor& c, const QString& source, const QString& db = {}) {
        c.setDatabaseName(db.isEmpty() ? folder.mealDb() : db);
        c.setRecordSource(source);
        c.refresh();
    }
    // Meal 5 with three items (A, B, C stored in that order), meal 2 with one, meal 9 with two.
    void storeMeals() {
        const QDate day(2024, 3, 5);
        const std::pair<int, const char*> items[] = {{5, "A"}, {2, "D"}, {5, "B"},
                                                     {9, "E"}, {5, "C"}, {9, "F"}};
        for (const auto& [meal, d] : items)
            test::addMealItem(folder.mealDb(), meal, "Meal", day, d, 100);
    }
    QStringList descriptions(RecordCursor& c) { return c.columnTexts("description"); }

    ProgramFolder folder;
};

TEST_F(CursorTest, EmptySourceHasNoCurrentRowAndRefusesMoves) {
    RecordCursor c;
    int repositions = 0;
    c.onReposition = [&] { ++repositions; };
    open(c, "Select * From Meals Order by MealNumber");
    EXPECT_EQ(c.recordCount(), 0);
    EXPECT_TRUE(c.eof() && c.bof() && !c.hasCurrentRow());
    EXPECT_EQ(c.text("MealName"), "");  // a bound box shows nothing
    for (const auto& move : std::initializer_list<std::function<void()>>{
             [&] { c.moveFirst(); }, [&] { c.moveNext(); }, [&] { c.edit(); },
             [&] { c.deleteRow(); }, [&] { c.bookmark(); }})
        EXPECT_EQ(errorOf(move), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.update(); }), err::UpdateWithoutEdit);
    EXPECT_EQ(repositions, 1);
}

TEST_F(CursorTest, RowsComeInStoredOrderAndMovesWalkThem) {
    storeMeals();
    RecordCursor c;
    open(c, "Select * From Meals Order by MealNumber");  // ties keep the stored order
    EXPECT_EQ(descriptions(c), QStringList({"D", "A", "B", "C", "E", "F"}));
    open(c, "Select ALL * from Meals Where MealNumber = 5");
    EXPECT_EQ(descriptions(c), QStringList({"A", "B", "C"}));
    EXPECT_EQ(c.text("description"), "A");
    c.moveLast();
    EXPECT_EQ(c.absolutePosition(), 2);
    c.moveNext();
    EXPECT_TRUE(c.eof() && c.absolutePosition() == -1);
    EXPECT_EQ(errorOf([&] { c.moveNext(); }), err::NoCurrentRecord);
    c.movePrevious();  // from past the end back onto the last row
    EXPECT_EQ(c.text("description"), "C");
    c.moveFirst();
    c.movePrevious();
    EXPECT_TRUE(c.bof());
    c.moveNext();  // from before the start onto the first row
    EXPECT_EQ(c.text("description"), "A");
    c.setAbsolutePosition(1);
    EXPECT_EQ(errorOf([&] { c.setAbsolutePosition(3); }), 3001);
    EXPECT_EQ(c.text("description"), "B");
    EXPECT_EQ(c.text("mealnumber"), c.text("MealNumber"));  // names without regard to case
    EXPECT_TRUE(c.hasField("gmwt-1"));
    EXPECT_EQ(errorOf([&] { c.text("Nope"); }), err::UnknownField);
}

TEST_F(CursorTest, AddsEditsAndCancelsReachTheStoreAndOtherCursors) {
    storeMeals();
    RecordCursor c;
    RecordCursor other;
    open(c, "Select * from Meals Where MealNumber = 5");
    open(other, "Select * from Meals Order by MealNumber");
    c.addNew();
    c.setText("description", "Dropped");
    c.cancelUpdate();
    c.edit();
    c.setText("description", "Changed");
    c.cancelUpdate();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_EQ(descriptions(c), QStringList({"A", "B", "C"}));

    c.moveNext();
    c.edit();
    c.setText("PortionSize", "150.000");
    c.update();
    EXPECT_EQ(c.text("PortionSize"), "150.000");
    EXPECT_EQ(c.absolutePosition(), 1);
    other.refresh();
    EXPECT_EQ(other.columnTexts("PortionSize"),
              QStringList({"100", "100", "150.000", "100", "100", "100"}));

    // Moving off a pending row saves it.
    int validations = 0;
    c.onValidate = [&] { ++validations; };
    c.edit();
    c.setText("description", "B2");
    c.moveNext();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_GE(validations, 1);
    other.refresh();
    EXPECT_EQ(descriptions(other), QStringList({"D", "A", "B2", "C", "E", "F"}));

    // An added row appears at the end, and the cursor returns to the row it stood on.
    c.addNew();
    EXPECT_EQ(c.editMode(), EditMode::Adding);
    c.setText("description", "New");
    c.setText("MealNumber", "5");
    c.update();
    EXPECT_EQ(c.editMode(), EditMode::None);
    EXPECT_EQ(c.text("description"), "C");
    EXPECT_EQ(descriptions(c), QStringList({"A", "B2", "C", "New"}));
    // In an ordered view too, until the next refresh.
    other.addNew();
    other.setText("description", "Early");
    other.setText("MealNumber", "1");
    other.update();
    EXPECT_EQ(descriptions(other).last(), "Early");
    other.refresh();
    EXPECT_EQ(other.text("description"), "Early");
}

TEST_F(CursorTest, DeleteLeavesNoCurrentRowUntilTheNextMove) {
    storeMeals();
    RecordCursor c;
    open(c, "Select ALL * from Meals Where MealNumber = 5");
    c.moveNext();  // B
    c.deleteRow();
    EXPECT_FALSE(c.hasCurrentRow() || c.eof() || c.bof());
    EXPECT_EQ(c.recordCount(), 2);
    EXPECT_EQ(errorOf([&] { c.deleteRow(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { c.edit(); }), err::NoCurrentRecord);
    c.moveNext();
    EXPECT_EQ(c.text("description"), "C");  // the row after the deleted one
    EXPECT_EQ(c.absolutePosition(), 1);

    c.moveFirst();
    c.deleteRow();     // A
    c.movePrevious();  // nothing stood before it
    EXPECT_TRUE(c.bof());
    c.moveNext();
    c.deleteRow();  // the last one
    EXPECT_TRUE(c.eof() && c.bof());
    EXPECT_EQ(test::rowCount(folder.mealDb(), "Meals"), 3);
}

TEST_F(CursorTest, BookmarkReturnsToTheRowAndAFailedRefreshKeepsTheView) {
    storeMeals();
    RecordCursor c;
    open(c, "Select * From Meals Order by MealNumber");
    c.setAbsolutePosition(3);
    const QByteArray mark = c.bookmark();
    c.moveLast();
    c.setBookmark(mark);
    EXPECT_EQ(c.text("description"), "C");
    c.deleteRow();
    c.moveFirst();
    EXPECT_EQ(errorOf([&] { c.setBookmark(mark); }), 3159);
    EXPECT_EQ(errorOf([&] { c.setBookmark("junk"); }), 3159);
    EXPECT_EQ(c.absolutePosition(), 0);

    c.setRecordSource("Select * from Meals Where Nonsense = 1");
    EXPECT_EQ(errorOf([&] { c.refresh(); }), err::UnknownField);
    EXPECT_EQ(c.text("description"), "D");
    EXPECT_EQ(c.recordCount(), 5);
}

TEST_F(CursorTest, FindFirstTakesHostileTextAsData) {
    test::addFood(folder.customDb(), QStringLiteral("Crème brûlée"), 1100);
    test::addFood(folder.customDb(), "Twin", 1101, {{"ENERG_KCAL", 1}});
    test::addFood(folder.customDb(), "Twin", 1102, {{"ENERG_KCAL", 2}});
    RecordCursor c;
    int repositions = 0;
    c.onReposition = [&] { ++repositions; };
    open(c, "Select ALL * From CSR14 Order by description", folder.customDb());
    EXPECT_TRUE(c.findFirst("description = '" + SrchReplace("O'Brien's potatoes") + "' "));
    EXPECT_EQ(c.text("Description"), "O'Brien's potatoes");
    EXPECT_TRUE(c.findFirst(QStringLiteral("description = 'Crème brûlée' ")));
    EXPECT_EQ(c.text("CODE"), "1100");
    EXPECT_TRUE(c.findFirst("description = 'Twin'"));
    EXPECT_EQ(c.text("ENERG_KCAL"), "1");                     // the first in the cursor's order
    EXPECT_TRUE(c.findFirst("description = 'MILK, WHOLE'"));  // without regard to case
    const int at = c.absolutePosition();
    const int before = repositions;

    // No match leaves the cursor where it was, and so does hostile text.
    EXPECT_FALSE(c.findFirst("description = 'Milk' "));
    EXPECT_TRUE(c.noMatch());
    EXPECT_FALSE(c.findFirst("description = 'x'' OR ''1''=''1' "));
    EXPECT_EQ(errorOf([&] { c.findFirst("description = 'x' OR 1=1"); }), err::SyntaxError);
    EXPECT_EQ(c.absolutePosition(), at);
    EXPECT_EQ(repositions, before);
    EXPECT_EQ(test::rowCount(folder.customDb(), "CSR14"), 10);

    // A criterion finds only rows of the cursor's own view.
    open(c, "Select All * from CSR14 where Code > 6399 order by description", folder.customDb());
    EXPECT_FALSE(c.findFirst("description = 'Apple, raw'"));
    EXPECT_TRUE(c.findFirst("description = 'Sample soup'"));
    EXPECT_EQ(c.absolutePosition(), 1);
}

// The numbers read in one pass must be those a walk from row to row reads from the texts,
// whatever the stored values look like, and in the cursor's order after rows came and went.
TEST_F(CursorTest, BulkRowNumbersMatchTheTextsRowByRow) {
    const QString db = folder.mealDb();
    const QVariantList odd = {12.5,           0.1,
                              qlonglong(717), QString("2 cups"),
                              QString("abc"), std::numeric_limits<double>::denorm_min(),
                              -0.0,           1e22};
    for (int i = 0; i < odd.size(); ++i)
        test::insertRow(db, "Meals",
                        {{"MealNumber", 1}, {"PROTEIN", odd[i]}, {"ENERG_KCAL", 3 - i}});
    test::insertRow(db, "Meals", {{"MealNumber", 1}});

    RecordCursor c;
    open(c, "Select * From Meals Where MealNumber = 1 Order by ENERG_KCAL");
    c.setAbsolutePosition(2);
    c.deleteRow();  // gone from the store, gone from the cursor
    c.addNew();     // a row the source's condition does not select, shown last
    c.setText("MealNumber", "7");
    c.setText("PROTEIN", "4.25");
    c.update();
    c.setAbsolutePosition(1);

    const QStringList fields = {"PROTEIN", "energ_kcal", "MealNumber"};
    std::vector<std::vector<double>> bulk;
    c.forEachRowNumbers(fields, [&](const double* v) { bulk.emplace_back(v, v + 3); });
    EXPECT_EQ(c.absolutePosition(), 1);

    ASSERT_EQ(int(bulk.size()), c.recordCount());
    for (int r = 0; r < c.recordCount(); ++r) {
        c.setAbsolutePosition(r);
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(bulk[std::size_t(r)][std::size_t(f)], leadingNumber(c.text(fields[f])))
                << "row " << r << " field " << fields[f].toStdString();
    }
}

// The list's compact texts give back exactly what was put in, empty and accented ones too.
TEST(TextColumn, HoldsEveryTextAsItWasAndFindsByTextOrBeginning) {
    const QStringList texts = {"Crème brûlée", "", "crab, raw", QString(QChar(0x1F34E)), "CRÈME"};
    const TextColumn column(texts);
    EXPECT_EQ(column.toList(), texts);
    EXPECT_EQ(column.size(), 5);
    EXPECT_EQ(column.indexOf(""), 1);
    EXPECT_EQ(column.indexOf("CRÈME"), 4);
    EXPECT_EQ(column.indexOf("Crème"), -1);  // whole texts only
    EXPECT_EQ(column.firstStartingWith("CRÈ"), 0);
    EXPECT_EQ(column.firstStartingWith("cra"), 2);
    EXPECT_EQ(column.firstStartingWith("x"), -1);
    EXPECT_TRUE(TextColumn().isEmpty());
}

// Rows read ahead on another thread stand in for the cursor's own reading only while they are
// still what the file holds: a change stored after the read, or written through the shared
// connection before the list asks, makes the cursor read for itself.
TEST_F(CursorTest, RowsReadAheadAreTakenOnlyWhileTheFileIsUnchanged) {
    const QString food = folder.customDb();
    const QString source = QStringLiteral("Select * From CSR14 Order by description");
    const auto fresh = [&] {
        RecordCursor plain;
        open(plain, source, food);
        return plain.columnTexts("Description");
    };
    // The same rows in the same order as SQLite's letter order: equal texts in the order they
    // were stored, texts equal but for case and accented ones by their letters, whether a few or
    // many of them are out of case-blind order.
    const auto expectSqliteOrder = [&] {
        RecordCursor plain;
        open(plain, source, food);
        std::vector<int64_t> rows;
        for (plain.moveFirst(); !plain.eof(); plain.moveNext())
            rows.push_back(plain.bookmark().toLongLong());
        EXPECT_EQ(readColumn(food, source, "Description").rows, rows);
    };
    expectSqliteOrder();  // plain ASCII texts, none out of case-blind order
    for (const QString& d : {QStringLiteral("zz Pear"), QStringLiteral("zz Pear"),
                             QStringLiteral("pear, zz"), QStringLiteral("PEAR, zz")})
        test::addFood(food, d, 1200);
    expectSqliteOrder();  // ASCII texts equal but for case
    for (const QString& d : {QStringLiteral("Éclair"), QStringLiteral("eclair")})
        test::addFood(food, d, 1200);
    expectSqliteOrder();
    for (int i = 0; i < 30; ++i) test::addFood(food, QStringLiteral("Éa %1").arg(i % 3), 1300 + i);
    expectSqliteOrder();
    const QStringList before = fresh();

    RecordCursor c;
    c.setDatabaseName(food);
    c.setRecordSource(source);
    c.refresh(readColumn(food, source, "Description"));
    EXPECT_EQ(c.recordCount(), before.size());
    EXPECT_EQ(c.text("Description"), before.first());
    EXPECT_EQ(c.columnTexts("Description"), before);
    EXPECT_EQ(c.columnTexts("description"), before);  // asked again: read from the file

    // Stored after the read: the rows read ahead are stale.
    ColumnRead stale = readColumn(food, source, "Description");
    test::addFood(food, "aa Banana", 1201);
    c.refresh(std::move(stale));
    EXPECT_EQ(c.text("Description"), "aa Banana");
    EXPECT_EQ(c.columnTexts("Description"), fresh());

    // Written through the shared connection between the refresh and the list's reading.
    c.refresh(readColumn(food, source, "Description"));
    RecordCursor writer;
    open(writer, source, food);
    writer.edit();
    writer.setText("Description", "aa Apricot");
    writer.update();
    const QStringList after = fresh();
    ASSERT_EQ(after.first(), "aa Apricot");
    EXPECT_EQ(c.columnTexts("Description"), after);

    // Read from a source in another order: not taken.
    c.refresh(readColumn(food, QStringLiteral("CSR14"), "Description"));
    EXPECT_EQ(c.text("Description"), "aa Apricot");
}

// The rules the store keeps, whoever writes: a meal header row on a cursor of its own.
class StoreRules : public CursorTest {
protected:
    void SetUp() override { open(header, "Select * from MealNumbers Order by MealNumber"); }
    // A save that must fail with `number` and leave the row pending as it was.
    void expectRefused(int number, int rowsStored = 0, EditMode mode = EditMode::Adding) {
        EXPECT_EQ(errorOf([&] { header.update(); }), number);
        EXPECT_EQ(header.editMode(), mode);
        EXPECT_EQ(test::rowCount(folder.mealDb(), "MealNumbers"), rowsStored);
    }
    RecordCursor header;
};

TEST_F(StoreRules, AMealNeedsANameADateAndAWholeNumberOfItsOwn) {
    header.addNew();
    header.setText("MealNumber", "1");
    header.setText("MealDate", "3/4/02");
    expectRefused(err::RequiredNull);  // name never written
    header.setText("MealName", "");
    expectRefused(err::ZeroLength);  // name written empty
    header.setText("MealName", "Lunch");
    header.setText("MealDate", "");
    expectRefused(err::RequiredNull);
    for (const char* notADate : {"31/31/02", "yesterday"}) {
        header.setText("MealDate", notADate);
        expectRefused(err::UpdateCancelled);
    }
    header.setText("MealDate", "3/4/02");
    header.setText("MealNumber", "7 apples");
    expectRefused(err::UpdateCancelled);
    EXPECT_EQ(header.text("MealName"), "Lunch");  // the pending row keeps what was typed

    header.setText("MealNumber", " 1 ");
    header.update();
    header.moveLast();
    EXPECT_EQ(header.text("MealDate"), "03/04/2002");
    EXPECT_EQ(header.text("MealNumber"), "1");

    // A number taken is refused; so is a name emptied by an edit, which keeps the other fields.
    header.addNew();
    header.setText("MealNumber", "1");
    header.setText("MealName", "New");
    header.setText("MealDate", "1/1/2021");
    expectRefused(err::DuplicateKey, 1);
    header.setText("MealNumber", "5");
    header.update();
    EXPECT_EQ(test::rowCount(folder.mealDb(), "MealNumbers"), 2);
    header.moveFirst();
    header.edit();
    header.setText("MealName", "");
    expectRefused(err::ZeroLength, 2, EditMode::Editing);
    header.setText("MealName", "Stew");
    header.update();
    header.refresh();
    EXPECT_EQ(header.text("MealName"), "Stew");
    EXPECT_EQ(header.text("MealDate"), "03/04/2002");
}

TEST_F(StoreRules, DatesCompareAndSortByCalendar) {
    // Stored out of calendar order; text order of m/d/y would put 12/01/2001 after 02/...
    const std::pair<QDate, const char*> items[] = {{QDate(2002, 2, 1), "Feb 2002"},
                                                   {QDate(2001, 12, 1), "Dec 2001"},
                                                   {QDate(2001, 11, 26), "Nov 26"},
                                                   {QDate(2001, 11, 30), "Nov 30"},
                                                   {QDate(2001, 11, 26), "Nov 26 again"}};
    int meal = 0;
    for (const auto& [date, d] : items) test::addMealItem(folder.mealDb(), ++meal, "m", date, d, 1);
    RecordCursor c;
    open(c, "Meals");
    c.addNew();  // a date written through a cursor is found by calendar too
    c.setText("description", "typed");
    c.setText("MealNumber", "6");
    c.setText("Date", "1/5/02");
    c.update();
    const auto select = [&](const QString& source) {
        open(c, source);
        return c.columnTexts("description");
    };
    EXPECT_EQ(select("Select ALL * from Meals Where Date = #11/26/01#"),
              QStringList({"Nov 26", "Nov 26 again"}));
    EXPECT_EQ(c.text("Date"), "11/26/2001");
    EXPECT_EQ(select("Select ALL * from Meals Where Date BETWEEN #11/26/01# AND #12/01/2001# "
                     "Order by Date"),
              QStringList({"Nov 26", "Nov 26 again", "Nov 30", "Dec 2001"}));
    EXPECT_EQ(select("Select ALL * from Meals Where Date BETWEEN #11/27/2001# AND #2/1/02# "
                     "Order by MealNumber"),
              QStringList({"Feb 2002", "Dec 2001", "Nov 30", "typed"}));
    EXPECT_EQ(select("Select * from Meals Order by Date"),
              QStringList({"Nov 26", "Nov 26 again", "Nov 30", "Dec 2001", "typed", "Feb 2002"}));
    EXPECT_TRUE(select("Select ALL * from Meals Where Date = #11/25/01#").isEmpty());
}

// Opening files.

QString textOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return {};
}

class OpenFailures : public ::testing::Test {
protected:
    // The check must fail with `number`, name the file and say `what`.
    void expectCheckFails(const QString& path, DbKind kind, int number, const char* what) {
        const auto check = [&] { checkDatabaseFile(path, kind); };
        const QString text = textOf(check);
        EXPECT_EQ(errorOf(check), number) << text.toStdString();
        EXPECT_TRUE(text.contains(QFileInfo(path).fileName()) && text.contains(what))
            << text.toStdString();
    }
    void writeMealDb(const QByteArray& bytes) {
        QFile f(folder.mealDb());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    ProgramFolder folder{ProgramFolder::Content::Empty};
};

// Files not ours as they should be are named with what is wrong. Missing, empty and table-less
// files are Startup.UnusableFilesAreReportedByNameAndLeftUntouched's.
TEST_F(OpenFailures, FilesTheProgramCannotUseAreNamedWithWhatIsWrong) {
    SQLite::Database(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE)
        .exec("ALTER TABLE Meals DROP COLUMN PortionSize");
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::UnknownField, "PortionSize");
    const std::pair<QByteArray, const char*> files[] = {
        {QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, 'x'), "Access"},
        {"Lunch,3/4/02\n", "not a database"}};
    for (const auto& [bytes, what] : files) {
        writeMealDb(bytes);
        expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, what);
    }
    QFile::remove(folder.mealDb());  // a SQLite file of another program
    SQLite::Database(folder.mealDb().toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
        .exec("CREATE TABLE Meals (x)");
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::NotADatabase, "does not belong");
}

TEST_F(OpenFailures, DamagedFile) {
    // Index pages overwritten: the header is intact but the content does not hold together.
    for (int i = 0; i < 50; ++i)
        test::addMealItem(folder.mealDb(), i, QString(40, u'n'), QDate(2020, 1, 1), "x", 1);
    const qint64 size = QFileInfo(folder.mealDb()).size();
    QFile f(folder.mealDb());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(4096 * 2));
    f.write(QByteArray(int(size - 4096 * 2), '\x5a'));
    f.close();
    const auto check = [&] { checkDatabaseFile(folder.mealDb(), DbKind::Meal); };
    EXPECT_TRUE(errorOf(check) == 3049 || errorOf(check) == err::NotADatabase);
    EXPECT_TRUE(textOf(check).contains("MealDataB.mdb")) << textOf(check).toStdString();
}

TEST_F(OpenFailures, ReadOnlyFile) {
    QFile::setPermissions(folder.mealDb(), QFile::ReadOwner | QFile::ReadGroup);
    bool immutable = false;
    if (geteuid() == 0) {  // permissions do not bind root; an immutable file does
        immutable = QProcess::execute("chattr", {"+i", folder.mealDb()}) == 0;
        if (!immutable) GTEST_SKIP() << "cannot make a file read-only for root here";
    }
    expectCheckFails(folder.mealDb(), DbKind::Meal, err::ReadOnly, "read-only");
    if (immutable) QProcess::execute("chattr", {"-i", folder.mealDb()});
}

}  // namespace
}  // namespace pw
