#include "app/Globals.h"

#include "app/DataFolder.h"
#include "app/FormB.h"
#include "app/frmSplash.h"
#include "data/Database.h"
#include "data/RuntimeError.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QLockFile>
#include <QStandardPaths>

namespace pw {

Globals& globals() {
    static Globals g;
    return g;
}

QString errorReportText(int number, const QString& description, const QString& lineBreak) {
    return QStringLiteral("Error number ") + QString::number(number) +
           QStringLiteral(" was encountered.") + lineBreak +
           QStringLiteral("Which is described as: ") +
           (description.isEmpty() ? errorDescription(number) : description);
}

void GlobalErrorHandler(Platform& platform, int number, const QString& description) {
    switch (number) {
        case err::DialogCancelled:
            return;
        case err::OutOfMemory:
            platform.message(QStringLiteral("File selected is too large for this program to handle"));
            return;
        case err::InputPastEnd:
            platform.message(QStringLiteral("Error Number 62, Input past end of File.") +
                             QChar('\n') +
                             QStringLiteral("This means you tried to read a binary file"));
            return;
        case err::UpdateCancelled:
            platform.message(QStringLiteral(
                "Error 3426  Information has not been entered correctly in the entry fields"));
            return;
        default:
            platform.message(errorReportText(number, description, QStringLiteral("\n\r")));
    }
}

QString documentPath(const QString& fileName) {
    const Globals& g = globals();
    return (g.documentDir.isEmpty() ? g.programDir : g.documentDir) + QChar('/') + fileName;
}

std::unique_ptr<FormB> startProgram(Platform& platform, const QString& programDir,
                                    const QString& documentDir) {
    Globals& g = globals();
    g.programDir = QDir::cleanPath(programDir);
    g.documentDir = documentDir.isEmpty() ? QString() : QDir::cleanPath(documentDir);
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
        platform.message(errorReportText(e.number(), e.description(), QStringLiteral("\n")));
        return nullptr;
    }
    return form;
}

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Platewise"));
    QApplication::setApplicationVersion(QStringLiteral(PLATEWISE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.korvane.Platewise"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("net.korvane.Platewise")));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Korvane Platewise records meals and reports their nutrients."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the meals and your own foods in <folder>, which is made and given "
                       "fresh database files where it lacks them."),
        QStringLiteral("folder"));
    parser.addOption(dataDirOption);
    parser.process(app);  // --help, --version and mistakes end here

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
    const int rc = app.exec();
    form.reset();
    closeAllConnections();
    return rc;
}

}  // namespace pw
