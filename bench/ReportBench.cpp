#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "bench/BenchSupport.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/RecordCursor.h"
#include "data/Schema.h"
#include "data/TextFiles.h"
#include "reports/DailyValues.h"
#include "reports/ReportCsv.h"
#include "reports/ReportFigures.h"
#include "reports/ReportText.h"
#include "reports/frmReportChart.h"

namespace {

constexpr int kRows = 32767;

// A copy of the empty meal store holding one meal of `rows` items, every nutrient filled, dated
// over the seven days from 11/26/2001.
QString makeMealStore(const QTemporaryDir& dir, int rows = kRows) {
    const QString path = dir.filePath(QStringLiteral("MealDataB.mdb"));
    QFile::copy(QStringLiteral(PW_MEAL_TEMPLATE), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
    db.exec("PRAGMA synchronous = OFF");
    const QStringList names = pw::fieldNames(pw::mealsTable());
    std::string columns = "description, MealNumber, MealName, Date, PortionSize";
    std::string values = "?, 1, 'Big', date('2001-11-26', ?), 100";
    for (int p = 2; p <= 31; ++p) {
        columns += ", \"" + names[p].toStdString() + "\"";
        values += ", ?";
    }
    SQLite::Transaction t(db);
    SQLite::Statement insert(db, "INSERT INTO Meals (" + columns + ") VALUES (" + values + ")");
    for (int i = 0; i < rows; ++i) {
        insert.bind(1, "Food " + std::to_string(i));
        insert.bind(2, "+" + std::to_string(i * 7 / rows) + " days");
        for (int p = 2; p <= 31; ++p) insert.bind(p + 1, 0.125 * ((i + p) % 97));
        insert.exec();
        insert.reset();
    }
    t.commit();
    return path;
}

void BM_ReportEngine(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = makeMealStore(dir);
    pw::RecordCursor cursor;
    cursor.setDatabaseName(path);
    cursor.setRecordSource(QStringLiteral("Select ALL * from Meals Where MealNumber = 1"));
    cursor.refresh();
    cursor.moveLast();
    const int count = cursor.recordCount();
    if (count != kRows) state.SkipWithError("the meal store does not hold the rows");
    pw::BoundFields fields(cursor, pw::fieldNames(pw::mealsTable()));

    pw::PercentDV percent{};
    pw::DVTexts texts;
    for (auto _ : state) {
        const pw::ReportRows rows = pw::ReportText::walk(cursor, fields, count);
        pw::DailyValues::calc(rows.totals, percent, texts);
        pw::ReportHeader header;
        header.kind = pw::ReportKind::Meal;
        header.mealNumber = rows.lastMealNumber;
        header.mealName = rows.lastMealName;
        header.date = rows.lastDate;
        header.itemCount = count;
        QString text = pw::ReportText::build(header, rows.totals, texts);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * count);
    pw::closeAllConnections();
}
BENCHMARK(BM_ReportEngine)->Unit(benchmark::kMillisecond);

// The report of the week's range as the chart window and the CSV export see it.
const QString kWeek = QStringLiteral(
    "Select ALL * from Meals Where Date BETWEEN #11/26/2001# AND #12/02/2001# Order by Date");

pw::NutrientTotals weekTotals(const QString& path) {
    pw::RecordCursor cursor;
    cursor.setDatabaseName(path);
    cursor.setRecordSource(kWeek);
    cursor.refresh();
    cursor.moveLast();
    pw::BoundFields fields(cursor, pw::fieldNames(pw::mealsTable()));
    return pw::ReportText::walk(cursor, fields, cursor.recordCount()).totals;
}

// The figures the report keeps: its totals and the days from the one grouped query.
std::shared_ptr<const pw::ReportFigures> weekFigures(const QString& path,
                                                     const pw::NutrientTotals& totals) {
    return std::make_shared<const pw::ReportFigures>(pw::ReportKind::DateRange, totals,
                                                     pw::PercentDV{}, pw::DVTexts{},
                                                     pw::dailyTotals(path, kWeek));
}

// From the report's totals to the chart window shown and painted: the one grouped query for the
// days, the charts and the table.
void BM_ChartWindowOpen(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = makeMealStore(dir);
    const pw::NutrientTotals totals = weekTotals(path);
    pw::bench::QuietPlatform platform;
    for (auto _ : state) {
        pw::frmReportChart window(platform, nullptr);
        window.setFigures(weekFigures(path, totals));
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
    pw::closeAllConnections();
}
BENCHMARK(BM_ChartWindowOpen)->Unit(benchmark::kMillisecond);

// The CSV of the week's report written to a file.
void BM_ReportCsvExport(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = makeMealStore(dir);
    const auto figures = weekFigures(path, weekTotals(path));
    const QString csv = dir.filePath(QStringLiteral("week.csv"));
    for (auto _ : state) pw::saveFileBytes(csv, pw::csvBytes(figures->tableRows()));
    pw::closeAllConnections();
}
BENCHMARK(BM_ReportCsvExport)->Unit(benchmark::kMillisecond);

// Restoring ten years of meals, twelve items a day (43,800): the check of the backup, the copy
// of the files in use, both copies written beside them, checked and renamed into place.
void BM_RestoreTenYears(benchmark::State& state) {
    QTemporaryDir backup;
    makeMealStore(backup, 43800);
    QTemporaryDir data;
    for (const QString& name : {pw::kFoodFile, pw::kMealFile})
        QFile::copy(name == pw::kFoodFile ? QStringLiteral(PW_FOOD_TEMPLATE)
                                          : QStringLiteral(PW_MEAL_TEMPLATE),
                    data.filePath(name));
    QFile::copy(QStringLiteral(PW_FOOD_TEMPLATE), backup.filePath(pw::kFoodFile));
    for (auto _ : state) {
        pw::restoreBackup(backup.path(), data.path(), QDateTime::currentDateTime());
        state.PauseTiming();
        QDir(pw::backupsFolder(data.path())).removeRecursively();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RestoreTenYears)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
