#include "app/FormB.h"

#include "meals/frmNewMeal.h"

namespace pw {
void FormB::connectItemHandlers() {}
void FormB::cmdBMoveFirst_Click() {}
void FormB::cmdBMovePrevious_Click() {}
void FormB::cmdBMoveNext_Click() {}
void FormB::cmdBMovelast_Click() {}
void FormB::DataB_Reposition() {}
void FormB::FillArray_S_from_DataB() {}
void FormB::mnuRemove_Click() {}
frmNewMeal& FormB::newMealDialog() {
    if (!m_frmNewMeal) m_frmNewMeal = std::make_unique<frmNewMeal>(*this);
    return *m_frmNewMeal;
}
void FormB::unloadNewMealDialog() { m_frmNewMeal.reset(); }
}  // namespace pw
