#include "reports/frmReport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "data/Database.h"
#include "data/Fields.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/RuntimeError.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/SharedState.h"

namespace pw {

namespace {

// The report's row count and loop counter are 16-bit.
constexpr int kMostReportRows = 32767;
// The widest entry a box is made for: a date with a four-digit year.
const QString kWidestEntry = QStringLiteral("11/26/2001");

// A whole number as the store's 32-bit meal numbers hold it; beyond that an overflow.
long long wholeMealNumber(double value) {
    const double n = roundHalfEven(value);
    if (!std::isfinite(n) || std::fabs(n) > 2147483647.0) throw RuntimeError(err::Overflow);
    return static_cast<long long>(n);
}

}  // namespace

frmReport::frmReport(SharedState& state, MainCursors& cursors, Platform& platform, QWidget* parent)
    : QDialog(parent),
      m_state(state),
      m_cursors(cursors),
      m_platform(platform),
      m_layout(*this, 7230, 4260) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("Select a Report"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2 = new QLabel(QStringLiteral("First meal in series"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(QStringLiteral("Last meal in series"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Label2->setBuddy(Text1);
    Label3->setBuddy(Text2);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    m_layout.place(Label1, 540, 660, 3180, 3105);
    m_layout.place(Label2, 3870, 900, 1380, 300);
    m_layout.place(Label3, 3870, 1500, 1350, 285);
    m_layout.place(Text1, 5325, 705, 975, 450);
    m_layout.place(Text2, 5325, 1375, 975, 450);
    m_layout.place(cmdOK, 5325, 2045, 975, 450);
    m_layout.place(cmdCancel, 5325, 2715, 975, 450);
    // Each box holds a meal number or a date written out in full.
    m_layout.reserve(Text1, kWidestEntry);
    m_layout.reserve(Text2, kWidestEntry);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connectGuarded(m_platform, cmdOK, &QPushButton::clicked, this, &frmReport::cmdOK_Click);
    connectGuarded(m_platform, cmdCancel, &QPushButton::clicked, this, &frmReport::cmdCancel_Click);
    Form_Load();
}

frmReport::~frmReport() = default;

ReportKind frmReport::kind() const { return reportKind(m_state.ivReport); }

void frmReport::Form_Load() {
    SharedState& f = m_state;
    f.bvHit = false;
    if (m_cursors.DataB.recordCount() > 0 && m_cursors.DataB.hasCurrentRow()) {
        f.frmReportMealNumber =
            static_cast<float>(leadingNumber(m_cursors.txtFieldB.text(MealField::MealNumber)));
        f.ivOrigMealNum = f.frmReportMealNumber;
    }

    const bool single = kind() == ReportKind::Meal || kind() == ReportKind::Date;
    switch (kind()) {
        case ReportKind::Meal:
            setWindowTitle(QStringLiteral("Select a Report by Meal Number"));
            Label1->setText(QStringLiteral("Enter meal number for which you would like a report."));
            Text1->setAccessibleName(QStringLiteral("Meal number"));
            break;
        case ReportKind::MealRange:
            setWindowTitle(QStringLiteral("Select a Report by a Range of Meal Numbers"));
            Label1->setText(QStringLiteral(
                "To obtain a report summarizing a series of meals enter into the upper box the "
                "number of the first meal in the series, and into the lower box enter the number "
                "of the last meal in the series.  For example entering a 1 in the upper box and a "
                "6 in the lower box will produce a report of all the nutrients included in meals 1 "
                "through 6."));
            Label2->setText(QStringLiteral("First meal in series:"));
            Label3->setText(QStringLiteral("Last meal in series:"));
            break;
        case ReportKind::Date:
            setWindowTitle(QStringLiteral("Select a Report by Date"));
            Label1->setText(
                QStringLiteral("Enter the Date for which you would like a report.  Enter in the "
                               "format mm/dd/yy."));
            Text1->setAccessibleName(QStringLiteral("Date"));
            break;
        case ReportKind::DateRange:
        default:
            setWindowTitle(QStringLiteral("Select a Report by a Range of Dates"));
            Label1->setText(QStringLiteral(
                "To obtain a report covering a series of dates enter into the upper box the first "
                "date in the series, and into the lower box enter the last date in the series.  "
                "For example entering 11/26/01 in the upper box and 11/30/01 in the lower box will "
                "produce a report summarizing meals dated 11/26/01 through 11/30/01."));
            Label2->setText(QStringLiteral("First Date in series:"));
            Label3->setText(QStringLiteral("Last Date in series:"));
            break;
    }
    if (single) {
        Text2->hide();
        Label2->hide();
        Label3->hide();
        m_layout.move(Text1, 4095, 705);
        // The buttons move up beside the single box.
        m_layout.move(cmdOK, 4095, 1375);
        m_layout.move(cmdCancel, 4095, 2045);
    } else {
        Text1->setAccessibleName(Label2->text());
        Text2->setAccessibleName(Label3->text());
        m_layout.move(Text1, 5310, 705);
    }
    // The design's captions and boxes are too narrow for today's faces: the form grows to fit
    // this kind's texts.
    m_layout.fit();
    Label1->setAccessibleName(Label1->text());
}

void frmReport::Reset() {
    SharedState& f = m_state;
    f.frmReportLastQuery = mealItemsQuery(shortestSingle(f.frmReportMealNumber));
    m_cursors.DataB.setRecordSource(f.frmReportLastQuery);
    m_cursors.DataB.refresh();
    // Counted before the moves, so that the item counter each move shows is already right.
    f.lTotalRecordsB = counter16(std::min(m_cursors.DataB.recordCount(), kMostReportRows));
    // The remembered meal may have no rows (no meal at all, or its items removed since): there is
    // no row to move to, and nothing to report.
    if (m_cursors.DataB.recordCount() > 0) {
        m_cursors.DataB.moveLast();
        m_cursors.DataB.moveFirst();
    }
}

void frmReport::Reject() {
    m_platform.message(
        QStringLiteral("Information was not entered correctly into the entry boxes."));
    Text1->clear();
    Text2->clear();
}

int frmReport::runQuery(const QString& query) {
    SharedState& f = m_state;
    f.frmReportLastQuery = query;
    m_cursors.DataB.setRecordSource(query);
    m_cursors.DataB.refresh();
    if (m_cursors.DataB.recordCount() == 0) return 0;
    m_cursors.DataB.moveLast();
    return m_cursors.DataB.recordCount();
}

bool frmReport::fitsReport(int count) {
    if (count <= kMostReportRows) return true;
    m_platform.message(
        QStringLiteral("This selection holds ") + plainInt(count) +
        QStringLiteral(" items, but a report can cover at most 32767 items.  Please choose fewer "
                       "meals or a shorter range of dates."));
    Reset();
    return false;
}

void frmReport::commonEnding(int count) {
    SharedState& f = m_state;
    if (count == 0) {
        m_platform.message(QStringLiteral("No records were found that match your entry."));
        Text1->clear();
        if (isRange(kind())) Text2->clear();
        Reset();
        return;
    }
    if (!fitsReport(count)) return;
    m_cursors.DataB.moveLast();
    f.lTotalRecordsB = counter16(count);
    m_cursors.DataB.moveFirst();
    f.bvHit = true;
    accept();
}

void frmReport::cmdOK_Click() {
    SharedState& f = m_state;
    Platform& platform = m_platform;
    const auto dateMessage = [&] {
        platform.message(
            QStringLiteral("A date was not entered correctly on this form.  Please enter in the "
                           "format mm/dd/yy."));
    };
    bool queried = false;  // the item cursor no longer shows the meal of before
    try {
        switch (kind()) {
            case ReportKind::Meal: {
                if (Text1->text().isEmpty()) return Reject();
                const long long n = wholeMealNumber(leadingNumber(Text1->text()));
                queried = true;
                return commonEnding(runQuery(mealItemsQuery(plainInt(n))));
            }
            case ReportKind::MealRange: {
                if (Text1->text().isEmpty() || Text2->text().isEmpty()) return Reject();
                const auto first = wholeNumber(Text1->text());
                const auto last = wholeNumber(Text2->text());
                if (!first || !last) {
                    platform.message(
                        QStringLiteral("A meal number was not entered correctly on this form.  "
                                       "Only numbers can be entered in the box."));
                    return;
                }
                const QString query =
                    QStringLiteral("Select ALL * from Meals Where MealNumber BETWEEN ") +
                    plainInt(wholeMealNumber(*first)) + QStringLiteral(" AND ") +
                    plainInt(wholeMealNumber(*last)) + QStringLiteral(" Order by MealNumber");
                queried = true;
                return commonEnding(runQuery(query));
            }
            case ReportKind::Date: {
                const auto d = parseMdy(Text1->text());
                if (!d) return dateMessage();
                queried = true;
                return commonEnding(
                    runQuery(QStringLiteral("Select ALL * from Meals Where Date = #") +
                             mdyText(*d) + QLatin1Char('#')));
            }
            case ReportKind::DateRange:
            default: {
                if (Text1->text().isEmpty() || Text2->text().isEmpty()) return Reject();
                const auto d1 = parseMdy(Text1->text());
                const auto d2 = parseMdy(Text2->text());
                if (!d1 || !d2) return dateMessage();
                const QString range =
                    QStringLiteral("Select ALL * from Meals Where Date BETWEEN #") + mdyText(*d1) +
                    QStringLiteral("# AND #") + mdyText(*d2) + QStringLiteral("# Order by ");
                queried = true;
                int count = runQuery(range + QStringLiteral("MealNumber"));
                if (count > 0) {
                    if (!fitsReport(count)) return;
                    m_cursors.DataB.moveLast();
                    f.svMealNum2 = m_cursors.txtFieldB.text(MealField::MealNumber);
                    f.lTotalRecordsB = counter16(count);
                    m_cursors.DataB.moveFirst();
                    f.svMealNum1 = m_cursors.txtFieldB.text(MealField::MealNumber);
                    count = runQuery(range + QStringLiteral("Date"));
                }
                return commonEnding(count);
            }
        }
    } catch (...) {
        const RuntimeError e = pendingError();
        platform.message(errorReportText(e.number(), e.description(), ErrorBreak::LfCr));
        // A failed query must not leave the main window on a broken selection.
        if (queried) {
            try {
                Reset();
            } catch (...) {
                // Already reported once.
            }
        }
    }
}

void frmReport::cmdCancel_Click() { reject(); }

}  // namespace pw
