// Every window, in each of its states, shows the whole text of each of its controls on an
// 800 x 600 screen. CTest runs this program twice: as it is, and at QT_SCALE_FACTOR=2.

#include <SQLiteCpp/Database.h>

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>

#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "data/Fields.h"
#include "data/Schema.h"
#include "meals/frmPortion.h"
#include "platform/BoundList.h"
#include "platform/TextFit.h"
#include "platform/Twips.h"
#include "platform/TwipsLayout.h"
#include "reports/frmReportChart.h"
#include "tests/meals/Meals.h"
#include "viewers/frmHLP.h"
#include "viewers/frmRTF.h"

namespace pw::test {
namespace {

// A date as wide as dates come, and a meal name of the most characters the dialog takes.
const QString kWideDate = QStringLiteral("11/26/2001");
const QString kLongMealName = QStringLiteral("Sunday family dinner");

// Whether `control` lies in a scrolled area, which shows it part by part.
bool scrolled(const QWidget& control) {
    for (const QWidget* w = control.parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<const QScrollArea*>(w->parentWidget()))
            if (w == area->viewport()) return true;
    return false;
}

// What cuts its text in `window`: each visible control of the window (not of windows it owns),
// a control reaching outside the window (unless it is scrolled), and a caption too wide for the
// title bar. An entry box holding one of `scrolls` is let be: it shows that text part by part.
QStringList clipped(QWidget& window, const QStringList& scrolls = {}) {
    QCoreApplication::processEvents();
    QStringList found;
    const QRect inside = window.rect();
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible() || control->window() != &window) continue;
        const auto* box = qobject_cast<QLineEdit*>(control);
        const QString cut =
            box && scrolls.contains(box->text()) ? QString() : clippedText(*control);
        if (!cut.isEmpty()) found << cut;
        const QRect at(control->mapTo(&window, QPoint(0, 0)), control->size());
        if (!inside.contains(at) && !scrolled(*control))
            found << control->objectName() + QStringLiteral(" reaches outside the window");
    }
    // The title bar holds the caption beside an icon and two or three buttons.
    const int buttons = 4 * window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int caption = window.fontMetrics().horizontalAdvance(window.windowTitle());
    if (!window.windowTitle().isEmpty() && caption + buttons > window.frameGeometry().width())
        found << QStringLiteral("caption \"%1\" needs %2 beside the buttons, has %3")
                     .arg(window.windowTitle())
                     .arg(caption)
                     .arg(window.frameGeometry().width() - buttons);
    return found;
}

int scale() { return qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2 : 1; }

// Checks the window's texts and, at scale 1, that it leaves an 800 x 600 screen room for its
// title bar and a panel.
void expectWhole(QWidget& window, const QString& state, const QStringList& scrolls = {}) {
    EXPECT_EQ(clipped(window, scrolls).join(QChar('\n')).toStdString(), "") << qPrintable(state);
    if (scale() == 1) {
        EXPECT_LE(window.frameGeometry().width(), 780) << qPrintable(state);
        EXPECT_LE(window.frameGeometry().height(), 540) << qPrintable(state);
    }
}

// ---- The measure itself ----

