#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

#include "app/FormB.h"
#include "data/RuntimeError.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/TextOutput.h"
#include "reports/ReportChartWindow.h"
#include "reports/ReportCsv.h"
#include "reports/ReportFigures.h"

namespace pw {

namespace {

// True when a report is on display; otherwise tells the user how to make one.
bool reportIsShown(FormB& form, const QString& toDoWhat) {
    if (!form.Text2->isHidden() && form.reportFigures) return true;
    showNoReportMessage(form.platform(), toDoWhat);
    return false;
}

}  // namespace

void FormB::connectChartHandlers() {
    connectGuarded(m_platform, mnuReportChart, &QAction::triggered, this,
                   &FormB::mnuReportChart_Click);
    connectGuarded(m_platform, mnuExportCsv, &QAction::triggered, this, &FormB::mnuExportCsv_Click);
    // Both are usable exactly when saving the report is, and locked with it.
    connect(mnuSaveReport, &QAction::enabledChanged, this, [this](bool enabled) {
        mnuReportChart->setEnabled(enabled);
        mnuExportCsv->setEnabled(enabled);
    });
}

ReportChartWindow* FormB::chartWindow() const {
    return findChild<ReportChartWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

void FormB::keepReportFigures(ReportKind kind) {
    reportFigures.reset();
    ReportChartWindow* open = chartWindow();
    try {
        // The days of a range from the same selection the report summed.
        std::vector<DayTotals> days;
        if (isRange(kind)) days = dailyTotals(DataB.databaseName(), frmReportLastQuery);
        reportFigures = std::make_shared<const ReportFigures>(kind, dTotals, dPercentDV, svDV,
                                                              std::move(days), dailyValueTargets);
    } catch (const RuntimeError&) {
        if (open) open->close();  // it must not go on showing the report before
        throw;
    }
    if (open) open->setFigures(reportFigures);
}

void FormB::mnuReportChart_Click() {
    if (!reportIsShown(*this, QStringLiteral("To see a chart of a report"))) return;
    ReportChartWindow* chart = chartWindow();
    if (!chart) {
        // The first chart of a run loads the chart module; when it cannot, the user is told why.
        chart = newReportChartWindow(m_platform, this);
        if (!chart) return;
        chart->setFigures(reportFigures);
    }
    chart->show();
    chart->raise();
    chart->activateWindow();
}

void FormB::mnuExportCsv_Click() {
    if (!reportIsShown(*this, QStringLiteral("To export a report"))) return;
    const QByteArray bytes = csvBytes(reportFigures->tableRows());
    saveAsFile(
        m_platform, this, QStringLiteral("Export Report as CSV"),
        QStringLiteral("csv files(*.csv)|*.csv|"), [&](const QString&) { return bytes; },
        QStringLiteral("csv"));
}

}  // namespace pw
