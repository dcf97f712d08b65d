#include "app/frmRestore.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/Backup.h"
#include "data/RuntimeError.h"
#include "platform/Buttons.h"
#include "platform/Guard.h"
#include "platform/Platform.h"

namespace pw {

frmRestore::frmRestore(Platform& platform, const QString& dataFolder, QWidget* parent)
    : QDialog(parent), m_platform(platform) {
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("Restore from a Backup"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Backups, newest first:"), this);
    outer->addWidget(label);
    lstBackups = new QTreeWidget(this);
    lstBackups->setObjectName(QStringLiteral("lstBackups"));
    lstBackups->setAccessibleName(QStringLiteral("Backups"));
    lstBackups->setRootIsDecorated(false);
    lstBackups->setHeaderLabels(
        {QStringLiteral("Date"), QStringLiteral("Meals"), QStringLiteral("Latest meal")});
    lstBackups->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    label->setBuddy(lstBackups);
    outer->addWidget(lstBackups, 1);

    auto* buttons = new QHBoxLayout;
    cmdBrowse =
        makeButton(QStringLiteral("Bro&wse..."), QStringLiteral("Browse for a backup folder"), this,
                   QStringLiteral("cmdBrowse"));
    cmdRestore = makeButton(QStringLiteral("&Restore"), QStringLiteral("Restore"), this,
                            QStringLiteral("cmdRestore"));
    cmdCancel = makeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"), this,
                           QStringLiteral("cmdCancel"));
    cmdRestore->setDefault(true);
    buttons->addWidget(cmdBrowse);
    buttons->addStretch(1);
    buttons->addWidget(cmdRestore);
    buttons->addWidget(cmdCancel);
    outer->addLayout(buttons);
    setTabOrder(lstBackups, cmdBrowse);
    setTabOrder(cmdBrowse, cmdRestore);
    setTabOrder(cmdRestore, cmdCancel);
    resize(460, 320);

    for (const BackupInfo& info : listBackups(dataFolder)) addRow(info, false);
    if (lstBackups->topLevelItemCount() > 0)
        lstBackups->setCurrentItem(lstBackups->topLevelItem(0));
    cmdRestore->setEnabled(lstBackups->topLevelItemCount() > 0);
    lstBackups->setFocus();

    connectGuarded(m_platform, cmdBrowse, &QPushButton::clicked, this,
                   &frmRestore::cmdBrowse_Click);
    connectGuarded(m_platform, cmdRestore, &QPushButton::clicked, this,
                   &frmRestore::cmdRestore_Click);
    connectGuarded(m_platform, cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    // Enter or a double click on a backup restores it, as the default button does.
    connectGuarded(m_platform, lstBackups, &QTreeWidget::itemActivated, this,
                   &frmRestore::cmdRestore_Click);
}

frmRestore::~frmRestore() = default;

void frmRestore::addRow(const BackupInfo& info, bool first) {
    auto* item =
        new QTreeWidgetItem({info.date, QString::number(info.meals),
                             info.latestMeal.isEmpty() ? QStringLiteral("none") : info.latestMeal});
    item->setData(0, Qt::UserRole, info.folder);
    item->setToolTip(0, QDir::toNativeSeparators(info.folder));
    if (first)
        lstBackups->insertTopLevelItem(0, item);
    else
        lstBackups->addTopLevelItem(item);
}

void frmRestore::cmdBrowse_Click() {
    FileDialogSpec ask;
    ask.title = QStringLiteral("Choose a Backup Folder");
    const std::optional<QString> folder = m_platform.folderName(this, ask);
    if (!folder) return;
    try {
        addRow(describeBackup(*folder), true);
    } catch (const RuntimeError& e) {
        m_platform.message(QStringLiteral("This folder holds no Platewise backup.\n") +
                           e.description());
        return;
    }
    lstBackups->setCurrentItem(lstBackups->topLevelItem(0));
    cmdRestore->setEnabled(true);
}

void frmRestore::cmdRestore_Click() {
    const QTreeWidgetItem* item = lstBackups->currentItem();
    if (!item) return;
    m_chosen = item->data(0, Qt::UserRole).toString();
    accept();
}

}  // namespace pw
