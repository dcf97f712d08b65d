#include <gtest/gtest.h>

#include <QAbstractBarSeries>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>

#include "app/FormB.h"
#include "app/Startup.h"
#include "data/Schema.h"
#include "data/TextFiles.h"
#include "platform/GlobalModule.h"
#include "reports/DailyValueSettings.h"
#include "reports/ReportCsv.h"
#include "reports/ReportFigures.h"
#include "reports/frmDailyValues.h"
#include "reports/frmReportChart.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw::test {
namespace {

// Meals for the charts:
//   meal 1 "Lunch"  11/26/2001: 400 + 250 kcal, 150 + 100 g protein, 600 + 400 mg calcium,
//                               0.75 mg copper, 7.3 g fiber
//   meal 2 "Snack"  11/28/2001: 300 kcal, 10 g protein, and 2.5 g protein stored as the text
//                               "2.5 g" (the report reads its leading number)
//   nothing on 11/27/2001
//   meal 3 "Empty"  12/05/2001: only its header row, every total 0
class ChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString db = folder.mealDb();
        const QDate lunch(2001, 11, 26), snack(2001, 11, 28);
        addMeal(db, 1, "Lunch", lunch, false);
        addMealItem(db, 1, "Lunch", lunch, "Cheese, \"aged\", sliced", 100,
                    fields("ENERG_KCAL=400;PROTEIN=150;CALCIUM=600;COPPER=0.75;FIBER_TD=7.3"));
        addMealItem(db, 1, "Lunch", lunch, "Beans", 100,
                    fields("ENERG_KCAL=250;PROTEIN=100;CALCIUM=400"));
        addMeal(db, 2, "Snack", snack, false);
        addMealItem(db, 2, "Snack", snack, "Nuts", 30, fields("ENERG_KCAL=300;PROTEIN=10"));
        addMealItem(db, 2, "Snack", snack, "Shake", 30, fields("PROTEIN=2.5 g"));
        addMeal(db, 3, "Empty", QDate(2001, 12, 5));
        form = startProgram(platform, folder.path());
        ASSERT_TRUE(form);
    }
    void TearDown() override {
        delete form->chartWindow();
        form.reset();
    }

    void report(void (FormB::*menu)(), const QString& first, const QString& second = {}) {
        platform.expectModal([=](QDialog& d) {
            QTest::keyClicks(d.findChild<QLineEdit*>("Text1"), first);
            QTest::keyClicks(d.findChild<QLineEdit*>("Text2"), second);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        (form.get()->*menu)();
        ASSERT_TRUE(form->reportFigures);
    }
    frmReportChart* openChart() {
        form->mnuReportChart->trigger();
        auto* w = qobject_cast<frmReportChart*>(form->chartWindow());
        EXPECT_TRUE(w && w->isVisible());
        return w;
    }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
    QTemporaryDir out;
};

// The bars of a chart view as the user reads them, left to right or top to bottom: the category
// labels and the value of each bar (bar sets stacked), which set holds it, and where the
// reference line stands.
struct Bars {
    QStringList labels;
    std::vector<double> values;
    std::vector<int> set;
    double line = -1;
};

Bars barsOf(QChartView* view) {
    Bars b;
    for (QAbstractSeries* s : view->chart()->series()) {
        if (auto* line = qobject_cast<QLineSeries*>(s)) {
            const QPointF p = line->at(0);
            b.line = line->at(1).x() == p.x() ? p.x() : p.y();
            continue;
        }
        auto* bars = qobject_cast<QAbstractBarSeries*>(s);
        bool bottomUp = false;
        for (QAbstractAxis* a : bars->attachedAxes())
            if (auto* c = qobject_cast<QBarCategoryAxis*>(a)) {
                b.labels = c->categories();
                bottomUp = c->orientation() == Qt::Vertical;
            }
        const QList<QBarSet*> sets = bars->barSets();
        for (int i = 0; i < sets.front()->count(); ++i) {
            double v = 0;
            int holder = 0;
            for (int k = 0; k < sets.size(); ++k)
                if (sets[k]->at(i) != 0) {
                    v += sets[k]->at(i);
                    holder = k;
                }
            b.values.push_back(v);
            b.set.push_back(holder);
        }
        if (bottomUp) {
            std::reverse(b.labels.begin(), b.labels.end());
            std::reverse(b.values.begin(), b.values.end());
            std::reverse(b.set.begin(), b.set.end());
        }
    }
    return b;
}

TEST_F(ChartTest, DailyValueBarsAreTheReportsPercentagesInItsOrder) {
    report(&FormB::mnuReportMealNumber_Click, "1");
    frmReportChart* w = openChart();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Report Chart");
    EXPECT_EQ(w->parentWidget(), form.get());
    EXPECT_FALSE(w->isModal());

    // 650 / 2000, 0 fat, 0 carbohydrate, 7.3 / 25, 250 / 50, 1000 / 1000, 0.75 / 2; the lines
    // without a Daily Value text in the report get no bar.
    Bars b = barsOf(w->chartDailyValues);
    EXPECT_EQ(b.labels,
              QStringList({"Total Calories", "Total Fat in grams (limit)", "Carbohydrate in grams",
                           "Fiber in grams", "Protein in grams", "Calcium in mg", "Copper in mg"}));
    EXPECT_EQ(b.values, (std::vector<double>{32.5, 0, 0, 29.2, 500, 100, 37.5}));
    EXPECT_EQ(b.set, (std::vector<int>{0, 0, 0, 0, 1, 1, 0}));  // goals reached: second colour
    EXPECT_EQ(b.line, 100);
    EXPECT_TRUE(w->chartDailyValues->accessibleDescription().startsWith(
        "Total Calories: 32.5 %; Total Fat in grams (limit): 0 %"));

    // One meal: no day tab; the table holds the same numbers.
    QStringList tabs;
    for (int i = 0; i < w->tabCharts->count(); ++i) tabs << w->tabCharts->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Daily Values", "Table"}));
    EXPECT_EQ(w->tblFigures->columnCount(), 4);
    EXPECT_EQ(w->tblFigures->item(0, 3)->text(), "32.5");

    // Every control a screen reader meets has a name.
    for (QWidget* c : std::initializer_list<QWidget*>{
             w->tabCharts, w->chartDailyValues, w->cboNutrient, w->chartByDay, w->tblFigures,
             w->cmdSaveChart, w->cmdPrintChart, w->cmdClose})
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className();

    // In the table Tab leaves it and Ctrl+Tab turns the tab; Ctrl+C copies the selected cells as
    // tab-separated lines.
    w->tabCharts->setCurrentWidget(w->tblFigures);
    QApplication::setActiveWindow(w);
    w->tblFigures->setFocus();
    QTest::keyClick(w->tblFigures, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w->cmdSaveChart);
    w->tblFigures->setFocus();
    QTest::keyClick(w->tblFigures, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w->tabCharts->currentWidget(), w->scrollDailyValues);
    w->tabCharts->setCurrentWidget(w->tblFigures);
    w->tblFigures->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 2), true);
    QTest::keyClick(w->tblFigures, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Total Calories\tkcal\t650\nTotal Fat in grams\tg\t0\n");

    // All totals zero: empty bars, and no message.
    report(&FormB::mnuReportMealNumber_Click, "3");
    b = barsOf(w->chartDailyValues);
    EXPECT_EQ(b.labels, QStringList({"Total Calories", "Total Fat in grams (limit)",
                                     "Carbohydrate in grams", "Protein in grams"}));
    EXPECT_EQ(b.values, std::vector<double>(4, 0.0));
    EXPECT_TRUE(platform.messages().empty());
}

