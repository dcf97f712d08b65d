#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

#include "app/FormB.h"
#include "data/Fields.h"
#include "data/MealStore.h"
#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "meals/FoodLookup.h"
#include "meals/ItemDetail.h"
#include "meals/frmFind.h"
#include "platform/BoundList.h"
#include "platform/FoodListPanel.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"

namespace pw {

namespace {

// Picking over, the food list leaves the screen: no food stays selected or current, so a screen
// reader finds none there and Enter adds none.
void hideFoodList(FormB& form) {
    form.DBList1->hide();
    form.DBList1->setCurrentRow(-1);
}

// Once the meal commands are enabled again, the focus goes where the user carries on: the hidden
// list and the disabled Cancel would otherwise hand it on along the row, to "Exit", where the
// next Space would end the program.
void focusAfterPicking(FormB& form, QWidget* next) {
    if (!next->isVisible() || !next->isEnabled()) next = form.cmdAddItem;
    next->setFocus();
}

}  // namespace

void FormB::connectFoodHandlers() {
    onClick(cmdAddItem, &FormB::mnuAddItem_Click);
    onTrigger(mnuAddItem, &FormB::mnuAddItem_Click);
    onClick(cmdCancel, &FormB::cmdCancel_Click);
    onTrigger(mnuFind, &FormB::mnuFind_Click);
    // A food chosen shows its detail; the list takes no part while it is hidden (picking is not
    // under way), so keys that reach it then neither pick nor add a food.
    m_foodList->connectHandlers(
        {[this](const std::function<void()>& h) { runGuarded(m_platform, h); },
         [this] { DBList1_Click(); }, [this] { cmdPageUp_MouseDown(); },
         [this] { cmdPageDown_MouseDown(); }});
    // Enter on a food adds it, as a double click does.
    for (auto signal : {&BoundList::itemDoubleClicked, &BoundList::enterPressed})
        connectGuarded(m_platform, DBList1, signal, this, [this] {
            if (m_foodList->takesPart()) addSelectedFood();
        });
}

void FormB::Data1_Reposition() {
    m_platform.setMousePointer(Pointer::Normal);
    // The label is a courtesy: each step that fails is skipped.
    try {
        iFoodCount = counter16(Data1.recordCount());
    } catch (const RuntimeError&) {
    }
    try {
        lblRecordCount->setText(QStringLiteral("Item ") +
                                QString::number(Data1.absolutePosition() + 1) +
                                QStringLiteral(" of ") + QString::number(iFoodCount));
    } catch (const RuntimeError&) {
    }
}

void FormB::Data1_Error(const RuntimeError& error) {
    m_platform.message(QStringLiteral("Data1_Error() event hit error:") + error.description());
}

bool FormB::findFood(const QString& description) {
    return searchFood(description) == FoodSearch::Found;
}

FormB::FoodSearch FormB::searchFood(const QString& description) {
    try {
        return findListedFood(m_platform, Data1, description) ? FoodSearch::Found
                                                              : FoodSearch::NotFound;
    } catch (const RuntimeError& e) {
        // The food cursor's own failure goes to its error event; a failed find does not move it.
        Data1_Error(e);
        return FoodSearch::Failed;
    }
}

void FormB::FillArray_S_from_Data1() {
    for (int i = FoodSlot::Description; i <= FoodSlot::LastNutrient; ++i) S[i] = txtFields.text(i);
    S[MealField::PortionSize] = QStringLiteral("100");
}

void FormB::FillText1_from_Array_S() {
    svPortionDescrip = portionDescrip(S, svCR);
    const QString detail = itemDetailText(S, svCR);
    // The same detail again, untouched since (a move that comes back to the row shown, as the
    // loading of a meal does): not laid out anew, and it keeps its place on screen.
    if (detail == m_detailShown && Text1->document()->revision() == m_detailRevision) return;
    Text1->setPlainText(detail);
    m_detailShown = detail;
    m_detailRevision = Text1->document()->revision();
}

void FormB::DBList1_Click() {
    // Whether or not the food is found, the detail is that of the food the cursor stands on;
    // after a failure of the cursor (already reported) the detail stays as it was.
    if (searchFood(DBList1->text()) == FoodSearch::Failed) return;
    FillArray_S_from_Data1();
    S[MealField::PortionQuantity] = QStringLiteral("0");
    S[MealField::PortionUnit] = QStringLiteral("0");
    FillText1_from_Array_S();
}

void FormB::cmdPageUp_MouseDown() { m_foodList->sendPageUp(); }

void FormB::cmdPageDown_MouseDown() { m_foodList->sendPageDown(); }

void FormB::mnuAddItem_Click() {
    if (DataB.recordCount() == 0) {
        // No meal to add to: create one first, as "Add a meal" does; when a meal is created
        // that road comes back here with its row. (A dialog that reported a meal without
        // storing its row leaves nothing to add to.)
        if (!varOK) mnuAddnew_Click();
        return;
    }
    // Read before the screen changes, so that a failing read leaves the meal view as it was.
    const QString mealNumber = txtFieldB.text(MealField::MealNumber);

    Text2->hide();
    RTBox->hide();
    // No highlight left from an earlier picking: the list shows selected only what the user
    // selects now, and Enter adds only that.
    DBList1->setCurrentRow(-1);
    DBList1->show();
    m_platform.processEvents();
    DBList1->raise();
    Frame2->show();
    cmdCancel->setEnabled(true);
    lblRecordCountB->setText(
        QStringLiteral("Select an item to add to the meal, from the list to the right."));
    Text1->clear();
    m_foodList->forgetShownRow();
    lblRecordCount->setText(QString::number(iFoodCount) + QStringLiteral(" Total Items."));
    lblRecordCount->show();
    lblFrame2->setText(
        QStringLiteral("QUICK HELP:   Click on an item in the list box above to display its "
                       "nutritional value.  Double Click on the item to select it and add it to "
                       "the records in meal number ") +
        mealNumber + QStringLiteral(" .") +
        QStringLiteral("  Hitting a letter on the computer keyboard will cause the display to "
                       "advance to items that begin with that letter.  The first several letters "
                       "of an item can also be typed in order to jump directly to an item "
                       "beginning with those letters."));
    if (DBList1->isVisible()) DBList1->setFocus();
    // A meal just created cannot leave picking before it has its first item.
    if (varOK) cmdCancel->setEnabled(false);
    LockSet2();
}

void FormB::mnuFind_Click() {
    if (!DBList1->isVisible()) {
        mnuAddItem_Click();
        if (!DBList1->isVisible()) return;  // no meal to add to
    }
    const Globals& g = globals();
    frmFind find(m_platform, {g.svCustomDB, g.svMealDB}, this);
    m_platform.showModal(find);
    const auto choice = find.choice();
    if (!choice) return;
    // The food is chosen in the list as a click chooses it; Add goes on as a double click does.
    const int row = DBList1->rowOf(choice->description);
    if (row < 0) {
        findFood(choice->description);  // gone since: says it was not found
        return;
    }
    m_foodList->selectQuietly(row);
    DBList1->setFocus();
    DBList1_Click();
    if (choice->action == frmFind::Action::Add) addSelectedFood();
}

void FormB::addSelectedFood() {
    // The food added is the one the list shows selected, never another one the food cursor
    // stands on (a portion adjustment or a failed search may have left it elsewhere). The click
    // that begins a double click has found it already; Enter finds it here.
    const QString selected = DBList1->text();
    if (selected.isEmpty()) return;
    if (txtFields.text(FoodSlot::Description) != selected && !findFood(selected)) return;
    DBList1_DblClick();
}

void FormB::DBList1_DblClick() {
    // Picking is entered only with a meal to add to; without one there is nothing to do.
    if (DataB.recordCount() == 0) return;
    svMealNumber = txtFieldB.text(MealField::MealNumber);
    svMealName = txtFieldB.text(MealField::MealName);
    svDate = txtFieldB.text(MealField::Date);
    // A new meal's empty first row takes the first food; later foods get rows of their own.
    if (!txtFieldB.text(MealField::Description).isEmpty())
        DataB.addNew();
    else
        DataB.edit();
    try {
        FillDataB_from_Data1();
    } catch (const RuntimeError&) {
        // Stay in picking, but never trapped there: another food can be tried or picking left.
        cmdCancel->setEnabled(true);
        throw;
    }
    hideFoodList(*this);
    RTBox->show();
    cmdCancel->setEnabled(false);
    Frame2->hide();
    lblRecordCount->hide();
    varOK = false;
    UnLockSet2();
    focusAfterPicking(*this, Text1);
}

void FormB::FillDataB_from_Data1() {
    lTotalRecordsB = MealStore(DataB).saveItem([this] {
        FillArray_S_from_Data1();
        for (int i = MealField::FirstNutrient; i <= MealField::LastNutrient; ++i)
            txtFieldB.setText(i, S[i]);
        txtFieldB.setText(MealField::Description, S[MealField::Description]);
        txtFieldB.setText(MealField::MealNumber, svMealNumber);
        txtFieldB.setText(MealField::MealName, svMealName);
        txtFieldB.setText(MealField::Date, svDate);
        txtFieldB.setText(MealField::PortionSize, QStringLiteral("100"));
    });
    if (DataB.recordCount() > 0) {
        DataB.moveFirst();
        DataB.moveLast();
    }
}

void FormB::cmdCancel_Click() {
    hideFoodList(*this);
    cmdCancel->setEnabled(false);
    Frame2->hide();
    RTBox->show();
    try {
        DataB_Reposition();
    } catch (const RuntimeError&) {
        UnLockSet2();
        focusAfterPicking(*this, cmdAddItem);
        throw;
    }
    UnLockSet2();
    focusAfterPicking(*this, cmdAddItem);
}

}  // namespace pw
