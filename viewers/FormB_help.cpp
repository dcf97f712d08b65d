#include "app/FormB.h"

// The help viewer and the About box arrive with the document subsystem.
namespace pw {
void FormB::mnuHelp_Click() {}
void FormB::mnuDailyValues_Click() {}
void FormB::mnuAbout_Click() {}
}  // namespace pw
