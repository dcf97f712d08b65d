#include "app/FormB.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/frmAbout.h"
#include "data/Fields.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "meals/frmNewMeal.h"
#include "platform/AccessibleText.h"
#include "platform/BoundList.h"
#include "platform/Buttons.h"
#include "platform/FoodListPanel.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/TextFit.h"
#include "platform/Twips.h"
#include "viewers/frmHLP.h"

namespace pw {

namespace {

// The restart after the last meal was deleted hides the counter and the detail: the rest of the
// window stays where it is.
void keepPlaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

// A button as narrow as its caption allows (the style's customary width is too wide for a row of
// eleven on a small screen), never narrower than the widest step button.
void fitToCaption(QPushButton* b) {
    const QStyle* style = b->style();
    const int padding = 2 * style->pixelMetric(QStyle::PM_ButtonMargin) +
                        2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QFontMetrics metrics = b->fontMetrics();
    b->setMinimumWidth(std::max(metrics.horizontalAdvance(b->text()),
                                metrics.horizontalAdvance(QStringLiteral(">>|"))) +
                       padding);
}

// The size the window opens at where the screen has room for it.
constexpr QSize kPreferredSize(900, 640);

}  // namespace

FormB::FormB(Platform& platform, QWidget* parent) : QMainWindow(parent), m_platform(platform) {
    setWindowTitle(QStringLiteral("Korvane Platewise"));
    setObjectName(QStringLiteral("FormB"));
    buildControls();
    buildMenus();
    connectHandlers();
    Data1.onReposition = [this] { Data1_Reposition(); };
    DataB.onReposition = [this] { DataB_Reposition(); };
    openAtSize(*this, kPreferredSize);
}

FormB::~FormB() {
    // The help viewer and the About box clear this window's pointers to them as they go: let them
    // go while this window is still whole, not later among the QWidget children.
    delete m_frmHLP;
    delete m_frmAbout;
}

void FormB::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    auto* outer = new QVBoxLayout(central);

    // One row of equal buttons along the top edge.
    auto* row = new QHBoxLayout;
    cmdBMoveFirst = makeButton(QStringLiteral("|<<"), QStringLiteral("First item"), central);
    cmdBMovePrevious = makeButton(QStringLiteral("<"), QStringLiteral("Previous item"), central);
    cmdBMoveNext = makeButton(QStringLiteral(">"), QStringLiteral("Next item"), central);
    cmdBMovelast = makeButton(QStringLiteral(">>|"), QStringLiteral("Last item"), central);
    cmdAddMeal = makeButton(QStringLiteral("Add a meal"), QStringLiteral("Add a meal"), central);
    cmdSelect = makeButton(QStringLiteral("Select meal"), QStringLiteral("Select meal"), central);
    cmdAddItem = makeButton(QStringLiteral("Add an item"), QStringLiteral("Add an item"), central);
    cmdRemove = makeButton(QStringLiteral("Remove"), QStringLiteral("Remove"), central);
    cmdPortionAdjust =
        makeButton(QStringLiteral("Portion size"), QStringLiteral("Portion size"), central);
    cmdPortionAdjust->setToolTip(QStringLiteral("Adjust Portion Size"));
    cmdCustom = makeButton(QStringLiteral("Customize"), QStringLiteral("Customize"), central);
    cmdClose = makeButton(QStringLiteral("Exit"), QStringLiteral("Exit"), central);
    // Equal shares of the row wherever the window is wide enough; on a narrow screen each
    // button keeps room for its own caption, so the short step buttons give way first.
    row->setSpacing(4);
    for (QPushButton* b :
         {cmdBMoveFirst, cmdBMovePrevious, cmdBMoveNext, cmdBMovelast, cmdAddMeal, cmdSelect,
          cmdAddItem, cmdRemove, cmdPortionAdjust, cmdCustom, cmdClose}) {
        fitToCaption(b);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        row->addWidget(b, 1);
    }
    outer->addLayout(row);

