#include "reports/frmDailyValues.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "platform/Buttons.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "reports/DailyValueSettings.h"

namespace pw {

namespace {

QLabel* heading(const QString& text, QWidget* parent) {
    auto* l = new QLabel(QStringLiteral("<b>") + text + QStringLiteral("</b>"), parent);
    l->setAccessibleName(text);
    return l;
}

QLabel* number(double value, QWidget* parent) {
    auto* l = new QLabel(shortestText(value), parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

}  // namespace

DailyValueTargets loadDailyValueTargets(Platform& platform, const QString& path) {
    const DailyValueSettingsRead read = readDailyValueSettings(path);
    if (!read.problems.isEmpty()) platform.message(dailyValueSettingsMessage(path, read.problems));
    return read.targets;
}

frmDailyValues::frmDailyValues(const DailyValueTargets& current, QString settingsPath,
                               Platform& platform, QWidget* parent)
    : QDialog(parent), m_settingsPath(std::move(settingsPath)), m_platform(platform) {
    setObjectName(QStringLiteral("frmDailyValues"));
    setWindowTitle(QStringLiteral("Your Daily Values"));

    auto* lblCalorieLevel = new QLabel(QStringLiteral("&Calorie level:"), this);
    txtCalorieLevel = new QSpinBox(this);
    txtCalorieLevel->setRange(DailyValueTargets::kLowestLevel, DailyValueTargets::kHighestLevel);
    txtCalorieLevel->setSingleStep(100);
    txtCalorieLevel->setValue(current.calorieLevel);
    txtCalorieLevel->setAccessibleName(QStringLiteral("Calorie level"));
    lblCalorieLevel->setBuddy(txtCalorieLevel);
    auto* lblRule = new QLabel(
        QStringLiteral("Calories, protein, fat, saturated fat, carbohydrate and fiber follow the "
                       "calorie level; vitamins, minerals, cholesterol and sodium keep their "
                       "standard values. A value of your own wins over both; leave it empty for "
                       "the scaled or standard value."),
        this);
    lblRule->setWordWrap(true);

    auto* values = new QWidget;
    auto* grid = new QGridLayout(values);
    const QString titles[] = {QStringLiteral("Nutrient"), QStringLiteral("Unit"),
                              QStringLiteral("Standard"), QStringLiteral("In force"),
                              QStringLiteral("Your value")};
    for (int c = 0; c < 5; ++c) grid->addWidget(heading(titles[c], values), 0, c);
    int row = 1;
    for (const DailyValueEntry& e : dailyValueTable()) {
        const QString label = QLatin1String(e.label);
        auto* name = new QLabel(label, values);
        auto* own = new QLineEdit(values);
        own->setAccessibleName(label);
        own->setObjectName(QStringLiteral("txtYourValue") + QString::number(e.slot));
        own->setMaxLength(12);
        own->setMaximumWidth(own->fontMetrics().horizontalAdvance(QStringLiteral("0000000.0000")));
        if (const std::optional<double>& v = current.own[std::size_t(e.slot)])
            own->setText(shortestText(*v));
        name->setBuddy(own);
        auto* inForce = number(0, values);
        grid->addWidget(name, row, 0);
        grid->addWidget(new QLabel(QLatin1String(e.unit), values), row, 1);
        grid->addWidget(number(e.standard, values), row, 2);
        grid->addWidget(inForce, row, 3);
        grid->addWidget(own, row, 4);
        txtYourValue.push_back(own);
        lblInForce.push_back(inForce);
        connectGuarded(m_platform, own, &QLineEdit::textChanged, this,
                       &frmDailyValues::showValuesInForce);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    scrollValues = new QScrollArea(this);
    scrollValues->setWidget(values);
    scrollValues->setWidgetResizable(true);
    scrollValues->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollValues->setFocusPolicy(Qt::NoFocus);  // the boxes in it take the focus

    cmdStandard = makeButton(QStringLiteral("&Standard Values"), QString(), this,
                             QStringLiteral("cmdStandard"));
    cmdOK = makeButton(QStringLiteral("OK"), QString(), this, QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = makeButton(QStringLiteral("Cancel"), QString(), this, QStringLiteral("cmdCancel"));

    auto* level = new QHBoxLayout;
    level->addWidget(lblCalorieLevel);
    level->addWidget(txtCalorieLevel);
    level->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdStandard);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(level);
    outer->addWidget(lblRule);
    outer->addWidget(scrollValues, 1);
    outer->addLayout(buttons);

    // From the level down the table, then the buttons.
    QWidget* previous = txtCalorieLevel;
    for (QLineEdit* own : txtYourValue) {
        setTabOrder(previous, own);
        previous = own;
    }
    setTabOrder(previous, cmdStandard);
    setTabOrder(cmdStandard, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connectGuarded(m_platform, txtCalorieLevel, &QSpinBox::valueChanged, this,
                   &frmDailyValues::showValuesInForce);
    connectGuarded(m_platform, cmdStandard, &QPushButton::clicked, this,
                   &frmDailyValues::cmdStandard_Click);
    connectGuarded(m_platform, cmdOK, &QPushButton::clicked, this, &frmDailyValues::cmdOK_Click);
    connectGuarded(m_platform, cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    showValuesInForce();
    // Within an 800 x 600 screen; the table scrolls.
    resize(560, 540);
}

frmDailyValues::~frmDailyValues() = default;

void frmDailyValues::showValuesInForce() {
    DailyValueTargets shown;
    shown.calorieLevel = txtCalorieLevel->value();
    const std::vector<DailyValueEntry>& table = dailyValueTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        // A value still being typed counts once it reads as one.
        shown.own[std::size_t(table[i].slot)] = parseOwnDailyValue(txtYourValue[i]->text());
        lblInForce[i]->setText(shortestText(shown.valueFor(table[i].slot)));
    }
}

void frmDailyValues::cmdStandard_Click() {
    txtCalorieLevel->setValue(DailyValueTargets::kStandardLevel);
    for (QLineEdit* own : txtYourValue) own->clear();
}

std::optional<DailyValueTargets> frmDailyValues::typedTargets() {
    DailyValueTargets typed;
    txtCalorieLevel->interpretText();
    if (!txtCalorieLevel->hasAcceptableInput()) {
        m_platform.message(QStringLiteral("The calorie level must be a whole number from ") +
                           plainInt(DailyValueTargets::kLowestLevel) + QStringLiteral(" to ") +
                           plainInt(DailyValueTargets::kHighestLevel) + QLatin1Char('.'));
        txtCalorieLevel->setFocus();
        txtCalorieLevel->selectAll();
        return std::nullopt;
    }
    typed.calorieLevel = txtCalorieLevel->value();
    const std::vector<DailyValueEntry>& table = dailyValueTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        QLineEdit* box = txtYourValue[i];
        if (box->text().trimmed().isEmpty()) continue;
        const std::optional<double> own = parseOwnDailyValue(box->text());
        if (!own) {
            m_platform.message(QStringLiteral("Your value for ") + QLatin1String(table[i].label) +
                               QStringLiteral(" must be a positive number no larger than ") +
                               plainInt(qint64(kHighestOwnValue)) +
                               QStringLiteral(", or empty for the standard value."));
            scrollValues->ensureWidgetVisible(box);
            box->setFocus();
            box->selectAll();
            return std::nullopt;
        }
        typed.own[std::size_t(table[i].slot)] = *own;
    }
    return typed;
}

void frmDailyValues::cmdOK_Click() {
    const std::optional<DailyValueTargets> typed = typedTargets();
    if (!typed) return;
    try {
        saveDailyValueSettings(m_settingsPath, *typed);
    } catch (const RuntimeError& e) {
        // Nothing changes: the window stays open with what was typed.
        m_platform.message(QStringLiteral("Your Daily Values could not be saved in ") +
                           QDir::toNativeSeparators(m_settingsPath) + QStringLiteral(": ") +
                           e.description() +
                           QStringLiteral(".\nThe values in force are unchanged."));
        return;
    }
    m_chosen = typed;
    accept();
}

}  // namespace pw
