#include "meals/frmNewMeal.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/Globals.h"
#include "app/Guard.h"
#include "app/SharedState.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/RuntimeError.h"
#include "platform/AccessibleText.h"
#include "platform/Buttons.h"
#include "platform/Platform.h"

namespace pw {

namespace {

// A meal number as a plain whole number: the leading number of the text.
QString mealNumberText(const QString& text) {
    return plainInt(static_cast<long long>(roundHalfEven(leadingNumber(text))));
}

}  // namespace

frmNewMeal::frmNewMeal(SharedState& state, MainCursors& cursors, Platform& platform,
                       SaveItem saveItem, QWidget* parent)
    : QDialog(parent),
      m_state(state),
      m_cursors(cursors),
      m_platform(platform),
      m_saveItem(std::move(saveItem)) {
    setObjectName(QStringLiteral("frmNewMeal"));
    setWindowTitle(QStringLiteral("Add New Meal"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Meal Number"), this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::ClickFocus);
    Label2 = new QLabel(QStringLiteral("Enter Name of Meal"), this);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setMaxLength(20);
    Label3 = new QLabel(QStringLiteral("Enter Date of Meal"), this);
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {Label1, Text1}, {Label2, Text2}, {Label3, Text3}};
    for (const auto& [label, box] : pairs) {
        label->setBuddy(box);
        box->setAccessibleName(label->text());
        box->installEventFilter(this);
    }

    lblRecordCount = new QLabel(this);
    lblRecordCount->setObjectName(QStringLiteral("lblRecordCount"));
    nameFollowsText(lblRecordCount, QStringLiteral("Meal record"));
    cmdMoveFirst = makeButton(QStringLiteral("|<<"), QStringLiteral("First meal"), this);
    cmdMovePrevious = makeButton(QStringLiteral("<"), QStringLiteral("Previous meal"), this);
    cmdMoveNext = makeButton(QStringLiteral(">"), QStringLiteral("Next meal"), this);
    cmdMoveLast = makeButton(QStringLiteral(">>|"), QStringLiteral("Last meal"), this);
    cmdOK = makeButton(QStringLiteral("OK"), QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = makeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdMoveFirst->setObjectName(QStringLiteral("cmdMoveFirst"));
    cmdMovePrevious->setObjectName(QStringLiteral("cmdMovePrevious"));
    cmdMoveNext->setObjectName(QStringLiteral("cmdMoveNext"));
    cmdMoveLast->setObjectName(QStringLiteral("cmdMoveLast"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Text2, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Text3, 2, 1);
    auto* steps = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdMoveFirst), static_cast<QWidget*>(cmdMovePrevious),
                       static_cast<QWidget*>(lblRecordCount), static_cast<QWidget*>(cmdMoveNext),
                       static_cast<QWidget*>(cmdMoveLast)})
        steps->addWidget(w);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(steps);
    outer->addLayout(buttons);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdMoveFirst);
    setTabOrder(cmdMoveFirst, cmdMovePrevious);
    setTabOrder(cmdMovePrevious, cmdMoveNext);
    setTabOrder(cmdMoveNext, cmdMoveLast);

    auto onClick = [this](QPushButton* b, void (frmNewMeal::*handler)()) {
        connectGuarded(m_platform, b, &QPushButton::clicked, this, handler);
    };
    onClick(cmdOK, &frmNewMeal::cmdOK_Click);
    onClick(cmdCancel, &frmNewMeal::cmdCancel_Click);
    onClick(cmdMoveFirst, &frmNewMeal::cmdMoveFirst_Click);
    onClick(cmdMovePrevious, &frmNewMeal::cmdMovePrevious_Click);
    onClick(cmdMoveNext, &frmNewMeal::cmdMoveNext_Click);
    onClick(cmdMoveLast, &frmNewMeal::cmdMoveLast_Click);

    // The same file as the main window's meal database, so both cursors share one connection.
    DataMealInfo.setDatabaseName(globals().svMealDB);
    DataMealInfo.setRecordSource(QStringLiteral("mealnumbers"));
    DataMealInfo.onReposition = [this] { DataMealInfo_Reposition(); };
}

frmNewMeal::~frmNewMeal() {
    DataMealInfo.onReposition = nullptr;
    for (QLineEdit* box : {Text1, Text2, Text3}) box->removeEventFilter(this);
    m_state.vSelectExisting = false;
}

bool frmNewMeal::selectMode() const { return m_state.vSelectExisting; }

