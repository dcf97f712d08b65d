#include "meals/FoodLookup.h"

#include "data/RecordCursor.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"

namespace pw {

bool findListedFood(Platform& platform, RecordCursor& foods, const QString& description) {
    Globals& g = globals();
    g.svSearchItem =
        description.contains(QLatin1Char('\'')) ? SrchReplace(description) : description;
    if (g.svSearchItem.isEmpty()) return false;
    if (foods.findFirst(QStringLiteral("description = '") + g.svSearchItem + QStringLiteral("' ")))
        return true;
    platform.msgBox({QStringLiteral("Item ") + g.svSearchItem + QStringLiteral(" was not found."),
                     MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Code"), MsgResult::OK});
    return false;
}

}  // namespace pw