// (That roomy controls pass, the walks over the windows below show.)
TEST(TextFitTest, ControlsTooSmallForTheirTextAreFound) {
    QWidget form;
    auto* label = new QLabel(QStringLiteral("First meal in series:"), &form);
    label->setGeometry(0, 0, label->fontMetrics().horizontalAdvance(label->text()) - 4, 40);
    EXPECT_TRUE(clippedText(*label).startsWith(QStringLiteral("QLabel: \"First meal")));

    // A wrapped label is as good as its height: three lines in room for two are cut.
    auto* wrapped = new QLabel(QStringLiteral("one two three four five six"), &form);
    wrapped->setWordWrap(true);
    const QFontMetrics fm = wrapped->fontMetrics();
    wrapped->setGeometry(0, 0, fm.horizontalAdvance(QStringLiteral("three four")) + 2,
                         2 * fm.lineSpacing());
    EXPECT_FALSE(textRoom(*wrapped)->tallEnough());
    EXPECT_TRUE(textRoom(*wrapped)->wideEnough());

    // A button's text needs its bevel besides.
    auto* button = new QPushButton(QStringLiteral("&Submit"), &form);
    button->setGeometry(0, 0, button->fontMetrics().horizontalAdvance(QStringLiteral("Submit")),
                        30);
    EXPECT_FALSE(textRoom(*button)->fits());

    // An entry box is measured with what it holds, or with a sample.
    auto* box = new QLineEdit(&form);
    box->setGeometry(0, 0, box->fontMetrics().horizontalAdvance(kWideDate), 30);
    EXPECT_FALSE(textRoom(*box).has_value());
    EXPECT_FALSE(textRoom(*box, kWideDate).fits());

    // A text box without a permanent scroll bar must show its whole document.
    auto* help = new QTextEdit(&form);
    help->setPlainText(QStringLiteral("line\n").repeated(20));
    help->setGeometry(0, 0, 200, 60);
    form.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(textRoom(*help)->fits());
    help->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(textRoom(*help).has_value());
}

TEST(TwipsLayoutTest, AFormTooSmallForItsTextsGrowsInProportionAndKeepsItsArrangement) {
    QWidget form;
    auto* caption = new QLabel(QStringLiteral("A caption much wider than its box"), &form);
    auto* box = new QLineEdit(&form);
    auto* below = new QPushButton(QStringLiteral("OK"), &form);
    TwipsLayout layout(form, 3600, 1500);
    layout.place(caption, 100, 100, 1500, 300);
    layout.place(box, 1700, 100, 900, 300);
    layout.place(below, 1700, 600, 900, 450);
    layout.reserve(box, kWideDate);
    layout.fit();

    EXPECT_EQ(clippedText(*caption).toStdString(), "");
    EXPECT_TRUE(textRoom(*box, kWideDate).fits());
    // Still side by side, still one over the other, the box as far right as the button.
    EXPECT_LT(caption->geometry().right(), box->x());
    EXPECT_EQ(box->x(), below->x());
    EXPECT_LT(box->geometry().bottom(), below->y());
    EXPECT_TRUE(form.rect().contains(below->geometry()));
    // The form grew as its controls did, no further than needed.
    EXPECT_GT(layout.growthX(), 1.0);
    EXPECT_NEAR(form.width() / double(twipsToPixelsX(form, 3600)), layout.growthX(), 0.01);
    caption->resize(caption->width() * 9 / 10, caption->height());
    EXPECT_NE(clippedText(*caption).toStdString(), "");
}

// ---- Every window of the program ----

class FitTest : public MealsTest {
protected:
    FitTest() : MealsTest(ProgramFolder::Content::Templates) {}

    void SetUp() override {
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        ASSERT_EQ(screen * scale(), QSize(800, 600)) << "the test needs an 800 x 600 screen";
        for (const char* document : {"Help.rtf", "DV.rtf"})
            QFile::copy(QStringLiteral(PW_PROGRAM_DIR "/") + QLatin1String(document),
                        folder.file(QLatin1String(document)));
    }

    // A meal with two items, the window opened on it.
    void openOnAMeal() {
        addMeal(db(), 1, kLongMealName, kDate, false);
        for (const QString& food : longestUnitFoods())
            addMealItem(db(), 1, kLongMealName, kDate, food, 100);
        openWindow();
        form->DataB.moveLast();  // the counter of the last item: the widest
    }

    // The foods of the table with the longest first and second unit descriptions.
    QStringList longestUnitFoods() const {
        SQLite::Database custom(folder.customDb().toStdString());
        QStringList foods;
        for (const std::string unit : {"GMWT_DESC1", "GMWT_DESC2"})
            foods << custom
                         .execAndGet("SELECT Description FROM CSR14 ORDER BY length(" + unit +
                                     ") DESC LIMIT 1")
                         .getText();
        return foods;
    }
};

