#include "meals/FoodSearch.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QDate>
#include <algorithm>
#include <bitset>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "data/Database.h"
#include "data/Fields.h"
#include "data/FoodTableVersion.h"
#include "data/NumberText.h"
#include "data/Schema.h"
#include "meals/FoodSearchRules.h"
#include "reports/ReportFigures.h"
#include "reports/ReportText.h"

namespace pw {

namespace {

constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();
constexpr int kMaxLesserForms = 128;
constexpr int kFrequentDays = 60;

using Words = std::vector<std::string>;

bool isNumber(const std::string& w) { return !w.empty() && w[0] >= '0' && w[0] <= '9'; }

std::string joined(const Words& words, size_t from = 0, size_t to = std::string::npos) {
    std::string s = " ";
    for (size_t i = from; i < std::min(to, words.size()); ++i) s += words[i] + ' ';
    return s;
}

bool holdsPhrase(const std::string& spacedWords, const char* phrase) {
    return spacedWords.find(' ' + std::string(phrase) + ' ') != std::string::npos;
}

Words phraseWords(const char* phrase) { return FoodIndex::words(QString::fromUtf8(phrase)); }

// Words entirely in capitals, three letters or more: the table's brand names.
int brandWords(const QString& text) {
    int count = 0, run = 0;
    bool allCaps = true;
    auto endWord = [&] {
        if (run >= 3 && allCaps) ++count;
        run = 0;
        allCaps = true;
    };
    for (QChar c : text) {
        if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            ++run;
            allCaps = allCaps && c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        } else {
            endWord();
        }
    }
    endWord();
    return count;
}

// A description in comma segments (a comma inside parentheses does not cut), each a list of its
// words; words inside parentheses are counted apart.
struct Described {
    std::vector<Words> segments;
    int parenthesisWords = 0;
};

Described describe(const QString& text) {
    Described d;
    QString segment;
    int depth = 0;
    auto endSegment = [&] {
        Words w = FoodIndex::words(segment);
        if (!w.empty()) d.segments.push_back(std::move(w));
        segment.clear();
    };
    QString inParentheses;
    for (QChar c : text) {
        if (c == QLatin1Char('(')) ++depth;
        if (c == QLatin1Char(')') && depth > 0) {
            --depth;
            if (depth == 0) {
                d.parenthesisWords += int(FoodIndex::words(inParentheses).size());
                inParentheses.clear();
            }
        }
        if (depth > 0) inParentheses += c;
        if (c == QLatin1Char(',') && depth == 0)
            endSegment();
        else
            segment += c;
    }
    endSegment();
    return d;
}

struct WordAt {
    int word;  // vocabulary id
    std::uint16_t segment;
    std::uint16_t position;
};

struct FoodEntry {
    int firstWord = 0;
    int wordCount = 0;
    int headSegment = 0;  // 1 when a class word leads
    int headSize = 0;
    double baseScore = 0;
    std::bitset<kMaxLesserForms> lesser;
};

using Phrases = std::bitset<kMaxLesserForms>;

// Phrases as runs of vocabulary ids, looked for in a food's ids from their first word on.
class PhraseSet {
public:
    template <typename Id>
    PhraseSet(const std::vector<const char*>& phrases, Id id) {
        for (size_t k = 0; k < phrases.size() && k < kMaxLesserForms; ++k) {
            std::vector<int> run;
            for (const std::string& w : phraseWords(phrases[k])) run.push_back(id(w));
            if (run.empty() || std::find(run.begin(), run.end(), -1) != run.end()) continue;
            m_byFirst[run.front()].push_back({int(k), run});
        }
    }
    // Calls found(phrase, start) for every place a phrase begins in `ids`.
    template <typename F>
    void each(const std::vector<int>& ids, F found) const {
        for (size_t at = 0; at < ids.size(); ++at) {
            const auto it = m_byFirst.find(ids[at]);
            if (it == m_byFirst.end()) continue;
            for (const auto& [k, run] : it->second)
                if (at + run.size() <= ids.size() &&
                    std::equal(run.begin(), run.end(), ids.begin() + qsizetype(at)))
                    found(k, at);
        }
    }
    Phrases present(const std::vector<int>& ids) const {
        Phrases p;
        each(ids, [&](int k, size_t) { p[size_t(k)] = true; });
        return p;
    }

private:
    std::unordered_map<int, std::vector<std::pair<int, std::vector<int>>>> m_byFirst;
};

// A query word's mark on a vocabulary word: 0 no match, 1 the word only begins it, 2 the same
// word (or the same singular).
enum : std::uint8_t { NoMatch = 0, Partial = 1, Whole = 2 };

}  // namespace

