#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/FormB.h"
#include "app/Globals.h"
#include "data/Database.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestDb.h"

namespace pw::test {

// A meal store for reports:
//   meal 1 "Lunch"     11/26/2001: an apple, milk, tea and water (water has every field empty);
//                                  protein is stored as 0.1 in three items
//   meal 2 "Supper"    11/27/2001: only its header row
//   meal 3 "Breakfast" 11/28/2001: bread
//   meal 4 "Snack"     12/05/2001: only its header row
// The main window starts on meal 1.
class ReportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const QString db = folder.mealDb();
        addMeal(db, 1, QStringLiteral("Lunch"), QDate(2001, 11, 26), false);
        addMealItem(db, 1, QStringLiteral("Lunch"), QDate(2001, 11, 26),
                    QStringLiteral("Apple, raw"), 182,
                    {{"ENERG_KCAL", 94.6},
                     {"PROTEIN", 0.1},
                     {"TOT_LIPID", 0.31},
                     {"CARBOHYDRT", 25.1},
                     {"FIBER_TD", 4.4},
                     {"CALCIUM", 11},
                     {"VIT_C", 8.4},
                     {"FA_POLY", 0.05}});
        addMealItem(db, 1, QStringLiteral("Lunch"), QDate(2001, 11, 26),
                    QStringLiteral("Milk, whole"), 244,
                    {{"ENERG_KCAL", 148.8},
                     {"PROTEIN", 0.1},
                     {"TOT_LIPID", 8},
                     {"CARBOHYDRT", 11.7},
                     {"CALCIUM", 276},
                     {"FA_SAT", 4.6},
                     {"CHOLESTRL", 24}});
        addMealItem(db, 1, QStringLiteral("Lunch"), QDate(2001, 11, 26), QStringLiteral("Tea"), 100,
                    {{"ENERG_KCAL", 2.4}, {"PROTEIN", 0.1}});
        addMealItem(db, 1, QStringLiteral("Lunch"), QDate(2001, 11, 26),
                    QStringLiteral("Water, plain"), 100);
        addMeal(db, 2, QStringLiteral("Supper"), QDate(2001, 11, 27));
        addMeal(db, 3, QStringLiteral("Breakfast"), QDate(2001, 11, 28), false);
        addMealItem(db, 3, QStringLiteral("Breakfast"), QDate(2001, 11, 28),
                    QStringLiteral("Bread, whole-wheat"), 32,
                    {{"ENERG_KCAL", 79},
                     {"PROTEIN", 4.16},
                     {"TOT_LIPID", 1.09},
                     {"CARBOHYDRT", 13.2},
                     {"FIBER_TD", 1.9},
                     {"CALCIUM", 10},
                     {"IRON", 0.8}});
        addMeal(db, 4, QStringLiteral("Snack"), QDate(2001, 12, 5));
        extraMeals();
        form = startProgram(platform, folder.path());
        ASSERT_TRUE(form);
    }

    void TearDown() override {
        form.reset();
        platform.verifyDone();
        closeAllConnections();
    }

    // More meals for one test, added before the program starts.
    virtual void extraMeals() {}

    // The next report dialog gets `first` (and `second`) typed into its boxes and OK clicked;
    // when `thenCancel`, Cancel is clicked afterwards (the dialog stays open after a failed OK).
    void answerDialog(const QString& first, const QString& second = {}, bool thenCancel = false) {
        platform.expectModal([=](QDialog& d) {
            QTest::keyClicks(d.findChild<QLineEdit*>(QStringLiteral("Text1")), first);
            QTest::keyClicks(d.findChild<QLineEdit*>(QStringLiteral("Text2")), second);
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
            if (thenCancel)
                QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                                  Qt::LeftButton);
        });
    }

    QString shownMealNumber() const { return form->txtFieldB.text(38); }

    ProgramFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<FormB> form;
};

// A report's lines, each ended by CR LF.
inline QString crLfLines(const QStringList& lines) {
    QString text;
    for (const QString& l : lines) text += l + QStringLiteral("\r\n");
    return text;
}

inline const QStringList kFooterLines = {
    QString(),
    QStringLiteral("Percent Daily Values are Food and Drug Administration"),
    QStringLiteral("guidelines and are based on a 2000 calorie diet.  If your calorie"),
    QStringLiteral("needs are higher or lower the daily values for carbohydrates,"),
    QStringLiteral("protein, fat, and fiber would be proportionally higher or lower also."),
    QStringLiteral("Daily Values for vitamins, minerals, and cholesterol would"),
    QStringLiteral("remain the same."),
};

}  // namespace pw::test
