#include "app/Startup.h"

#include <QDir>

#include "app/DataFolder.h"
#include "app/FormB.h"
#include "data/Queries.h"
#include "data/RuntimeError.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"
#include "reports/DailyValueSettings.h"
#include "reports/frmDailyValues.h"

namespace pw {

Startup::Startup(const QString& programDir, const QString& documentDir) {
    Globals& g = globals();
    g.programDir = QDir::cleanPath(programDir);
    g.documentDir = documentDir.isEmpty() ? QString() : QDir::cleanPath(documentDir);
    g.lastFileFolder.clear();
    g.svCustomDB = g.programDir + QChar('/') + kFoodFile;
    g.svMealDB = g.programDir + QChar('/') + kMealFile;
    checks = std::make_unique<FileChecks>(g.svCustomDB, g.svMealDB, [this, food = g.svCustomDB] {
        try {
            foodList = readColumn(food, foodListQuery(), QStringLiteral("Description"));
        } catch (...) {
            // Not read ahead: the main window reads the list itself and reports what fails.
        }
    });
}

std::unique_ptr<FormB> finishStartup(Platform& platform, Startup& startup) {
    // Built, not shown, while the files are checked.
    auto form = std::make_unique<FormB>(platform);
    try {
        // Checked once: the cursors opened by the load reuse these connections.
        startup.checks->finish();
    } catch (const RuntimeError& e) {
        form.reset();
        platform.message(e.description());
        return nullptr;
    }
    form->foodListAhead = std::move(startup.foodList);
    try {
        form->Form_Load();
    } catch (const RuntimeError& e) {
        form->hide();
        platform.message(errorReportText(e.number(), e.description(), ErrorBreak::Lf));
        return nullptr;
    }
    form->dailyValueTargets =
        loadDailyValueTargets(platform, dailyValueSettingsPath(globals().programDir));
    return form;
}

std::unique_ptr<FormB> startProgram(Platform& platform, const QString& programDir,
                                    const QString& documentDir) {
    Startup startup(programDir, documentDir);
    return finishStartup(platform, startup);
}

}  // namespace pw