TEST_F(ChartTest, RangesChartEachDateWithMealsFromTheStoredRows) {
    // 11/26 to 11/28, nothing stored on 11/27. Hand sums of the rows above.
    report(&FormB::mnuReportRangeDates_Click, "11/26/01", "11/28/01");
    frmReportChart* w = openChart();
    ASSERT_TRUE(w);
    ASSERT_EQ(w->tabCharts->tabText(1), "By day");
    const ReportFigures& f = w->figures();
    EXPECT_EQ(f.dates(), QStringList({"11/26/2001", "11/28/2001"}));
    const NutrientFigure& protein = f.lines()[8];
    EXPECT_EQ(protein.name, "Protein in grams");
    EXPECT_EQ(protein.perDay, (std::vector<double>{250, 12.5}));
    // The days add up to the report's own totals, line by line.
    for (const NutrientFigure& line : f.lines())
        EXPECT_DOUBLE_EQ(line.perDay[0] + line.perDay[1], form->dTotals[line.slot]) << line.slot;

    // Calories by default with the Daily Value line; another nutrient brings its own.
    Bars b = barsOf(w->chartByDay);
    EXPECT_EQ(b.labels, QStringList({"11/26/2001", "11/28/2001"}));
    EXPECT_EQ(b.values, (std::vector<double>{650, 300}));
    EXPECT_EQ(b.line, 2000);
    w->cboNutrient->setCurrentIndex(8);
    b = barsOf(w->chartByDay);
    EXPECT_EQ(b.values, (std::vector<double>{250, 12.5}));
    EXPECT_EQ(b.line, 50);

    // The range of dates has no Daily Values of its own: the average date's, titled so.
    // (650 + 300) / 2 = 475 kcal is 23.75 %; (250 + 12.5) / 2 g protein is 262.5 %.
    EXPECT_TRUE(w->chartDailyValues->chart()->title().startsWith("Average per date"));
    b = barsOf(w->chartDailyValues);
    ASSERT_EQ(b.labels[4], "Protein in grams");
    EXPECT_EQ(b.values[0], 23.8);
    EXPECT_EQ(b.values[4], 262.5);

    // A new report replaces the contents: one date, one bar; one meal, no day tab.
    report(&FormB::mnuReportRangeMealNumbers_Click, "2", "2");
    EXPECT_EQ(barsOf(w->chartByDay).values, std::vector<double>{300});
    report(&FormB::mnuReportSpecificDate_Click, "11/26/01");
    EXPECT_EQ(w->tabCharts->indexOf(w->tabByDay), -1);
    EXPECT_EQ(barsOf(w->chartDailyValues).values.front(), 32.5);
}

