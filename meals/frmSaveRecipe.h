#pragma once

#include <optional>

#include "meals/TwoBoxDialog.h"

namespace pw {

// "Save the Meal as a Food": adds the meal shown to the food table as a food of one's own, a
// recipe of the servings typed, under the description typed (the meal's name at first). A refusal
// or a failing store is reported and the window stays open.
class frmSaveRecipe : public TwoBoxDialog {
    Q_OBJECT
public:
    frmSaveRecipe(Platform& platform, const QString& customDb, const QString& mealDb,
                  const QString& mealNumber, const QString& mealName, QWidget* parent = nullptr);
    // The new food's description once it is stored.
    std::optional<QString> savedDescription() const { return m_saved; }

protected:
    void cmdOK_Click() override;

private:
    QString m_customDb, m_mealDb, m_mealNumber;
    std::optional<QString> m_saved;
};

}  // namespace pw
