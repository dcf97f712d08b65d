// Process start to the main window shown with every reference food listed, and peak memory.
//
// The benchmark starts this same program as a child (`--child DIR`) for every iteration. The
// child does what the real start-up does (QApplication, startProgram, show), waits until the
// window is exposed, prints its peak resident memory and ends; the parent times the whole run
// from the moment it starts the child to the moment the child says the window is shown.
#include "app/FormB.h"
#include "app/Globals.h"
#include "data/Database.h"
#include "platform/BoundList.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <SQLiteCpp/Database.h>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

// Answers every prompt at once, as a user pressing Enter would.
class QuietPlatform : public pw::Platform {
public:
    pw::MsgResult msgBox(const pw::MsgBoxSpec& request) override { return request.defaultButton; }
    std::optional<QString> openFileName(QWidget*, const pw::FileDialogSpec&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(QWidget*, const pw::FileDialogSpec&) override {
        return std::nullopt;
    }
    bool printerSetup(QWidget*, QPrinter&) override { return false; }
    int showModal(QDialog&) override { return 0; }
    void sendKeys(const QString&) override {}
    void setMousePointer(pw::Pointer) override {}
    void processEvents() override { QCoreApplication::processEvents(); }
};

int runChild(int argc, char** argv, const char* dir) {
    QApplication app(argc, argv);
    QuietPlatform platform;
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return runChild(argc, argv, argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    g_self = QCoreApplication::applicationFilePath();
    // A fresh program folder with the real food table and a meal store holding one meal.
    QTemporaryDir dir;
    g_dir = dir.path();
    QFile::copy(QStringLiteral(PW_FOOD_TEMPLATE), dir.filePath(QStringLiteral("Custom.mdb")));
    QFile::copy(QStringLiteral(PW_MEAL_TEMPLATE), dir.filePath(QStringLiteral("MealDataB.mdb")));
    QFile::setPermissions(dir.filePath(QStringLiteral("Custom.mdb")),
                          QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(dir.filePath(QStringLiteral("MealDataB.mdb")),
                          QFile::ReadOwner | QFile::WriteOwner);
    {
        SQLite::Database db(dir.filePath(QStringLiteral("MealDataB.mdb")).toStdString(),
                            SQLite::OPEN_READWRITE);
        db.exec("INSERT INTO MealNumbers (MealNumber, MealName, MealDate) "
                "VALUES (1, 'Breakfast', '2026-12-06')");
        db.exec("INSERT INTO Meals (MealNumber, MealName, Date) VALUES (1, 'Breakfast', "
                "'2026-12-06')");
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