struct FoodIndex::Impl {
    const FoodSearchRules& rules = foodSearchRules();
    Words vocabulary;             // sorted
    Words singulars;              // by vocabulary id
    std::vector<int> bySingular;  // vocabulary ids sorted by singular
    std::vector<WordAt> wordsAt;
    std::vector<FoodEntry> entries;
    std::unordered_map<QString, int> byDescription;

    std::vector<std::uint8_t> marks(const std::string& q) const;
    double score(const FoodEntry& e, const std::vector<std::vector<std::uint8_t>>& marks,
                 const std::bitset<kMaxLesserForms>& typed, bool& matched) const;
};

std::vector<std::string> FoodIndex::words(const QString& text) {
    const QString folded = text.normalized(QString::NormalizationForm_KD);
    Words out;
    QString word;
    bool number = false;
    auto end = [&] {
        if (!word.isEmpty()) out.push_back(word.toStdString());
        word.clear();
        number = false;
    };
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const QChar c = folded.at(i);
        if (c.isMark()) continue;
        if (c.isDigit()) {
            if (!number) end();
            number = true;
            word += c;
        } else if (number && c == QLatin1Char('.') && i + 1 < folded.size() &&
                   folded.at(i + 1).isDigit()) {
            word += c;
        } else if (c.isLetter()) {
            if (number) end();
            word += c.toLower();
        } else {
            end();
        }
    }
    end();
    return out;
}

std::string FoodIndex::singular(const std::string& w) {
    auto ends = [&](const char* s) {
        const size_t n = std::char_traits<char>::length(s);
        return w.size() >= n && w.compare(w.size() - n, n, s) == 0;
    };
    if (isNumber(w)) return w;
    if (w.size() > 4 && ends("ies")) return w.substr(0, w.size() - 3) + 'y';
    if (w.size() > 4 &&
        (ends("oes") || ends("ches") || ends("shes") || ends("sses") || ends("xes")))
        return w.substr(0, w.size() - 2);
    if (w.size() > 3 && ends("s") && !ends("ss") && !ends("us")) return w.substr(0, w.size() - 1);
    return w;
}

