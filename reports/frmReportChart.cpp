#include "reports/frmReportChart.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalStackedBarSeries>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <functional>
#include <optional>

#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "data/TextFiles.h"
#include "platform/Buttons.h"
#include "platform/GlobalModule.h"
#include "platform/Guard.h"
#include "platform/Platform.h"
#include "platform/RichTextBox.h"
#include "platform/TextOutput.h"
#include "reports/ReportFigures.h"

namespace pw {

namespace {

// The main window's loader makes its chart windows here: registered as the module is loaded, or
// as a program that links this window starts.
const struct Registration {
    Registration() {
        registerReportChartFactory([](Platform& platform, QWidget* owner) -> ReportChartWindow* {
            return new frmReportChart(platform, owner);
        });
    }
} registration;

const QColor kBelowColour(70, 130, 180);
const QColor kReachedColour(60, 150, 90);
const QColor kOverColour(214, 96, 77);
const QColor kLineColour(40, 40, 40);

QString dateLabel(const QString& date) {
    return date.isEmpty() ? QStringLiteral("(no date)") : date;
}

// A straight line across the plot at `value` of `valueAxis`, drawn over a hidden 0..1 axis.
void addReferenceLine(QChart* chart, const QString& name, double value, QValueAxis* valueAxis,
                      Qt::Orientation valueOrientation) {
    auto* line = new QLineSeries;
    line->setName(name);
    QPen pen(kLineColour);
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    auto* across = new QValueAxis;
    across->setRange(0, 1);
    across->setVisible(false);
    if (valueOrientation == Qt::Horizontal) {
        line->append(value, 0);
        line->append(value, 1);
        chart->addAxis(across, Qt::AlignRight);
    } else {
        line->append(0, value);
        line->append(1, value);
        chart->addAxis(across, Qt::AlignTop);
    }
    chart->addSeries(line);
    line->attachAxis(valueAxis);
    line->attachAxis(across);
}

// The value axis from 0 (or the lowest value) to a little past the highest of `values` and
// `reference`.
QValueAxis* valueAxisFor(const std::vector<double>& values, double reference,
                         const QString& title) {
    double lo = 0, hi = reference;
    for (double v : values) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (hi <= lo) hi = lo + 1;
    auto* axis = new QValueAxis;
    axis->setRange(lo < 0 ? lo * 1.1 : 0, hi * 1.1);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTitleText(title);
    return axis;
}

// The bar of `index` in words, for the hover tip and the chart's accessible description.
QStringList describe(const QStringList& labels, const std::vector<double>& values,
                     const QString& unit) {
    QStringList out;
    for (std::size_t i = 0; i < values.size(); ++i)
        out << labels[qsizetype(i)] + QStringLiteral(": ") + shortestText(values[i]) + unit;
    return out;
}

void showTipsOnHover(QAbstractBarSeries* series, const QStringList& tips) {
    QObject::connect(series, &QAbstractBarSeries::hovered, series,
                     [tips](bool status, int index, QBarSet*) {
                         if (status && index >= 0 && index < tips.size())
                             QToolTip::showText(QCursor::pos(), tips[index]);
                         else
                             QToolTip::hideText();
                     });
}

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// A horizontal bar per line with a Daily Value, report order from the top, and the line at
// 100 %. A goal reached (100 % or more) is drawn in the reached colour, a limit reached in the
// warning colour, anything under its Daily Value in the neutral one; a limit is named so.
QChart* dailyValueChart(const ReportFigures& figures, QStringList* description) {
    const std::vector<NutrientFigure> lines = figures.dailyValueLines();
    auto* below = new QBarSet(QStringLiteral("Under the Daily Value"));
    auto* reached = new QBarSet(QStringLiteral("Goal reached"));
    auto* over = new QBarSet(QStringLiteral("Limit reached"));
    below->setColor(kBelowColour);
    reached->setColor(kReachedColour);
    over->setColor(kOverColour);
    QStringList labels;
    std::vector<double> values;
    std::vector<bool> limits;
    for (const NutrientFigure& line : lines) {
        const DailyValueEntry* e = dailyValueEntry(line.slot);
        limits.push_back(e && e->kind == DailyValueKind::Limit);
        labels << (limits.back() ? line.name + QStringLiteral(" (limit)") : line.name);
        values.push_back(*line.percentDV);
    }
    // The axis puts its first category at the bottom: the report's last line goes in first, so
    // that its first line is at the top.
    QStringList bottomUp;
    for (auto i = values.size(); i-- > 0;) {
        const double v = values[i];
        const bool atOrOver = v >= 100;
        *below << (atOrOver ? 0 : v);
        *reached << (atOrOver && !limits[i] ? v : 0);
        *over << (atOrOver && limits[i] ? v : 0);
        bottomUp << labels[qsizetype(i)];
    }
    QChart* chart = newChart(!showsDailyValues(figures.kind())
                                 ? QStringLiteral("Average per date with meals, in percent of "
                                                  "the Daily Value")
                                 : QStringLiteral("Percent of the Daily Value"));
    auto* series = new QHorizontalStackedBarSeries;
    series->append(below);
    series->append(reached);
    series->append(over);
    series->setBarWidth(0.7);
    chart->addSeries(series);
    auto* names = new QBarCategoryAxis;
    names->append(bottomUp);
    chart->addAxis(names, Qt::AlignLeft);
    series->attachAxis(names);
    QValueAxis* percent = valueAxisFor(values, 100, QStringLiteral("% of Daily Value"));
    chart->addAxis(percent, Qt::AlignBottom);
    series->attachAxis(percent);
    addReferenceLine(chart, QStringLiteral("Daily Value (100 %)"), 100, percent, Qt::Horizontal);

    const QStringList tips = describe(labels, values, QStringLiteral(" %"));
    showTipsOnHover(series, tips);
    if (description) *description = tips;
    return chart;
}

// A bar per date for the line `index` of the report, and its Daily Value as a line.
QChart* byDayChart(const ReportFigures& figures, int index, QStringList* description) {
    const NutrientFigure& line = figures.lines().at(std::size_t(index));
    QStringList labels;
    for (const QString& date : figures.dates()) labels << dateLabel(date);
    auto* set = new QBarSet(line.name);
    set->setColor(kBelowColour);
    for (double v : line.perDay) *set << v;
    const double dv = line.percentDV ? figures.targets().valueFor(line.slot) : 0;

    QChart* chart = newChart(line.name + QStringLiteral(" by date"));
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* dates = new QBarCategoryAxis;
    dates->append(labels);
    chart->addAxis(dates, Qt::AlignBottom);
    series->attachAxis(dates);
    QValueAxis* amounts = valueAxisFor(line.perDay, dv, line.unit);
    chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(amounts);
    if (dv > 0)
        addReferenceLine(chart,
                         QStringLiteral("Daily Value (") + shortestText(dv) + QLatin1Char(' ') +
                             line.unit + QLatin1Char(')'),
                         dv, amounts, Qt::Vertical);

    const QStringList tips = describe(labels, line.perDay, QLatin1Char(' ') + line.unit);
    showTipsOnHover(series, tips);
    if (description) *description = tips;
    return chart;
}

// Replaces the chart a view shows; the view owns its chart and drops the one before.
void showChart(QChartView* view, QChart* chart, const QStringList& description) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
    view->setAccessibleDescription(description.join(QStringLiteral("; ")));
}

QChartView* newChartView(const QString& name, QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(name);
    view->setFocusPolicy(Qt::StrongFocus);
    return view;
}

// The smallest size at which `chart`'s category axis names each of its bars in full, beside the
// title, the legend and the value axis; 0 for a side the names leave free.
QSize sizeNamingEveryBar(const QChart& chart) {
    QSize size(0, 0);
    const int title = QFontMetrics(chart.titleFont()).height();
    for (QAbstractAxis* axis : chart.axes()) {
        auto* names = qobject_cast<QBarCategoryAxis*>(axis);
        if (!names) continue;
        const QFontMetrics labels(names->labelsFont());
        const int bars = int(names->count()), line = labels.height();
        // A name is drawn with a margin around it, and only where it clears its neighbours.
        if (axis->orientation() == Qt::Vertical) {
            size.setHeight(bars * (line + 12) + 2 * title + 6 * line + 40);
        } else {
            int widest = 0;
            for (const QString& name : names->categories())
                widest = std::max(widest, labels.horizontalAdvance(name));
            size.setWidth(bars * (widest + 16) + 8 * line + 40);
        }
    }
    return size;
}

// A chart drawn for a file or a page is at least this large, whatever the window's size.
constexpr QSize kSmallestDrawing(640, 480);

// How a chart is written to a file, chosen by the file's suffix; nullopt: a type not offered.
enum class ChartFormat { Png, Jpeg, Svg };
std::optional<ChartFormat> chartFormatFor(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("png")) return ChartFormat::Png;
    if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg"))
        return ChartFormat::Jpeg;
    if (suffix == QStringLiteral("svg")) return ChartFormat::Svg;
    return std::nullopt;
}

