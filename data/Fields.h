#pragma once

namespace pw {

// The field lists by number. The first 32 numbers (description and the nutrient values) mean the
// same in a food, in a meal item, in the working value array S and in the report totals; above
// them the two lists differ (38 is the food's code but an item's meal number), hence two names.
// Plain enums in a namespace so that a name reads as the number the bound fields take.

// A food of CSR14 by nutrient slot 0..38 (txtFields, the customising windows' boxes).
namespace FoodSlot {
enum : int {
    Description = 0,
    Water = 1,
    FirstNutrient = 2,  // 1..31: values per 100 g; the nutrients are 2..31
    LastNutrient = 31,
    Gram1 = 32,  // gram weight of the first household unit
    Unit1 = 33,
    Gram2 = 34,
    Unit2 = 35,
    Refuse = 36,
    FoodNumber = 37,
    Code = 38,
    Count = 39
};
}  // namespace FoodSlot

// Item codes of the user's own foods. Every food the user adds gets kUserFoodCode, and only foods
// from that code up may be deleted; the customising window lists every code above
// kListedFoodCode, so the sample foods between the two are listed but kept.
inline constexpr int kUserFoodCode = 6500;
inline constexpr int kListedFoodCode = 6399;

// The heaviest portion a meal item or a food's household unit may weigh, in grams: more is no
// meal, only a mistyped number.
inline constexpr double kMostPortionGrams = 100000;

// A meal item of Meals by binding index 0..41 (txtFieldB, S).
namespace MealField {
enum : int {
    Description = 0,
    ShortDescription = 1,
    FirstNutrient = 2,  // 2..31: nutrient values of the item's portion
    LastNutrient = 31,
    PortionUnit = 33,      // the unit the portion was measured in (GMWT_DESC1)
    PortionQuantity = 34,  // how many of that unit (GMWT_2)
    MealNumber = 38,
    MealName = 39,
    Date = 40,
    PortionSize = 41,  // the item's weight in grams
    Count = 42
};
}  // namespace MealField

}  // namespace pw