// A CSV reader after RFC 4180, written apart from the program's writer.
std::vector<QStringList> readCsv(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    std::vector<QStringList> rows(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back() << field;
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.back() << field;
            field.clear();
            rows.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(rows.back().isEmpty() && field.isEmpty()) << "the last record ends with CR LF";
    rows.pop_back();
    return rows;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(ReportCsvTest, FieldsWithCommasQuotesAndLineEndsReadBackUnchanged) {
    const std::vector<QStringList> rows = {
        {"Cheese, \"aged\"", "two\r\nlines", "lone\nfeed", "Crêpe ☕", ""},
        {"plain", "-0.25", "\"", ",", "1e+16"}};
    const QByteArray bytes = csvBytes(rows);
    EXPECT_TRUE(bytes.startsWith("\"Cheese, \"\"aged\"\"\",\"two\r\nlines\""));
    EXPECT_TRUE(bytes.endsWith("\r\nplain,-0.25,\"\"\"\",\",\",1e+16\r\n"));
    EXPECT_EQ(readCsv(bytes), rows);
}

TEST_F(ChartTest, CsvExportHoldsTheReportsNumbersAddsItsSuffixAndAsksBeforeReplacing) {
    report(&FormB::mnuReportRangeMealNumbers_Click, "1", "2");
    // A report saved as "week", then the export typed as "week": the report stays.
    const QString typed = out.filePath("week"), csv = out.filePath("week.csv");
    QFile saved(typed);
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly) && saved.write("Report\r\n") > 0);
    saved.close();
    platform.expectSaveFile(typed);
    form->mnuExportCsv->trigger();
    EXPECT_EQ(bytesOf(typed), "Report\r\n");
    const QByteArray exported = bytesOf(csv);
    const std::vector<QStringList> rows = readCsv(exported);
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows[0], QStringList({"Nutrient", "Unit", "Total", "% Daily Value", "11/26/2001",
                                    "11/28/2001"}));
    // Calories 950 kcal, 47.5 %; protein 262.5 g, 525 %; copper 0.75 mg; vitamin A none.
    EXPECT_EQ(rows[1], QStringList({"Total Calories", "kcal", "950", "47.5", "650", "300"}));
    EXPECT_EQ(rows[9], QStringList({"Protein in grams", "g", "262.5", "525", "250", "12.5"}));
    EXPECT_EQ(rows[17], QStringList({"Copper in mg", "mg", "0.75", "37.5", "0.75", "0"}));
    EXPECT_EQ(rows[20], QStringList({"Vitamin A in iu", "IU", "0", "", "0", "0"}));
    for (const QStringList& row : rows) EXPECT_EQ(row.size(), 6);
    EXPECT_TRUE(platform.messages().empty());

    // Typed again: the file it names now exists, so the user is asked; No keeps it, Yes replaces.
    QFile old(csv);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") > 0);
    old.close();
    platform.expectSaveFile(typed);
    platform.expectMsg(MsgResult::No, "week.csv already exists.\nDo you want to replace it?");
    form->mnuExportCsv->trigger();
    EXPECT_EQ(bytesOf(csv), "old");
    platform.expectSaveFile(typed);
    platform.expectMsg(MsgResult::Yes, "week.csv already exists.");
    form->mnuExportCsv->trigger();
    EXPECT_EQ(bytesOf(csv), exported);
    EXPECT_EQ(platform.messages().back().caption, "Question");

    // A name with a suffix of its own is written as typed.
    platform.expectSaveFile(out.filePath("week.dat"));
    form->mnuExportCsv->trigger();
    EXPECT_EQ(bytesOf(out.filePath("week.dat")), exported);
    EXPECT_FALSE(QFile::exists(out.filePath("week.dat.csv")));
}

