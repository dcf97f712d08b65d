#include "meals/frmPortion.h"

#include <QButtonGroup>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <cmath>

#include "data/Fields.h"
#include "data/NumberText.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/SharedState.h"
#include "platform/TextFit.h"

namespace pw {

namespace {

// The most lines an option's caption and the item's description take: a text longer than that
// (only a food of one's own can have one) ends in "…", so the form stays within a small screen.
constexpr int kMostCaptionLines = 4;
constexpr int kMostDescriptionLines = 5;

}  // namespace

frmPortion::frmPortion(SharedState& state, MainCursors& cursors, Platform& platform,
                       FindFood findFood, QWidget* parent)
    : QDialog(parent),
      m_state(state),
      m_cursors(cursors),
      m_platform(platform),
      m_findFood(std::move(findFood)),
      m_layout(*this, 6420, 4620) {
    setObjectName(QStringLiteral("frmPortion"));
    setWindowTitle(QStringLiteral("Adjust Portion Size"));
    buildControls();
    Form_Load();
    fitToTexts();
}

frmPortion::~frmPortion() = default;

void frmPortion::buildControls() {
    auto place = [this](QWidget* w, int left, int top, int width, int height) {
        m_layout.place(w, left, top, width, height);
    };
    auto line = [this](const char* name, int left, int right, int top) {
        auto* l = new QFrame(this);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        m_layout.horizontalLine(l, left, right, top);
        return l;
    };

    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The positions are laid out for a small sans-serif face of 8 points; the form grows where
    // even that needs more room (fitToTexts).
    setFont(QFont(QStringLiteral("Arial"), 8));

    lblItem = new QLabel(QStringLiteral("Item:"), this);
    place(lblItem, 180, 405, 390, 585);
    lblItem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDescrip = new QLabel(this);
    lblDescrip->setObjectName(QStringLiteral("lblDescrip"));
    lblDescrip->setTextFormat(Qt::PlainText);
    lblDescrip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblDescrip, 570, 405, 4845, 750);
    lblItem->setBuddy(lblDescrip);

    options = new QButtonGroup(this);
    auto option = [&](const char* name, int id) {
        auto* o = new QRadioButton(QLatin1String(name), this);
        o->setObjectName(QLatin1String(name));
        options->addButton(o, id);
        return o;
    };
    auto box = [&](const char* name) {
        auto* b = new QLineEdit(this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    Option1 = option("Option1", 1);
    place(Option1, 375, 1305, 3285, 270);
    TextOp1 = box("TextOp1");
    place(TextOp1, 3870, 1215, 1635, 450);
    Line1 = line("Line1", 465, 3825, 1635);
    Option2 = option("Option2", 2);
    place(Option2, 390, 1665, 3225, 555);
    TextOp2 = box("TextOp2");
    place(TextOp2, 3870, 1845, 1620, 450);
    Line2 = line("Line2", 450, 3810, 2280);
    Option3 = option("Option3", 3);
    place(Option3, 375, 2295, 3270, 720);
    TextOp3 = box("TextOp3");
    place(TextOp3, 3870, 2610, 1635, 390);
    Line3 = line("Line3", 450, 3810, 3030);

    cmdSubmit = new QPushButton(QStringLiteral("&Submit"), this);
    cmdSubmit->setObjectName(QStringLiteral("cmdSubmit"));
    cmdSubmit->setAccessibleName(QStringLiteral("Submit"));
    cmdSubmit->setDefault(true);
    place(cmdSubmit, 1320, 3360, 1170, 495);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAccessibleName(QStringLiteral("Cancel"));
    cmdCancel->setAutoDefault(false);
    place(cmdCancel, 3270, 3360, 1170, 495);
    Label1 = new QLabel(
        QStringLiteral(
            "Note: Enter fractional values as decimals, for example 0.25 instead of 1/4."),
        this);
    Label1->setWordWrap(true);
    place(Label1, 540, 4185, 5310, 390);

    setTabOrder(Option1, TextOp1);
    setTabOrder(TextOp1, Option2);
    setTabOrder(Option2, TextOp2);
    setTabOrder(TextOp2, Option3);
    setTabOrder(Option3, TextOp3);
    setTabOrder(TextOp3, cmdSubmit);
    setTabOrder(cmdSubmit, cmdCancel);

    // An option that becomes checked chooses its box, whatever checked it: the mouse, the arrow
    // keys, the program or a screen reader's toggle. A click on the option already checked
    // chooses it again (its box takes the focus).
    const auto choose = [this](int id) {
        runGuarded(m_platform, [this, id] {
            if (id == 1) Option1_Click();
            if (id == 2) Option2_Click();
            if (id == 3) Option3_Click();
        });
    };
    connect(options, &QButtonGroup::idToggled, this, [choose](int id, bool checked) {
        if (checked) choose(id);
    });
    connect(options, &QButtonGroup::idClicked, this, choose);
    connectGuarded(m_platform, cmdSubmit, &QPushButton::clicked, this,
                   &frmPortion::cmdSubmit_Click);
    connectGuarded(m_platform, cmdCancel, &QPushButton::clicked, this,
                   &frmPortion::cmdCancel_Click);
}

void frmPortion::fitToTexts() {
    // A caption wrapped by hand is wrapped again at each width the form tries.
    m_layout.onPlaced = [this] {
        for (QRadioButton* option : {Option1, Option2, Option3})
            if (m_captions.contains(option)) wrapCaption(option);
        fitDescription();
    };
    m_layout.fit();
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void frmPortion::wrapCaption(QRadioButton* option) {
    QString shown = m_captions.value(option);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));  // a unit's "&" is no access key
    const int indicator =
        style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) +
        style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option);
    option->setText(brokenIntoLines(shown, option->fontMetrics(), option->width() - indicator,
                                    kMostCaptionLines));
    option->setToolTip(m_captions.value(option));
}

