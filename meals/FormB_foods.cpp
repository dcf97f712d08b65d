#include "app/FormB.h"

namespace pw {
void FormB::connectFoodHandlers() {}
void FormB::Data1_Reposition() {}
bool FormB::findFood(const QString&) { return false; }
void FormB::FillArray_S_from_Data1() {}
void FormB::FillText1_from_Array_S() {}
void FormB::DBList1_Click() {}
void FormB::DBList1_DblClick() {}
void FormB::cmdPageUp_MouseDown() {}
void FormB::cmdPageDown_MouseDown() {}
void FormB::mnuAddItem_Click() {}
void FormB::FillDataB_from_Data1() {}
void FormB::cmdCancel_Click() {}
}  // namespace pw