TEST_F(ChartTest, ChartAndCsvItemsFollowSaveReport) {
    auto items = [&] {
        return std::vector<bool>{form->mnuSaveReport->isEnabled(), form->mnuExportCsv->isEnabled(),
                                 form->mnuReportChart->isEnabled(),
                                 form->mnuReport->menuAction()->isEnabled()};
    };
    // The chart follows a separator in the Report menu, Your Daily Values the chart; CSV follows
    // Save Report.
    const QList<QAction*> report = form->mnuReport->actions();
    EXPECT_TRUE(report.back() == form->mnuYourDailyValues &&
                report[report.size() - 2] == form->mnuReportChart &&
                report[report.size() - 3]->isSeparator());
    EXPECT_EQ(form->mnuFile->actions()[1], form->mnuExportCsv);
    EXPECT_EQ(form->mnuExportCsv->text(), "Export Report as &CSV...");
    EXPECT_EQ(form->mnuReportChart->text(), "&Chart of the report");

    // Idle, no report: usable, and they say that a report is needed.
    EXPECT_EQ(items(), std::vector<bool>(4, true));
    platform.expectMsg(MsgResult::OK, "There is no report displayed at this time.  To see a chart");
    form->mnuReportChart->trigger();
    platform.expectMsg(MsgResult::OK, "To export a report one must be currently displayed");
    form->mnuExportCsv->trigger();
    EXPECT_EQ(form->chartWindow(), nullptr);

    // Picking foods locks them with the others; leaving picking unlocks them.
    form->mnuAddItem_Click();
    EXPECT_EQ(items(), std::vector<bool>(4, false));
    form->cmdCancel_Click();
    EXPECT_EQ(items(), std::vector<bool>(4, true));

    // A report on display: the chart opens; picking hides the report and the items say so.
    this->report(&FormB::mnuReportMealNumber_Click, "1");
    EXPECT_TRUE(openChart());
    form->mnuAddItem_Click();
    EXPECT_EQ(items(), std::vector<bool>(4, false));
    form->cmdCancel_Click();
    platform.expectMsg(MsgResult::OK, "To export a report");
    form->mnuExportCsv->trigger();
}