    auto* body = new QHBoxLayout;
    // Left: the meal counter over the item detail.
    auto* left = new QVBoxLayout;
    lblRecordCountB = new QLabel(central);
    lblRecordCountB->setObjectName(QStringLiteral("lblRecordCountB"));
    lblRecordCountB->setAutoFillBackground(true);
    QPalette pal = lblRecordCountB->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::red);
    lblRecordCountB->setPalette(pal);
    lblRecordCountB->setWordWrap(true);
    lblRecordCountB->setMinimumHeight(40);
    nameFollowsText(lblRecordCountB, QStringLiteral("Meal and item"));
    left->addWidget(lblRecordCountB);
    Text1 = new QPlainTextEdit(central);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setAccessibleName(QStringLiteral("Item detail"));
    keepPlaceWhenHidden(lblRecordCountB);
    keepPlaceWhenHidden(Text1);
    left->addWidget(Text1, 1);
    body->addLayout(left, 1);

    // Right: the banner, the food picker or the report, one at a time.
    auto* right = new QVBoxLayout;
    RTBox = new QTextEdit(central);
    RTBox->setObjectName(QStringLiteral("RTBox"));
    RTBox->setReadOnly(true);
    RTBox->setFocusPolicy(Qt::NoFocus);
    RTBox->setAccessibleName(QStringLiteral("Banner"));
    // The banner fills the right half, as the food list and the report do in their turn.
    RTBox->setMinimumHeight(twipsToPixelsY(*this, 2000));
    right->addWidget(RTBox, 1);

    // The food list over the frame that holds its page buttons.
    Frame2 = new QFrame(central);
    m_foodList = new FoodListPanel(m_platform, central, Frame2, QStringLiteral("Page Down"));
    m_foodList->setIgnoredWhileHidden(true);
    DBList1 = m_foodList->list;
    DBList1->setAccessibleName(QStringLiteral("Foods"));
    right->addWidget(DBList1, 3);

    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::StyledPanel);
    auto* fl = new QVBoxLayout(Frame2);
    Label1 = new QLabel(QStringLiteral("Quick Help:"), Frame2);
    lblFrame2 = new QLabel(Frame2);
    lblFrame2->setWordWrap(true);
    auto* pageRow = new QHBoxLayout;
    cmdPageUp = m_foodList->cmdPageUp;
    cmdPageDown = m_foodList->cmdPageDown;
    cmdCancel = makeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"), Frame2);
    lblRecordCount = new QLabel(Frame2);
    lblRecordCount->setObjectName(QStringLiteral("lblRecordCount"));
    nameFollowsText(lblRecordCount, QStringLiteral("Position in the food list"));
    for (QPushButton* b : {cmdPageUp, cmdPageDown, cmdCancel}) fitToCaption(b);
    pageRow->addWidget(cmdPageUp);
    pageRow->addWidget(cmdPageDown);
    pageRow->addWidget(cmdCancel);
    pageRow->addWidget(lblRecordCount, 1);
    fl->addWidget(Label1);
    fl->addWidget(lblFrame2);
    fl->addLayout(pageRow);
    right->addWidget(Frame2);

    Text2 = new QPlainTextEdit(central);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setFont(QFont(QStringLiteral("Arial"), 9));
    Text2->setAccessibleName(QStringLiteral("Report"));
    // A report is edited line by line; Tab moves on to the next control as everywhere else.
    Text2->setTabChangesFocus(true);
    Text2->hide();
    right->addWidget(Text2, 3);
    body->addLayout(right, 1);
    outer->addLayout(body, 1);
    setCentralWidget(central);

    // Tab order follows the screen: the button row, then the detail, then the right side.
    QWidget* order[] = {
        cmdBMoveFirst, cmdBMovePrevious, cmdBMoveNext,     cmdBMovelast, cmdAddMeal, cmdSelect,
        cmdAddItem,    cmdRemove,        cmdPortionAdjust, cmdCustom,    cmdClose,   Text1,
        DBList1,       cmdPageUp,        cmdPageDown,      cmdCancel,    Text2};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void FormB::buildMenus() {
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuSaveReport = mnuFile->addAction(QStringLiteral("&Save Report"));
    mnuExportCsv = mnuFile->addAction(QStringLiteral("Export Report as &CSV..."));
    mnuPrintReport = mnuFile->addAction(QStringLiteral("&Print Report"));
    mnuFileOpen = mnuFile->addAction(QStringLiteral("&Open a Report"));
    mnuFile->addSeparator();
    mnuBackUpNow = mnuFile->addAction(QStringLiteral("&Back Up Now..."));
    mnuRestore = mnuFile->addAction(QStringLiteral("&Restore from a Backup..."));
    mnuExportMeals = mnuFile->addAction(QStringLiteral("Export All &Meals as CSV..."));
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));

    mnuStep1 = bar->addMenu(QStringLiteral("Step &1"));
    mnuAddnew = mnuStep1->addAction(QStringLiteral("&Add a new meal"));
    mnuSelectMeal = mnuStep1->addAction(QStringLiteral("&Select an existing meal"));
    mnuCopyMeal = mnuStep1->addAction(QStringLiteral("&Copy this meal to another date..."));
    mnuSaveRecipe = mnuStep1->addAction(QStringLiteral("Save this meal as a &food..."));

    mnuStep2 = bar->addMenu(QStringLiteral("Step &2"));
    mnuAddItem = mnuStep2->addAction(QStringLiteral("&Add an item to the meal"));
    mnuFind = mnuStep2->addAction(QStringLiteral("&Find a food..."));
    mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    // Held by the window too, so that Ctrl+F works while picking keeps the Step 2 menu disabled.
    addAction(mnuFind);
    mnuRemove = mnuStep2->addAction(QStringLiteral("&Remove an item from the meal"));

    mnuStep3 = bar->addMenu(QStringLiteral("Step &3"));
    mnuAdjust = mnuStep3->addAction(QStringLiteral("&Adjust portion size"));

    mnuReport = bar->addMenu(QStringLiteral("&Report"));
    mnuReportMealNumber =
        mnuReport->addAction(QStringLiteral("&1 Report for a specific meal number"));
    mnuReportRangeMealNumbers =
        mnuReport->addAction(QStringLiteral("&2 Report for a range of meal numbers"));
    mnuReportSpecificDate = mnuReport->addAction(QStringLiteral("&3 Report for a specific date"));
    mnuReportRangeDates = mnuReport->addAction(QStringLiteral("&4 Report for a range of dates"));
    mnuReport->addSeparator();
    mnuReportChart = mnuReport->addAction(QStringLiteral("&Chart of the report"));
    mnuYourDailyValues = mnuReport->addAction(QStringLiteral("&Your Daily Values..."));

    mnuHelpMenu = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp = mnuHelpMenu->addAction(QStringLiteral("&Instructions"));
    mnuDailyValues = mnuHelpMenu->addAction(QStringLiteral("&Backround Information"));
    mnuAbout = mnuHelpMenu->addAction(QStringLiteral("&About Korvane Platewise"));
}

