#include "meals/frmFind.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/Fields.h"
#include "platform/Buttons.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "reports/ReportText.h"

namespace pw {

namespace {

constexpr int kFrequentShown = 30;

}  // namespace

frmFind::frmFind(Platform& platform, Options options, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_options(std::move(options)) {
    setWindowTitle(QStringLiteral("Find a Food"));
    setObjectName(QStringLiteral("frmFind"));
    buildControls();
    connectGuarded(m_platform, txtFind, &QLineEdit::textChanged, this, &frmFind::txtFind_Change);
    for (QComboBox* box : {cboOrder, cboBasis})
        connectGuarded(m_platform, box, &QComboBox::currentIndexChanged, this,
                       &frmFind::txtFind_Change);
    connectGuarded(m_platform, cmdShow, &QPushButton::clicked, this, &frmFind::cmdShow_Click);
    connectGuarded(m_platform, cmdAdd, &QPushButton::clicked, this, &frmFind::cmdAdd_Click);
    connectGuarded(m_platform, cmdClose, &QPushButton::clicked, this, [this] { reject(); });
    connectGuarded(m_platform, lstFound, &QListWidget::itemActivated, this,
                   &frmFind::cmdShow_Click);
    runGuarded(m_platform, [this] { txtFind_Change(); });
}

frmFind::~frmFind() = default;

void frmFind::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* findLabel = new QLabel(QStringLiteral("&Words to find:"), this);
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setAccessibleName(QStringLiteral("Words to find"));
    txtFind->setMaxLength(1000);
    findLabel->setBuddy(txtFind);
    txtFind->installEventFilter(this);
    layout->addWidget(findLabel);
    layout->addWidget(txtFind);

    auto* orderRow = new QHBoxLayout;
    auto* orderLabel = new QLabel(QStringLiteral("&Order by:"), this);
    cboOrder = new QComboBox(this);
    cboOrder->setObjectName(QStringLiteral("cboOrder"));
    cboOrder->setAccessibleName(QStringLiteral("Order by"));
    cboOrder->addItem(QStringLiteral("Best match"), 0);
    for (const NutrientLine& line : ReportText::nutrientLines()) {
        QString name = QString::fromLatin1(line.label).trimmed();
        if (name.endsWith(QLatin1Char(':'))) name.chop(1);
        cboOrder->addItem(name, line.slot);
    }
    orderLabel->setBuddy(cboOrder);
    cboBasis = new QComboBox(this);
    cboBasis->setObjectName(QStringLiteral("cboBasis"));
    cboBasis->setAccessibleName(QStringLiteral("Amount"));
    cboBasis->addItem(QStringLiteral("per 100 g"), int(OrderBasis::Per100g));
    cboBasis->addItem(QStringLiteral("per 100 kcal"), int(OrderBasis::Per100kcal));
    cboBasis->addItem(QStringLiteral("per household unit"), int(OrderBasis::PerUnit));
    cboBasis->setEnabled(false);
    orderRow->addWidget(orderLabel);
    orderRow->addWidget(cboOrder, 1);
    orderRow->addWidget(cboBasis);
    layout->addLayout(orderRow);

    auto* foundLabel = new QLabel(QStringLiteral("Foods &found:"), this);
    lstFound = new QListWidget(this);
    lstFound->setObjectName(QStringLiteral("lstFound"));
    lstFound->setAccessibleName(QStringLiteral("Foods found"));
    lstFound->setUniformItemSizes(true);
    foundLabel->setBuddy(lstFound);
    layout->addWidget(foundLabel);
    layout->addWidget(lstFound, 1);

    auto* buttons = new QHBoxLayout;
    cmdShow = makeButton(QStringLiteral("&Show"), QString(), this, QStringLiteral("cmdShow"));
    cmdShow->setDefault(true);
    cmdAdd = makeButton(QStringLiteral("&Add to Meal"), QString(), this, QStringLiteral("cmdAdd"));
    cmdAdd->setVisible(m_options.offerAdd);
    cmdClose = makeButton(QStringLiteral("Close"), QString(), this, QStringLiteral("cmdClose"));
    buttons->addStretch(1);
    for (QPushButton* b : {cmdShow, cmdAdd, cmdClose}) buttons->addWidget(b);
    layout->addLayout(buttons);

    setTabOrder(txtFind, cboOrder);
    setTabOrder(cboOrder, cboBasis);
    setTabOrder(cboBasis, lstFound);
    setTabOrder(lstFound, cmdShow);
    setTabOrder(cmdShow, cmdAdd);
    setTabOrder(cmdAdd, cmdClose);
    txtFind->setFocus();
    resize(640, 480);
}

void frmFind::txtFind_Change() {
    const FoodIndex& index = foodIndex(m_options.customDb);
    const int slot = cboOrder->currentData().toInt();
    const auto basis = OrderBasis(cboBasis->currentData().toInt());
    cboBasis->setEnabled(slot != 0);
    std::vector<int> foods;
    const QString typed = txtFind->text();
    if (!typed.trimmed().isEmpty()) {
        foods = index.find(typed);
    } else if (slot != 0) {
        foods.resize(index.foods().size());
        for (size_t i = 0; i < foods.size(); ++i) foods[i] = int(i);
    } else {
        for (const QString& d : frequentFoods(m_options.mealDb, -1)) {
            const int i = index.indexOf(d);
            if (i >= 0 &&
                (!m_options.listedOnly || index.foods()[size_t(i)].code > kListedFoodCode))
                foods.push_back(i);
            if (int(foods.size()) == kFrequentShown) break;
        }
    }
    if (m_options.listedOnly)
        foods.erase(
            std::remove_if(foods.begin(), foods.end(),
                           [&](int i) { return index.foods()[size_t(i)].code <= kListedFoodCode; }),
            foods.end());
    std::vector<FoundFood> lines;
    if (slot != 0) {
        lines = index.orderBy(foods, slot, basis);
    } else {
        for (int i : foods) lines.push_back({i, 0});
    }
    lstFound->setUpdatesEnabled(false);
    lstFound->clear();
    m_shown.clear();
    for (const FoundFood& line : lines) {
        const SearchFood& food = index.foods()[size_t(line.food)];
        auto* item = new QListWidgetItem(foundFoodText(food, slot, basis, line.value));
        item->setData(Qt::AccessibleTextRole, item->text());
        lstFound->addItem(item);
        m_shown.push_back(line.food);
    }
    lstFound->setUpdatesEnabled(true);
    cmdShow->setEnabled(!m_shown.empty());
    cmdAdd->setEnabled(!m_shown.empty());
}

bool frmFind::eventFilter(QObject* watched, QEvent* event) {
    // Up, Down and the page keys in the search box move in the list, so that the box keeps the
    // focus for more words.
    if (watched == txtFind && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown ||
            key == Qt::Key_PageUp) {
            if (lstFound->count() == 0) return true;
            int row = lstFound->currentRow();
            const int page = 10;
            if (key == Qt::Key_Down) row = row < 0 ? 0 : row + 1;
            if (key == Qt::Key_Up) row = row - 1;
            if (key == Qt::Key_PageDown) row = row + page;
            if (key == Qt::Key_PageUp) row = row - page;
            lstFound->setCurrentRow(std::clamp(row, 0, lstFound->count() - 1));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmFind::choose(Action action) {
    if (m_shown.empty()) return;
    // Enter with no line selected takes the first food found.
    const int row = std::max(0, lstFound->currentRow());
    const FoodIndex& index = foodIndex(m_options.customDb);
    m_choice = Choice{action, index.foods()[size_t(m_shown[size_t(row)])].description};
    accept();
}

void frmFind::cmdShow_Click() { choose(Action::Show); }

void frmFind::cmdAdd_Click() {
    if (m_options.offerAdd) choose(Action::Add);
}

}  // namespace pw
