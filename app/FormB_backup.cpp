#include <QAction>
#include <QDateTime>
#include <QDir>

#include "app/FormB.h"
#include "app/frmRestore.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/FoodTableVersion.h"
#include "data/RuntimeError.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"
#include "platform/TextOutput.h"
#include "reports/MealsCsv.h"

namespace pw {

void FormB::connectBackupHandlers() {
    onTrigger(mnuBackUpNow, &FormB::mnuBackUpNow_Click);
    onTrigger(mnuRestore, &FormB::mnuRestore_Click);
    onTrigger(mnuExportMeals, &FormB::mnuExportMeals_Click);
}

void FormB::mnuBackUpNow_Click() {
    FileDialogSpec ask;
    ask.title = QStringLiteral("Back Up Now");
    const std::optional<QString> folder = m_platform.folderName(this, ask);
    if (!folder) return;
    try {
        writeBackup(globals().programDir, *folder);
    } catch (const RuntimeError& e) {
        m_platform.message(QStringLiteral("No backup was made.\n") + e.description());
        return;
    }
    m_platform.message(QStringLiteral("Your meals and your own foods were copied to ") +
                       QDir::toNativeSeparators(*folder) + QChar('.'));
}

void FormB::mnuRestore_Click() {
    const QString dataFolder = globals().programDir;
    frmRestore window(m_platform, dataFolder, this);
    m_platform.showModal(window);
    if (!window.chosenBackup()) return;
    const QString backup = *window.chosenBackup();
    if (!m_platform.confirm(
            QStringLiteral("Replace your meals and your own foods with the backup in %1? The "
                           "files now in use are first copied to the Backups folder.")
                .arg(QDir::toNativeSeparators(backup))))
        return;
    try {
        checkBackup(backup);  // a refused backup leaves everything as it is, the cursors too
    } catch (const RuntimeError& e) {
        m_platform.message(
            QStringLiteral("This backup cannot be restored; nothing was changed.\n") +
            e.description());
        return;
    }
    // Every connection to the old files goes; the cursors open the files in place again.
    closeAllConnections();
    try {
        restoreBackup(backup, dataFolder, QDateTime::currentDateTime());
    } catch (const RuntimeError& e) {
        m_platform.message(QStringLiteral("The backup was not restored; nothing was changed.\n") +
                           e.description());
    }
    noteFoodTableChanged();
    UnLockSet2();
    Form_Load();
}

void FormB::mnuExportMeals_Click() {
    const QString mealDb = globals().svMealDB;
    saveAsFile(
        m_platform, this, QStringLiteral("Export All Meals as CSV"),
        QStringLiteral("csv files(*.csv)|*.csv|"),
        [&](const QString&) { return allMealsCsv(mealDb); }, QStringLiteral("csv"));
}

}  // namespace pw
