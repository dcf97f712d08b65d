#include <QPlainTextEdit>
#include <QTextEdit>

#include "tests/reports/ReportFixture.h"

namespace pw::test {
namespace {

QString dv(const char* percent) {
    return QStringLiteral("          Daily Value: ") + percent + '%';
}

// Meal 1: 94.6 + 148.8 + 2.4 kcal, protein 0.1 three times, the water adds nothing.
QStringList lunchBody() {
    return {QString(),
            " Total Calories:  245.8" + dv("12.3"),
            QString(),
            " Total Fat in grams:  8.31" + dv("12.8"),
            "    Saturated Fat in grams:  4.6" + dv("23"),
            "    Polyunsaturated Fat in grams:  0.05",
            "    Monounsaturated Fat in grams:  0",
            " Cholesterol in mg:  24" + dv("8"),
            " Carbohydrate in grams:  36.8" + dv("12.3"),
            " Fiber in grams:  4.4" + dv("17.6"),
            " Protein in grams:  0.3" + dv("0.6"),
            " Sodium in mg:  0",
            " Potassium in mg:  0",
            " Calcium in mg:  287" + dv("28.7"),
            " Phosphorus in mg:  0",
            " Iron in mg:  0",
            " Magnesium in mg:  0",
            " Zinc in mg:  0",
            " Copper in mg:  0",
            " Manganese in mg:  0",
            " Selenium in in micrograms:  0",
            " Vitamin A in iu:  0",
            " Thiamin in mg:  0",
            " Riboflavin in mg:  0",
            " Niacin in mg:  0",
            " Pantothenic acid mg:  0",
            " Vitamin B6 in mg:  0",
            " Folic Acid in micrograms:  0",
            " Vitamin B12 in micrograms:  0",
            " Vitamin C in mg:  8.4" + dv("14"),
            " Vitamin E in mg:  0"};
}

// Meals 1 to 3: lunch, supper's header row and the bread (79 kcal, 4.16 g protein, 1.09 g fat,
// 13.2 g carbohydrate, 1.9 g fiber, 10 mg calcium, 0.8 mg iron).
QStringList threeMealsBody(bool withDV) {
    auto d = [withDV](const char* percent) { return withDV ? dv(percent) : QString(); };
    return {QString(),
            " Total Calories:  324.8" + d("16.2"),
            QString(),
            " Total Fat in grams:  9.4" + d("14.5"),
            "    Saturated Fat in grams:  4.6" + d("23"),
            "    Polyunsaturated Fat in grams:  0.05",
            "    Monounsaturated Fat in grams:  0",
            " Cholesterol in mg:  24" + d("8"),
            " Carbohydrate in grams:  50" + d("16.7"),
            " Fiber in grams:  6.3" + d("25.2"),
            " Protein in grams:  4.46" + d("8.9"),
            " Sodium in mg:  0",
            " Potassium in mg:  0",
            " Calcium in mg:  297" + d("29.7"),
            " Phosphorus in mg:  0",
            " Iron in mg:  0.8" + d("4.4"),
            " Magnesium in mg:  0",
            " Zinc in mg:  0",
            " Copper in mg:  0",
            " Manganese in mg:  0",
            " Selenium in in micrograms:  0",
            " Vitamin A in iu:  0",
            " Thiamin in mg:  0",
            " Riboflavin in mg:  0",
            " Niacin in mg:  0",
            " Pantothenic acid mg:  0",
            " Vitamin B6 in mg:  0",
            " Folic Acid in micrograms:  0",
            " Vitamin B12 in micrograms:  0",
            " Vitamin C in mg:  8.4" + d("14"),
            " Vitamin E in mg:  0"};
}

class ReportEngineTest : public ReportFixture {
protected:
    // After every report the main window is back on the first item of meal 1.
    void expectBackOnLunch() {
        EXPECT_EQ(shownMealNumber(), "1");
        EXPECT_EQ(form->DataB.absolutePosition(), 0);
        EXPECT_EQ(form->lTotalRecordsB, 4);
        EXPECT_TRUE(form->RTBox->isHidden());
        EXPECT_FALSE(form->Text2->isHidden());
    }
};

TEST_F(ReportEngineTest, OneMealAndOneDateGiveTheTotalsOfTheMealWithDailyValues) {
    answerDialog(QStringLiteral("1"));
    form->mnuReportMealNumber_Click();
    const QString kind1 = crLfLines(QStringList{" REPORT FOR MEAL NUMBER 1",
                                                " Meal Name: Lunch     Date of meal: 11/26/2001",
                                                " Total Number of Items in meal: 4"} +
                                    lunchBody() + kFooterLines);
    EXPECT_EQ(form->reportText, kind1);
    EXPECT_EQ(form->Text2->toPlainText(), QString(kind1).replace("\r\n", "\n"));
    EXPECT_EQ(form->svMealName, "Lunch");
    expectBackOnLunch();

    answerDialog(QStringLiteral("11/26/01"));
    form->mnuReportSpecificDate_Click();
    EXPECT_EQ(form->reportText,
              crLfLines(QStringList{" REPORT FOR DATE: 11/26/2001",
                                    " Total Number of Items in all meals for this date: 4"} +
                        lunchBody() + kFooterLines));
    expectBackOnLunch();
}

TEST_F(ReportEngineTest, RangesShowTheFirstAndLastMealsFound) {
    // Typed 0 to 3: the header names the meals found, 1 and 3.
    answerDialog(QStringLiteral("0"), QStringLiteral("3"));
    form->mnuReportRangeMealNumbers_Click();
    EXPECT_EQ(form->reportText, crLfLines(QStringList{" REPORT FOR MEALS 1 THROUGH 3",
                                                      " Date of Meal Number 1:      11/26/2001",
                                                      " Date of Meal Number 3:      11/28/2001",
                                                      " Total Number of Items in all meals: 6"} +
                                          threeMealsBody(true) + kFooterLines));
    expectBackOnLunch();

    // Typed up to 11/30: the header shows the latest date found. No Daily Values, same footer.
    answerDialog(QStringLiteral("11/26/01"), QStringLiteral("11/30/01"));
    form->mnuReportRangeDates_Click();
    EXPECT_EQ(form->reportText,
              crLfLines(QStringList{" REPORT FOR DATES 11/26/2001 THROUGH 11/28/2001",
                                    " Including meal numbers: 1 through 3",
                                    " Total Number of Items in all meals: 6"} +
                        threeMealsBody(false) + kFooterLines));
    expectBackOnLunch();
}

TEST_F(ReportEngineTest, AMealWithOnlyItsHeaderRowCountsOneItemOfZeros) {
    // A report with every nutrient first leaves no suffix behind for the next one.
    answerDialog(QStringLiteral("1"));
    form->mnuReportMealNumber_Click();
    answerDialog(QStringLiteral("2"));
    form->mnuReportMealNumber_Click();
    const QStringList lines = form->reportText.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], " REPORT FOR MEAL NUMBER 2");
    EXPECT_EQ(lines[2], " Total Number of Items in meal: 1");
    EXPECT_EQ(lines[4], " Total Calories:  0" + dv("0"));
    EXPECT_EQ(lines[6], " Total Fat in grams:  0" + dv("0"));
    EXPECT_EQ(lines[11], " Carbohydrate in grams:  0" + dv("0"));
    EXPECT_EQ(lines[13], " Protein in grams:  0" + dv("0"));
    EXPECT_EQ(form->reportText.count(QStringLiteral("Daily Value: ")), 4);
    expectBackOnLunch();
}

TEST_F(ReportEngineTest, ACancelledDialogLeavesTheReportOnDisplay) {
    answerDialog(QStringLiteral("1"));
    form->mnuReportMealNumber_Click();
    const QString before = form->reportText;
    platform.expectModal([](QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    });
    form->mnuReportRangeDates_Click();
    EXPECT_EQ(form->reportText, before);
    EXPECT_FALSE(form->Text2->isHidden());
    EXPECT_FALSE(form->bvHit);
    expectBackOnLunch();
}

}  // namespace
}  // namespace pw::test