void frmNewMeal::unloadLater() {
    // Closing from inside the show would leave a modal loop waiting that nothing ends.
    QMetaObject::invokeMethod(
        this, [this] { QDialog::done(QDialog::Rejected); }, Qt::QueuedConnection);
}

void frmNewMeal::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    try {
        Form_Activate();
    } catch (...) {
        reportPendingError(m_platform);
        // Not a cancel by the user: whoever opened the dialog must not simply open it again.
        m_state.vCancelFlag = false;
        unloadLater();
    }
}

void frmNewMeal::Form_Activate() {
    DataMealInfo.setRecordSource(mealHeadersQuery());
    DataMealInfo.refresh();
    m_numbersExhausted = false;
    if (DataMealInfo.recordCount() > 0) {
        DataMealInfo.moveLast();
        const double next = roundHalfEven(leadingNumber(Text1->text())) + 1;
        m_numbersExhausted = next > kHighestMealNumber;
        m_nextMealNumber = m_numbersExhausted ? qint16(0) : counter16(next);
        m_mealCount = DataMealInfo.recordCount();
        lblRecordCount->setText(plainInt(m_mealCount));
        DataMealInfo.moveFirst();
    } else {
        m_nextMealNumber = 1;
    }

    const bool select = selectMode();
    for (QWidget* w : {static_cast<QWidget*>(cmdMoveFirst), static_cast<QWidget*>(cmdMovePrevious),
                       static_cast<QWidget*>(cmdMoveNext), static_cast<QWidget*>(cmdMoveLast),
                       static_cast<QWidget*>(lblRecordCount)})
        w->setVisible(select);
    for (QLineEdit* box : {Text2, Text3}) {
        box->setReadOnly(select);
        box->setFocusPolicy(select ? Qt::ClickFocus : Qt::StrongFocus);
    }
    Label2->setText(select ? QStringLiteral("Name of Meal") : QStringLiteral("Enter Name of Meal"));
    Label3->setText(select ? QStringLiteral("Date of Meal") : QStringLiteral("Enter Date of Meal"));
    Text2->setAccessibleName(Label2->text());
    Text3->setAccessibleName(Label3->text());

    if (select) {
        setWindowTitle(QStringLiteral("Select an Existing Meal"));
        if (DataMealInfo.recordCount() == 0) {
            m_platform.message(
                QStringLiteral("There are no meals to select yet.  Please click on Add New Meal "
                               "in Step 1 on the main menu."),
                QStringLiteral("Message"));
            unloadLater();
            return;
        }
        DataMealInfo.moveFirst();
        return;
    }

    setWindowTitle(QStringLiteral("Add New Meal"));
    if (m_numbersExhausted) {
        // The next number would not fit a meal number: store nothing.
        m_platform.message(
            QStringLiteral("No new meal can be added: meal number 32767, the highest meal "
                           "number there can be, is already in use."));
        m_state.vCancelFlag = false;
        unloadLater();
        return;
    }
    DataMealInfo.addNew();
    Text1->setText(plainInt(m_nextMealNumber));
    Text2->clear();
    Text3->clear();
    Text2->setFocus();
}

void frmNewMeal::DataMealInfo_Reposition() {
    // The bound boxes follow the current row; with none (or a new row) they are empty.
    const bool row = DataMealInfo.hasCurrentRow() && DataMealInfo.editMode() != EditMode::Adding;
    Text1->setText(row ? DataMealInfo.text(QStringLiteral("MealNumber")) : QString());
    Text2->setText(row ? DataMealInfo.text(QStringLiteral("MealName")) : QString());
    Text3->setText(row ? DataMealInfo.text(QStringLiteral("MealDate")) : QString());
    lblRecordCount->setText(QStringLiteral("Record ") +
                            plainInt(DataMealInfo.absolutePosition() + 1) + QStringLiteral(" of ") +
                            plainInt(m_mealCount));
}

void frmNewMeal::cmdMoveFirst_Click() { DataMealInfo.moveFirst(); }

void frmNewMeal::cmdMovePrevious_Click() {
    if (DataMealInfo.absolutePosition() > 0) DataMealInfo.movePrevious();
}

void frmNewMeal::cmdMoveNext_Click() {
    if (!DataMealInfo.eof()) DataMealInfo.moveNext();
    if (DataMealInfo.eof()) DataMealInfo.moveLast();
}

void frmNewMeal::cmdMoveLast_Click() { DataMealInfo.moveLast(); }