FoodIndex::FoodIndex(std::vector<SearchFood> foods) : m_foods(std::move(foods)), d(new Impl) {
    const FoodSearchRules& r = d->rules;
    std::vector<Described> described;
    described.reserve(m_foods.size());
    std::unordered_map<std::string, int> ids;
    for (const SearchFood& f : m_foods) {
        described.push_back(describe(f.description));
        for (const Words& seg : described.back().segments)
            for (const std::string& w : seg) ids.emplace(w, 0);
    }
    for (const auto& [w, id] : ids) d->vocabulary.push_back(w);
    std::sort(d->vocabulary.begin(), d->vocabulary.end());
    for (size_t i = 0; i < d->vocabulary.size(); ++i) {
        ids[d->vocabulary[i]] = int(i);
        d->singulars.push_back(singular(d->vocabulary[i]));
        d->bySingular.push_back(int(i));
    }
    std::sort(d->bySingular.begin(), d->bySingular.end(),
              [this](int a, int b) { return d->singulars[a] < d->singulars[b]; });

    std::vector<std::string> classWords, cooked;
    for (const char* c : r.classWords) classWords.push_back(joined(phraseWords(c)));
    for (const char* c : r.cookedFoods) cooked.push_back(singular(c));
    auto isCooked = [&](const std::string& w) {
        return std::find(cooked.begin(), cooked.end(), singular(w)) != cooked.end();
    };
    auto idOf = [&](const std::string& w) {
        const auto it = ids.find(w);
        return it == ids.end() ? -1 : it->second;
    };
    std::vector<const char*> lesserNames, generalNames;
    for (const WeightedPhrase& p : r.lesserForms) lesserNames.push_back(p.phrase);
    for (const WeightedPhrase& p : r.generalForms) generalNames.push_back(p.phrase);
    const PhraseSet lesser(lesserNames, idOf), notLesser(r.notLesserForms, idOf),
        general(generalNames, idOf), prepared(r.preparedWords, idOf);
    const int rawId = idOf("raw"), orId = idOf("or");
    d->entries.resize(m_foods.size());
    std::vector<int> all;
    for (size_t i = 0; i < m_foods.size(); ++i) {
        const Described& ds = described[i];
        FoodEntry& e = d->entries[i];
        e.firstWord = int(d->wordsAt.size());
        all.clear();
        for (size_t s = 0; s < ds.segments.size(); ++s)
            for (size_t p = 0; p < ds.segments[s].size(); ++p) {
                all.push_back(ids[ds.segments[s][p]]);
                d->wordsAt.push_back({all.back(), std::uint16_t(std::min<size_t>(s, 65535)),
                                      std::uint16_t(std::min<size_t>(p, 65535))});
            }
        e.wordCount = int(all.size());
        if (ds.segments.empty()) continue;
        if (ds.segments.size() > 1 && std::find(classWords.begin(), classWords.end(),
                                                joined(ds.segments[0])) != classWords.end())
            e.headSegment = 1;
        const Words& head = ds.segments[size_t(e.headSegment)];
        e.headSize = int(head.size());
        std::vector<bool> covered(all.size());
        notLesser.each(all, [&](int k, size_t at) {
            for (size_t j = 0; j < phraseWords(r.notLesserForms[size_t(k)]).size(); ++j)
                covered[at + j] = true;
        });
        lesser.each(all, [&](int k, size_t at) {
            if (!covered[at]) e.lesser[size_t(k)] = true;
        });

        double s = r.perSegment * double(int(ds.segments.size()) - e.headSegment) +
                   r.perWord * double(e.wordCount - ds.parenthesisWords);
        const bool raw = std::find(all.begin(), all.end(), rawId) != all.end();
        const bool isPrepared = prepared.present(all).any();
        if (isCooked(head[0]) || isCooked(ds.segments[0][0])) {
            if (raw && !isPrepared) s += r.rawOfCookedFood;
            if (isPrepared) s += r.preparedOfCookedFood;
        } else {
            if (raw) s += r.rawOfOtherFood;
            if (isPrepared) s += r.preparedOfOtherFood;
        }
        s += r.perBrandWord * brandWords(m_foods[i].description);
        if (std::find(all.begin(), all.end(), orId) != all.end()) s += r.alternatives;
        if (ds.segments.size() > size_t(e.headSegment) + 1) {
            const std::string& next = ds.segments[size_t(e.headSegment) + 1][0];
            if (std::find(r.stateWords.begin(), r.stateWords.end(), next) != r.stateWords.end())
                s += r.stateAfterHead;
        }
        const Phrases generalHere = general.present(all);
        for (size_t k = 0; k < r.generalForms.size() && k < kMaxLesserForms; ++k)
            if (generalHere[k]) s += r.generalForms[k].points;
        if (singular(head[0]) != head[0]) s += r.pluralHead;
        e.baseScore = s;
        d->byDescription.emplace(m_foods[i].description, int(i));
    }
}

