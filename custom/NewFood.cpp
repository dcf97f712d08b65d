#include "custom/NewFood.h"

#include "data/NumberText.h"
#include "data/RuntimeError.h"

namespace pw {

namespace {

constexpr int kDescription = FoodSlot::Description;
constexpr int kCalories = 2;
constexpr int kPortionGrams = FoodSlot::Gram1;
constexpr int kPortionName = FoodSlot::Unit1;
constexpr int kCode = FoodSlot::Code;

// The portion weight as a number; a text that is no number is a type mismatch.
double portionWeight(const QString& text) {
    const auto grams = wholeNumber(text);
    if (!grams) throw RuntimeError(err::TypeMismatch);
    return *grams;
}

}  // namespace

const std::vector<int>& nutrientSlots() {
    static const std::vector<int> list = [] {
        std::vector<int> s;
        for (int i = 2; i <= 31; ++i)
            if (i != 7) s.push_back(i);
        return s;
    }();
    return list;
}

const std::vector<int>& entrySlots() {
    static const std::vector<int> list = [] {
        std::vector<int> s{kDescription};
        s.insert(s.end(), nutrientSlots().begin(), nutrientSlots().end());
        s.push_back(kPortionGrams);
        s.push_back(kPortionName);
        return s;
    }();
    return list;
}

std::optional<EntryNote> checkNewFood(const FoodEntry& typed) {
    const QString& description = typed[kDescription];
    if (description.isEmpty())
        return EntryNote{kDescription, QStringLiteral("Please enter an item description.")};
    // One apostrophe is allowed; a second one is not.
    if (description.count(u'\'') > 1)
        return EntryNote{kDescription,
                         QStringLiteral("Descriptions can not contain more than one appostrophe. "
                                        "Please re-write the description.")};
    if (typed[kPortionName].isEmpty())
        return EntryNote{kPortionName,
                         QStringLiteral("Please enter a description of the portion size.")};
    if (typed[kPortionGrams].isEmpty())
        return EntryNote{kPortionGrams,
                         QStringLiteral("Please enter weight of the portion in grams.")};
    if (portionWeight(typed[kPortionGrams]) == 0)
        return EntryNote{kPortionGrams,
                         QStringLiteral("Please enter weight of the portion in grams.  Weight can "
                                        "not be equal to zero.")};
    if (typed[kCalories].isEmpty())
        return EntryNote{kCalories, QStringLiteral("Please enter the number of Calories.")};
    return std::nullopt;
}

QString per100Grams(const QString& typed, double portionGrams) {
    return fixed3(100.0 / portionGrams * leadingNumber(typed));
}

FoodEntry newFoodRow(const FoodEntry& typed) {
    // The weight as the store reads the stored text, so that values and weight agree.
    const double grams = portionWeight(typed[kPortionGrams]);
    FoodEntry row = typed;
    for (int slot : nutrientSlots())
        if (!typed[slot].isEmpty()) row[slot] = per100Grams(typed[slot], grams);
    row[kCode] = QString::number(kUserFoodCode);
    return row;
}

}  // namespace pw