void frmPortion::fitDescription() {
    // Two pixels spare: a line is measured by its advance, the label by its ink.
    lblDescrip->setText(brokenIntoLines(m_description, lblDescrip->fontMetrics(),
                                        lblDescrip->contentsRect().width() - 2,
                                        kMostDescriptionLines));
}

void frmPortion::setOptionCaption(QRadioButton* option, QLineEdit* box, const QString& caption) {
    m_captions.insert(option, caption);
    wrapCaption(option);
    option->setAccessibleName(caption);
    box->setAccessibleName(caption);
}

void frmPortion::Form_Load() {
    const QString description = m_cursors.txtFieldB.text(MealField::Description);
    // Shown in lines that fit (fitDescription); whole for a screen reader and in the tooltip.
    m_description = description;
    lblDescrip->setText(description);
    lblDescrip->setAccessibleName(description);
    lblDescrip->setToolTip(description);
    // The grams option is always offered; a unit only for a food found with that unit.
    setOptionCaption(Option1, TextOp1, QStringLiteral("Enter weight in grams"));
    for (QWidget* w : {static_cast<QWidget*>(Option2), static_cast<QWidget*>(TextOp2),
                       static_cast<QWidget*>(Line2), static_cast<QWidget*>(Option3),
                       static_cast<QWidget*>(TextOp3), static_cast<QWidget*>(Line3)})
        w->hide();
    if (!m_findFood(description)) return;

    // A unit is offered whenever its description is present, whatever its weight.
    auto offerUnit = [this](QRadioButton* option, QLineEdit* box, QFrame* line, int slot) {
        const QString unit = m_cursors.txtFields.text(slot);
        if (unit.isEmpty()) return;
        setOptionCaption(option, box,
                         QStringLiteral("Enter number of ") + unit + QStringLiteral(" portions."));
        option->show();
        box->show();
        line->show();
    };
    offerUnit(Option2, TextOp2, Line2, 33);
    offerUnit(Option3, TextOp3, Line3, 35);
}

void frmPortion::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only the first showing: a message box over the dialog leaves the entries as they are.
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void frmPortion::Form_Activate() {
    if (Option1->isChecked())
        Option1_Click();
    else
        Option1->setChecked(true);  // runs Option1_Click
    TextOp1->clear();
    TextOp2->clear();
    TextOp3->clear();
}

void frmPortion::chooseBox(QLineEdit* chosen) {
    for (QLineEdit* b : {TextOp1, TextOp2, TextOp3}) {
        b->setEnabled(b == chosen);
        if (b != chosen) b->clear();
    }
    chosen->setFocus();
    // An arrow key that checked the option moves the focus onto the option after this has run;
    // the box takes it back before the next key arrives, so the digits typed next reach it.
    QMetaObject::invokeMethod(
        this,
        [chosen] {
            if (chosen->isEnabled() && chosen->isVisible()) chosen->setFocus();
        },
        Qt::QueuedConnection);
}

void frmPortion::Option1_Click() { chooseBox(TextOp1); }
void frmPortion::Option2_Click() { chooseBox(TextOp2); }
void frmPortion::Option3_Click() { chooseBox(TextOp3); }

void frmPortion::cmdSubmit_Click() {
    Globals& g = globals();
    g.vPortionGrams = 0;
    g.svPortionUnit.clear();
    g.vPortionQuantity = 0;
    if (!TextOp1->text().isEmpty()) {
        const std::optional<double> grams = wholeNumber(TextOp1->text());
        if (!grams) {
            m_platform.message(
                QStringLiteral("Please enter the weight in grams as a number, for example 150."));
            TextOp1->setFocus();
            return;
        }
        g.vPortionGrams = static_cast<float>(*grams);
    }
    // A unit portion: the leading number of the box times the unit's weight.
    auto unitPortion = [&](QLineEdit* box, int weightSlot, int descriptionSlot) {
        if (box->text().isEmpty()) return;
        const double quantity = leadingNumber(box->text());
        g.vPortionGrams =
            static_cast<float>(leadingNumber(m_cursors.txtFields.text(weightSlot)) * quantity);
        g.svPortionUnit = m_cursors.txtFields.text(descriptionSlot);
        g.vPortionQuantity = static_cast<float>(quantity);
    };
    unitPortion(TextOp2, FoodSlot::Gram1, FoodSlot::Unit1);
    unitPortion(TextOp3, FoodSlot::Gram2, FoodSlot::Unit2);

    if (!std::isfinite(g.vPortionGrams) || !std::isfinite(g.vPortionQuantity)) {
        m_platform.message(QStringLiteral("The number entered is too large."));
        return;
    }
    if (g.vPortionGrams <= 0) {
        m_platform.message(QStringLiteral("Numbers entered must be greater than 0"));
        return;
    }
    if (g.vPortionGrams > kMostPortionGrams) {
        m_platform.message(
            QStringLiteral("A portion can not weigh more than 100,000 grams.  Please check the "
                           "number entered."));
        return;
    }
    accept();
}

void frmPortion::cmdCancel_Click() {
    m_state.bvCancel = true;
    QDialog::reject();
}

void frmPortion::reject() { cmdCancel_Click(); }

}  // namespace pw