TEST_F(FitTest, TheMainWindowFitsTheScreenInEachStateAndCanGrow) {
    openOnAMeal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(scale() == 2 || QGuiApplication::primaryScreen()->availableGeometry().contains(
                                    form->frameGeometry()));
    expectWhole(*form, QStringLiteral("FormB idle"));

    // The banner fills the right half beside the counter and detail, instead of floating
    // between empty bands.
    const auto inWindow = [this](QWidget* w) {
        return QRect(w->mapTo(form.get(), QPoint()), w->size());
    };
    EXPECT_EQ(inWindow(form->RTBox).top(), inWindow(form->lblRecordCountB).top());
    EXPECT_EQ(inWindow(form->RTBox).bottom(), inWindow(form->Text1).bottom());

    form->mnuAddItem_Click();
    expectWhole(*form, QStringLiteral("FormB picking"));
    form->cmdCancel_Click();

    expectDialog([](QDialog& d) {
        type(d, "Text1", QStringLiteral("1"));
        click(d, "cmdOK");
    });
    form->mnuReportMealNumber_Click();
    ASSERT_TRUE(form->Text2->isVisible());
    expectWhole(*form, QStringLiteral("FormB with a report"));

    // A larger screen is used: the detail and the report take the room.
    const QSize detail = form->Text1->size();
    const QSize report = form->Text2->size();
    form->resize(form->size() + QSize(200, 150));
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->Text1->width() > detail.width() && form->Text1->height() > detail.height());
    EXPECT_TRUE(form->Text2->width() > report.width() && form->Text2->height() > report.height());
    EXPECT_TRUE(form->maximumSize().width() > 10000 && form->maximumSize().height() > 10000);

    // Where the window is wide enough, the eleven buttons of the row are all of one size.
    form->resize(1300, 700);
    QCoreApplication::processEvents();
    for (QPushButton* b : {form->cmdBMoveFirst, form->cmdAddMeal, form->cmdPortionAdjust})
        EXPECT_NEAR(b->width(), form->cmdClose->width(), 1) << qPrintable(b->text());
}

TEST_F(FitTest, TheButtonRowStaysPutWhileTheRestartHidesTheCounterAndDetail) {
    addMeal(db(), 1, kLongMealName, kDate, false);
    addMealItem(db(), 1, kLongMealName, kDate, longestUnitFoods().front(), 100);
    openWindow();
    QCoreApplication::processEvents();
    // The right-hand button of the row, where a jump of the row shows first.
    const QRect before = form->cmdClose->geometry();
    const QRect banner = form->RTBox->geometry();

    platform.expectMsg(MsgResult::Yes, QStringLiteral("Are you sure you want to delete"));
    platform.expectMsg(MsgResult::Yes, QStringLiteral("This is the last remaining item"));
    platform.expectMsg(MsgResult::OK, QStringLiteral("All Records have been deleted"));
    expectDialog([&](QDialog& d) {
        QCoreApplication::processEvents();
        EXPECT_FALSE(form->Text1->isVisible());
        EXPECT_EQ(form->cmdClose->geometry(), before);
        EXPECT_EQ(form->RTBox->geometry(), banner);
        expectWhole(d, QStringLiteral("frmNewMeal add mode (restart)"));
        type(d, "Text2", kLongMealName);
        type(d, "Text3", kWideDate);
        click(d, "cmdOK");
    });
    form->mnuRemove_Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->cmdClose->geometry(), before);
}

