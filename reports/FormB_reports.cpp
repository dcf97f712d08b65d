#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextEdit>
#include <utility>

#include "app/FormB.h"
#include "data/RuntimeError.h"
#include "data/TextFiles.h"
#include "platform/GlobalModule.h"
#include "platform/Platform.h"
#include "platform/TextOutput.h"
#include "reports/DailyValueSettings.h"
#include "reports/DailyValues.h"
#include "reports/ReportKind.h"
#include "reports/ReportText.h"
#include "reports/frmDailyValues.h"
#include "reports/frmReport.h"

namespace pw {

namespace {

// Stops the item display from following the cursor while a report walks its rows; the display
// is brought up to date by the requery that ends every report.
class RepositionPause {
public:
    explicit RepositionPause(RecordCursor& cursor)
        : m_cursor(cursor), m_handler(std::exchange(cursor.onReposition, nullptr)) {}
    ~RepositionPause() { m_cursor.onReposition = std::move(m_handler); }
    RepositionPause(const RepositionPause&) = delete;
    RepositionPause& operator=(const RepositionPause&) = delete;

private:
    RecordCursor& m_cursor;
    std::function<void()> m_handler;
};

// How a file or printer command shows a failure: saving through the common error report, printing
// with its own message (its line break CR LF).
enum class FailureMessage { Common, Own };

// Runs the step of a command that may fail; a failure is shown and ends the command.
void runReportStep(Platform& platform, FailureMessage message, const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError& e) {
        if (message == FailureMessage::Common)
            GlobalErrorHandler(platform, e.number(), e.description());
        else
            platform.message(errorReportText(e.number(), e.description(), ErrorBreak::CrLf));
    }
}

}  // namespace

void FormB::connectReportHandlers() {
    onTrigger(mnuReportMealNumber, &FormB::mnuReportMealNumber_Click);
    onTrigger(mnuReportRangeMealNumbers, &FormB::mnuReportRangeMealNumbers_Click);
    onTrigger(mnuReportSpecificDate, &FormB::mnuReportSpecificDate_Click);
    onTrigger(mnuReportRangeDates, &FormB::mnuReportRangeDates_Click);
    onTrigger(mnuSaveReport, &FormB::mnuSaveReport_Click);
    onTrigger(mnuPrintReport, &FormB::mnuPrintReport_Click);
    onTrigger(mnuYourDailyValues, &FormB::mnuYourDailyValues_Click);
}

void FormB::CalcDV() { DailyValues::calc(dTotals, dPercentDV, svDV, dailyValueTargets); }

void FormB::runReport(ReportKind kind) {
    ivReport = ivReportOf(kind);
    {
        frmReport dialog(state(), cursors(), m_platform, this);
        m_platform.showModal(dialog);
    }
    if (!bvHit) return;

    ReportRows rows;
    try {
        RepositionPause pause(DataB);
        rows = ReportText::walk(DataB, txtFieldB, lTotalRecordsB);
    } catch (...) {
        // The store failed part way: back to the meal shown before, the display as it was.
        ResetDataB();
        throw;
    }
    for (int p = 2; p <= 31; ++p) dTotals[p] = rows.totals[p];

    ReportHeader header;
    header.kind = kind;
    header.itemCount = lTotalRecordsB;
    switch (kind) {
        case ReportKind::Meal:
            svMealName = rows.lastMealName;
            svDate = rows.lastDate;
            header.mealNumber = rows.lastMealNumber;
            header.mealName = svMealName;
            header.date = svDate;
            break;
        case ReportKind::MealRange:
            svMealNum1 = rows.firstMealNumber;
            svMealNum2 = rows.lastMealNumber;
            header.firstDate = rows.firstDate;
            header.lastDate = rows.lastDate;
            break;
        case ReportKind::Date:
            svDate = rows.lastDate;
            header.date = svDate;
            break;
        case ReportKind::DateRange:
            header.firstDate = rows.firstDate;
            header.lastDate = rows.lastDate;
            break;
    }
    header.mealNum1 = svMealNum1;
    header.mealNum2 = svMealNum2;
    if (showsDailyValues(kind)) CalcDV();

    reportText = ReportText::build(header, dTotals, svDV, dailyValueTargets,
                                   svCR.isEmpty() ? QStringLiteral("\r\n") : svCR);
    RTBox->hide();
    Text2->show();
    Text2->setPlainText(reportText);
    ResetDataB();
    keepReportFigures(kind);
}

void FormB::mnuReportMealNumber_Click() { runReport(ReportKind::Meal); }
void FormB::mnuReportRangeMealNumbers_Click() { runReport(ReportKind::MealRange); }
void FormB::mnuReportSpecificDate_Click() { runReport(ReportKind::Date); }
void FormB::mnuReportRangeDates_Click() { runReport(ReportKind::DateRange); }

QString FormB::reportOnDisplay() const { return withCrLf(Text2->toPlainText()); }

void FormB::mnuSaveReport_Click() {
    if (Text2->isHidden()) {
        showNoReportMessage(m_platform, QStringLiteral("To save a report"));
        return;
    }
    const QString text = reportOnDisplay();
    const std::optional<QString> path =
        askSaveTextFile(m_platform, this, QStringLiteral("Save Report"));
    if (!path) return;
    runReportStep(m_platform, FailureMessage::Common, [&] { saveFileBytes(*path, text.toUtf8()); });
}

void FormB::mnuPrintReport_Click() {
    if (Text2->isHidden()) {
        showNoReportMessage(m_platform, QStringLiteral("To print a report"));
        return;
    }
    QPrinter printer;
    if (!m_platform.printerSetup(this, printer)) return;
    runReportStep(m_platform, FailureMessage::Own,
                  [&] { printPlainText(reportOnDisplay(), printer); });
}

void FormB::mnuYourDailyValues_Click() {
    frmDailyValues dialog(dailyValueTargets, dailyValueSettingsPath(globals().programDir),
                          m_platform, this);
    m_platform.showModal(dialog);
    if (dialog.chosenTargets()) dailyValueTargets = *dialog.chosenTargets();
}

}  // namespace pw
