#include "app/FormB.h"
#include "custom/frmDbaseDel.h"
#include "platform/Platform.h"

namespace pw {

void FormB::cmdCustom_Click() {
    // A fresh window for every opening.
    frmDbaseDel window(*this);
    window.Form_Load();
    m_platform.showModal(window);
}

}  // namespace pw