TEST_F(FitTest, EveryDialogViewerAndTheAboutAndSplashWindows) {
    openOnAMeal();
    showMealDialog([](QDialog& d) {
        type(d, "Text2", kLongMealName);
        type(d, "Text3", kWideDate);
        expectWhole(d, QStringLiteral("frmNewMeal add mode"));
        click(d, "cmdCancel");
    });
    form->vSelectExisting = true;
    showMealDialog([](QDialog& d) {
        expectWhole(d, QStringLiteral("frmNewMeal select mode"));
        click(d, "cmdCancel");
    });

    for (int item = 0; item < 2; ++item) {  // the longest first unit, the longest second one
        item == 0 ? form->DataB.moveFirst() : form->DataB.moveLast();
        expectDialog([item](QDialog& d) {
            auto* portion = static_cast<frmPortion*>(&d);
            ASSERT_TRUE(portion->Option2->isVisibleTo(&d));
            ASSERT_TRUE(item == 0 || portion->Option3->isVisibleTo(&d));
            expectWhole(d, QStringLiteral("frmPortion, longest unit %1").arg(item + 1));
            // The separator lines stay under their options.
            EXPECT_GT(portion->Line2->y(), portion->Option2->y());
            EXPECT_LT(portion->Line2->y(), portion->Option3->y());
            click(d, "cmdCancel");
        });
        form->cmdPortionAdjust_Click();
    }

    int kind = 0;
    for (auto command : {&FormB::mnuReportMealNumber_Click, &FormB::mnuReportRangeMealNumbers_Click,
                         &FormB::mnuReportSpecificDate_Click, &FormB::mnuReportRangeDates_Click}) {
        expectDialog([kind = ++kind](QDialog& d) {
            type(d, "Text1", kWideDate);
            if (d.findChild<QLineEdit*>(QStringLiteral("Text2"))->isVisible())
                type(d, "Text2", kWideDate);
            expectWhole(d, QStringLiteral("frmReport kind %1").arg(kind));
            click(d, "cmdCancel");
        });
        (form.get()->*command)();
    }

    expectDialog([this](QDialog& list) {
        expectWhole(list, QStringLiteral("frmDbaseDel"));
        expectDialog([](QDialog& add) {
            type(add, "txtFields_0", QStringLiteral("Oat and honey granola bar"));
            type(add, "txtFields_33", QStringLiteral("1 bar"));
            expectWhole(add, QStringLiteral("frmDbaseAdd"));
            click(add, "cmdCancel");
        });
        click(list, "cmdAddNew");
        click(list, "cmdDone");
    });
    form->cmdCustom_Click();

    form->mnuHelp_Click();
    ASSERT_NE(form->helpViewer(), nullptr);
    expectWhole(*form->helpViewer(), QStringLiteral("frmHLP"));

    const QString report = folder.file(QStringLiteral("Report of a long week.txt"));
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("Calories 2000\r\n").repeated(200));
    file.close();
    platform.expectOpenFile(report);
    form->mnuFileOpen_Click();
    auto* reader = form->findChild<frmRTF*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(reader, nullptr);
    expectWhole(*reader, QStringLiteral("frmRTF"));

    form->mnuAbout_Click();
    frmAbout& about = *form->aboutBox();
    expectWhole(about, QStringLiteral("frmAbout"));
    // Its text is drawn, not held by controls: every line within the window, above the button.
    for (const QString& line : frmAbout::lines())
        EXPECT_LE(about.fontMetrics().horizontalAdvance(line), about.width()) << qPrintable(line);
    EXPECT_GE(about.Command1->y(),
              about.fontMetrics().lineSpacing() * static_cast<int>(frmAbout::lines().size()));

    frmSplash splash;
    splash.show();
    expectWhole(splash, QStringLiteral("frmSplash"));
    EXPECT_TRUE(scale() == 2 ||
                QGuiApplication::primaryScreen()->geometry().contains(splash.frameGeometry()));
}

