// Process start to the main window shown with every reference food listed, and peak memory; and
// the food list read ahead on the file checks' thread.
//
// The benchmark starts this same program as a child (`--child DIR`) for every iteration. The
// child does what the real start-up does (QApplication, startProgram, show), waits until the
// window is exposed, prints its peak resident memory and ends; the parent times the whole run
// from the moment it starts the child to the moment the child says the window is shown.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <cstring>

#include "app/FormB.h"
#include "app/Startup.h"
#include "bench/BenchSupport.h"
#include "data/ColumnRead.h"
#include "data/Database.h"
#include "data/Queries.h"
#include "platform/BoundList.h"

namespace {

int runChild(int argc, char** argv, const char* dir) {
    QApplication app(argc, argv);
    pw::bench::QuietPlatform platform;
    std::unique_ptr<pw::FormB> form = pw::startProgram(platform, QString::fromLocal8Bit(dir));
    if (!form) return 2;
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get(), 5000)) return 3;
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("shown %ld %d\n", usage.ru_maxrss, int(form->DBList1->count()));
    std::fflush(stdout);
    form.reset();
    pw::closeAllConnections();
    return 0;
}

QString g_self;
QString g_dir;

void ProcessStartToMainWindow(benchmark::State& state) {
    long peakKb = 0;
    int foods = 0;
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(g_self, {QStringLiteral("--child"), g_dir});
        if (!child.waitForReadyRead(20000)) {
            state.SkipWithError("the child did not show its window");
            break;
        }
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
        child.waitForFinished(20000);
        if (parts.size() != 3 || parts[0] != "shown") {
            state.SkipWithError("unexpected child output");
            break;
        }
        peakKb = std::max(peakKb, parts[1].toLong());
        foods = parts[2].toInt();
        state.SetIterationTime(seconds);
    }
    state.counters["peak_MB"] = double(peakKb) / 1024.0;
    state.counters["foods"] = foods;
}
BENCHMARK(ProcessStartToMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The food list in letter order, as the file checks' thread reads it ahead of the main window.
void FoodListReadAhead(benchmark::State& state) {
    const QString food = g_dir + QStringLiteral("/Custom.mdb");
    std::size_t rows = 0;
    for (auto _ : state)
        rows = pw::readColumn(food, pw::foodListQuery(), QStringLiteral("Description")).rows.size();
    state.counters["foods"] = double(rows);
}
BENCHMARK(FoodListReadAhead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return runChild(argc, argv, argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    g_dir = pw::bench::programFolder();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    pw::bench::closeWindow();
    pw::closeAllConnections();
    return 0;
}
