#include <gtest/gtest.h>

#include "reports/MealsCsv.h"
#include "reports/ReportCsv.h"
#include "reports/ReportFigures.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

// The CSV of every meal, read back and summed per nutrient column, gives the totals of the
// report over the same items; each item keeps its stored texts.
TEST(MealsCsv, ReadBackItSumsToTheReportOfTheSameRange) {
    test::ProgramFolder folder;
    const QString db = folder.mealDb();
    const QDate day(2024, 3, 5);
    test::addMeal(db, 1, QStringLiteral("Breakfast, \"big\""), day);
    test::addMealItem(db, 1, QStringLiteral("Breakfast, \"big\""), day,
                      QStringLiteral("Apple, raw"), 182,
                      test::fields("ENERG_KCAL=94.64;PROTEIN=.47"));
    test::addMeal(db, 2, QStringLiteral("Tea"), day.addDays(3));
    test::addMealItem(db, 2, QStringLiteral("Tea"), day.addDays(3), QStringLiteral("Crème"), 50,
                      test::fields("ENERG_KCAL= 12.5;CHOLESTRL=3;CALCIUM=x"));
    const QByteArray bytes = allMealsCsv(db);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const std::vector<CsvRecord> rows = csvRecords(QString::fromUtf8(bytes));
    ASSERT_EQ(rows.size(), 3u);  // the header and two items, no meal header rows
    const QStringList& header = rows[0].fields;
    EXPECT_EQ(header.mid(0, 8).join(u'|'),
              QStringLiteral(
                  "Meal Number|Meal Name|Date|Food|Grams|Quantity|Unit|Total Calories (kcal)"));
    EXPECT_EQ(rows[1].fields.mid(0, 5).join(u'|'),
              QStringLiteral("1|Breakfast, \"big\"|03/05/2024|Apple, raw|182"));
    EXPECT_EQ(rows[2].fields[3], QStringLiteral("Crème"));

    NutrientTotals report{};
    for (const DayTotals& d : dailyTotals(db, QStringLiteral("SELECT * FROM Meals")))
        for (int slot = 2; slot <= 31; ++slot) report[slot] += d.totals[slot];
    const ReportFigures figures(ReportKind::DateRange, report, {}, {});
    for (std::size_t i = 0; i < figures.lines().size(); ++i) {
        double sum = 0;
        for (std::size_t r = 1; r < rows.size(); ++r)
            sum += rows[r].fields[7 + qsizetype(i)].toDouble();
        EXPECT_DOUBLE_EQ(sum, figures.lines()[i].total) << header[7 + qsizetype(i)].toStdString();
    }
}

}  // namespace
}  // namespace pw
