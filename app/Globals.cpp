#include "app/Globals.h"

#include "app/FormB.h"
#include "app/frmSplash.h"
#include "data/Database.h"
#include "data/RuntimeError.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>

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

std::unique_ptr<FormB> startProgram(Platform& platform, const QString& programDir) {
    Globals& g = globals();
    g.programDir = QDir::cleanPath(programDir);
    g.svCustomDB = g.programDir + QStringLiteral("/Custom.mdb");
    g.svMealDB = g.programDir + QStringLiteral("/MealDataB.mdb");
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
    QtPlatform platform;
    const QString dir = QDir::cleanPath(QCoreApplication::applicationDirPath());

    // One program folder serves one running program at a time.
    QLockFile lock(dir + QStringLiteral("/Platewise.lock"));
    if (!lock.tryLock(0)) {
        platform.message(QStringLiteral("Platewise is already running with the files in ") +
                         QDir::toNativeSeparators(dir) +
                         QStringLiteral(".  Only one Platewise can use them at a time."));
        return 1;
    }
    // The splash window stays up while the main window loads, unless a key or a click closed it.
    std::unique_ptr<FormB> form =
        withSplash(platform, [&platform, &dir] { return startProgram(platform, dir); });
    if (!form) return 1;
    form->show();
    const int rc = app.exec();
    form.reset();
    closeAllConnections();
    return rc;
}

}  // namespace pw
