#pragma once

#include <memory>

#include "reports/ReportChartWindow.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTableWidget;

namespace pw {

class Platform;
class ReportFigures;

// The report on display as pictures: a bar per nutrient against its Daily Value, for the range
// reports a bar per date, and the same numbers as a table. Modeless, owned by the main window;
// a new report replaces what it shows. Built into the chart module (and linked directly by the
// tests), which registers it with the main window's loader.
class frmReportChart : public ReportChartWindow {
    Q_OBJECT
public:
    frmReportChart(Platform& platform, QWidget* owner);
    ~frmReportChart() override;

    void setFigures(std::shared_ptr<const ReportFigures> figures) override;
    const ReportFigures& figures() const { return *m_figures; }

    QTabWidget* tabCharts = nullptr;
    // As tall as its bars need to be named in full, scrolled within its tab.
    QScrollArea* scrollDailyValues = nullptr;
    QChartView* chartDailyValues = nullptr;
    QWidget* tabByDay = nullptr;
    QLabel* lblNutrient = nullptr;
    QComboBox* cboNutrient = nullptr;
    QChartView* chartByDay = nullptr;
    QTableWidget* tblFigures = nullptr;
    QPushButton* cmdSaveChart = nullptr;
    QPushButton* cmdPrintChart = nullptr;
    QPushButton* cmdClose = nullptr;

    void cmdSaveChart_Click();
    void cmdPrintChart_Click();
    void cboNutrient_Change();
    // Ctrl+C in the table: the selected cells as tab-separated text on the clipboard.
    void tblFigures_Copy();

    // The chart on display (the Daily Values chart while the table is on display), drawn anew at
    // the window's size or larger where its bars need room to be named, as the bytes of a file
    // of the type `fileName`'s suffix names: PNG, JPEG (".jpg", ".jpeg") or SVG. Empty for any
    // other suffix.
    QByteArray chartFileBytes(const QString& fileName) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QChart* makeCurrentChart() const;

    Platform& m_platform;
    std::shared_ptr<const ReportFigures> m_figures;
};

}  // namespace pw
