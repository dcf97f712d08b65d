#include "meals/frmNewMeal.h"

#include "app/FormB.h"

namespace pw {
frmNewMeal::frmNewMeal(FormB& owner) : QDialog(&owner), m_owner(owner) {}
frmNewMeal::~frmNewMeal() = default;
}  // namespace pw
