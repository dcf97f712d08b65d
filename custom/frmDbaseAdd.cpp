#include "custom/frmDbaseAdd.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "data/Database.h"
#include "data/Fields.h"
#include "data/FoodTableVersion.h"
#include "data/Queries.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/TextFit.h"

namespace pw {

namespace {

const QString kQuickHelp = QStringLiteral(
    "In the first box enter a description of the item.  Then enter a description of the portion "
    "size being entered, for example 1/2 cup or 1 package.  Then enter the weight in grams of "
    "this portion size.  Continue entering nutrient values for this portion size.  The program "
    "will recalculate the values for a 100 gram portion which will be recorded in the reference "
    "database.  Take care to enter information in the units as listed, for instance grams, mg, "
    "or mcg.  Some product labels may list nutrient amounts in different units.  To save the "
    "data as a new record click Save.");

}  // namespace

frmDbaseAdd::frmDbaseAdd(Platform& platform, QWidget* parent)
    : QDialog(parent), fields(Data1, fieldNames(csr14Table())), m_platform(platform) {
    setObjectName(QStringLiteral("frmDbaseAdd"));
    setWindowTitle(QStringLiteral("Adding a new item to the reference database"));
    buildControls();
}

frmDbaseAdd::~frmDbaseAdd() = default;

void frmDbaseAdd::buildControls() {
    auto* outer = new QVBoxLayout(this);
    lblInstruction =
        new QLabel(QStringLiteral("Enter data for the nutrients listed below.  Leave "
                                  "blank any boxes for which you have no information."),
                   this);
    lblInstruction->setObjectName(QStringLiteral("lblInstruction"));
    lblInstruction->setWordWrap(true);
    outer->addWidget(lblInstruction);

    for (int slot : entrySlots()) {
        QLineEdit* box = boxes.make(slot, entryCaption(slot), this);
        box->setReadOnly(true);  // unlocked when the new row starts
        box->installEventFilter(this);
    }
    // The quick help's order: the food, the portion and its weight, then the values.
    auto* head = new QGridLayout;
    head->addWidget(boxes.lblLabels[0], 0, 0);
    head->addWidget(boxes.txtFields[0], 0, 1, 1, 3);
    head->addWidget(boxes.lblLabels[33], 1, 0);
    head->addWidget(boxes.txtFields[33], 1, 1, 1, 3);
    head->addWidget(boxes.lblLabels[32], 2, 0);
    head->addWidget(boxes.txtFields[32], 2, 1);
    head->addWidget(boxes.lblLabels[2], 2, 2);
    head->addWidget(boxes.txtFields[2], 2, 3);
    head->setColumnStretch(1, 1);
    head->setColumnStretch(3, 1);
    outer->addLayout(head);
    auto* grid = new QGridLayout;
    boxes.layOutNutrients(grid, 0, 4);
    outer->addLayout(grid);

    RTBox = makeQuickHelpBox(QStringLiteral("RTBox"), this);
    outer->addWidget(RTBox);

    auto* buttons = new QHBoxLayout;
    cmdSave = new QPushButton(QStringLiteral("Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    outer->addLayout(buttons);

    QWidget* previous = nullptr;
    for (int slot : {0, 33, 32, 2}) {
        QWidget* box = boxes.txtFields[std::size_t(slot)];
        if (previous) setTabOrder(previous, box);
        previous = box;
    }
    for (int slot : nutrientSlots()) {
        if (slot == 2) continue;
        setTabOrder(previous, boxes.txtFields[std::size_t(slot)]);
        previous = boxes.txtFields[std::size_t(slot)];
    }
    setTabOrder(previous, cmdSave);
    setTabOrder(cmdSave, cmdCancel);

    openAtSize(*this, QSize(760, 540));
    connectGuarded(m_platform, cmdSave, &QPushButton::clicked, this, &frmDbaseAdd::cmdSave_Click);
    connectGuarded(m_platform, cmdCancel, &QPushButton::clicked, this,
                   &frmDbaseAdd::cmdCancel_Click);
}

void frmDbaseAdd::Form_Load() {
    Data1.setDatabaseName(globals().svCustomDB);
    Data1.setRecordSource(addedFoodsQuery());
    Data1.refresh();
    if (Data1.recordCount() > 0) {
        Data1.moveLast();
        Data1.moveFirst();
    }
    putQuickHelp(RTBox, kQuickHelp);
    if (Data1.editMode() == EditMode::None) {
        for (int slot : entrySlots()) boxes.txtFields[std::size_t(slot)]->setReadOnly(false);
        Data1.addNew();
        showEntry(FoodEntry{});
    }
    boxes.txtFields[0]->setFocus();
}

FoodEntry frmDbaseAdd::typedEntry() const {
    FoodEntry entry;
    for (int slot : entrySlots())
        entry[std::size_t(slot)] = boxes.txtFields[std::size_t(slot)]->text();
    return entry;
}

void frmDbaseAdd::showEntry(const FoodEntry& entry) {
    for (int slot : entrySlots())
        boxes.txtFields[std::size_t(slot)]->setText(entry[std::size_t(slot)]);
}

void frmDbaseAdd::cmdSave_Click() {
    const FoodEntry typed = typedEntry();
    try {
        if (const auto note = checkNewFood(typed)) {
            m_platform.msgBox({note->text, MsgButtons::OK, MsgIcon::Information,
                               QStringLiteral("Note"), MsgResult::OK});
            boxes.txtFields[std::size_t(note->box)]->setFocus();
            return;
        }
        const FoodEntry row = newFoodRow(typed);
        showEntry(row);
        // An empty box is not written: its field keeps the table's default.
        for (int slot : entrySlots())
            if (!row[std::size_t(slot)].isEmpty()) fields.setText(slot, row[std::size_t(slot)]);
        fields.setText(FoodSlot::Code, row[FoodSlot::Code]);
        Data1.update();
        noteFoodTableChanged();
    } catch (...) {
        const RuntimeError e = pendingError();
        // The user's own values again, and a clean new row, so that a second Save converts what
        // was typed and writes only the boxes that hold something.
        showEntry(typed);
        if (Data1.editMode() != EditMode::None) Data1.cancelUpdate();
        reportSaveError(e);
        Data1.addNew();
        return;
    }
    accept();
}

void frmDbaseAdd::reportSaveError(const RuntimeError& error) {
    if (error.number() == err::UpdateCancelled) {
        m_platform.message(
            QStringLiteral("Error 3426, Text data has been entered in a numeric field"));
        return;
    }
    m_platform.message(errorReportText(error.number(), error.description(), ErrorBreak::LfCr));
}

void frmDbaseAdd::cmdCancel_Click() { reject(); }

void frmDbaseAdd::reject() {
    if (Data1.editMode() != EditMode::None) Data1.cancelUpdate();
    QDialog::reject();
}

bool frmDbaseAdd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_platform.sendKeys(QStringLiteral("{tab}"));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pw