// `chart` in a view of its own, laid out at `size` and drawn by `paint`.
void drawChart(QChart* chart, const QSize& size, const std::function<void(QWidget&)>& paint) {
    QChartView view(chart);
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    view.resize(size);
    paint(view);  // QWidget's render lays the view out at its size first
}

// Paging and arrow keys in a chart view scroll the area that holds it.
bool scrollByKey(QScrollArea& area, const QKeyEvent& key) {
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (key.key()) {
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_Home:
            action = QAbstractSlider::SliderToMinimum;
            break;
        case Qt::Key_End:
            action = QAbstractSlider::SliderToMaximum;
            break;
        default:
            return false;
    }
    area.verticalScrollBar()->triggerAction(action);
    return true;
}

}  // namespace

frmReportChart::frmReportChart(Platform& platform, QWidget* owner)
    : ReportChartWindow(owner, Qt::Window), m_platform(platform) {
    setObjectName(QStringLiteral("frmReportChart"));
    setWindowTitle(QStringLiteral("Report Chart"));
    setAttribute(Qt::WA_DeleteOnClose);

    tabCharts = new QTabWidget(this);
    tabCharts->setAccessibleName(QStringLiteral("Report charts"));
    scrollDailyValues = new QScrollArea(tabCharts);
    scrollDailyValues->setWidgetResizable(true);
    scrollDailyValues->setFrameShape(QFrame::NoFrame);
    scrollDailyValues->setFocusPolicy(Qt::NoFocus);  // the chart takes the focus and the keys
    scrollDailyValues->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chartDailyValues = newChartView(QStringLiteral("Daily Values chart"), scrollDailyValues);
    scrollDailyValues->setWidget(chartDailyValues);
    chartDailyValues->installEventFilter(this);

    tabByDay = new QWidget(tabCharts);
    auto* dayLayout = new QVBoxLayout(tabByDay);
    auto* pick = new QHBoxLayout;
    lblNutrient = new QLabel(QStringLiteral("&Nutrient:"), tabByDay);
    cboNutrient = new QComboBox(tabByDay);
    cboNutrient->setAccessibleName(QStringLiteral("Nutrient"));
    lblNutrient->setBuddy(cboNutrient);
    pick->addWidget(lblNutrient);
    pick->addWidget(cboNutrient, 1);
    dayLayout->addLayout(pick);
    chartByDay = newChartView(QStringLiteral("By day chart"), tabByDay);
    dayLayout->addWidget(chartByDay, 1);

    tblFigures = new QTableWidget(tabCharts);
    tblFigures->setAccessibleName(QStringLiteral("Report figures"));
    tblFigures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblFigures->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tblFigures->verticalHeader()->hide();
    tblFigures->installEventFilter(this);  // its own copy takes only the current cell
    // Arrows move between the cells; Tab and Shift+Tab leave the table, Ctrl+Tab turns the tab.
    tblFigures->setTabKeyNavigation(false);

    tabCharts->addTab(scrollDailyValues, QStringLiteral("Daily Values"));
    tabCharts->addTab(tabByDay, QStringLiteral("By day"));
    tabCharts->addTab(tblFigures, QStringLiteral("Table"));

    cmdSaveChart = makeButton(QStringLiteral("Save Chart..."), QStringLiteral("Save Chart"), this);
    cmdPrintChart =
        makeButton(QStringLiteral("Print Chart..."), QStringLiteral("Print Chart"), this);
    cmdClose = makeButton(QStringLiteral("Close"), QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveChart);
    buttons->addWidget(cmdPrintChart);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(tabCharts, 1);
    outer->addLayout(buttons);

    connectGuarded(m_platform, cmdSaveChart, &QPushButton::clicked, this,
                   &frmReportChart::cmdSaveChart_Click);
    connectGuarded(m_platform, cmdPrintChart, &QPushButton::clicked, this,
                   &frmReportChart::cmdPrintChart_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connectGuarded(m_platform, cboNutrient, &QComboBox::currentIndexChanged, this,
                   &frmReportChart::cboNutrient_Change);
    auto* escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    // Within an 800 x 600 screen beside its title bar and a panel.
    resize(760, 520);
}

frmReportChart::~frmReportChart() = default;

void frmReportChart::setFigures(std::shared_ptr<const ReportFigures> figures) {
    if (!figures) return;
    m_figures = std::move(figures);
    const ReportFigures& f = *m_figures;

    QStringList description;
    showChart(chartDailyValues, dailyValueChart(f, &description), description);
    chartDailyValues->setMinimumHeight(sizeNamingEveryBar(*chartDailyValues->chart()).height());

    // The day tab only for the two range reports.
    const int dayTab = tabCharts->indexOf(tabByDay);
    if (f.isRange() && dayTab < 0)
        tabCharts->insertTab(1, tabByDay, QStringLiteral("By day"));
    else if (!f.isRange() && dayTab >= 0)
        tabCharts->removeTab(dayTab);
    {
        const QSignalBlocker quiet(cboNutrient);
        cboNutrient->clear();
        for (const NutrientFigure& line : f.lines()) cboNutrient->addItem(line.name);
        cboNutrient->setCurrentIndex(0);  // calories
    }
    cboNutrient_Change();

    const std::vector<QStringList> rows = f.tableRows();
    tblFigures->clear();
    tblFigures->setColumnCount(int(rows.front().size()));
    tblFigures->setRowCount(int(rows.size()) - 1);
    tblFigures->setHorizontalHeaderLabels(rows.front());
    for (std::size_t r = 1; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblFigures->setItem(int(r) - 1, c, item);
        }
    }
    tblFigures->resizeColumnsToContents();
}

