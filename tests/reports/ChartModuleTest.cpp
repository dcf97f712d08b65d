// The chart window as the program gets it: this test program links none of the chart window's
// objects, so every chart comes from the built module, loaded the way the program loads it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/FormB.h"
#include "app/Startup.h"
#include "reports/ReportChartWindow.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw::test {
namespace {

bool mapped(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

// Meal 1, 400 kcal; meal 2, 1000 kcal.
class ChartModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString db = folder.mealDb();
        const QDate day(2001, 11, 26);
        addMeal(db, 1, "Lunch", day, false);
        addMealItem(db, 1, "Lunch", day, "Cheese", 100, fields("ENERG_KCAL=400"));
        addMeal(db, 2, "Supper", day, false);
        addMealItem(db, 2, "Supper", day, "Stew", 100, fields("ENERG_KCAL=1000"));
        form = startProgram(platform, folder.path());
        ASSERT_TRUE(form);
        report("1");
    }
    void TearDown() override {
        delete form->chartWindow();
        form.reset();
    }

    void report(const QString& meal) {
        platform.expectModal([=](QDialog& d) {
            QTest::keyClicks(d.findChild<QLineEdit*>("Text1"), meal);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        form->mnuReportMealNumber_Click();
    }
    QString caloriesShown() const {
        const auto* table = form->chartWindow()->findChild<QTableWidget*>();
        return table ? table->item(0, 2)->text() : QString();
    }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
};

TEST_F(ChartModuleTest, AModuleMissingOrNotLoadableIsNamedAndNothingOpens) {
    // Neither beside this program nor where an install puts it; each try tells the user again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        platform.expectMsg(MsgResult::OK,
                           QStringLiteral("libplatewise_chart.so is in none of these folders: ") +
                               QCoreApplication::applicationDirPath() + QStringLiteral(", "));
        form->mnuReportChart->trigger();
        EXPECT_EQ(form->chartWindow(), nullptr);
    }

    // A file of that name that is no library: its path and the loader's reason.
    QTemporaryDir dir;
    QFile junk(dir.filePath("libplatewise_chart.so"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a library\n");
    junk.close();
    platform.expectMsg(MsgResult::OK, junk.fileName());
    EXPECT_FALSE(loadChartModule(platform, {dir.path()}));
    EXPECT_TRUE(platform.messages().back().text.contains("file too short"))
        << qPrintable(platform.messages().back().text);
    EXPECT_FALSE(mapped("libQt6Charts"));
}

TEST_F(ChartModuleTest, TheBuiltModuleLoadsOnlyWhenAskedAndShowsTheReports) {
    // (Qt Svg may be in already: Qt's own SVG image plugin needs it, loaded with the menu bar.)
    EXPECT_FALSE(mapped("libQt6Charts"));
    EXPECT_FALSE(mapped("libQt6OpenGL"));
    ASSERT_TRUE(loadChartModule(platform, {PW_PROGRAM_DIR}));
    EXPECT_TRUE(mapped("/libplatewise_chart.so"));
    EXPECT_TRUE(mapped("libQt6Charts"));

    form->mnuReportChart->trigger();
    ReportChartWindow* chart = form->chartWindow();
    ASSERT_TRUE(chart && chart->isVisible());
    EXPECT_STREQ(chart->metaObject()->className(), "pw::frmReportChart");
    EXPECT_EQ(caloriesShown(), "400");
    // A new report goes to the open window through the main window's interface to it.
    report("2");
    EXPECT_EQ(form->chartWindow(), chart);
    EXPECT_EQ(caloriesShown(), "1000");
    EXPECT_TRUE(platform.messages().empty());
}

}  // namespace
}  // namespace pw::test
