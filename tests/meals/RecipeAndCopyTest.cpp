// A meal saved as a food of one's own and a meal copied to another date, without a window: the
// recipe's values and units, the copy row by row, every refusal, and a failing store.
#include <gtest/gtest.h>

#include "custom/Recipe.h"
#include "data/Database.h"
#include "data/FoodTableVersion.h"
#include "data/MealStore.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/RecordCursor.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"
#include "meals/ItemDetail.h"
#include "tests/support/FileFailure.h"
#include "tests/support/TestDb.h"

namespace pw::test {
namespace {

const QDate kDate(2002, 3, 4);

QStringList plainRows(const QString& db, const char* table, const QString& where = "1") {
    return tableRows(db, QLatin1String(table), where);
}

class RecipeAndCopy : public ::testing::Test {
protected:
    // Meal 3, 300 g: an apple of one unit (182 g), two slices of bread (64 g), 54 g of milk, with
    // their values for those portions as the portion dialog writes them.
    RecipeAndCopy() {
        addMeal(mealDb(), 3, QStringLiteral("Stew"), kDate, false);
        const struct {
            const char *food, *kcal, *protein, *fat, *unit, *quantity;
            double grams;
        } items[] = {{"Apple, raw", " 94.6", " .473", " .309", "1 medium", "1", 182},
                     {"Bread, whole-wheat", " 158.1", " 8.32", " 2.176", "1 slice", "2", 64},
                     {"Milk, whole", " 32.9", " 1.701", " 1.755", "Grams", "54", 54}};
        for (const auto& i : items)
            addMealItem(mealDb(), 3, QStringLiteral("Stew"), kDate, QLatin1String(i.food), i.grams,
                        {{"ENERG_KCAL", QLatin1String(i.kcal)},
                         {"PROTEIN", QLatin1String(i.protein)},
                         {"TOT_LIPID", QLatin1String(i.fat)},
                         {"GMWT_DESC1", QLatin1String(i.unit)},
                         {"GMWT_2", QLatin1String(i.quantity)}});
        items_.setDatabaseName(mealDb());
        items_.setRecordSource(mealItemsQuery(QStringLiteral("3")));
        items_.refresh();
    }
    void TearDown() override { closeAllConnections(); }
    QString mealDb() const { return folder.mealDb(); }
    QString customDb() const { return folder.customDb(); }
    QStringList bothFiles() const {
        return plainRows(customDb(), "CSR14") + plainRows(mealDb(), "MealNumbers") +
               plainRows(mealDb(), "Meals");
    }