void FormB::onClick(QPushButton* button, void (FormB::*handler)()) {
    connectGuarded(m_platform, button, &QPushButton::clicked, this, handler);
}

void FormB::onTrigger(QAction* action, void (FormB::*handler)()) {
    connectGuarded(m_platform, action, &QAction::triggered, this, handler);
}

void FormB::connectHandlers() {
    // Step 1 and the shell; the buttons only run a menu command.
    onClick(cmdAddMeal, &FormB::mnuAddnew_Click);
    onClick(cmdSelect, &FormB::mnuSelectMeal_Click);
    onClick(cmdClose, &FormB::cmdClose_Click);
    onTrigger(mnuAddnew, &FormB::mnuAddnew_Click);
    onTrigger(mnuSelectMeal, &FormB::mnuSelectMeal_Click);
    onTrigger(mnuExit, &FormB::mnuExit_Click);
    connectFoodHandlers();
    connectItemHandlers();
    connectReportHandlers();
    connectChartHandlers();
    connectCustomHandlers();
    connectHelpHandlers();
    connectBackupHandlers();
}

void FormB::Form_Load() {
    Globals& g = globals();
    svCR = QStringLiteral("\r\n");
    DBList1->hide();
    Frame2->hide();

    Data1.setDatabaseName(g.svCustomDB);
    Data1.setRecordSource(QStringLiteral("CSR14"));
    Data1.setRecordSource(foodListQuery());
    Data1.refresh(std::move(foodListAhead));
    DBList1->setRecordCursor(&Data1, QStringLiteral("Description"));
    DBList1->refill();

    // Visible while the meal database opens and while the no-meal message is up.
    show();

    DataB.setDatabaseName(g.svMealDB);
    DataB.setRecordSource(QStringLiteral("Meals"));
    DataB.setRecordSource(allMealItemsQuery());
    DataB.refresh();
    if (DataB.recordCount() == 0) {
        m_platform.message(QStringLiteral("There are no records yet...proceed to step 1."));
        return;
    }
    DataB.moveFirst();
    sMealNum = txtFieldB.text(MealField::MealNumber);
    svA = mealItemsQuery(plainInt(static_cast<long long>(leadingNumber(sMealNum))));
    DataB.setRecordSource(svA);
    DataB.refresh();
    DataB.moveLast();
    lTotalRecordsB = counter16(DataB.recordCount());
    DataB.moveFirst();

    QPalette pal = RTBox->palette();
    pal.setColor(QPalette::Base, QApplication::palette(menuBar()).color(QPalette::Window));
    RTBox->setPalette(pal);
    RTBox->setPlainText(QStringLiteral("Korvane Platewise version 1.0"));
}