TEST_F(ChartTest, SavedAndPrintedChartsNameEveryBarInTheTypeTheirNamesSay) {
    // Something of every nutrient on 11/27/2001: a bar for every line with a Daily Value.
    QVariantMap every;
    for (int slot = 1; slot <= 31; ++slot)
        if (const QString name = csr14Table().fields[slot].name; mealsTable().field(name))
            every[name] = 1;
    addMeal(folder.mealDb(), 4, "Full", QDate(2001, 11, 27), false);
    addMealItem(folder.mealDb(), 4, "Full", QDate(2001, 11, 27), "Everything", 100, every);
    report(&FormB::mnuReportRangeDates_Click, "11/26/01", "11/28/01");
    frmReportChart* w = openChart();
    ASSERT_TRUE(w);
    QStringList names;
    for (const NutrientFigure& line : w->figures().dailyValueLines()) names << line.name;
    ASSERT_GT(names.size(), 20);

    // At the window's opening size, every bar keeps its full name.
    platform.expectSaveFile(out.filePath("chart.svg"));
    w->cmdSaveChart_Click();
    const QString svg = QString::fromUtf8(bytesOf(out.filePath("chart.svg")));
    for (const QString& name : names)  // a limit's name says it is one
        EXPECT_TRUE(svg.contains(">" + name + "<") || svg.contains(">" + name + " (limit)<"))
            << name.toStdString();
    EXPECT_FALSE(svg.contains(QChar(0x2026)));  // an ellipsis: a name cut short
    // The printout is drawn the same way and fills the page from top to bottom.
    platform.expectPrinterSetup(out.filePath("chart.pdf"));
    w->cmdPrintChart_Click();
    QProcess::execute("pdftoppm", {"-r", "20", "-png", "-singlefile", out.filePath("chart.pdf"),
                                   out.filePath("page")});
    const QImage page(out.filePath("page.png"));
    int drawnRows = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255) && ++drawnRows) break;
    EXPECT_GT(drawnRows, page.height() * 8 / 10);

    // A name without a suffix gets ".png"; the suffix chooses the type; any other is refused.
    platform.expectSaveFile(out.filePath("chart"));
    w->cmdSaveChart_Click();
    const QImage image(out.filePath("chart.png"), "PNG");
    ASSERT_FALSE(image.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 10u);
    EXPECT_TRUE(colours.count(QColor(60, 150, 90).rgb()));  // protein, a goal reached

    // The day chart as JPEG, chosen by the suffix; a suffix of no known type is refused.
    w->tabCharts->setCurrentWidget(w->tabByDay);
    platform.expectSaveFile(out.filePath("days.JPG"));
    w->cmdSaveChart_Click();
    EXPECT_TRUE(bytesOf(out.filePath("days.JPG")).startsWith("\xFF\xD8\xFF"));
    platform.expectSaveFile(out.filePath("days.gif"));
    platform.expectMsg(MsgResult::OK, "days.gif was not saved");
    w->cmdSaveChart_Click();
    EXPECT_TRUE(platform.messages().back().text.contains("(.jpg or .jpeg)"));
    EXPECT_FALSE(QFile::exists(out.filePath("days.gif")));

    // A folder that cannot hold the file: the common message, and no file or trace left.
    QFile(out.filePath("file")).open(QIODevice::WriteOnly);
    const QStringList before = QDir(out.path()).entryList(QDir::Files);
    platform.expectSaveFile(out.filePath("file/chart.png"));
    platform.expectMsg(MsgResult::OK,
                       "Error number 75 was encountered.\n\rWhich is described as: ");
    w->cmdSaveChart_Click();
    platform.expectSaveFile(out.filePath("file/week.csv"));
    platform.expectMsg(MsgResult::OK, "Error number 75 was encountered.");
    form->mnuExportCsv_Click();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), before);
}

