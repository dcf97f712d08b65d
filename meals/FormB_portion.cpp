#include "app/FormB.h"

namespace pw {
void FormB::cmdPortionAdjust_Click() {}
void FormB::ScaleDataB_from_Data1() {}
}  // namespace pw