void frmNewMeal::saveNewMeal() {
    const QString number = Text1->text();
    // A name of blanks only is no name.
    const QString name = Text2->text().trimmed().isEmpty() ? QString() : Text2->text();
    const QString date = Text3->text();
    // An empty box leaves its field without a value, so the store reports it as missing; the
    // pending row starts afresh so that a box emptied since an earlier OK counts as empty.
    if (DataMealInfo.editMode() == EditMode::Adding) DataMealInfo.cancelUpdate();
    DataMealInfo.addNew();
    for (const auto& [field, text] :
         {std::pair{QStringLiteral("MealNumber"), number},
          std::pair{QStringLiteral("MealName"), name}, std::pair{QStringLiteral("MealDate"), date}})
        if (!text.isEmpty()) DataMealInfo.setText(field, text);

    // The meal and its header row in Meals are stored together or not at all.
    RecordCursor& items = m_cursors.DataB;
    const CursorMarks before{&items, &DataMealInfo};
    bool mealStored = false;
    try {
        Savepoint together(globals().svMealDB);
        // A failing save stores nothing and keeps the new row pending.
        DataMealInfo.update();
        mealStored = true;
        m_mealCount = DataMealInfo.recordCount();
        DataMealInfo.moveLast();  // the row just added
        items.addNew();
        m_cursors.txtFieldB.setText(MealField::MealNumber, number);
        m_cursors.txtFieldB.setText(MealField::MealName, name);
        m_cursors.txtFieldB.setText(MealField::Date, date);
        m_saveItem();
        together.commit();
    } catch (...) {
        if (!mealStored) throw;
        // The file is back as it was before OK (the commit itself may be what failed, and the
        // file may not even be readable now); both cursors are put back to match it.
        before.restore();
        m_mealCount = DataMealInfo.recordCount();
        offerAgain(number, name, date);
        throw;
    }
}

void frmNewMeal::offerAgain(const QString& number, const QString& name, const QString& date) {
    DataMealInfo.addNew();
    Text1->setText(number);
    Text2->setText(name);
    Text3->setText(date);
}

void frmNewMeal::cmdOK_Click() {
    if (!selectMode()) {
        try {
            saveNewMeal();
        } catch (...) {
            // The dialog stays open with the new row pending: the user can correct the boxes.
            const RuntimeError e = pendingError();
            Platform& p = m_platform;
            switch (e.number()) {
                case err::RequiredNull:
                    p.message(QStringLiteral(
                        "Please fill in the Meal Name and Date Boxes before clicking ok"));
                    break;
                case err::ZeroLength:
                    p.message(QStringLiteral("Please fill in the Meal Name before clicking ok"));
                    break;
                case err::UpdateCancelled:
                    p.message(QStringLiteral(
                        "Information has not been entered correctly into the entry fields."));
                    break;
                default:
                    GlobalErrorHandler(p, e.number(), e.description());
            }
            return;
        }
        hide();
        // The meal is stored; from here on the dialog closes whatever happens.
        m_state.vCancelFlag = false;
        try {
            RecordCursor& items = m_cursors.DataB;
            m_itemQuery = newMealItemsQuery(mealNumberText(Text1->text()));
            items.setRecordSource(m_itemQuery);
            items.refresh();
            m_state.lTotalRecordsB = counter16(items.recordCount());
            items.moveLast();
            m_state.varOK = true;
        } catch (...) {
            reportPendingError(m_platform);
        }
        QDialog::done(QDialog::Accepted);
        return;
    }

    RecordCursor& items = m_cursors.DataB;
    m_itemQuery = newMealItemsQuery(mealNumberText(Text1->text()));
    items.setRecordSource(m_itemQuery);
    items.refresh();
    if (items.recordCount() > 0) {
        items.moveLast();
        m_state.lTotalRecordsB = counter16(items.recordCount());
        items.moveFirst();
    }
    m_state.vCancelFlag = false;
    QDialog::done(QDialog::Accepted);
}

void frmNewMeal::cmdCancel_Click() {
    hide();
    m_state.vCancelFlag = true;
    try {
        if (!selectMode() && DataMealInfo.editMode() != EditMode::None) DataMealInfo.cancelUpdate();
    } catch (...) {
        reportPendingError(m_platform);
    }
    // The dialog closes in any case; a row never saved is dropped with it.
    QDialog::done(QDialog::Rejected);
}

void frmNewMeal::reject() { cmdCancel_Click(); }

bool frmNewMeal::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // The number box never keeps the focus; in select mode neither do the name and date.
        const bool select = selectMode();
        QWidget* target = nullptr;
        if (watched == Text1)
            target = select ? static_cast<QWidget*>(cmdMoveNext) : Text2;
        else if (select && (watched == Text2 || watched == Text3))
            target = cmdMoveNext;
        if (target) {
            target->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pw
