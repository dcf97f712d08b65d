#include "app/FormB.h"
#include "app/frmAbout.h"
#include "data/RuntimeError.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"
#include "viewers/frmHLP.h"
#include "viewers/frmRTF.h"

namespace pw {

void FormB::connectHelpHandlers() {
    onTrigger(mnuHelp, &FormB::mnuHelp_Click);
    onTrigger(mnuDailyValues, &FormB::mnuDailyValues_Click);
    onTrigger(mnuAbout, &FormB::mnuAbout_Click);
    onTrigger(mnuFileOpen, &FormB::mnuFileOpen_Click);
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

void FormB::mnuFileOpen_Click() {
    try {
        // One reader: asking again brings the open one forward.
        if (auto* open = findChild<frmRTF*>(QString(), Qt::FindDirectChildrenOnly)) {
            open->show();
            open->raise();
            open->activateWindow();
            return;
        }
        auto* reader = new frmRTF(m_platform, this);
        if (!reader->Form_Load()) {
            delete reader;  // closed while it was being opened: nothing to show
            return;
        }
        reader->show();
    } catch (const RuntimeError& e) {
        // A reader that cannot open shows its own message, its line break CR LF.
        m_platform.message(errorReportText(e.number(), e.description(), ErrorBreak::CrLf));
    }
}

}  // namespace pw
