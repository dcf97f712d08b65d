#include "app/FormB.h"

// The customisation window arrives with the customisation subsystem.
namespace pw {
void FormB::cmdCustom_Click() {}
}  // namespace pw
