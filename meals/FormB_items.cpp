// The items of the meal shown: stepping through them, the counter and detail on every move,
// and removing an item (with the meal when it was the meal's last).
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <functional>

#include "app/FormB.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/MealStore.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/RuntimeError.h"
#include "meals/frmCopyMeal.h"
#include "meals/frmNewMeal.h"
#include "meals/frmSaveRecipe.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"

namespace pw {

namespace {

// A number as a 16-bit whole number, rounded as the program rounds (halves to even).
qint16 toInt16(double value) { return counter16(roundHalfEven(value)); }

// A move that fails leaves no half-made change behind: a pending row is dropped and the store's
// message reaches the user through the handler's guard.
void moveKeeping(RecordCursor& cursor, const std::function<void()>& move) {
    try {
        move();
    } catch (const RuntimeError&) {
        if (cursor.editMode() != EditMode::None) cursor.cancelUpdate();
        throw;
    }
}

}  // namespace

void FormB::connectItemHandlers() {
    onClick(cmdBMoveFirst, &FormB::cmdBMoveFirst_Click);
    onClick(cmdBMovePrevious, &FormB::cmdBMovePrevious_Click);
    onClick(cmdBMoveNext, &FormB::cmdBMoveNext_Click);
    onClick(cmdBMovelast, &FormB::cmdBMovelast_Click);
    onClick(cmdRemove, &FormB::mnuRemove_Click);
    onTrigger(mnuRemove, &FormB::mnuRemove_Click);
    onClick(cmdPortionAdjust, &FormB::cmdPortionAdjust_Click);
    onTrigger(mnuAdjust, &FormB::cmdPortionAdjust_Click);
    onTrigger(mnuCopyMeal, &FormB::mnuCopyMeal_Click);
    onTrigger(mnuSaveRecipe, &FormB::mnuSaveRecipe_Click);
    // A meal may have come or gone since the commands were last enabled.
    connectGuarded(m_platform, mnuStep1, &QMenu::aboutToShow, this,
                   [this] { enableMealCommands(mnuStep1->menuAction()->isEnabled()); });
}

void FormB::cmdBMoveFirst_Click() {
    moveKeeping(DataB, [this] { DataB.moveFirst(); });
}

void FormB::cmdBMovePrevious_Click() {
    moveKeeping(DataB, [this] {
        const int position = DataB.absolutePosition();
        if (position != -1 && position != 0) DataB.movePrevious();
    });
}

void FormB::cmdBMoveNext_Click() {
    moveKeeping(DataB, [this] {
        if (!DataB.eof()) DataB.moveNext();
        if (DataB.eof()) DataB.moveLast();
    });
}

void FormB::cmdBMovelast_Click() {
    moveKeeping(DataB, [this] { DataB.moveLast(); });
}

void FormB::DataB_Reposition() {
    // With no meal at all there is nothing to describe: no counter, no detail.
    if (DataB.recordCount() == 0) {
        lblRecordCountB->clear();
        Text1->clear();
        return;
    }
    // Past either end there is no row: the bound fields read empty.
    const QString name = txtFieldB.text(MealField::MealName);
    const QString date = txtFieldB.text(MealField::Date);
    const QString number = txtFieldB.text(MealField::MealNumber);
    const int position = DataB.absolutePosition();
    lblRecordCountB->setText(
        QStringLiteral("  Meal Name: ") + name + QStringLiteral("   Meal Date: ") + date + svCR +
        QStringLiteral("   Item ") + plainInt(position + 1) + QStringLiteral(" of ") +
        plainInt(lTotalRecordsB) + QStringLiteral(" items in Meal Number ") + number +
        QStringLiteral("."));
    FillArray_S_from_DataB();
    FillText1_from_Array_S();
}

void FormB::FillArray_S_from_DataB() {
    if (DataB.editMode() != EditMode::None) return;
    for (int i = 0; i <= MealField::PortionQuantity; ++i) S[i] = txtFieldB.text(i);
    S[MealField::PortionSize] = txtFieldB.text(MealField::PortionSize);
}

void FormB::mnuRemove_Click() {
    if (!m_platform.confirm(QStringLiteral("Are you sure you want to delete this item?"))) return;
    const int n = DataB.recordCount();
    if (n == 0) {
        m_platform.message(QStringLiteral("No records to delete."));
        return;
    }

    if (n > 1) {
        vAbsPosition = counter16(DataB.absolutePosition());
        lTotalRecordsB = MealStore(DataB).removeItem();
        DataB.moveFirst();
        if (vAbsPosition > 0)
            DataB.setAbsolutePosition(vAbsPosition - 1);
        else
            DataB.moveFirst();
        return;
    }

    // The meal's last item: the meal goes with it.
    sMealNum = txtFieldB.text(MealField::MealNumber);
    ivHoldNumber = toInt16(leadingNumber(sMealNum));
    if (!m_platform.confirm(QStringLiteral("This is the last remaining item in meal number ") +
                            sMealNum + QStringLiteral(".  Are you sure you want to delete it?") +
                            QStringLiteral("  Meal number ") + sMealNum +
                            QStringLiteral(" will also be deleted."))) {
        return;
    }

    // The item and the meal's row in MealNumbers go together or not at all, even when the
    // program is stopped between the two.
    RecordCursor& headers = newMealDialog().DataMealInfo;
    m_mealHeaderQuery = mealHeaderQuery(plainInt(ivHoldNumber));
    headers.setRecordSource(m_mealHeaderQuery);
    headers.refresh();
    if (!headers.hasCurrentRow())
        throw RuntimeError(err::NoCurrentRecord,
                           QStringLiteral("Meal number ") + sMealNum +
                               QStringLiteral(" has no row in MealNumbers; nothing was deleted."));
    MealStore(DataB).removeMeal(headers);

    DataB.setRecordSource(allMealItemsQuery());
    DataB.refresh();
    if (DataB.recordCount() == 0) {
        Text1->hide();
        lblRecordCountB->hide();
        try {
            StartOver();
        } catch (...) {
            Text1->show();
            lblRecordCountB->show();
            throw;
        }
        Text1->show();
        lblRecordCountB->show();
        return;
    }

    // Other meals still have items: show the lowest-numbered one.
    DataB.moveLast();
    DataB.moveFirst();
    sMealNum = txtFieldB.text(MealField::MealNumber);
    svA = mealItemsQuery(plainInt(static_cast<long long>(roundHalfEven(leadingNumber(sMealNum)))));
    DataB.setRecordSource(svA);
    DataB.refresh();
    DataB.moveLast();
    lTotalRecordsB = counter16(DataB.recordCount());
    DataB.moveFirst();
    headers.setRecordSource(mealHeadersQuery());
    headers.refresh();
    m_platform.message(QStringLiteral(
        "Meal deleted.  Please click on Step 1 from the main menu to add or select another meal"));
}

void FormB::mnuCopyMeal_Click() {
    frmCopyMeal window(m_platform, DataB, txtFieldB.text(MealField::MealNumber),
                       txtFieldB.text(MealField::MealName), this);
    m_platform.showModal(window);
    const auto number = window.newMealNumber();
    if (!number) return;
    DataB.setRecordSource(mealItemsQuery(plainInt(*number)));
    DataB.refresh();
    if (DataB.recordCount() == 0) return;
    DataB.moveLast();
    lTotalRecordsB = counter16(DataB.recordCount());
    DataB.moveFirst();
}

void FormB::mnuSaveRecipe_Click() {
    frmSaveRecipe window(m_platform, globals().svCustomDB, globals().svMealDB,
                         txtFieldB.text(MealField::MealNumber), txtFieldB.text(MealField::MealName),
                         this);
    m_platform.showModal(window);
    if (window.savedDescription()) requeryFoodList();
}

frmNewMeal& FormB::newMealDialog() {
    if (!m_frmNewMeal)
        m_frmNewMeal = std::make_unique<frmNewMeal>(
            state(), cursors(), m_platform, [this] { cmdBSave(); }, this);
    return *m_frmNewMeal;
}

void FormB::unloadNewMealDialog() {
    // Called once the dialog's modal loop is over; its destructor ends the select mode.
    m_frmNewMeal.reset();
}

}  // namespace pw
