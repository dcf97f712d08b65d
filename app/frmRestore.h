#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QPushButton;
class QTreeWidget;

namespace pw {

class Platform;
struct BackupInfo;

// "Restore from a Backup": lists every backup in the data folder's Backups/ with its date, its
// number of meals and its latest meal date, newest first, and lets the user add a backup folder
// from elsewhere. Restore hands back the folder chosen; Cancel and Escape hand back nothing.
class frmRestore : public QDialog {
    Q_OBJECT
public:
    frmRestore(Platform& platform, const QString& dataFolder, QWidget* parent = nullptr);
    ~frmRestore() override;

    // The backup to restore; nullopt when the window was cancelled.
    const std::optional<QString>& chosenBackup() const { return m_chosen; }

    void cmdBrowse_Click();
    void cmdRestore_Click();

    QTreeWidget* lstBackups = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void addRow(const BackupInfo& info, bool first);

    Platform& m_platform;
    std::optional<QString> m_chosen;
};

}  // namespace pw
