#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/FormB.h"
#include "app/Globals.h"
#include "data/Database.h"
#include "data/RecordCursor.h"
#include "platform/BoundList.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw::test {

// A soup measured in cups: values per 100 g chosen so that the portions below are easy to work
// out by hand and none of them lands on a rounding tie.
inline const QString kSoup = QStringLiteral("Zz test soup");
inline QVariantMap soupValues() {
    return {{"ENERG_KCAL", 41.2},
            {"PROTEIN", 2.11},
            {"TOT_LIPID", 0.334},
            {"CARBOHYDRT", 7.2},
            {"SODIUM", 345},
            {"VIT_C", 0.0004},
            {"FA_SAT", 1.2345},
            {"CHOLESTRL", 0},
            {"ASH", 1.5},
            {"GMWT_1", 240},
            {"GMWT_DESC1", QStringLiteral("1 cup")}};
}

// The main window over a program folder of its own, driven through a scripted platform.
class FoodFixture : public ::testing::Test {
protected:
    explicit FoodFixture(ProgramFolder::Content content = ProgramFolder::Content::Fixture)
        : folder(content) {}

    void SetUp() override {
        globals().svCustomDB = folder.customDb();
        globals().svMealDB = folder.mealDb();
        globals().programDir = folder.path();
        addFood(folder.customDb(), kSoup, 6500, soupValues());
    }

    void TearDown() override {
        form.reset();
        platform.verifyDone();
        closeAllConnections();
    }

    // Opens the main window as the program does at start-up.
    void openWindow() {
        if (rowCount(folder.mealDb(), QStringLiteral("Meals")) == 0)
            platform.expectMsg(MsgResult::OK, QStringLiteral("There are no records yet"));
        form = std::make_unique<FormB>(platform);
        form->Form_Load();
    }

    // Enters picking as "Add an item" does.
    void startPicking() { QTest::mouseClick(form->cmdAddItem, Qt::LeftButton); }

    // Selects a food in the list as a click would, by its description.
    void selectFood(const QString& description) {
        const int row = form->DBList1->findFirst(description);
        ASSERT_GE(row, 0) << description.toStdString();
        ASSERT_EQ(form->DBList1->rowText(row), description);
        form->DBList1->setCurrentRow(row);
    }

    // Double-clicks the selected food: a click, then the second press that makes it double.
    void doubleClickSelected() {
        QWidget* viewport = form->DBList1->viewport();
        const QPoint at = form->DBList1->visualRect(form->DBList1->currentIndex()).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }

    // The stored rows of one meal, in storage order, read back through a cursor of their own.
    struct StoredRow {
        QString description, calories, protein, fiber, vitC, satFat, ash, unit, quantity, grams,
            mealNumber, mealName;
    };
    std::vector<StoredRow> storedItems(int mealNumber) {
        RecordCursor c;
        c.setDatabaseName(folder.mealDb());
        c.setRecordSource(QStringLiteral("Select ALL * from Meals Where MealNumber = ") +
                          QString::number(mealNumber));
        c.refresh();
        std::vector<StoredRow> rows;
        if (c.recordCount() == 0) return rows;
        for (c.moveFirst(); !c.eof(); c.moveNext()) {
            auto t = [&](const char* f) { return c.text(QLatin1String(f)); };
            rows.push_back({t("description"), t("ENERG_KCAL"), t("PROTEIN"), t("FIBER_TD"),
                            t("VIT_C"), t("FA_SAT"), t("ASH"), t("GMWT_DESC1"), t("GMWT_2"),
                            t("PortionSize"), t("MealNumber"), t("MealName")});
        }
        return rows;
    }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
};

}  // namespace pw::test