void FormB::LockSet2() { enableMealCommands(false); }

void FormB::UnLockSet2() { enableMealCommands(true); }

void FormB::enableMealCommands(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(cmdBMoveFirst), static_cast<QWidget*>(cmdBMovelast),
                       static_cast<QWidget*>(cmdBMoveNext), static_cast<QWidget*>(cmdBMovePrevious),
                       static_cast<QWidget*>(cmdAddMeal), static_cast<QWidget*>(cmdRemove),
                       static_cast<QWidget*>(cmdPortionAdjust), static_cast<QWidget*>(cmdAddItem),
                       static_cast<QWidget*>(cmdSelect), static_cast<QWidget*>(cmdCustom)})
        w->setEnabled(enabled);
    for (QAction* a : {mnuSaveReport, mnuPrintReport, mnuStep1->menuAction(),
                       mnuStep2->menuAction(), mnuStep3->menuAction(), mnuReport->menuAction()})
        a->setEnabled(enabled);
    // Copying and saving a meal need a meal shown.
    for (QAction* a : {mnuCopyMeal, mnuSaveRecipe})
        a->setEnabled(enabled && DataB.recordCount() > 0);
}

void FormB::StartOver() {
    for (;;) {
        m_platform.message(QStringLiteral(
            "All Records have been deleted.  Click OK to start over with a new meal."));
        vSelectExisting = false;
        m_platform.showModal(newMealDialog());
        unloadNewMealDialog();
        if (varOK) {
            Text1->clear();
            mnuAddItem_Click();
        }
        if (!vCancelFlag) return;
    }
}

void FormB::ResetDataB() {
    DataB.setRecordSource(mealItemsQuery(shortestSingle(ivOrigMealNum)));
    DataB.refresh();
    // Counted before the moves, so that the item counter each move shows is already right.
    lTotalRecordsB = counter16(DataB.recordCount());
    // The meal shown before may have no rows left: nothing to move to.
    if (DataB.recordCount() > 0) {
        DataB.moveLast();
        DataB.moveFirst();
    }
}

void FormB::cmdBSave() {
    if (DataB.editMode() == EditMode::None) return;
    const bool adding = DataB.editMode() == EditMode::Adding;
    DataB.update();
    if (DataB.editMode() == EditMode::None) {
        lTotalRecordsB = counter16(DataB.recordCount());
        if (adding) DataB.moveLast();
    }
}

void FormB::mnuAddnew_Click() {
    if (DataB.editMode() == EditMode::None) {
        m_platform.showModal(newMealDialog());
        unloadNewMealDialog();
    }
    if (varOK) {
        Text1->clear();
        mnuAddItem_Click();
    }
}

void FormB::mnuSelectMeal_Click() {
    vSelectExisting = true;
    m_platform.showModal(newMealDialog());
    unloadNewMealDialog();
}

void FormB::mnuExit_Click() { QApplication::quit(); }

void FormB::cmdClose_Click() { close(); }

void FormB::closeEvent(QCloseEvent* event) {
    // Every change is already in the database files: nothing to save or ask.
    event->accept();
    QApplication::quit();
}

}  // namespace pw
