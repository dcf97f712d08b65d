#include <gtest/gtest.h>

#include "custom/FoodsCsv.h"
#include "data/FoodTableVersion.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

// The user's foods written out and read into a program without foods come back field for field.
TEST(FoodsCsv, ExportThenImportGivesBackTheSameFoods) {
    ProgramFolder mine(ProgramFolder::Content::Empty);
    test::addFood(mine.customDb(), QStringLiteral("Tea, \"chai\", spiced"), 6500,
                  test::fields("ENERG_KCAL=1.125;PROTEIN=0.1;GMWT_1=240;GMWT_DESC1=1 cup, hot;"
                               "NDB_NO=00042"));
    test::addFood(mine.customDb(), QStringLiteral("Crème brûlée"), 6500,
                  test::fields("ENERG_KCAL=0.30000000000000004;GMWT_1=.5;GMWT_DESC1=1 tsp;"
                               "GMWT_2=2;GMWT_DESC2=a line\nbreak;REFUSE_PCT=3;CHOLESTRL=7"));
    test::addFood(mine.customDb(), QStringLiteral("A sample"), 6400, test::fields("ENERG_KCAL=1"));
    const QByteArray exported = userFoodsCsv(mine.customDb());
    ProgramFolder fresh(ProgramFolder::Content::Empty);
    const FoodsImport read = readFoodsCsv(exported, fresh.customDb());
    ASSERT_TRUE(read.problems.isEmpty()) << read.problems.join(u'\n').toStdString();
    ASSERT_EQ(read.foods.size(), 2u);  // the user's foods, not the sample
    const auto version = foodTableVersion();
    addFoods(fresh.customDb(), read.foods);
    EXPECT_GT(foodTableVersion(), version);
    EXPECT_EQ(userFoodsCsv(fresh.customDb()), exported);
}

// Every kind of wrong row is refused with its line and field, and nothing is imported.
TEST(FoodsCsv, WrongRowsAreListedAndNothingIsImported) {
    ProgramFolder folder;
    const QString header = QStringLiteral("GMWT_DESC1,Description,GMWT_1,ENERG_KCAL\r\n");
    const struct {
        QString rows;
        QString problem;
    } cases[] = {
        {",Oats,100,380", "Line 2, GMWT_DESC1: Please enter a description of the portion size."},
        {"1 cup,,100,380", "Line 2, Description: Please enter an item description."},
        {"1 cup,Mom's dad's,100,380", "Line 2, Description: Descriptions can not contain"},
        {"1 cup,Oats,,380", "Line 2, GMWT_1: Please enter weight of the portion in grams."},
        {"1 cup,Oats,0,380", "Weight must be greater than zero."},
        {"1 cup,Oats,ten,380", "Line 2, GMWT_1: not a number."},
        {"1 cup,Oats,100,", "Line 2, ENERG_KCAL: Please enter the number of Calories."},
        {"1 cup,Oats,100,lots", "Line 2, ENERG_KCAL: not a number."},
        {"1 cup,Apple, raw,100,52", "Line 2, 5 fields where the header names 4."},
        {"1 cup,APPLE RAW,100,52\r\n1 cup,\"Apple, raw\",100,52",
         "Line 3, Description: a food of that name exists."},
        {"1 cup,Oats,100,380\r\n1 cup,oats,100,380",
         "Line 3, Description: a food of that name exists."},
    };
    const int before = test::rowCount(folder.customDb(), QStringLiteral("CSR14"));
    for (const auto& c : cases) {
        const FoodsImport read = readFoodsCsv((header + c.rows).toUtf8(), folder.customDb());
        EXPECT_TRUE(read.foods.empty()) << c.rows.toStdString();
        EXPECT_TRUE(importProblemsText(read).contains(c.problem))
            << importProblemsText(read).toStdString();
    }
    const FoodsImport badHeader =
        readFoodsCsv("Description,Sugar\r\nOats,1\r\n", folder.customDb());
    EXPECT_EQ(badHeader.problems, QStringList{QStringLiteral("Line 1, Sugar: not a field.")});
    QByteArray many = header.toUtf8();
    for (int i = 0; i < 25; ++i) many += "1 cup,,100,1\r\n";
    const FoodsImport manyWrong = readFoodsCsv(many, folder.customDb());
    EXPECT_EQ(manyWrong.problems.size(), 20);
    EXPECT_TRUE(importProblemsText(manyWrong).endsWith(QStringLiteral("... and 5 more.")));
    EXPECT_EQ(test::rowCount(folder.customDb(), QStringLiteral("CSR14")), before);
}

}  // namespace
}  // namespace pw
