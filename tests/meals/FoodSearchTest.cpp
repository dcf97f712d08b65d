// Finding foods by words: the everyday queries against the real food table, each matching and
// ranking rule on a few foods of its own, the frequent foods, ordering by a nutrient and hostile
// texts.
#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>
#include <cmath>
#include <iostream>
#include <tuple>

#include "data/Database.h"
#include "data/Fields.h"
#include "data/FoodTableVersion.h"
#include "meals/FoodSearch.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

using test::ProgramFolder;

// An index over foods given by description alone, with calories where a test needs them.
FoodIndex indexOf(const QStringList& descriptions) {
    std::vector<SearchFood> foods;
    for (const QString& d : descriptions) {
        SearchFood f;
        f.description = d;
        f.values.fill(std::nanf(""));
        foods.push_back(f);
    }
    return FoodIndex(std::move(foods));
}

QStringList found(const FoodIndex& index, const QString& query) {
    QStringList out;
    for (int i : index.find(query)) out << index.foods()[size_t(i)].description;
    return out;
}

TEST(FoodSearch, EverydayQueriesFindTheIntendedFoodFirst) {
    QFile file(QStringLiteral(PW_SOURCE_DIR "/tests/meals/food-queries.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    in.readLine();  // the header
    const std::unique_ptr<FoodIndex> index = FoodIndex::read(QStringLiteral(PW_FOOD_TEMPLATE));
    int queries = 0, first = 0, topThree = 0;
    while (!in.atEnd()) {
        const QStringList cols = in.readLine().split(QLatin1Char('\t'));
        if (cols.size() < 3) continue;
        ++queries;
        QStringList wanted = cols.at(2).split(QLatin1Char(','), Qt::SkipEmptyParts);
        wanted.prepend(cols.at(1));
        const std::vector<int> result = index->find(cols.at(0));
        QStringList top;
        for (size_t i = 0; i < std::min<size_t>(3, result.size()); ++i)
            top << index->foods()[size_t(result[i])].ndbNumber + QLatin1Char(' ') +
                       index->foods()[size_t(result[i])].description;
        const auto isWanted = [&](const QString& line) { return wanted.contains(line.left(5)); };
        const bool isFirst = !top.isEmpty() && isWanted(top.first());
        first += isFirst;
        topThree += std::any_of(top.begin(), top.end(), isWanted);
        if (!isFirst)
            std::cout << "miss: " << cols.at(0).toStdString() << " (wanted "
                      << cols.at(1).toStdString() << ")\n    "
                      << top.join(QStringLiteral("\n    ")).toStdString() << "\n";
    }
    std::cout << "first: " << first << " of " << queries << ", among the first three: " << topThree
              << "\n";
    EXPECT_EQ(queries, 40);
    EXPECT_GE(first, 32);
    EXPECT_GE(topThree, 37);
}

TEST(FoodSearch, EveryTypedWordBeginsAWordInAnyOrderWithoutCaseAccentsOrPlurals) {
    const FoodIndex index =
        indexOf({"Crème fraîche", "Tomatoes, red, raw", "Berries, mixed", "Peaches, canned",
                 "Milk, reduced fat, fluid, 2% milkfat", "Milk, whole, 3.25% milkfat",
                 "Beef, ground, 80% lean meat / 20% fat", "Strawberry jam"});
    const std::pair<const char*, QStringList> cases[] = {
        {"FRAICHE creme", {"Crème fraîche"}},
        {"tomato", {"Tomatoes, red, raw"}},
        {"raw red tomatoes", {"Tomatoes, red, raw"}},
        {"berry", {"Berries, mixed"}},
        {"peach", {"Peaches, canned"}},
        {"berr mix", {"Berries, mixed"}},  // words still being typed
        {"milk 2%", {"Milk, reduced fat, fluid, 2% milkfat"}},
        {"3.25 milk", {"Milk, whole, 3.25% milkfat"}},
        {"80", {"Beef, ground, 80% lean meat / 20% fat"}},
        {"8", {}},       // a number is matched whole
        {"erries", {}},  // a word is matched from its beginning
        {"milk tomato", {}},
    };
    for (const auto& [query, expected] : cases) {
        QStringList got = found(index, QString::fromUtf8(query));
        got.sort();
        EXPECT_EQ(got, expected) << query;
    }
}

TEST(FoodSearch, BestMatchFollowsTheTablesNamingHabits) {
    // Query, the food that must come first, the one it must beat.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"butter", "Butter, salted", "Butterscotch"},                // whole word first
        {"walnut", "Nuts, walnuts, english", "Ice creams, walnut"},  // class word skipped
        {"honey", "Honey", "Honey, strained, clover"},               // fewer segments
        {"carrots", "Carrots, raw", "Carrots, cooked, boiled"},      // fruit and vegetables raw
        {"lentils", "Lentils, cooked, boiled", "Lentils, raw"},      // legumes cooked
        {"cookies", "Cookies, oatmeal", "Cookies, KEEBLER"},         // brands lower
        {"soup", "Soup, tomato, homemade", "Soup, tomato, canned"},  // preserved forms lower
        {"peas", "Peas, green", "Babyfood, peas, strained"},
        {"shrimp", "Shrimp, mixed species, cooked", "Shrimp, northern, cooked"},  // generic rows
        {"hot dogs", "Frankfurter, beef", "Dogfish, raw"},                        // everyday names
        {"ketchup", "Catsup", "Ketchup chips, BRAND"},
        {"soda", "Carbonated beverage, cola", "Sodium chloride"},
    };
    for (const auto& [query, better, worse] : cases) {
        const FoodIndex index = indexOf({worse, better});
        const QStringList got = found(index, QString::fromUtf8(query));
        ASSERT_FALSE(got.isEmpty()) << query;
        EXPECT_EQ(got.first(), QString::fromUtf8(better))
            << query << ": " << got.join(" | ").toStdString();
    }
}

TEST(FoodSearch, HostileTextsFindOnlyWhatTrulyMatches) {
    ProgramFolder folder;
    const FoodIndex& index = foodIndex(folder.customDb());
    const std::pair<QString, QStringList> cases[] = {
        {QString(1000, QLatin1Char('a')), {}},
        {QStringLiteral("'; DROP TABLE CSR14; --"), {}},
        {QStringLiteral("% _ * ?"), {}},
        {QStringLiteral("O'Brien's"), {"O'Brien's potatoes"}},
        {QStringLiteral("\"milk\""), {"Milk, whole"}},
        {QStringLiteral("\U0001F34E apple \U0001F34E"), {"Apple, raw"}},
        {QStringLiteral("\x01milk\x7f\t"), {"Milk, whole"}},
        {QStringLiteral("\U0001F34E"), {}},
        {QStringLiteral("apple ").repeated(200), {"Apple, raw"}},
    };
    for (const auto& [query, expected] : cases)
        EXPECT_EQ(found(index, query), expected) << query.left(40).toStdString();
    EXPECT_TRUE(FoodIndex({}).find(QStringLiteral("milk")).empty());
    ProgramFolder empty(ProgramFolder::Content::Empty);
    EXPECT_TRUE(foodIndex(empty.customDb()).foods().empty());
    EXPECT_TRUE(frequentFoods(empty.mealDb()).isEmpty());
}

TEST(FoodSearch, TheIndexFollowsChangesToTheFoodTable) {
    ProgramFolder folder;
    const size_t before = foodIndex(folder.customDb()).foods().size();
    test::addFood(folder.customDb(), QStringLiteral("Zucchini bread"), kUserFoodCode);
    noteFoodTableChanged();
    EXPECT_EQ(foodIndex(folder.customDb()).foods().size(), before + 1);
    EXPECT_EQ(found(foodIndex(folder.customDb()), QStringLiteral("zucchini")),
              QStringList{"Zucchini bread"});
}

TEST(FoodSearch, FrequentFoodsCountTheSixtyDaysUpToTheLatestMeal) {
    ProgramFolder folder;
    const QDate latest(2026, 3, 1);
    const QDate edge = latest.addDays(-60), before = latest.addDays(-61);
    const std::tuple<const char*, QDate, int> uses[] = {
        {"Milk, whole", before, 3},         // most often, but too long ago
        {"Apple, raw", edge, 2},            // on the last day counted
        {"Bread, whole-wheat", latest, 2},  // as often, more recently
        {"My granola", latest.addDays(-5), 1},
    };
    for (const auto& [food, date, times] : uses)
        for (int i = 0; i < times; ++i)
            test::addMealItem(folder.mealDb(), 1, QStringLiteral("Breakfast"), date,
                              QString::fromUtf8(food), 100);
    EXPECT_EQ(frequentFoods(folder.mealDb()),
              QStringList({"Bread, whole-wheat", "Apple, raw", "My granola"}));
    EXPECT_EQ(frequentFoods(folder.mealDb(), 1), QStringList{"Bread, whole-wheat"});
}

TEST(FoodSearch, OrderByANutrientPutsUnknownValuesLastAndLeavesOutFoodsWithoutABasis) {
    ProgramFolder folder;
    const FoodIndex& index = foodIndex(folder.customDb());
    std::vector<int> all(index.foods().size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = int(i);
    auto order = [&](int slot, OrderBasis basis) {
        QStringList out;
        for (const FoundFood& f : index.orderBy(all, slot, basis))
            out << foundFoodText(index.foods()[size_t(f.food)], slot, basis, f.value);
        return out;
    };
    const int protein = 3;
    EXPECT_EQ(order(protein, OrderBasis::Per100g).join('\n').toStdString(),
              "Bread, whole-wheat  —  247 kcal per 100 g  —  Protein in grams: 13 g per 100 g\n"
              "My granola  —  471 kcal per 100 g  —  Protein in grams: 10 g per 100 g\n"
              "Milk, whole  —  61 kcal per 100 g  —  Protein in grams: 3.15 g per 100 g\n"
              "O'Brien's potatoes  —  81 kcal per 100 g  —  Protein in grams: 1.8 g per 100 g\n"
              "Apple, raw  —  52 kcal per 100 g  —  Protein in grams: 0.26 g per 100 g\n"
              "Sample soup  —  40 kcal per 100 g  —  Protein in grams: unknown\n"
              "Water, plain  —  calories unknown  —  Protein in grams: unknown");
    const QStringList perKcal = order(protein, OrderBasis::Per100kcal);
    EXPECT_EQ(perKcal.size(), 6);  // water has no calories
    EXPECT_EQ(
        perKcal.first().toStdString(),
        "Bread, whole-wheat  —  247 kcal per 100 g  —  Protein in grams: 5.26 g per 100 kcal");
    EXPECT_EQ(
        order(protein, OrderBasis::PerUnit).join('\n').toStdString(),
        "Milk, whole  —  61 kcal per 100 g  —  Protein in grams: 7.69 g per 1 cup (244 g)\n"
        "Bread, whole-wheat  —  247 kcal per 100 g  —  Protein in grams: 4.16 g per 1 slice (32 "
        "g)\n"
        "Apple, raw  —  52 kcal per 100 g  —  Protein in grams: 0.473 g per 1 medium (182 g)");
}

}  // namespace
}  // namespace pw
