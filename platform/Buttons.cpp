#include "platform/Buttons.h"

#include <QPushButton>

namespace pw {

QPushButton* makeButton(const QString& caption, const QString& accessibleName, QWidget* parent,
                        const QString& objectName) {
    auto* b = new QPushButton(caption, parent);
    if (!accessibleName.isEmpty()) b->setAccessibleName(accessibleName);
    if (!objectName.isEmpty()) b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

}  // namespace pw
