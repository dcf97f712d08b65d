#pragma once

#include <QString>
#include <array>

namespace pw {

// The working value array: index = nutrient slot 0..31, 33 unit, 34 quantity, 41 grams.
using ValueArray = std::array<QString, 42>;

// The portion header of the detail text: the Quantity and Unit lines, or nothing when the
// item's number of units (slot 34, its leading number) is 0.
QString portionDescrip(const ValueArray& s, const QString& lineBreak);

// The item detail text: the portion header, then one line per shown value, every line (the
// last included) ending with `lineBreak`. Values appear exactly as they are held in `s`.
QString itemDetailText(const ValueArray& s, const QString& lineBreak);

// A stored value for 100 g scaled by a portion factor (grams / 100), rounded to `decimals`
// places and written in the scaled-value form (" 12.5", " .5"). An empty value stays empty.
QString scaledValue(const QString& stored, double factor, int decimals);

// The nutrient slots 2..31 of a food for a portion: calories to one decimal, the rest to three.
// `food` holds the food's slot texts by slot number; slots 0 and 1 of the result are empty.
std::array<QString, 32> scaledNutrients(const std::array<QString, 32>& food, double factor);

}  // namespace pw
