#include "app/FormB.h"
#include "data/Fields.h"
#include "data/MealStore.h"
#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "meals/ItemDetail.h"
#include "meals/frmPortion.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"

namespace pw {

void FormB::cmdPortionAdjust_Click() {
    bvCancel = false;
    {
        frmPortion dialog(
            state(), cursors(), m_platform, [this](const QString& d) { return findFood(d); }, this);
        m_platform.showModal(dialog);
    }
    if (bvCancel) return;
    m_adjustFactor = static_cast<double>(globals().vPortionGrams) / 100;
    ScaleDataB_from_Data1();
}

void FormB::ScaleDataB_from_Data1() {
    const Globals& g = globals();
    // An empty description finds nothing and changes nothing, silently.
    if (!findFood(txtFieldB.text(MealField::Description))) return;
    m_adjustFactor = static_cast<double>(g.vPortionGrams) / 100;

    std::array<QString, 32> food;
    for (int i = FoodSlot::FirstNutrient; i <= FoodSlot::LastNutrient; ++i)
        food[i] = txtFields.text(i);
    const std::array<QString, 32> values = scaledNutrients(food, m_adjustFactor);

    lTotalRecordsB = MealStore(DataB).saveItem([&] {
        DataB.edit();
        for (int i = MealField::FirstNutrient; i <= MealField::LastNutrient; ++i)
            txtFieldB.setText(i, values[i]);
        txtFieldB.setText(MealField::PortionSize, fixed3(m_adjustFactor * 100));
        txtFieldB.setText(MealField::PortionQuantity, shortestSingle(g.vPortionQuantity));
        txtFieldB.setText(MealField::PortionUnit, g.svPortionUnit);
    });
    for (int i = MealField::FirstNutrient; i <= MealField::LastNutrient; ++i) S[i] = values[i];
    // The counter and the detail text show the new portion at once.
    DataB_Reposition();
}

}  // namespace pw