// A food of one's own may have any description and unit: one word of 2,000 letters, and a unit
// of 300. Every window that shows them stays on the screen; the portion dialog shows as much as
// fits and the whole in the tooltip and to a screen reader.
TEST_F(FitTest, AFoodNamedWithOneLongWordKeepsEveryWindowOnTheScreen) {
    const QString word(2000, u'W');
    const QString unit(300, u'u');
    addFood(folder.customDb(), word, kUserFoodCode,
            fields(QStringLiteral("ENERG_KCAL=100;GMWT_1=30;GMWT_DESC1=") + unit));
    addMeal(db(), 1, kLongMealName, kDate, false);
    addMealItem(db(), 1, kLongMealName, kDate, word, 100);
    openWindow();
    expectWhole(*form, QStringLiteral("FormB on the item"));

    expectDialog([&](QDialog& d) {
        auto* portion = static_cast<frmPortion*>(&d);
        ASSERT_TRUE(portion->Option2->isVisibleTo(&d));
        expectWhole(d, QStringLiteral("frmPortion, a description of one long word"));
        EXPECT_EQ(portion->lblDescrip->toolTip(), word);
        EXPECT_EQ(portion->lblDescrip->accessibleName(), word);
        EXPECT_TRUE(portion->Option2->accessibleName().contains(unit));
        click(d, "cmdCancel");
    });
    form->cmdPortionAdjust_Click();

    form->mnuAddItem_Click();
    pickFood(word);
    expectWhole(*form, QStringLiteral("FormB picking the food"));
    form->cmdCancel_Click();

    expectDialog([&](QDialog& list) {
        auto* foods = list.findChild<BoundList*>(QStringLiteral("DBList1"));
        foods->setCurrentRow(foods->findFirst(word));
        expectWhole(list, QStringLiteral("frmDbaseDel on the food"), {word, unit});
        click(list, "cmdDone");
    });
    form->cmdCustom_Click();
}

// The category labels of `view`'s chart that are not drawn in full: elided, hidden because they
// would overlap, or outside the view.
QStringList unreadableLabels(QChartView& view) {
    QCoreApplication::processEvents();
    QStringList drawn;
    const QRectF shown = view.mapToScene(view.viewport()->rect()).boundingRect();
    for (QGraphicsItem* item : view.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
            if (text->isVisible() && shown.contains(text->sceneBoundingRect()))
                drawn << text->toPlainText();
    QStringList missing;
    for (QAbstractAxis* axis : view.chart()->axes())
        if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis))
            for (const QString& label : categories->categories())
                if (!drawn.contains(label)) missing << label;
    return missing;
}

TEST_F(FitTest, TheChartWindowNamesEveryBarInFullOnEachTab) {
    // A meal with some of every nutrient: a bar for each line with a Daily Value.
    QVariantMap values;
    const QStringList names = fieldNames(mealsTable());
    for (int slot = 1; slot <= 31; ++slot) values[names[slot]] = 50;
    addMeal(db(), 1, kLongMealName, kDate, false);
    addMealItem(db(), 1, kLongMealName, kDate, longestUnitFoods().front(), 100, values);
    openWindow();
    // A range report: all three tabs.
    expectDialog([](QDialog& d) {
        type(d, "Text1", QStringLiteral("1"));
        type(d, "Text2", QStringLiteral("1"));
        click(d, "cmdOK");
    });
    form->mnuReportRangeMealNumbers_Click();
    form->mnuReportChart->trigger();
    auto* chart = qobject_cast<frmReportChart*>(form->chartWindow());
    ASSERT_TRUE(chart && chart->isVisible());
    for (int tab = 0; tab < chart->tabCharts->count(); ++tab) {
        chart->tabCharts->setCurrentIndex(tab);
        const QString state = QStringLiteral("frmReportChart ") + chart->tabCharts->tabText(tab);
        expectWhole(*chart, state);
        for (QChartView* view : chart->findChildren<QChartView*>())
            if (view->isVisible()) {
                EXPECT_EQ(unreadableLabels(*view).join(QStringLiteral(", ")).toStdString(), "")
                    << qPrintable(state);
            }
    }
    // The bars that the window cannot show at once are reached from the keyboard.
    chart->tabCharts->setCurrentIndex(0);
    QApplication::setActiveWindow(chart);
    chart->chartDailyValues->setFocus();
    QScrollBar* bar = chart->scrollDailyValues->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QTest::keyClick(chart->chartDailyValues, Qt::Key_PageDown);
    EXPECT_GT(bar->value(), 0);
    QTest::keyClick(chart->chartDailyValues, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(chart->chartDailyValues, Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    delete chart;
}

}  // namespace
}  // namespace pw::test
