#include "reports/ReportChartWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "platform/Platform.h"

namespace pw {

namespace {

// Set before any dynamic initialiser runs, so a registration at any point of the start counts.
constinit ReportChartFactory g_factory = nullptr;

const char* const kModuleFile = "libplatewise_chart.so";

}  // namespace

void registerReportChartFactory(ReportChartFactory factory) { g_factory = factory; }

QStringList chartModuleFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QStringLiteral("/" PLATEWISE_MODULE_DIR))};
}

bool loadChartModule(Platform& platform, const QStringList& folders) {
    if (g_factory) return true;
    QString path;
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(QLatin1String(kModuleFile));
        if (QFileInfo::exists(candidate)) {
            path = candidate;
            break;
        }
    }
    QString why;
    if (path.isEmpty()) {
        QStringList places;
        for (const QString& folder : folders) places << QDir::toNativeSeparators(folder);
        why = QLatin1String(kModuleFile) + QStringLiteral(" is in none of these folders: ") +
              places.join(QStringLiteral(", ")) + QLatin1Char('.');
    } else {
        QLibrary module(path);
        // Every symbol now, so that a module built for another program fails here and not in
        // the middle of drawing. The module stays loaded for the life of the program.
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (!module.load())
            why = module.errorString();
        else if (!g_factory)
            why = QDir::toNativeSeparators(path) + QStringLiteral(" holds no chart window.");
    }
    if (g_factory) return true;
    platform.message(QStringLiteral("The chart cannot be shown.\n") + why);
    return false;
}

ReportChartWindow* newReportChartWindow(Platform& platform, QWidget* owner) {
    if (!loadChartModule(platform)) return nullptr;
    return g_factory(platform, owner);
}

}  // namespace pw
