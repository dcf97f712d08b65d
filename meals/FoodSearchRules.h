#pragma once

#include <vector>

namespace pw {

// What "Best match" knows about the way the reference table names its foods. Every rule is a
// word or phrase of food names in general, folded (lower case, no accents), with its weight in
// points: a lower score ranks higher. The ranking code holds no words of its own.
struct WeightedPhrase {
    const char* phrase;
    double points;
};

struct Synonym {
    const char* typed;  // an everyday word or phrase
    const char* named;  // the words the table uses for it
};

struct FoodSearchRules {
    // Leading class words the table puts before the food itself ("Fish, cod", "Nuts, walnuts"):
    // the segment after one counts as the food's head.
    std::vector<const char*> classWords;
    // Foods eaten cooked (meat, fish, grains, legumes): their cooked rows beat the raw ones. Any
    // other food's raw row beats its prepared ones.
    std::vector<const char*> cookedFoods;
    std::vector<const char*> preparedWords;
    // Forms that go lower unless the query names them (brands are counted apart).
    std::vector<WeightedPhrase> lesserForms;
    // Phrases that hold such a word but are no such form ("dry heat" is a way of cooking).
    std::vector<const char*> notLesserForms;
    // Forms that go higher: generic rows and the everyday state of a food.
    std::vector<WeightedPhrase> generalForms;
    // Words that, right after the head, say the row is the plain food in a state ("Lentils, raw").
    std::vector<const char*> stateWords;
    std::vector<Synonym> synonyms;

    // Points of the matching itself.
    double perLaterSegment = 2;    // a query word found in a later segment (counted up to 3)
    double headWordBonus = -3;     // a query word that is the head's first word
    double partialWord = 5;        // a query word that only begins a longer word
    double unmatchedHeadWord = 4;  // each head word the query does not name
    double perSegment = 1;         // fewer comma segments win
    double perWord = 0.15;         // and fewer words
    double rawOfCookedFood = 6;    // "Lentils, raw" when lentils are meant
    double preparedOfCookedFood = -1;
    double rawOfOtherFood = -2;  // "Carrots, raw"
    double preparedOfOtherFood = 2;
    double perBrandWord = 4;   // words in capitals: a brand
    double alternatives = -3;  // "red or green", "broilers or fryers": the row covers both
    double stateAfterHead = -2;
    double pluralHead = -0.5;  // the table's generic rows name the food in the plural
};

const FoodSearchRules& foodSearchRules();

}  // namespace pw
