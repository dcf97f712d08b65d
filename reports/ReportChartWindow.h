#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

namespace pw {

class Platform;
class ReportFigures;

// What the main window knows of the chart window. The window itself (reports/frmReportChart)
// lives in a module of its own, libplatewise_chart.so, with Qt Charts and Qt Svg behind it, and
// is loaded the first time a chart is opened: a program that never shows a chart never maps
// them.
class ReportChartWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows `figures` in place of what the window showed; null changes nothing.
    virtual void setFigures(std::shared_ptr<const ReportFigures> figures) = 0;
};

// Makes a chart window owned by `owner`, a window of its own.
using ReportChartFactory = ReportChartWindow* (*)(Platform& platform, QWidget* owner);

// Called once by the chart window's own objects as they start: in the module as it is loaded,
// in a program that links them at its start.
void registerReportChartFactory(ReportChartFactory factory);

// The folders the module, libplatewise_chart.so, is looked for in, in order: the program's own
// (the build's program folder) and, beside an installed program's bin/, the folder the install
// puts it in (lib/x86_64-linux-gnu/platewise).
QStringList chartModuleFolders();

// True when a chart window can be made: its factory registered already, or the module loaded
// from the first of `folders` that holds it. Otherwise tells the user through `platform` which
// file could not be loaded and why, and returns false.
bool loadChartModule(Platform& platform, const QStringList& folders = chartModuleFolders());

// A new chart window owned by `owner`, the module loaded first if need be; null, the user told
// why, when it cannot be loaded.
ReportChartWindow* newReportChartWindow(Platform& platform, QWidget* owner);

}  // namespace pw
