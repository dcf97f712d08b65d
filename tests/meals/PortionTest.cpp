#include <SQLiteCpp/Database.h>

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "meals/frmPortion.h"
#include "tests/meals/FoodFixture.h"

namespace pw::test {
namespace {

const QDate kDate(2024, 3, 4);

void clickOption(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(4, option->height() / 2));
}

class PortionDialogTest : public FoodFixture {
protected:
    // A meal whose only item is `description`, and the dialog opened on it.
    std::unique_ptr<frmPortion> openOn(const QString& description) {
        addMealItem(folder.mealDb(), 1, "Lunch", kDate, description, 100);
        openWindow();
        auto dialog = std::make_unique<frmPortion>(*form);
        dialog->show();
        return dialog;
    }
};

TEST_F(PortionDialogTest, AFoodWithoutUnitsOffersOnlyGrams) {
    auto d = openOn("O'Brien's potatoes");
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Adjust Portion Size"));
    EXPECT_EQ(d->lblDescrip->text(), QStringLiteral("O'Brien's potatoes"));
    EXPECT_EQ(d->Option1->text(), QStringLiteral("Enter weight in grams"));
    EXPECT_FALSE(d->Option1->isHidden());
    EXPECT_FALSE(d->Line1->isHidden());
    for (QWidget* w : {static_cast<QWidget*>(d->Option2), static_cast<QWidget*>(d->TextOp2),
                       static_cast<QWidget*>(d->Line2), static_cast<QWidget*>(d->Option3),
                       static_cast<QWidget*>(d->TextOp3), static_cast<QWidget*>(d->Line3)})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
}

TEST_F(PortionDialogTest, OpensOnGramsAndEachOptionOwnsTheOnlyBoxThatHoldsText) {
    auto d = openOn("Apple, raw");
    EXPECT_EQ(d->Option2->accessibleName(), QStringLiteral("Enter number of 1 medium portions."));
    EXPECT_EQ(d->Option3->accessibleName(),
              QStringLiteral("Enter number of 1 cup, sliced portions."));
    EXPECT_EQ(d->TextOp3->accessibleName(), d->Option3->accessibleName());
    EXPECT_TRUE(d->Option1->isChecked());
    EXPECT_TRUE(d->TextOp1->isEnabled());
    EXPECT_FALSE(d->TextOp2->isEnabled());
    EXPECT_EQ(d->focusWidget(), d->TextOp1);
    EXPECT_EQ(d->width(), 6420 * d->logicalDpiX() / 1440);
    EXPECT_EQ(d->height(), 4620 * d->logicalDpiY() / 1440);

    QTest::keyClicks(d->TextOp1, "50");
    clickOption(d->Option2);
    EXPECT_TRUE(d->Option2->isChecked());
    EXPECT_EQ(d->TextOp1->text(), QString());
    EXPECT_FALSE(d->TextOp1->isEnabled());
    EXPECT_EQ(d->focusWidget(), d->TextOp2);

    // 2.5 units of 182 g.
    QTest::keyClicks(d->TextOp2, "2.5");
    QTest::mouseClick(d->cmdSubmit, Qt::LeftButton);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(globals().vPortionGrams, 455.0f);
    EXPECT_EQ(globals().svPortionUnit, QStringLiteral("1 medium"));
    EXPECT_EQ(globals().vPortionQuantity, 2.5f);
    EXPECT_FALSE(form->bvCancel);
}

TEST_F(PortionDialogTest, GramsMustBeWhollyANumberAboveZero) {
    auto d = openOn("Apple, raw");
    for (const char* refused : {"15O", "150 g", "1/4"}) {
        d->TextOp1->setText(QLatin1String(refused));
        platform.expectMsg(MsgResult::OK, "as a number");
        QTest::mouseClick(d->cmdSubmit, Qt::LeftButton);
        EXPECT_TRUE(d->isVisible()) << refused;
        EXPECT_EQ(d->TextOp1->text(), QLatin1String(refused));
    }
    for (const char* refused : {"0", "-5", ""}) {
        d->TextOp1->setText(QLatin1String(refused));
        platform.expectMsg(MsgResult::OK, "Numbers entered must be greater than 0");
        QTest::mouseClick(d->cmdSubmit, Qt::LeftButton);
        EXPECT_TRUE(d->isVisible()) << refused;
    }
    EXPECT_EQ(platform.messages().back().text,
              QStringLiteral("Numbers entered must be greater than 0"));

    d->TextOp1->setText(" 0.5 ");
    QTest::keyClick(d->TextOp1, Qt::Key_Return);  // Enter submits
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(globals().vPortionGrams, 0.5f);
    EXPECT_EQ(globals().svPortionUnit, QString());
    EXPECT_EQ(globals().vPortionQuantity, 0.0f);
}

TEST_F(PortionDialogTest, CancelAndTheCloseControlBothCancelAndRecordNothing) {
    openOn("Apple, raw").reset();
    globals().vPortionGrams = 75;
    for (int way = 0; way < 3; ++way) {
        frmPortion d(*form);
        d.show();
        form->bvCancel = false;
        QTest::keyClicks(d.TextOp1, "300");
        if (way == 0) QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        if (way == 1) d.close();  // the window's own close control
        if (way == 2) QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible()) << way;
        EXPECT_TRUE(form->bvCancel) << way;
        EXPECT_EQ(globals().vPortionGrams, 75.0f) << way;
    }
}

