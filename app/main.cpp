// The program's entry: `Main` reads the command line, chooses and locks the data folder, shows the
// splash window and the main window and runs the event loop.
#include <malloc.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>
#include <optional>
#include <vector>

#include "app/DailyBackup.h"
#include "app/DataFolder.h"
#include "app/EarlySessionBus.h"
#include "app/FormB.h"
#include "app/Startup.h"
#include "app/frmSplash.h"
#include "data/Database.h"
#include "platform/ProgramStyle.h"
#include "platform/QtPlatform.h"
#include "platform/TerminationSignal.h"

namespace pw {

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
    if (argc < 2) return;  // nothing to answer: no application object made for nothing
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
    quitOnTerminationSignals(app);
    nameTheProgram();
    QGuiApplication::setDesktopFileName(QStringLiteral("net.korvane.Platewise"));
    QApplication::setStyle(new ProgramStyle);
    QApplication::setWindowIcon(builtInPngIcon({QStringLiteral(":/window-icon.png")}));

    QCommandLineParser parser;
    const QCommandLineOption dataDirOption = describeOptions(parser);
    parser.process(app);                                // mistakes in the options end here
    const std::jthread bus = connectSessionBusEarly();  // after any exit of the parse

    QtPlatform platform;
    const FolderInputs in{QCoreApplication::applicationDirPath(), parser.value(dataDirOption),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
    // One data folder serves one running program at a time.
    std::unique_ptr<FolderLock> lock;
    const std::optional<ProgramFolders> folders = openDataFolder(platform, in, lock);
    if (!folders) return 1;

    // The files are checked while the splash window is painted and the main window is built. The
    // splash window stays up while the main window loads, unless a key or a click closed it.
    Startup startup(folders->dataDir, folders->documentDir);
    loadSplashFonts();
    std::unique_ptr<FormB> form =
        withSplash(platform, [&platform, &startup] { return finishStartup(platform, startup); });
    if (!form) return 1;
    form->show();
    const DailyBackup backup(platform, folders->dataDir);  // after the window shows
    const int rc = terminationRequested() ? 0 : app.exec();
    form.reset();
    closeAllConnections();
    return rc;
}

}  // namespace pw

int main(int argc, char** argv) {
    // One allocation arena for every thread: what the file checks and the backup read on their
    // threads is freed again, and the windows reuse that memory instead of adding their own.
    mallopt(M_ARENA_MAX, 1);
    return pw::Main(argc, argv);
}
