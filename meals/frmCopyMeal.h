#pragma once

#include <optional>

#include "meals/TwoBoxDialog.h"

namespace pw {

class RecordCursor;

// "Copy a Meal": a new meal, numbered as a new meal is, with every item of the meal shown, under
// the date and name typed (today and the meal's own name at first). The date and name are checked
// as the new-meal dialog checks them, with its messages; the window stays open on a refusal.
class frmCopyMeal : public TwoBoxDialog {
    Q_OBJECT
public:
    // `items`: the main window's item cursor, standing on meal `mealNumber` named `mealName`.
    frmCopyMeal(Platform& platform, RecordCursor& items, const QString& mealNumber,
                const QString& mealName, QWidget* parent = nullptr);
    // The new meal's number once it is stored.
    std::optional<int> newMealNumber() const { return m_newMeal; }

protected:
    void cmdOK_Click() override;

private:
    RecordCursor& m_items;
    QString m_mealNumber;
    std::optional<int> m_newMeal;
};

}  // namespace pw
