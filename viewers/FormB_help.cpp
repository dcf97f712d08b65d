#include "app/FormB.h"
#include "app/Globals.h"
#include "app/frmAbout.h"
#include "viewers/frmHLP.h"

namespace pw {

void FormB::connectHelpHandlers() {
    onTrigger(mnuHelp, &FormB::mnuHelp_Click);
    onTrigger(mnuDailyValues, &FormB::mnuDailyValues_Click);
    onTrigger(mnuAbout, &FormB::mnuAbout_Click);
}

void FormB::mnuHelp_Click() { showHelpDocument(QStringLiteral("Help.rtf")); }

void FormB::mnuDailyValues_Click() { showHelpDocument(QStringLiteral("DV.rtf")); }

void FormB::showHelpDocument(const QString& fileName) {
    globals().svHelpFile = documentPath(fileName);
    if (m_frmHLP && m_frmHLP->isVisible()) {
        m_frmHLP->Fill();
        if (m_frmHLP->isMinimized()) m_frmHLP->showNormal();
        m_frmHLP->raise();
        m_frmHLP->activateWindow();
        return;
    }
    if (!m_frmHLP) {
        m_frmHLP = new frmHLP(platform(), this);
        connect(m_frmHLP, &QObject::destroyed, this, [this] { m_frmHLP = nullptr; });
        m_frmHLP->Form_Load();
    }
    m_frmHLP->show();
}

void FormB::mnuAbout_Click() {
    if (!m_frmAbout) {
        m_frmAbout = new frmAbout(this);
        connect(m_frmAbout, &QObject::destroyed, this, [this] { m_frmAbout = nullptr; });
    }
    if (m_frmAbout->isMinimized()) m_frmAbout->showNormal();
    m_frmAbout->show();
    m_frmAbout->raise();
    m_frmAbout->activateWindow();
}

}  // namespace pw