FoodIndex::~FoodIndex() = default;

std::vector<std::uint8_t> FoodIndex::Impl::marks(const std::string& q) const {
    std::vector<std::uint8_t> m(vocabulary.size(), NoMatch);
    if (isNumber(q)) {
        const auto it = std::lower_bound(vocabulary.begin(), vocabulary.end(), q);
        if (it != vocabulary.end() && *it == q) m[size_t(it - vocabulary.begin())] = Whole;
        return m;
    }
    const std::string qs = singular(q);
    for (auto it = std::lower_bound(vocabulary.begin(), vocabulary.end(), q);
         it != vocabulary.end() && it->compare(0, q.size(), q) == 0; ++it) {
        const size_t id = size_t(it - vocabulary.begin());
        m[id] = (*it == q || singulars[id] == qs) ? Whole : Partial;
    }
    auto it = std::lower_bound(
        bySingular.begin(), bySingular.end(), qs,
        [this](int id, const std::string& v) { return singulars[size_t(id)] < v; });
    for (; it != bySingular.end() && singulars[size_t(*it)].compare(0, qs.size(), qs) == 0; ++it)
        m[size_t(*it)] =
            std::max<std::uint8_t>(m[size_t(*it)], singulars[size_t(*it)] == qs ? Whole : Partial);
    return m;
}

double FoodIndex::Impl::score(const FoodEntry& e, const std::vector<std::vector<std::uint8_t>>& qm,
                              const std::bitset<kMaxLesserForms>& typed, bool& matched) const {
    matched = false;
    double s = e.baseScore;
    int headMatched[64] = {};
    int headCount = 0;
    for (const std::vector<std::uint8_t>& m : qm) {
        const WordAt* found = nullptr;
        for (int i = e.firstWord; i < e.firstWord + e.wordCount; ++i)
            if (m[size_t(wordsAt[size_t(i)].word)] != NoMatch) {
                found = &wordsAt[size_t(i)];
                break;
            }
        if (!found) return 0;
        const int later = std::max(0, int(found->segment) - e.headSegment);
        s += rules.perLaterSegment * std::min(later, 3);
        if (later == 0 && found->position == 0) s += rules.headWordBonus;
        if (m[size_t(found->word)] == Partial) s += rules.partialWord;
        if (found->segment == e.headSegment && headCount < 64 &&
            std::find(headMatched, headMatched + headCount, found->position) ==
                headMatched + headCount)
            headMatched[headCount++] = found->position;
    }
    s += rules.unmatchedHeadWord * (e.headSize - headCount);
    const std::bitset<kMaxLesserForms> present = e.lesser & ~typed;
    for (size_t k = 0; k < rules.lesserForms.size() && k < kMaxLesserForms; ++k)
        if (present[k]) s += rules.lesserForms[k].points;
    matched = true;
    return s;
}