void frmReportChart::cboNutrient_Change() {
    if (!m_figures || !m_figures->isRange() || cboNutrient->currentIndex() < 0) return;
    QStringList description;
    showChart(chartByDay, byDayChart(*m_figures, cboNutrient->currentIndex(), &description),
              description);
}

bool frmReportChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chartDailyValues && event->type() == QEvent::KeyPress &&
        scrollByKey(*scrollDailyValues, *static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == tblFigures && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        tblFigures_Copy();
        return true;
    }
    return ReportChartWindow::eventFilter(watched, event);
}

void frmReportChart::tblFigures_Copy() {
    const QModelIndexList selected = tblFigures->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    int top = selected.front().row(), bottom = top;
    int left = selected.front().column(), right = left;
    for (const QModelIndex& i : selected) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    // Cells between selected ones that are not selected themselves copy as empty.
    std::vector<QStringList> grid(std::size_t(bottom - top + 1),
                                  QStringList(right - left + 1, QString()));
    for (const QModelIndex& i : selected)
        grid[std::size_t(i.row() - top)][i.column() - left] = i.data().toString();
    QStringList lines;
    for (const QStringList& row : grid) lines << row.join(QLatin1Char('\t'));
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

QChart* frmReportChart::makeCurrentChart() const {
    if (tabCharts->currentWidget() == tabByDay && m_figures->isRange())
        return byDayChart(*m_figures, std::max(0, cboNutrient->currentIndex()), nullptr);
    return dailyValueChart(*m_figures, nullptr);
}

QByteArray frmReportChart::chartFileBytes(const QString& fileName) const {
    const std::optional<ChartFormat> format = chartFormatFor(fileName);
    if (!format) return {};
    QChart* chart = makeCurrentChart();
    const QSize drawn = size().expandedTo(kSmallestDrawing).expandedTo(sizeNamingEveryBar(*chart));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    drawChart(chart, drawn, [&](QWidget& view) {
        if (*format == ChartFormat::Svg) {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(drawn);
            svg.setViewBox(QRect(QPoint(0, 0), drawn));
            svg.setTitle(windowTitle());
            QPainter painter(&svg);
            view.render(&painter);
            return;
        }
        QImage image(drawn, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view.render(&painter);
        }
        image.save(&buffer, *format == ChartFormat::Jpeg ? "JPEG" : "PNG");
    });
    return buffer.data();
}

void frmReportChart::cmdSaveChart_Click() {
    if (!m_figures) return;
    saveAsFile(
        m_platform, this, QStringLiteral("Save Chart"),
        QStringLiteral("PNG image(*.png)|*.png|JPEG image(*.jpg *.jpeg)|*.jpg;*.jpeg|"
                       "SVG image(*.svg)|*.svg|"),
        [this](const QString& path) -> std::optional<QByteArray> {
            if (chartFormatFor(path)) return chartFileBytes(path);
            m_platform.message(fileNameOnly(path) +
                               QStringLiteral(" was not saved: a chart is saved as a PNG image "
                                              "(.png), a JPEG image (.jpg or .jpeg) or an SVG "
                                              "image (.svg)."));
            return std::nullopt;
        },
        QStringLiteral("png"));
}

void frmReportChart::cmdPrintChart_Click() {
    if (!m_figures) return;
    QPrinter printer;
    if (!m_platform.printerSetup(this, printer)) return;
    try {
        QChart* chart = makeCurrentChart();
        // The chart in the page's proportions, drawn large enough to name every bar and then
        // scaled to fill the page.
        const QSizeF page = printer.pageRect(QPrinter::Point).size();
        const QSize need = kSmallestDrawing.expandedTo(sizeNamingEveryBar(*chart));
        const double grow =
            std::max({1.0, need.width() / page.width(), need.height() / page.height()});
        const QSize drawn = (page * grow).toSize();
        bool printed = false;
        drawChart(chart, drawn, [&](QWidget& view) {
            QPainter painter;
            if (!painter.begin(&printer)) return;
            const QSizeF device = printer.pageRect(QPrinter::DevicePixel).size();
            painter.scale(device.width() / drawn.width(), device.height() / drawn.height());
            view.render(&painter);
            printed = painter.end() && printer.printerState() != QPrinter::Error;
        });
        if (!printed) throw RuntimeError(kPrinterError);
    } catch (const RuntimeError& e) {
        m_platform.message(errorReportText(e.number(), e.description(), ErrorBreak::CrLf));
    }
}

}  // namespace pw
