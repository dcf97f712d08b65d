#include "meals/frmSaveRecipe.h"

#include <QLineEdit>

#include "custom/Recipe.h"
#include "platform/Guard.h"
#include "platform/Platform.h"

namespace pw {

frmSaveRecipe::frmSaveRecipe(Platform& platform, const QString& customDb, const QString& mealDb,
                             const QString& mealNumber, const QString& mealName, QWidget* parent)
    : TwoBoxDialog(platform, QStringLiteral("Save the Meal as a Food"),
                   QStringLiteral("&Description"), QStringLiteral("&Servings"),
                   QStringLiteral("The food is a snapshot of the meal as it is now: later changes "
                                  "to the meal do not change it."),
                   parent),
      m_customDb(customDb),
      m_mealDb(mealDb),
      m_mealNumber(mealNumber) {
    setObjectName(QStringLiteral("frmSaveRecipe"));
    Text1->setMaxLength(kFoodDescriptionLength);
    Text1->setText(mealName);
    Text2->setText(QStringLiteral("1"));
}

void frmSaveRecipe::cmdOK_Click() {
    const QString description = Text1->text();
    std::optional<QString> refused;
    try {
        refused =
            saveRecipe(m_customDb, mealTotals(m_mealDb, m_mealNumber), description, Text2->text());
    } catch (...) {
        reportPendingError(m_platform);
        return;
    }
    if (refused) {
        m_platform.message(*refused);
        return;
    }
    m_saved = description;
    accept();
}

}  // namespace pw
