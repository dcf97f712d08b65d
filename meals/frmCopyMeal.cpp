#include "meals/frmCopyMeal.h"

#include <QDate>
#include <QLineEdit>

#include "data/Database.h"
#include "data/MealStore.h"
#include "data/NumberText.h"
#include "meals/frmNewMeal.h"

namespace pw {

frmCopyMeal::frmCopyMeal(Platform& platform, RecordCursor& items, const QString& mealNumber,
                         const QString& mealName, QWidget* parent)
    : TwoBoxDialog(platform, QStringLiteral("Copy a Meal"), QStringLiteral("&Date"),
                   QStringLiteral("Meal &name"), QString(), parent),
      m_items(items),
      m_mealNumber(mealNumber) {
    setObjectName(QStringLiteral("frmCopyMeal"));
    Text1->setText(mdyText(QDate::currentDate()));
    Text2->setMaxLength(20);  // as the new-meal dialog takes a name
    Text2->setText(mealName);
}

void frmCopyMeal::cmdOK_Click() {
    try {
        m_newMeal = MealStore(m_items).copyMeal(m_mealNumber, {{}, Text2->text(), Text1->text()});
    } catch (...) {
        frmNewMeal::reportRefusedMeal(m_platform, pendingError());
        return;
    }
    accept();
}

}  // namespace pw