// Your Daily Values typed from the keyboard reach the report and its footer, the chart, which
// tells a limit from a goal at 120 %, the "By day" line and the CSV; the file they are saved in
// is read at start-up.
TEST_F(ChartTest, OwnDailyValuesFromTheKeyboardReachReportChartAndCsv) {
    const QDate day(2001, 12, 6);
    addMeal(folder.mealDb(), 4, "Feast", day, false);
    addMealItem(folder.mealDb(), 4, "Feast", day, "Stew", 100,
                fields("TOT_LIPID=70.2;PROTEIN=60;VIT_C=72;SODIUM=1200"));
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    const auto tab = [&](int times, const QString& to) {
        for (int i = 0; i < times; ++i) key(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget()->accessibleName(), to);
    };
    // 1800 calories, 50 g of protein; -5 mg of vitamin C is refused, then left empty.
    platform.expectMsg(MsgResult::OK, "Your value for Vitamin C in mg must be a positive number");
    platform.expectModal([&](QDialog& d) {
        auto& w = static_cast<frmDailyValues&>(d);
        QApplication::setActiveWindow(&w);
        EXPECT_EQ(w.windowTitle(), "Your Daily Values");
        ASSERT_EQ(QApplication::focusWidget(), w.txtCalorieLevel);
        EXPECT_EQ(w.txtCalorieLevel->accessibleName(), "Calorie level");
        QTest::keyClick(w.txtCalorieLevel, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w.txtCalorieLevel, "1800");
        tab(7, "Protein in grams");
        QTest::keyClicks(QApplication::focusWidget(), "50");
        EXPECT_EQ(w.lblInForce[1]->text(), "58.5");  // fat: 1800 / 2000 x 65
        EXPECT_EQ(w.lblInForce[6]->text(), "50");
        tab(19, "Vitamin C in mg");
        QTest::keyClicks(QApplication::focusWidget(), "-5");
        key(Qt::Key_Return);
        ASSERT_TRUE(w.isVisible());
        key(Qt::Key_Delete);  // the refused value is selected
        key(Qt::Key_Return);
    });
    form->mnuYourDailyValues->trigger();
    const QString ini = folder.file("Platewise.ini");
    EXPECT_EQ(form->dailyValueTargets.calorieLevel, 1800);
    EXPECT_EQ(form->dailyValueTargets.ownCount(), 1);
    EXPECT_EQ(readDailyValueSettings(ini).targets, form->dailyValueTargets);

    // 70.2 g of fat of 58.5, 60 g of protein of 50, 72 mg of vitamin C of the standard 60.
    report(&FormB::mnuReportMealNumber_Click, "4");
    const QStringList lines = form->reportText.split("\r\n");
    for (const char* line : {" Total Fat in grams:  70.2          Daily Value: 120%",
                             " Protein in grams:  60          Daily Value: 120%",
                             " Vitamin C in mg:  72          Daily Value: 120%"})
        EXPECT_TRUE(lines.contains(line)) << line;
    EXPECT_EQ(lines.mid(lines.size() - 7, 2),
              QStringList({"Percent Daily Values are your own Daily Values, based on",
                           "a 1800 calorie diet (1 value set by hand).  If your calorie"}));
    EXPECT_EQ(form->reportFigures->tableRows()[9],
              QStringList({"Protein in grams", "g", "60", "120"}));

    frmReportChart* w = openChart();
    ASSERT_TRUE(w);
    const Bars b = barsOf(w->chartDailyValues);
    EXPECT_EQ(b.labels,
              QStringList({"Total Calories", "Total Fat in grams (limit)", "Carbohydrate in grams",
                           "Protein in grams", "Sodium in mg (limit)", "Vitamin C in mg"}));
    EXPECT_EQ(b.values, (std::vector<double>{0, 120, 0, 120, 50, 120}));
    EXPECT_EQ(b.set, (std::vector<int>{0, 2, 0, 1, 0, 1}));
    // The legend names each colour: neutral, reached, warning.
    QStringList legend;
    for (QBarSet* set :
         qobject_cast<QAbstractBarSeries*>(w->chartDailyValues->chart()->series()[0])->barSets())
        legend << set->label() + ' ' + set->color().name();
    EXPECT_EQ(legend, QStringList({"Under the Daily Value #4682b4", "Goal reached #3c965a",
                                   "Limit reached #d6604d"}));
    report(&FormB::mnuReportRangeMealNumbers_Click, "4", "4");
    w->cboNutrient->setCurrentIndex(8);
    EXPECT_EQ(barsOf(w->chartByDay).line, 50);

    // Standard Values, then Esc: nothing changes.
    const QByteArray saved = bytesOf(ini);
    platform.expectModal([&](QDialog& d) {
        auto& dv = static_cast<frmDailyValues&>(d);
        QApplication::setActiveWindow(&dv);
        for (int i = 0; i < 3; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        ASSERT_EQ(QApplication::focusWidget(), dv.cmdStandard);
        key(Qt::Key_Space);
        EXPECT_EQ(dv.txtYourValue[6]->text(), "");
        EXPECT_EQ(dv.txtCalorieLevel->value(), 2000);
        key(Qt::Key_Escape);
    });
    form->mnuYourDailyValues->trigger();
    EXPECT_EQ(form->dailyValueTargets.calorieLevel, 1800);
    EXPECT_EQ(bytesOf(ini), saved);

    // At start-up a damaged file: one message naming it, what is right kept, the file as it was.
    saveFileBytes(ini, "[DailyValues]\nCalorieLevel=lots\nProtein=50\n");
    delete form->chartWindow();
    form.reset();
    platform.expectMsg(MsgResult::OK,
                       QDir::toNativeSeparators(ini) + " could not all be read (line 2)");
    form = startProgram(platform, folder.path());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->dailyValueTargets.calorieLevel, 2000);
    EXPECT_EQ(form->dailyValueTargets.valueFor(3), 50);
    EXPECT_EQ(bytesOf(ini), "[DailyValues]\nCalorieLevel=lots\nProtein=50\n");
}

}  // namespace
}  // namespace pw::test
