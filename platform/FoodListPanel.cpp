#include "platform/FoodListPanel.h"

#include <QPushButton>

#include "platform/BoundList.h"
#include "platform/Buttons.h"
#include "platform/Platform.h"

namespace pw {

FoodListPanel::FoodListPanel(Platform& platform, QWidget* listParent, QWidget* buttonParent,
                             const QString& pageDownCaption)
    : QObject(listParent),
      list(new BoundList(listParent)),
      cmdPageUp(
          makeButton(QStringLiteral("Page Up"), {}, buttonParent, QStringLiteral("cmdPageUp"))),
      cmdPageDown(makeButton(pageDownCaption, {}, buttonParent, QStringLiteral("cmdPageDown"))),
      m_platform(platform) {
    list->setObjectName(QStringLiteral("DBList1"));
}

bool FoodListPanel::takesPart() const { return !m_ignoredWhileHidden || list->isVisible(); }

void FoodListPanel::connectHandlers(Handlers handlers) {
    const auto run = handlers.run;
    connect(list, &BoundList::currentRowChanged, this,
            [this, run, chosen = handlers.chosen](int row) {
                if (m_selecting || !takesPart()) return;
                if (row < 0 || list->currentRow() != row) return;  // current but not selected
                m_rowShown = row;
                run(chosen);
            });
    connect(list, &BoundList::itemClicked, this, [this, run, chosen = handlers.chosen] {
        if (!takesPart()) return;
        if (list->currentRow() == m_rowShown) {
            m_rowShown = -1;
            return;
        }
        run(chosen);
    });
    connect(cmdPageUp, &QPushButton::pressed, this, [run, h = handlers.pageUp] { run(h); });
    connect(cmdPageDown, &QPushButton::pressed, this, [run, h = handlers.pageDown] { run(h); });
}

void FoodListPanel::selectQuietly(int row) {
    m_selecting = true;
    list->setCurrentRow(row);
    m_selecting = false;
}

void FoodListPanel::sendPageUp() {
    list->setFocus();
    m_platform.sendKeys(QStringLiteral("{PGUP}"));
}

void FoodListPanel::sendPageDown() {
    list->setFocus();
    m_platform.sendKeys(QStringLiteral("{PGDN}"));
}

}  // namespace pw
