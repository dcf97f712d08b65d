#pragma once

#include <QString>

namespace pw {

// The record sources the windows give their cursors, each written once. A meal number is put in
// as the decimal text the caller has already made of it.

// Every food, in the order of the food lists.
QString foodListQuery();
// The foods the customising window lists: every code above kListedFoodCode.
QString listedFoodsQuery();
// The foods the add dialog's cursor holds.
QString addedFoodsQuery();
// Every meal item, by meal number (the item cursor at start-up).
QString allMealItemsQuery();
// The items of one meal, as the item cursor and the reports select them.
QString mealItemsQuery(const QString& mealNumber);
// The items of one meal, as the meal dialog hands them to the item cursor.
QString newMealItemsQuery(const QString& mealNumber);
// Every meal header, by meal number.
QString mealHeadersQuery();
// The header of one meal.
QString mealHeaderQuery(const QString& mealNumber);

}  // namespace pw
