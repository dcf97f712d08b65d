// The main window's hot paths on the real food table: the keyboard search in the food list, finding
// a food by its description, and a portion adjustment of a stored item.
#include <benchmark/benchmark.h>

#include <QTest>

#include "app/FormB.h"
#include "app/Startup.h"
#include "bench/BenchSupport.h"
#include "data/Database.h"
#include "platform/BoundList.h"
#include "platform/GlobalModule.h"

namespace {

pw::bench::QuietPlatform g_platform;
std::unique_ptr<pw::FormB> g_form;

// One loaded main window over a program folder with the real foods and one meal of one item.
pw::FormB& window() {
    if (!g_form) {
        g_form = pw::startProgram(g_platform, pw::bench::programFolder());
        g_form->mnuAddItem_Click();  // the picking screen: the food list is shown and has the focus
    }
    return *g_form;
}

// Typing "butter, salted" into the food list, one keystroke at a time.
void KeyboardSearchPerKeystroke(benchmark::State& state) {
    pw::FormB& f = window();
    const QString word = QStringLiteral("butter, salted");
    int i = 0;
    for (auto _ : state) {
        if (i == word.size()) {
            f.DBList1->resetKeyboardSearch();
            i = 0;
        }
        QTest::keyClick(f.DBList1, word.at(i++).toLatin1());
    }
    if (f.DBList1->text().isEmpty()) state.SkipWithError("the search found nothing");
}
BENCHMARK(KeyboardSearchPerKeystroke)->Unit(benchmark::kMillisecond);

void FindFoodByDescription(benchmark::State& state) {
    pw::FormB& f = window();
    const QStringList foods = {QStringLiteral("Butter, salted"), QStringLiteral("Abiyuch, raw"),
                               QStringLiteral("Zwieback")};
    int i = 0;
    for (auto _ : state) {
        if (!f.findFood(foods.at(i++ % foods.size()))) state.SkipWithError("not found");
    }
}
BENCHMARK(FindFoodByDescription)->Unit(benchmark::kMillisecond);

// Rescaling the stored item to a new portion: find the food, scale, save, show.
void PortionAdjustment(benchmark::State& state) {
    pw::FormB& f = window();
    f.DBList1->setCurrentRow(f.DBList1->findFirst(QStringLiteral("Butter, salted")));
    f.DBList1_Click();
    f.DBList1_DblClick();
    float grams = 100;
    for (auto _ : state) {
        pw::globals().vPortionGrams = (grams += 1);
        f.ScaleDataB_from_Data1();
        f.DataB_Reposition();
    }
}
BENCHMARK(PortionAdjustment)->Unit(benchmark::kMillisecond);

}  // namespace

// The window goes while the application that its widgets belong to is still there.
void pw::bench::closeWindow() { g_form.reset(); }
