#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "data/Database.h"
#include "data/RecordCursor.h"
#include "data/Schema.h"
#include "reports/DailyValues.h"
#include "reports/ReportText.h"

namespace {

constexpr int kRows = 32767;

// A copy of the empty meal store holding one meal of kRows items, every nutrient filled.
QString makeMealStore(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("MealDataB.mdb"));
    QFile::copy(QStringLiteral(PW_MEAL_TEMPLATE), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
    db.exec("PRAGMA synchronous = OFF");
    const QStringList names = pw::fieldNames(pw::mealsTable());
    std::string columns = "description, MealNumber, MealName, Date, PortionSize";
    std::string values = "?, 1, 'Big', '2001-11-26', 100";
    for (int p = 2; p <= 31; ++p) {
        columns += ", \"" + names[p].toStdString() + "\"";
        values += ", ?";
    }
    SQLite::Transaction t(db);
    SQLite::Statement insert(db, "INSERT INTO Meals (" + columns + ") VALUES (" + values + ")");
    for (int i = 0; i < kRows; ++i) {
        insert.bind(1, "Food " + std::to_string(i));
        for (int p = 2; p <= 31; ++p) insert.bind(p, 0.125 * ((i + p) % 97));
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
        header.kind = 1;
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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