std::vector<int> FoodIndex::find(const QString& query) const {
    const Words typed = words(query);
    if (typed.empty()) return {};
    // The query as typed and once more for each everyday phrase the table names otherwise.
    std::vector<Words> variants{typed};
    Words typedSingular;
    for (const std::string& w : typed) typedSingular.push_back(singular(w));
    for (const Synonym& syn : d->rules.synonyms) {
        Words from = phraseWords(syn.typed);
        for (std::string& w : from) w = singular(w);
        const auto at =
            std::search(typedSingular.begin(), typedSingular.end(), from.begin(), from.end());
        if (at == typedSingular.end()) continue;
        Words v(typed.begin(), typed.begin() + (at - typedSingular.begin()));
        for (std::string& w : phraseWords(syn.named)) v.push_back(w);
        v.insert(v.end(), typed.begin() + (at - typedSingular.begin()) + qsizetype(from.size()),
                 typed.end());
        variants.push_back(std::move(v));
    }
    std::vector<double> best(m_foods.size(), std::numeric_limits<double>::infinity());
    for (const Words& v : variants) {
        std::vector<std::vector<std::uint8_t>> qm;
        for (const std::string& w : v) qm.push_back(d->marks(w));
        std::bitset<kMaxLesserForms> typedForms;
        const std::string spaced = joined(v);
        for (size_t k = 0; k < d->rules.lesserForms.size() && k < kMaxLesserForms; ++k)
            typedForms[k] = holdsPhrase(spaced, d->rules.lesserForms[k].phrase);
        for (size_t i = 0; i < m_foods.size(); ++i) {
            bool matched = false;
            const double s = d->score(d->entries[i], qm, typedForms, matched);
            if (matched && s < best[i]) best[i] = s;
        }
    }
    std::vector<int> found;
    for (size_t i = 0; i < best.size(); ++i)
        if (std::isfinite(best[i])) found.push_back(int(i));
    std::sort(found.begin(), found.end(), [&](int a, int b) {
        if (best[size_t(a)] != best[size_t(b)]) return best[size_t(a)] < best[size_t(b)];
        return a < b;  // the foods are read in the order of their descriptions
    });
    return found;
}

std::vector<FoundFood> FoodIndex::orderBy(const std::vector<int>& foods, int slot,
                                          OrderBasis basis) const {
    std::vector<FoundFood> known, unknown;
    for (int i : foods) {
        const SearchFood& f = m_foods[size_t(i)];
        double v = f.values[size_t(slot)];
        if (basis == OrderBasis::Per100kcal) {
            const double kcal = f.values[FoodSlot::FirstNutrient];
            if (!(kcal > 0)) continue;
            v = v * 100 / kcal;
        } else if (basis == OrderBasis::PerUnit) {
            if (f.unit1.isEmpty() || !(f.unit1Grams > 0)) continue;
            v = v * f.unit1Grams / 100;
        }
        (std::isnan(v) ? unknown : known).push_back({i, v});
    }
    std::stable_sort(known.begin(), known.end(),
                     [](const FoundFood& a, const FoundFood& b) { return a.value > b.value; });
    known.insert(known.end(), unknown.begin(), unknown.end());
    return known;
}

int FoodIndex::indexOf(const QString& description) const {
    const auto it = d->byDescription.find(description);
    return it == d->byDescription.end() ? -1 : it->second;
}

std::unique_ptr<FoodIndex> FoodIndex::read(const QString& customDb) {
    const QStringList names = fieldNames(csr14Table());
    QStringList columns{names.at(FoodSlot::Description), names.at(FoodSlot::FoodNumber),
                        names.at(FoodSlot::Code), names.at(FoodSlot::Gram1),
                        names.at(FoodSlot::Unit1)};
    for (int slot = FoodSlot::Water; slot <= FoodSlot::LastNutrient; ++slot)
        columns << names.at(slot);
    for (QString& c : columns) c = QLatin1Char('"') + c + QLatin1Char('"');
    std::vector<SearchFood> foods;
    try {
        auto db = connection(customDb);
        SQLite::Statement st(*db, ("SELECT " + columns.join(QLatin1Char(',')) +
                                   " FROM CSR14 ORDER BY Description COLLATE BINARY, rowid")
                                      .toStdString());
        auto number = [&](int column) -> float {
            const SQLite::Column c = st.getColumn(column);
            if (c.isNull()) return kUnknown;
            if (c.isText()) {
                const std::string t = c.getString();
                if (t.find_first_not_of(' ') == std::string::npos) return kUnknown;
                return float(leadingNumberUtf8(t));
            }
            return float(c.getDouble());
        };
        while (st.executeStep()) {
            SearchFood f;
            f.description = QString::fromStdString(st.getColumn(0).getString());
            f.ndbNumber = QString::fromStdString(st.getColumn(1).getString());
            f.code = st.getColumn(2).getInt();
            f.unit1Grams = number(3);
            f.unit1 = QString::fromStdString(st.getColumn(4).getString()).trimmed();
            f.values[0] = kUnknown;
            for (int slot = FoodSlot::Water; slot <= FoodSlot::LastNutrient; ++slot)
                f.values[size_t(slot)] = number(5 + slot - FoodSlot::Water);
            foods.push_back(std::move(f));
        }
    } catch (const SQLite::Exception& e) {
        throw storeError(e, customDb);
    }
    return std::make_unique<FoodIndex>(std::move(foods));
}