// The adjustment through the main window's button, with the soup stored as a new item of 100 g.
class PortionAdjustTest : public FoodFixture {
protected:
    void SetUp() override {
        FoodFixture::SetUp();
        QVariantMap stored = soupValues();
        stored.remove("GMWT_1");
        stored.remove("GMWT_DESC1");
        addMealItem(folder.mealDb(), 4, "Supper", kDate, kSoup, 100, stored);
        openWindow();
    }

    void adjust(std::function<void(frmPortion&)> act) {
        platform.expectModal([act](QDialog& d) { act(static_cast<frmPortion&>(d)); });
        QTest::mouseClick(form->cmdPortionAdjust, Qt::LeftButton);
    }

    StoredRow row() {
        const auto rows = storedItems(4);
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? StoredRow{} : rows[0];
    }
};

TEST_F(PortionAdjustTest, APortionInGramsScalesEveryValueFromTheFood) {
    adjust([](frmPortion& d) {
        QTest::keyClicks(d.TextOp1, "150");
        QTest::mouseClick(d.cmdSubmit, Qt::LeftButton);
    });
    // Food values per 100 g times 1.5, worked out by hand.
    const StoredRow r = row();
    EXPECT_EQ(r.calories, QStringLiteral("61.8"));  // 41.2 x 1.5
    EXPECT_EQ(r.protein, QStringLiteral("3.165"));  // 2.11 x 1.5
    EXPECT_EQ(r.vitC, QStringLiteral("0.001"));     // 0.0006 to three places
    EXPECT_EQ(r.satFat, QStringLiteral("1.852"));   // 1.85175 to three places
    EXPECT_EQ(r.ash, QStringLiteral("2.25"));       // 1.5 x 1.5
    EXPECT_EQ(r.fiber, QString());                  // empty stays empty
    EXPECT_EQ(r.grams, QStringLiteral("150"));
    EXPECT_EQ(r.unit, QString());
    EXPECT_EQ(r.quantity, QStringLiteral("0"));
    EXPECT_EQ(r.description, kSoup);
    EXPECT_EQ(r.mealName, QStringLiteral("Supper"));
    EXPECT_EQ(form->DataB.editMode(), EditMode::None);
    EXPECT_EQ(globals().svSearchItem, kSoup);
}

TEST_F(PortionAdjustTest, CancelOrClosingTheDialogLeavesTheItemAsItWas) {
    adjust([](frmPortion& d) {
        QTest::keyClicks(d.TextOp1, "150");
        QTest::mouseClick(d.cmdSubmit, Qt::LeftButton);
    });
    adjust([](frmPortion& d) {
        QTest::keyClicks(d.TextOp1, "999");
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    });
    adjust([](frmPortion& d) { d.close(); });
    EXPECT_EQ(row().calories, QStringLiteral("61.8"));
    EXPECT_EQ(row().grams, QStringLiteral("150"));
}

TEST_F(PortionAdjustTest, AStoreFailureLeavesTheRowAsItWas) {
    connection(folder.mealDb())
        ->exec(
            "CREATE TRIGGER refuse_update BEFORE UPDATE ON Meals "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    platform.expectMsg(MsgResult::OK);  // the store's message
    adjust([](frmPortion& d) {
        QTest::keyClicks(d.TextOp1, "150");
        QTest::mouseClick(d.cmdSubmit, Qt::LeftButton);
    });
    EXPECT_EQ(form->DataB.editMode(), EditMode::None);
    EXPECT_EQ(row().calories, QStringLiteral("41.2"));
    EXPECT_EQ(row().grams, QStringLiteral("100"));
    EXPECT_EQ(form->txtFieldB.text(2), QStringLiteral("41.2"));
}

}  // namespace
}  // namespace pw::test
