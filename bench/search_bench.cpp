// Finding foods by words: one keystroke's results over the real food table and over 100,000
// generated foods, building the index on first use, and opening the Find window.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/BenchSupport.h"
#include "data/FoodTableVersion.h"
#include "meals/FoodSearch.h"
#include "meals/frmFind.h"

namespace {

pw::bench::QuietPlatform g_searchPlatform;

QString foodFile() { return pw::bench::programFolder() + QStringLiteral("/Custom.mdb"); }

// Each keystroke of typing "chicken breast roasted", in turn.
void typeInto(benchmark::State& state, const pw::FoodIndex& index) {
    const QString typed = QStringLiteral("chicken breast roasted");
    qsizetype n = 0;
    size_t found = 0;
    for (auto _ : state) {
        n = n % typed.size() + 1;
        found += index.find(typed.left(n)).size();
    }
    if (found == 0) state.SkipWithError("the search found nothing");
}

void FindPerKeystroke(benchmark::State& state) { typeInto(state, pw::foodIndex(foodFile())); }
BENCHMARK(FindPerKeystroke)->Unit(benchmark::kMillisecond);

// 100,000 foods made from the real ones: each description again with other words added.
void FindPerKeystroke100k(benchmark::State& state) {
    static const std::unique_ptr<pw::FoodIndex> big = [] {
        const auto& real = pw::foodIndex(foodFile()).foods();
        const char* extra[] = {"organic",     "homestyle",      "select",  "value pack",
                               "family size", "lightly salted", "premium", "classic",
                               "deluxe",      "original",       "fine",    "large",
                               "small"};
        std::vector<pw::SearchFood> foods;
        for (size_t i = 0; foods.size() < 100000; ++i) {
            pw::SearchFood f = real[i % real.size()];
            if (i >= real.size())
                f.description += QStringLiteral(", ") + QLatin1String(extra[i % 13]) +
                                 QStringLiteral(" ") + QString::number(i / real.size());
            foods.push_back(std::move(f));
        }
        return std::make_unique<pw::FoodIndex>(std::move(foods));
    }();
    typeInto(state, *big);
}
BENCHMARK(FindPerKeystroke100k)->Unit(benchmark::kMillisecond);

// The index built from the file, as the first Find of a run builds it.
void FindIndexFirstUse(benchmark::State& state) {
    for (auto _ : state) {
        pw::noteFoodTableChanged();
        benchmark::DoNotOptimize(pw::foodIndex(foodFile()).foods().size());
    }
}
BENCHMARK(FindIndexFirstUse)->Unit(benchmark::kMillisecond);

// The window made and shown with the frequent foods listed (the index already built).
void FindWindowOpen(benchmark::State& state) {
    pw::foodIndex(foodFile());
    const QString folder = pw::bench::programFolder();
    for (auto _ : state) {
        pw::frmFind find(g_searchPlatform,
                         {foodFile(), folder + QStringLiteral("/MealDataB.mdb"), false, true});
        find.show();
        QApplication::processEvents();
    }
}
BENCHMARK(FindWindowOpen)->Unit(benchmark::kMillisecond);

}  // namespace
