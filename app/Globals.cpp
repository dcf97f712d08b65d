#include "app/Globals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QLockFile>
#include <QStandardPaths>
#include <vector>

#include "app/DailyBackup.h"
#include "app/DataFolder.h"
#include "app/FormB.h"
#include "app/frmSplash.h"
#include "data/Database.h"
#include "data/RuntimeError.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"
#include "reports/DailyValueSettings.h"
#include "reports/frmDailyValues.h"

namespace pw {

std::unique_ptr<FormB> startProgram(Platform& platform, const QString& programDir,
                                    const QString& documentDir) {
    Globals& g = globals();
    g.programDir = QDir::cleanPath(programDir);
    g.documentDir = documentDir.isEmpty() ? QString() : QDir::cleanPath(documentDir);
    g.lastFileFolder.clear();
    g.svCustomDB = g.programDir + QChar('/') + kFoodFile;
    g.svMealDB = g.programDir + QChar('/') + kMealFile;
    try {
        // Checked once: the cursors opened by the load reuse these connections.
        checkedConnection(g.svCustomDB, DbKind::Food);
        checkedConnection(g.svMealDB, DbKind::Meal);
    } catch (const RuntimeError& e) {
        platform.message(e.description());
        return nullptr;
    }
    auto form = std::make_unique<FormB>(platform);
    try {
        form->Form_Load();
    } catch (const RuntimeError& e) {
        form->hide();
        platform.message(errorReportText(e.number(), e.description(), ErrorBreak::Lf));
        return nullptr;
    }
    form->dailyValueTargets = loadDailyValueTargets(platform, dailyValueSettingsPath(g.programDir));
    return form;
}

namespace {

// The options the program takes; returns the data folder's.
QCommandLineOption describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Korvane Platewise records meals and reports their nutrients."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the meals and your own foods in <folder>, which is made and given "
                       "fresh database files where it lacks them."),
        QStringLiteral("folder"));
    parser.addOption(dataDirOption);
    return dataDirOption;
}

void nameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("Platewise"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PLATEWISE_VERSION));
}

// --help, --help-all and --version are answered from a terminal without a display. Mistakes
// in the options are left to the full parse, after the window system has taken its own options
// (-platform, -style...).
void answerHelpAndVersion(int argc, char** argv) {
    // The usage line names the program, not the path it was started by.
    QByteArray name("platewise");
    std::vector<char*> args(argv, argv + argc);
    if (!args.empty()) args[0] = name.data();
    int count = argc;
    bool helpAll = false;
    {
        QCoreApplication core(count, args.data());
        nameTheProgram();
        QCommandLineParser parser;
        describeOptions(parser);
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);  // both exit
        if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
        helpAll = parser.isSet(QStringLiteral("help-all"));
    }
    if (!helpAll) return;
    // The window system's options are listed by a window system that needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication gui(count, args.data());
    nameTheProgram();
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(gui);  // prints and exits
}

}  // namespace

int Main(int argc, char** argv) {
    answerHelpAndVersion(argc, argv);
    QApplication app(argc, argv);
    nameTheProgram();
    QGuiApplication::setDesktopFileName(QStringLiteral("net.korvane.Platewise"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("net.korvane.Platewise")));

    QCommandLineParser parser;
    const QCommandLineOption dataDirOption = describeOptions(parser);
    parser.process(app);  // mistakes in the options end here

    QtPlatform platform;
    const FolderInputs in{QCoreApplication::applicationDirPath(), parser.value(dataDirOption),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
    // One data folder serves one running program at a time.
    std::unique_ptr<QLockFile> lock;
    const std::optional<ProgramFolders> folders = openDataFolder(platform, in, lock);
    if (!folders) return 1;

    // The splash window stays up while the main window loads, unless a key or a click closed it.
    std::unique_ptr<FormB> form = withSplash(platform, [&platform, &folders] {
        return startProgram(platform, folders->dataDir, folders->documentDir);
    });
    if (!form) return 1;
    form->show();
    const DailyBackup backup(platform, folders->dataDir);  // after the window shows
    const int rc = app.exec();
    form.reset();
    closeAllConnections();
    return rc;
}

}  // namespace pw
