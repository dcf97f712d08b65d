#pragma once

#include <QString>
#include <array>
#include <optional>

#include "custom/NewFood.h"

namespace pw {

// The longest description a food of one's own may have: the longest of the reference foods.
inline constexpr int kFoodDescriptionLength = 200;

// A meal's totals: the nutrient slots 2..31 summed over its items, and its weight in grams.
struct MealTotals {
    std::array<double, 32> values{};
    double grams = 0;
};

// The totals of meal `mealNumber` as stored in the meal file.
MealTotals mealTotals(const QString& mealDb, const QString& mealNumber);

// The food a meal makes when saved as a recipe of `servings` servings: its values for 100 g
// (totals × 100 / weight), its first unit "1 serving" of weight / servings grams, its second
// "whole recipe" of the whole weight, and the user food code.
FoodEntry recipeRow(const MealTotals& totals, const QString& description, double servings);

// Adds the food a meal makes to `customDb`, checks and write in one transaction. Returns why it
// is refused (a meal of no weight, the add dialog's checks of a description, one too long, one
// that already names a food, servings that are not a number above 0), or nullopt once stored. A
// failing store throws RuntimeError and leaves the file as it was.
std::optional<QString> saveRecipe(const QString& customDb, const MealTotals& totals,
                                  const QString& description, const QString& servings);

}  // namespace pw
