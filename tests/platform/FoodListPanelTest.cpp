#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "platform/BoundList.h"
#include "platform/FoodListPanel.h"
#include "platform/QtPlatform.h"

namespace pw {
namespace {

class FoodListPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&host);
        layout->addWidget(other);
        layout->addWidget(panel.list);
        layout->addWidget(panel.cmdPageUp);
        layout->addWidget(panel.cmdPageDown);
        QStringList foods;
        for (int i = 0; i < 60; ++i) foods << QStringLiteral("Food %1").arg(i, 2, 10, QChar(u'0'));
        panel.list->setTexts(foods);
        panel.connectHandlers({[this](const std::function<void()>& h) {
                                   ++runs;
                                   h();
                               },
                               [this] { chosen << panel.list->currentRow(); },
                               [this] { panel.sendPageUp(); }, [this] { panel.sendPageDown(); }});
        host.resize(300, 400);
        host.show();
        QApplication::setActiveWindow(&host);
    }

    void clickRow(int row) {
        const QRect rect = panel.list->visualRect(panel.list->model()->index(row, 0));
        QTest::mouseClick(panel.list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QtPlatform platform;
    QWidget host;
    QLineEdit* other = new QLineEdit(&host);
    FoodListPanel panel{platform, &host, &host, QStringLiteral("Page down")};
    QList<int> chosen;  // the rows the window was told of, in order
    int runs = 0;       // handlers run through the window's guard
};

TEST_F(FoodListPanelTest,
       EachChoiceReachesTheWindowOnceAndTheProgramsOwnSelectionOrAHiddenListNever) {
    // The press selects and chooses; the click that ends the same press does not choose again.
    clickRow(3);
    EXPECT_EQ(chosen, QList<int>{3});
    // A later click on the row already chosen chooses it again (its detail is shown again).
    clickRow(3);
    EXPECT_EQ(chosen, (QList<int>{3, 3}));
    // The keyboard chooses as it moves.
    panel.list->setFocus();
    QTest::keyClick(panel.list, Qt::Key_Down);
    EXPECT_EQ(chosen, (QList<int>{3, 3, 4}));
    // The program putting the list on its cursor's row chooses nothing, nor clearing it.
    panel.selectQuietly(10);
    panel.selectQuietly(-1);
    EXPECT_EQ(panel.list->currentRow(), -1);
    EXPECT_EQ(chosen.size(), 3);
    // After forgetShownRow(), the click ending a press chooses the row a second time, as a
    // fresh picking expects of a click on the row left selected.
    panel.selectQuietly(5);
    panel.forgetShownRow();
    clickRow(5);
    EXPECT_EQ(chosen, (QList<int>{3, 3, 4, 5}));
    EXPECT_EQ(runs, chosen.size());
    // A hidden list chooses nothing when told so.
    chosen.clear();
    panel.setIgnoredWhileHidden(true);
    panel.list->hide();
    EXPECT_FALSE(panel.takesPart());
    panel.list->setCurrentRow(2);
    EXPECT_TRUE(chosen.isEmpty());
    panel.list->show();
    EXPECT_TRUE(panel.takesPart());
    panel.list->setCurrentRow(7);
    EXPECT_EQ(chosen, QList<int>{7});
}

TEST_F(FoodListPanelTest, APageButtonPagesTheListAsItsMouseButtonGoesDown) {
    panel.list->setCurrentRow(0);
    other->setFocus();
    chosen.clear();
    QTest::mousePress(panel.cmdPageDown, Qt::LeftButton);
    // Before the button is let go: the list has the focus and has moved a page down.
    EXPECT_TRUE(panel.list->hasFocus());
    const int onePage = panel.list->currentRow();
    EXPECT_GT(onePage, 3);
    QTest::mouseRelease(panel.cmdPageDown, Qt::LeftButton);
    EXPECT_EQ(panel.list->currentRow(), onePage);  // the release does not page again
    QTest::mouseClick(panel.cmdPageUp, Qt::LeftButton);
    EXPECT_EQ(panel.list->currentRow(), 0);
    // Paging chooses the rows it lands on, as the Page keys do.
    EXPECT_EQ(chosen, (QList<int>{onePage, 0}));
}

}  // namespace
}  // namespace pw
