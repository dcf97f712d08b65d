#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "data/Fields.h"

namespace pw {

// The texts of a food's boxes by nutrient slot 0..38; slots without a box stay empty.
using FoodEntry = std::array<QString, 39>;

// The nutrient boxes of the add dialog (2..6, 8..31), in the order they are converted.
const std::vector<int>& nutrientSlots();
// Every box of the add dialog: 0, the nutrient boxes, 32 (portion weight), 33 (portion name).
const std::vector<int>& entrySlots();

// The add dialog's caption of the box of `slot`; the customising window differs in four of them.
QString entryCaption(int slot);

// A check of the typed food that failed: its message and the box to put the focus in.
struct EntryNote {
    int box;
    QString text;
};

// The checks of a new food, in their order: the six of the typed boxes (a portion weight must be
// above 0 and at most kMostPortionGrams), then every value that comes to more for 100 g than
// 100 g can hold, or to less than 0. nullopt when all pass. A portion weight that is not a number
// throws RuntimeError err::TypeMismatch; a value beyond a double's range, err::Overflow.
std::optional<EntryNote> checkNewFood(const FoodEntry& typed);

// A value typed for a portion of `portionGrams` grams, for 100 g, with three decimals. A text
// that does not begin with a number counts as 0.
QString per100Grams(const QString& typed, double portionGrams);

// The row to store for a food that passed the checks: every non-empty nutrient value converted
// to 100 g, empty ones left empty (not written), the descriptions and the weight as typed, and
// the user food code in slot 38.
FoodEntry newFoodRow(const FoodEntry& typed);

}  // namespace pw
