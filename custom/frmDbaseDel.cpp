#include "custom/frmDbaseDel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QVBoxLayout>

#include "custom/FoodsCsv.h"
#include "custom/NewFood.h"
#include "custom/frmDbaseAdd.h"
#include "data/FoodTableVersion.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/Schema.h"
#include "data/TextFiles.h"
#include "meals/FoodLookup.h"
#include "meals/frmFind.h"
#include "platform/AccessibleText.h"
#include "platform/BoundList.h"
#include "platform/Buttons.h"
#include "platform/FoodListPanel.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/TextFit.h"
#include "platform/TextOutput.h"

namespace pw {

namespace {

const QString kQuickHelp = QStringLiteral(
    "The List Box above only lists user added items and a few sample items so that user added "
    "records are easy to find.  To examine a record for an item, click on the item in the list "
    "box above.  It will then be displayed.  To delete the highlighted record, click on the "
    "Delete button at the top of the screen.  Only user added records can be deleted.  To add a "
    "new record to the reference database, click on the Add New Record button at the top of the "
    "screen.  Items added by the user in this way will be displayed in the main database in "
    "alphabetical order along with all other items.");

constexpr int kCodeBox = 1;

QString displayCaption(int slot) {
    switch (slot) {
        case 0:
            return QStringLiteral("ITEM DESCRIPTION");
        case 2:
            return QStringLiteral("Calories");
        case 32:
            return QStringLiteral("Weight of unit 1 in grams");
        case 33:
            return QStringLiteral("Description of unit 1");
        default:
            return entryCaption(slot);
    }
}

}  // namespace

frmDbaseDel::frmDbaseDel(Platform& platform, RequeryMainList requeryMainList, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_requeryMainList(std::move(requeryMainList)) {
    setObjectName(QStringLiteral("frmDbaseDel"));
    setWindowTitle(QStringLiteral("Database Customizing Option"));
    buildControls();
    connectHandlers();
    Data1.onReposition = [this] { Data1_Reposition(); };
}

frmDbaseDel::~frmDbaseDel() { Data1.onReposition = nullptr; }

void frmDbaseDel::buildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* commands = new QHBoxLayout;
    cmdAddNew = makeButton(QStringLiteral("Add New Record"), {}, this, QStringLiteral("cmdAddNew"));
    cmdDelete = makeButton(QStringLiteral("Delete Record"), {}, this, QStringLiteral("cmdDelete"));
    cmdDone = makeButton(QStringLiteral("Done"), {}, this, QStringLiteral("cmdDone"));
    commands->addWidget(cmdAddNew);
    commands->addWidget(cmdDelete);
    commands->addWidget(cmdDone);
    commands->addStretch(1);
    cmdExportFoods = makeButton(QStringLiteral("E&xport Your Foods as CSV..."), {}, this,
                                QStringLiteral("cmdExportFoods"));
    cmdImportFoods = makeButton(QStringLiteral("&Import Foods from CSV..."), {}, this,
                                QStringLiteral("cmdImportFoods"));
    commands->addWidget(cmdExportFoods);
    commands->addWidget(cmdImportFoods);
    outer->addLayout(commands);

    auto* body = new QHBoxLayout;
    // Left: the list, its page buttons and counter, the quick help.
    auto* left = new QVBoxLayout;
    m_foodList = new FoodListPanel(m_platform, this, this, QStringLiteral("Page down"));
    DBList1 = m_foodList->list;
    DBList1->setAccessibleName(QStringLiteral("User added and sample foods"));
    DBList1->setRecordCursor(&Data1, QStringLiteral("Description"));
    DBList1->setMinimumWidth(200);
    left->addWidget(DBList1, 1);
    auto* paging = new QHBoxLayout;
    cmdPageUp = m_foodList->cmdPageUp;
    cmdPageDown = m_foodList->cmdPageDown;
    lblRecordCount = new QLabel(this);
    lblRecordCount->setObjectName(QStringLiteral("lblRecordCount"));
    nameFollowsText(lblRecordCount, QStringLiteral("Position among the foods listed"));
    paging->addWidget(cmdPageUp);
    paging->addWidget(cmdPageDown);
    paging->addStretch(1);
    left->addLayout(paging);
    left->addWidget(lblRecordCount);
    Rtext1 = makeQuickHelpBox(QStringLiteral("Rtext1"), this);
    left->addWidget(Rtext1);
    auto* leftSide = new QWidget(this);
    leftSide->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    leftSide->setMaximumWidth(300);
    body->addWidget(leftSide, 2);

    // Right: the record of the food shown.
    for (int slot : entrySlots()) boxes.make(slot, displayCaption(slot), this);
    boxes.make(kCodeBox, QString(), this)->setAccessibleName(QStringLiteral("Code"));
    for (QLineEdit* box : boxes.txtFields)
        if (box) box->setReadOnly(true);
    auto* record = new QGridLayout;
    int row = 0;
    record->addWidget(boxes.lblLabels[0], row, 0);
    record->addWidget(boxes.txtFields[0], row, 1, 1, 3);
    record->addWidget(boxes.txtFields[kCodeBox], row++, 5);
    Label1 = new QLabel(QStringLiteral("Values per 100 grams of item:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    record->addWidget(Label1, row++, 0, 1, 6);
    record->addWidget(boxes.lblLabels[2], row, 0);
    record->addWidget(boxes.txtFields[2], row++, 1);
    row = boxes.layOutNutrients(record, row, 3);
    Label2 = new QLabel(QStringLiteral("Alternate portion size information recorded in database:"),
                        this);
    Label2->setObjectName(QStringLiteral("Label2"));
    record->addWidget(Label2, row++, 0, 1, 6);
    for (int slot : {32, 33}) {
        record->addWidget(boxes.lblLabels[std::size_t(slot)], row, 0);
        record->addWidget(boxes.txtFields[std::size_t(slot)], row++, 1, 1, 5);
    }
    body->addLayout(record, 3);
    outer->addLayout(body, 1);

    // Tab order: the commands, the list and its buttons, then the record as it reads.
    QWidget* previous = cmdAddNew;
    auto next = [&](QWidget* w) {
        setTabOrder(previous, w);
        previous = w;
    };
    for (QWidget* w : {static_cast<QWidget*>(cmdDelete), static_cast<QWidget*>(cmdDone),
                       static_cast<QWidget*>(cmdExportFoods), static_cast<QWidget*>(cmdImportFoods),
                       static_cast<QWidget*>(DBList1), static_cast<QWidget*>(cmdPageUp),
                       static_cast<QWidget*>(cmdPageDown)})
        next(w);
    next(boxes.txtFields[0]);
    next(boxes.txtFields[kCodeBox]);
    for (int slot : nutrientSlots()) next(boxes.txtFields[std::size_t(slot)]);
    next(boxes.txtFields[32]);
    next(boxes.txtFields[33]);
    next(Rtext1);
    openAtSize(*this, QSize(790, 560));
}

void frmDbaseDel::connectHandlers() {
    auto onClick = [this](QPushButton* b, void (frmDbaseDel::*handler)()) {
        connectGuarded(m_platform, b, &QPushButton::clicked, this, handler);
    };
    onClick(cmdAddNew, &frmDbaseDel::cmdAddNew_Click);
    onClick(cmdDelete, &frmDbaseDel::cmdDelete_Click);
    onClick(cmdDone, &frmDbaseDel::cmdDone_Click);
    onClick(cmdExportFoods, &frmDbaseDel::cmdExportFoods_Click);
    onClick(cmdImportFoods, &frmDbaseDel::cmdImportFoods_Click);
    connectGuarded(m_platform, new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this),
                   &QShortcut::activated, this, &frmDbaseDel::DBList1_Find);
    m_foodList->connectHandlers(
        {[this](const std::function<void()>& h) { runGuarded(m_platform, h); },
         [this] { DBList1_Click(); }, [this] { cmdPageUp_MouseDown(); },
         [this] { cmdPageDown_MouseDown(); }});
}

void frmDbaseDel::Form_Load() {
    Data1.setDatabaseName(globals().svCustomDB);
    Data1.setRecordSource(listedFoodsQuery());
    Data1.refresh();
    recount();
    refillList();
    putQuickHelp(Rtext1, kQuickHelp);
}

void frmDbaseDel::recount() {
    // An empty list has no last row to move to.
    if (Data1.recordCount() == 0) {
        m_recordTotal = 0;
        Data1_Reposition();
        return;
    }
    Data1.moveLast();
    m_recordTotal = Data1.recordCount();
    Data1.moveFirst();
}

void frmDbaseDel::refillList() {
    DBList1->refill();
    selectCursorRow();
}

void frmDbaseDel::selectCursorRow() {
    m_foodList->selectQuietly(Data1.hasCurrentRow() ? Data1.absolutePosition() : -1);
}

void frmDbaseDel::showRecord() {
    const QStringList names = fieldNames(csr14Table());
    for (int slot : entrySlots())
        boxes.txtFields[std::size_t(slot)]->setText(Data1.text(names.at(slot)));
    boxes.txtFields[kCodeBox]->setText(Data1.text(QStringLiteral("CODE")));
}

void frmDbaseDel::Data1_Reposition() {
    showRecord();
    lblRecordCount->setText(QStringLiteral("Record ") +
                            QString::number(Data1.absolutePosition() + 1) + QStringLiteral(" of ") +
                            QString::number(m_recordTotal));
    if (DBList1->count() == Data1.recordCount()) selectCursorRow();
    if (DBList1->isVisible()) DBList1->setFocus();
}

void frmDbaseDel::DBList1_Click() { findListedFood(m_platform, Data1, DBList1->text()); }

void frmDbaseDel::cmdPageUp_MouseDown() { m_foodList->sendPageUp(); }

void frmDbaseDel::cmdPageDown_MouseDown() { m_foodList->sendPageDown(); }

void frmDbaseDel::cmdDelete_Click() {
    // With no food shown there is no code, and nothing to delete.
    const QString code = boxes.txtFields[kCodeBox]->text();
    if (code.isEmpty() || !Data1.hasCurrentRow()) return;
    Platform& platform = m_platform;
    if (leadingNumber(code) < kUserFoodCode) {
        platform.message(
            QStringLiteral("Only user added records can be deleted from the database."));
        return;
    }
    if (!platform.confirm(
            QStringLiteral("Are you sure you want to delete the highlighted record?")))
        return;
    const qint16 p = counter16(Data1.absolutePosition());
    Data1.deleteRow();
    noteFoodTableChanged();
    m_recordTotal = Data1.recordCount();
    if (m_recordTotal > 1) {
        Data1.moveFirst();
        // The food listed before the deleted one, or the new first food.
        if (p > 0) Data1.setAbsolutePosition(p - 1);
    } else if (m_recordTotal == 1) {
        Data1.moveFirst();
    } else {
        Data1_Reposition();  // nothing left to show
    }
    refillList();
}

void frmDbaseDel::cmdAddNew_Click() {
    {
        frmDbaseAdd add(m_platform, this);
        add.Form_Load();
        m_platform.showModal(add);
    }
    Data1.refresh();
    recount();
    refillList();
}

void frmDbaseDel::cmdExportFoods_Click() {
    const QString customDb = globals().svCustomDB;
    saveAsFile(
        m_platform, this, QStringLiteral("Export Your Foods as CSV"),
        QStringLiteral("csv files(*.csv)|*.csv|"),
        [&](const QString&) { return userFoodsCsv(customDb); }, QStringLiteral("csv"));
}

void frmDbaseDel::cmdImportFoods_Click() {
    FileDialogSpec ask;
    ask.title = QStringLiteral("Import Foods from CSV");
    ask.filter = QStringLiteral("csv files(*.csv)|*.csv|");
    const std::optional<QString> file = m_platform.openFileName(this, ask);
    if (!file) return;
    const QString customDb = globals().svCustomDB;
    const FoodsImport read = readFoodsCsv(readFileBytes(*file), customDb);
    if (read.wrongRows > 0) {
        m_platform.msgBox({importProblemsText(read), MsgButtons::OK, MsgIcon::Information,
                           QStringLiteral("Note"), MsgResult::OK});
        return;
    }
    addFoods(customDb, read.foods);
    Data1.refresh();
    recount();
    refillList();
    m_requeryMainList();
    m_platform.message(QString::number(read.foods.size()) +
                       QStringLiteral(" foods were imported."));
}

void frmDbaseDel::DBList1_Find() {
    frmFind find(m_platform, {globals().svCustomDB, globals().svMealDB, true, false}, this);
    m_platform.showModal(find);
    const int row = find.choice() ? DBList1->rowOf(find.choice()->description) : -1;
    if (row < 0) return;
    m_foodList->selectQuietly(row);
    DBList1->setFocus();
    DBList1_Click();
}

void frmDbaseDel::cmdDone_Click() {
    m_requeryMainList();
    accept();
}

void frmDbaseDel::reject() {
    runGuarded(m_platform, [this] { m_requeryMainList(); });
    QDialog::reject();
}

}  // namespace pw