    ProgramFolder folder;
    RecordCursor items_;
};

TEST_F(RecipeAndCopy, ARecipeHoldsTheMealPer100GramsAndOneServingIsItsShare) {
    const MealTotals totals = mealTotals(mealDb(), QStringLiteral("3"));
    EXPECT_EQ(totals.grams, 300);
    ASSERT_EQ(saveRecipe(customDb(), totals, QStringLiteral("Stew"), QStringLiteral("3")),
              std::nullopt);

    RecordCursor food;
    food.setDatabaseName(customDb());
    food.setRecordSource(foodListQuery());
    food.refresh();
    ASSERT_TRUE(food.findFirst(QStringLiteral("description = 'Stew' ")));
    // (94.6 + 158.1 + 32.9) × 100 / 300, (.473 + 8.32 + 1.701) / 3, (.309 + 2.176 + 1.755) / 3
    const std::pair<const char*, const char*> stored[] = {
        {"ENERG_KCAL", "95.2"}, {"PROTEIN", "3.498"},
        {"TOT_LIPID", "1.413"}, {"FIBER_TD", "0"},
        {"GMWT_1", "100"},      {"GMWT_DESC1", "1 serving"},
        {"GMWT_2", "300"},      {"GMWT_DESC2", "whole recipe"},
        {"CODE", "6500"}};
    for (const auto& [field, text] : stored)
        EXPECT_EQ(food.text(QLatin1String(field)), QLatin1String(text)) << field;

    // One serving as the portion dialog weighs it: a third of the meal's every value.
    std::array<QString, 32> per100;
    const QStringList names = fieldNames(csr14Table());
    for (int i = 2; i <= 31; ++i) per100[std::size_t(i)] = food.text(names[i]);
    const auto serving = scaledNutrients(per100, leadingNumber(food.text("GMWT_1")) / 100);
    for (int i = 2; i <= 31; ++i)
        EXPECT_EQ(leadingNumber(serving[std::size_t(i)]),
                  roundDecimals(totals.values[std::size_t(i)] / 3, i == 2 ? 1 : 3))
            << names[i].toStdString();
}

TEST_F(RecipeAndCopy, ACopyHoldsEveryItemAsStoredUnderTheNewNumberNameAndDate) {
    addMeal(mealDb(), 9, QStringLiteral("Later"), kDate);
    const QStringList items = plainRows(mealDb(), "Meals", "MealNumber = 3");
    EXPECT_EQ(MealStore(items_).copyMeal("3", {{}, "Stew again", "3/9/02"}), 10);
    QStringList expected;
    for (QString row : items)
        expected << row.replace(QStringLiteral("|3|Stew|2002-03-04|"),
                                QStringLiteral("|10|Stew again|2002-03-09|"));
    EXPECT_EQ(plainRows(mealDb(), "Meals", "MealNumber = 10"), expected);
    EXPECT_TRUE(expected[0].contains(QStringLiteral("| 94.6| .473| .309|")));
    EXPECT_EQ(plainRows(mealDb(), "MealNumbers", "MealNumber = 10"),
              QStringList{"10|Stew again|2002-03-09"});
}

TEST_F(RecipeAndCopy, EveryRefusalWritesNothing) {
    addMeal(mealDb(), 4, QStringLiteral("Empty"), kDate);  // its header row weighs nothing
    const QStringList before = bothFiles();
    const auto recipe = [&](const char* meal, const QString& description, const char* servings) {
        return saveRecipe(customDb(), mealTotals(mealDb(), QLatin1String(meal)), description,
                          QLatin1String(servings))
            .value_or(QString());
    };
    const auto copy = [&](const char* name, const char* date) {
        return QString::number(errorNumberOf([&] {
            MealStore(items_).copyMeal("3", {{}, QLatin1String(name), QLatin1String(date)});
        }));
    };
    const struct {
        std::function<QString()> act;
        const char* says;
    } refused[] = {
        {[&] { return recipe("4", "Empty", "1"); }, "This meal weighs nothing"},
        {[&] { return recipe("3", "", "1"); }, "Please enter an item description."},
        {[&] { return recipe("3", "Mum's Joe's", "1"); }, "more than one appostrophe"},
        {[&] { return recipe("3", QString(201, u'x'), "1"); }, "at most 200 characters"},
        {[&] { return recipe("3", "MILK, whole", "1"); }, "already a food named MILK, whole"},
        {[&] { return recipe("3", "Stew", "0"); }, "number of servings"},
        {[&] { return recipe("3", "Stew", "-2"); }, "number of servings"},
        {[&] { return recipe("3", "Stew", "two"); }, "number of servings"},
        {[&] { return copy("", "3/9/02"); }, "3314"},        // no name
        {[&] { return copy("Stew", ""); }, "3314"},          // no date
        {[&] { return copy("Stew", "13/45/02"); }, "3426"},  // no such date
    };
    for (const auto& r : refused) EXPECT_TRUE(r.act().contains(QLatin1String(r.says))) << r.says;
    EXPECT_EQ(bothFiles(), before);
    addMeal(mealDb(), 32767, QStringLiteral("Last"), kDate);
    const QStringList full = bothFiles();
    EXPECT_EQ(copy("Stew", "3/9/02"), "6");  // Overflow: no meal number is left
    EXPECT_EQ(bothFiles(), full);
}

// A recipe that cannot be stored leaves both files as they were (the copy's failures are tested
// with the other changes to meals).
TEST_F(RecipeAndCopy, ARecipeTheFoodFileRefusesLeavesBothFilesAsTheyWere) {
    for (Failure f : {Failure::DiskFull, Failure::ReadOnly, Failure::Locked}) {
        SCOPED_TRACE(nameOf(f));
        if (QString why; !FileFailure::possible(f, customDb(), &why)) continue;
        FileFailure file(customDb(), {"CSR14"},
                         "INSERT INTO CSR14 (Description, CODE) VALUES ('x', 1)");
        const QStringList before = file.fail(f) + plainRows(mealDb(), "Meals");
        const auto version = foodTableVersion();
        EXPECT_NE(
            errorNumberOf([&] { saveRecipe(customDb(), mealTotals(mealDb(), "3"), "Stew", "2"); }),
            0);
        file.recover();
        EXPECT_EQ(file.rows() + plainRows(mealDb(), "Meals"), before);
        EXPECT_EQ(foodTableVersion(), version);
    }
}

}  // namespace
}  // namespace pw::test
