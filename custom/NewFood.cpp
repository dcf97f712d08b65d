#include "custom/NewFood.h"

#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "reports/ReportFigures.h"

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

// The most a value for 100 g of food can be: 900 kcal (100 g of pure fat), 100 g of a nutrient
// counted in grams, as much counted in mg or mcg, and for vitamin A the units of 100 g of retinol
// (0.3 mcg each).
struct Most {
    double value;
    const char* text;
};

Most mostPer100Grams(int slot) {
    const QString unit = nutrientUnit(slot);
    if (unit == QLatin1String("kcal")) return {900, "900"};
    if (unit == QLatin1String("g")) return {100, "100"};
    if (unit == QLatin1String("mg")) return {1e5, "100,000"};
    if (unit == QLatin1String("mcg")) return {1e8, "100,000,000"};
    return {333333333, "333,333,333"};  // the international units of vitamin A
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

QString entryCaption(int slot) {
    switch (slot) {
        case 0:
            return QStringLiteral("Enter a description of the item");
        case 2:
            return QStringLiteral("Enter the number of Calories for the item");
        case 3:
            return QStringLiteral("Protein in grams");
        case 4:
            return QStringLiteral("Total Fat in grams");
        case 5:
            return QStringLiteral("Carbohydrate in grams");
        case 6:
            return QStringLiteral("Fiber in grams");
        case 8:
            return QStringLiteral("Calcium in mg");
        case 9:
            return QStringLiteral("Phosphorus in mg");
        case 10:
            return QStringLiteral("Iron in mg");
        case 11:
            return QStringLiteral("Sodium in mg");
        case 12:
            return QStringLiteral("Potassium in mg");
        case 13:
            return QStringLiteral("Magnesium in mg");
        case 14:
            return QStringLiteral("Zinc in mg");
        case 15:
            return QStringLiteral("Copper in mg");
        case 16:
            return QStringLiteral("Manganese in mg");
        case 17:
            return QStringLiteral("Selenium in mcg");
        case 18:
            return QStringLiteral("Vitamin A in iu");
        case 19:
            return QStringLiteral("Vitamin E in mg");
        case 20:
            return QStringLiteral("Thiamin in mg");
        case 21:
            return QStringLiteral("Riboflavin in mg");
        case 22:
            return QStringLiteral("Niacin in mg");
        case 23:
            return QStringLiteral("Pantothenic acid, mg");
        case 24:
            return QStringLiteral("Vitamin B6 in mg");
        case 25:
            return QStringLiteral("Folic acid in mcg");
        case 26:
            return QStringLiteral("Vitamin B12 in mcg");
        case 27:
            return QStringLiteral("Vitamin C in mg");
        case 28:
            return QStringLiteral("Saturated, g");
        case 29:
            return QStringLiteral("Monounsaturated, g");
        case 30:
            return QStringLiteral("Polyunsaturated, g");
        case 31:
            return QStringLiteral("Cholesterol in mg");
        case 32:
            return QStringLiteral("Enter the weight in grams of this portion size");
        case 33:
            return QStringLiteral(
                "Enter a description of the portion size being used for this item");
        default:
            return QString();
    }
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
    const double grams = portionWeight(typed[kPortionGrams]);
    if (grams <= 0)
        return EntryNote{kPortionGrams,
                         QStringLiteral("Please enter weight of the portion in grams.  Weight must "
                                        "be greater than zero.")};
    if (grams > kMostPortionGrams)
        return EntryNote{kPortionGrams,
                         QStringLiteral("Please enter weight of the portion in grams.  Weight can "
                                        "not be more than 100,000 grams.")};
    if (typed[kCalories].isEmpty())
        return EntryNote{kCalories, QStringLiteral("Please enter the number of Calories.")};
    for (int slot : nutrientSlots()) {
        if (typed[slot].isEmpty()) continue;
        const Most most = mostPer100Grams(slot);
        const double value = 100.0 / grams * leadingNumber(typed[slot]);
        // Written so that the NaN of 0 over a weight too small to divide by is refused too.
        if (!(value >= 0 && value <= most.value))
            return EntryNote{
                slot, QStringLiteral("%1: the value for 100 grams of the item must "
                                     "lie between 0 and %2.  Please check it and the "
                                     "weight of the portion.")
                          .arg(slot == kCalories ? QStringLiteral("Calories") : entryCaption(slot),
                               QLatin1String(most.text))};
    }
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
