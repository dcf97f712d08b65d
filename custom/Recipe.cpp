#include "custom/Recipe.h"

#include "data/Database.h"
#include "data/FoodTableVersion.h"
#include "data/NumberText.h"
#include "data/Queries.h"
#include "data/RecordCursor.h"
#include "data/Schema.h"

namespace pw {

namespace {

// Servings as typed: a number above 0, nothing else.
std::optional<double> servingsOf(const QString& text) {
    const auto n = wholeNumber(text);
    if (!n || *n <= 0) return std::nullopt;
    return n;
}

// Whether a food of the table is found by `description`, as every food lookup finds one.
bool foodNamed(RecordCursor& foods, const QString& description) {
    return foods.findFirst(QStringLiteral("description = '") + SrchReplace(description) +
                           QStringLiteral("' "));
}

std::optional<QString> refusal(RecordCursor& foods, const MealTotals& totals,
                               const QString& description, const QString& servings) {
    if (totals.grams <= 0)
        return QStringLiteral(
            "This meal weighs nothing, so it cannot be saved as a food.  Give its items their "
            "portions first.");
    FoodEntry typed;
    typed[0] = description;
    typed[FoodSlot::Gram1] = QStringLiteral("1");
    typed[FoodSlot::Unit1] = QStringLiteral("1 serving");
    typed[2] = QStringLiteral("0");
    if (const auto note = checkNewFood(typed)) return note->text;
    if (description.size() > kFoodDescriptionLength)
        return QStringLiteral("Please shorten the description to at most %1 characters.")
            .arg(kFoodDescriptionLength);
    if (!servingsOf(servings))
        return QStringLiteral("Please enter the number of servings as a number above 0.");
    // The table alone: finding one description needs no sorted list of every food.
    foods.setRecordSource(csr14Table().name);
    foods.refresh();
    if (foodNamed(foods, description))
        return QStringLiteral("There is already a food named ") + description +
               QStringLiteral(".  Please choose another description.");
    return std::nullopt;
}

}  // namespace

MealTotals mealTotals(const QString& mealDb, const QString& mealNumber) {
    RecordCursor items;
    items.setDatabaseName(mealDb);
    items.setRecordSource(mealItemsQuery(mealNumber));
    items.refresh();
    const QStringList names = fieldNames(mealsTable());
    QStringList fields;
    for (int i = MealField::FirstNutrient; i <= MealField::LastNutrient; ++i) fields << names[i];
    fields << names[MealField::PortionSize];
    MealTotals totals;
    items.forEachRowNumbers(fields, [&](const double* v) {
        for (int i = MealField::FirstNutrient; i <= MealField::LastNutrient; ++i)
            totals.values[std::size_t(i)] += v[i - MealField::FirstNutrient];
        totals.grams += v[fields.size() - 1];
    });
    return totals;
}

FoodEntry recipeRow(const MealTotals& totals, const QString& description, double servings) {
    FoodEntry row;
    row[FoodSlot::Description] = description;
    for (int i = FoodSlot::FirstNutrient; i <= FoodSlot::LastNutrient; ++i)
        row[std::size_t(i)] = per100Grams(text15(totals.values[std::size_t(i)]), totals.grams);
    row[FoodSlot::Gram1] = text15(totals.grams / servings);
    row[FoodSlot::Unit1] = QStringLiteral("1 serving");
    row[FoodSlot::Gram2] = text15(totals.grams);
    row[FoodSlot::Unit2] = QStringLiteral("whole recipe");
    row[FoodSlot::Code] = QString::number(kUserFoodCode);
    return row;
}

std::optional<QString> saveRecipe(const QString& customDb, const MealTotals& totals,
                                  const QString& description, const QString& servings) {
    RecordCursor foods;
    foods.setDatabaseName(customDb);
    {
        Savepoint transaction(customDb);
        if (auto refused = refusal(foods, totals, description, servings)) return refused;
        const FoodEntry row = recipeRow(totals, description, *servingsOf(servings));
        const QStringList names = fieldNames(csr14Table());
        foods.addNew();
        for (int slot = 0; slot < FoodSlot::Count; ++slot)
            if (!row[std::size_t(slot)].isEmpty())
                foods.setText(names[slot], row[std::size_t(slot)]);
        foods.update();
        transaction.commit();
    }
    noteFoodTableChanged();
    return std::nullopt;
}

}  // namespace pw