const FoodIndex& foodIndex(const QString& customDb) {
    static std::unique_ptr<FoodIndex> index;
    static QString builtFor;
    static std::uint64_t builtAt = 0;
    const std::uint64_t version = foodTableVersion();
    if (!index || builtFor != customDb || builtAt != version) {
        index.reset();
        index = FoodIndex::read(customDb);
        builtFor = customDb;
        builtAt = version;
    }
    return *index;
}

QStringList frequentFoods(const QString& mealDb, int limit) {
    QStringList out;
    try {
        auto db = connection(mealDb);
        SQLite::Statement latest(*db, "SELECT max(Date) FROM Meals WHERE description <> ''");
        QString since;
        if (latest.executeStep() && !latest.getColumn(0).isNull()) {
            const QDate last = QDate::fromString(
                QString::fromStdString(latest.getColumn(0).getString()), Qt::ISODate);
            if (last.isValid()) since = last.addDays(-kFrequentDays).toString(Qt::ISODate);
        }
        SQLite::Statement st(*db,
                             "SELECT description FROM Meals WHERE description <> '' AND "
                             "(?1 IS NULL OR Date >= ?1) GROUP BY description "
                             "ORDER BY count(*) DESC, max(Date) DESC, max(rowid) DESC LIMIT ?2");
        if (since.isEmpty())
            st.bind(1);
        else
            st.bind(1, since.toStdString());
        st.bind(2, limit);
        while (st.executeStep()) out << QString::fromStdString(st.getColumn(0).getString());
    } catch (const SQLite::Exception& e) {
        throw storeError(e, mealDb);
    }
    return out;
}

namespace {

QString shortNumber(double v) {
    const double a = std::fabs(v);
    QString t = QString::number(v, 'f', a >= 100 ? 0 : a >= 10 ? 1 : a >= 1 ? 2 : 3);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0'))) t.chop(1);
        if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    }
    return t == QLatin1String("-0") ? QStringLiteral("0") : t;
}

}  // namespace

QString foundFoodText(const SearchFood& food, int slot, OrderBasis basis, double value) {
    const float kcal = food.values[FoodSlot::FirstNutrient];
    QString text = food.description + QStringLiteral("  —  ") +
                   (std::isnan(kcal) ? QStringLiteral("calories unknown")
                                     : shortNumber(kcal) + QStringLiteral(" kcal per 100 g"));
    if (slot < FoodSlot::FirstNutrient || slot > FoodSlot::LastNutrient) return text;
    QString name;
    for (const NutrientLine& line : ReportText::nutrientLines())
        if (line.slot == slot) name = QString::fromLatin1(line.label).trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    text += QStringLiteral("  —  ") + name + QStringLiteral(": ");
    if (std::isnan(value)) return text + QStringLiteral("unknown");
    text += shortNumber(value) + QLatin1Char(' ') + nutrientUnit(slot);
    switch (basis) {
        case OrderBasis::Per100g:
            return text + QStringLiteral(" per 100 g");
        case OrderBasis::Per100kcal:
            return text + QStringLiteral(" per 100 kcal");
        case OrderBasis::PerUnit:
            return text + QStringLiteral(" per ") + food.unit1 + QStringLiteral(" (") +
                   shortNumber(food.unit1Grams) + QStringLiteral(" g)");
    }
    return text;
}

}  // namespace pw
