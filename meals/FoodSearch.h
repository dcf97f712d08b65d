#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pw {

// One food of the table as the search keeps it in memory.
struct SearchFood {
    QString description;
    QString ndbNumber;
    int code = 0;
    // Values per 100 g by nutrient slot 0..31; NaN where the table has none (slot 0 unused).
    std::array<float, 32> values{};
    QString unit1;  // the first household unit, empty when the food has none
    float unit1Grams = 0;
};

// How "Order by" weighs a nutrient.
enum class OrderBasis { Per100g, Per100kcal, PerUnit };

// One line of the found foods: the food (an index into foods()) and, when ordered by a nutrient,
// its value on that basis (NaN: unknown).
struct FoundFood {
    int food = -1;
    double value = 0;
};

// The foods of CSR14 in memory, with what finding them by words needs: every word of every
// description folded (lower case, no accents), a simple singular of it, and the part of each
// food's "Best match" score that does not depend on the query. Built from the table once; it
// answers a keystroke without reading the file.
class FoodIndex {
public:
    explicit FoodIndex(std::vector<SearchFood> foods);
    ~FoodIndex();
    FoodIndex(const FoodIndex&) = delete;
    FoodIndex& operator=(const FoodIndex&) = delete;

    // Reads every food of the food file at `customDb`, in the order of their descriptions (which
    // breaks ties of "Best match"). Throws RuntimeError when the store fails.
    static std::unique_ptr<FoodIndex> read(const QString& customDb);

    const std::vector<SearchFood>& foods() const { return m_foods; }

    // The foods whose descriptions hold every word of `query` (each typed word beginning a word
    // of the description, in any order, case, accents and simple plurals not mattering; a typed
    // number matching a number), best match first. A query without any word finds nothing.
    std::vector<int> find(const QString& query) const;

    // The lines of `foods` ordered by nutrient `slot` on `basis`: known values highest first,
    // then the unknown ones in the order given. Per 100 kcal leaves out foods without calories,
    // per household unit foods without a first unit.
    std::vector<FoundFood> orderBy(const std::vector<int>& foods, int slot, OrderBasis basis) const;

    // The index of the first food with this description; -1 when none has it.
    int indexOf(const QString& description) const;

    // The words of a text as the search compares them (folded, split at everything that is
    // neither letter nor digit, a number kept whole with its decimals).
    static std::vector<std::string> words(const QString& text);
    // A word's simple singular: berries -> berry, tomatoes -> tomato, peaches -> peach.
    static std::string singular(const std::string& word);

private:
    struct Impl;
    std::vector<SearchFood> m_foods;
    std::unique_ptr<Impl> d;
};

// The index of the food file at `customDb`, built on first use and built again when the food
// table has changed since (see foodTableVersion()) or another file is asked for.
const FoodIndex& foodIndex(const QString& customDb);

// The user's frequent foods: the descriptions of the foods used most often in meals dated within
// 60 days of the latest meal date (that date and the 60 days before it), most frequent first,
// ties to the most recently used; at most `limit` of them. Throws RuntimeError when the store
// fails.
QStringList frequentFoods(const QString& mealDb, int limit = 30);

// The line the Find window shows for a food: its description and calories per 100 g and, when
// ordered by a nutrient, that value with its unit and basis.
QString foundFoodText(const SearchFood& food, int slot, OrderBasis basis, double value);

}  // namespace pw
