#pragma once

#include <QWidget>
#include <functional>
#include <memory>

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

// Asks for a file with the Save As dialog (the program's folder, `filter`, a prompt before a file
// is replaced) and writes the bytes `bytesFor` makes for the chosen name through a safe save; a
// failure gets the common error message and leaves any file there as it was. A name chosen
// without a suffix gets `defaultSuffix`, when one is given.
void saveAsFile(Platform& platform, QWidget* parent, const QString& title, const QString& filter,
                const std::function<QByteArray(const QString&)>& bytesFor,
                const QString& defaultSuffix = {});

// The report on display as pictures: a bar per nutrient against its Daily Value, for the range
// reports a bar per date, and the same numbers as a table. Modeless, owned by the main window;
// a new report replaces what it shows.
class frmReportChart : public QWidget {
    Q_OBJECT
public:
    frmReportChart(Platform& platform, QWidget* owner);
    ~frmReportChart() override;

    void setFigures(std::shared_ptr<const ReportFigures> figures);
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

    // The chart on display (the Daily Values chart while the table is on display), drawn anew
    // at `size` as a PNG or, for a name ending in ".svg", an SVG file's bytes.
    QByteArray chartFileBytes(const QString& fileName, const QSize& size) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QChart* makeCurrentChart() const;

    Platform& m_platform;
    std::shared_ptr<const ReportFigures> m_figures;
};

}  // namespace pw
