#include <QPushButton>

#include "app/FormB.h"
#include "custom/frmDbaseDel.h"
#include "data/Queries.h"
#include "platform/BoundList.h"
#include "platform/Platform.h"

namespace pw {

void FormB::connectCustomHandlers() { onClick(cmdCustom, &FormB::cmdCustom_Click); }

void FormB::cmdCustom_Click() {
    // A fresh window for every opening; closing it requeries the food list here.
    frmDbaseDel window(
        m_platform, [this] { requeryFoodList(); }, this);
    window.Form_Load();
    m_platform.showModal(window);
}

void FormB::requeryFoodList() {
    Data1.setRecordSource(foodListQuery());
    Data1.refresh();
    DBList1->refill();
}

}  // namespace pw
