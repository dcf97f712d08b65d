// The windowless parts of reports: Daily Value texts, and which bytes an edit of a text file
// writes anew.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <tuple>

#include "data/RuntimeError.h"
#include "data/TextFiles.h"
#include "reports/DailyValueSettings.h"
#include "reports/DailyValues.h"
#include "reports/ReportText.h"

namespace pw::test {
namespace {

QString dv(const QString& percent) { return "          Daily Value: " + percent + '%'; }

TEST(DailyValuesTest, PercentagesAreRoundedToOneDecimalAndWrittenShortest) {
    // Slot, total, percent shown: protein is not capped, a user food may have negative fat,
    // manganese shares copper's 2 mg.
    const std::tuple<int, double, const char*> cases[] = {
        {2, 650, "32.5"},   {3, 250, "500"}, {4, -13, "-20"}, {6, 7.3, "29.2"}, {8, 1000, "100"},
        {15, 0.75, "37.5"}, {16, 1, "50"},   {20, 1, "66.7"}, {21, 1, "58.8"},  {27, 100, "166.7"}};
    NutrientTotals totals{};
    for (const auto& [slot, total, shown] : cases) totals[slot] = total;
    PercentDV percent{};
    DVTexts texts;
    DailyValues::calc(totals, percent, texts);
    for (const auto& [slot, total, shown] : cases)
        EXPECT_EQ(texts[slot], dv(shown)) << "slot " << slot;
}

DailyValueTargets targetsAt(int level, std::initializer_list<std::pair<int, double>> own = {}) {
    DailyValueTargets t;
    t.calorieLevel = level;
    for (const auto& [slot, value] : own) t.own[std::size_t(slot)] = value;
    return t;
}

TEST(DailyValuesTest, TheCalorieLevelScalesTheEnergyNutrientsAndOwnValuesWin) {
    // Slot, then by hand: level / 2000 x the standard value at 1000, 1800 and 5000 calories.
    // Cholesterol, sodium, calcium and vitamin C keep theirs.
    const std::tuple<int, double, double, double> cases[] = {
        {2, 1000, 1800, 5000}, {3, 25, 45, 125},       {4, 32.5, 58.5, 162.5},
        {28, 10, 18, 50},      {5, 150, 270, 750},     {6, 12.5, 22.5, 62.5},
        {31, 300, 300, 300},   {11, 2400, 2400, 2400}, {8, 1000, 1000, 1000},
        {27, 60, 60, 60}};
    for (const auto& [slot, at1000, at1800, at5000] : cases) {
        EXPECT_DOUBLE_EQ(targetsAt(1000).valueFor(slot), at1000) << slot;
        EXPECT_DOUBLE_EQ(targetsAt(1800).valueFor(slot), at1800) << slot;
        EXPECT_DOUBLE_EQ(targetsAt(5000).valueFor(slot), at5000) << slot;
    }
    EXPECT_EQ(dailyValueTable().size(), 27u);

    // Protein set to 60 by hand at 1800 calories: 60 g win over the scaled 45, vitamin C's own
    // over the standard; the percentages follow, the rest stay scaled.
    const DailyValueTargets own = targetsAt(1800, {{3, 60}, {27, 90}});
    NutrientTotals totals{};
    totals[2] = 900, totals[3] = 30, totals[27] = 45;
    PercentDV percent{};
    DVTexts texts;
    DailyValues::calc(totals, percent, texts, own);
    EXPECT_EQ(texts[2], dv("50"));
    EXPECT_EQ(texts[3], dv("50"));
    EXPECT_EQ(texts[27], dv("50"));
    EXPECT_EQ(own.ownCount(), 2);
    EXPECT_FALSE(own.isStandard());
}

TEST(DailyValuesTest, TheFooterSaysWhoseDailyValuesTheReportUses) {
    const QStringList standard = ReportText::footerLines({});
    const std::pair<DailyValueTargets, const char*> cases[] = {
        {targetsAt(1800, {{3, 60}, {4, 50}, {11, 1500}}),
         "a 1800 calorie diet (3 values set by hand).  If your calorie"},
        {targetsAt(2000, {{27, 90}}),
         "a 2000 calorie diet (1 value set by hand).  If your calorie"},
        {targetsAt(2500), "a 2500 calorie diet.  If your calorie"},
    };
    for (const auto& [targets, second] : cases) {
        const QStringList lines = ReportText::footerLines(targets);
        ASSERT_EQ(lines.size(), 6);
        EXPECT_EQ(lines[0], "Percent Daily Values are your own Daily Values, based on");
        EXPECT_EQ(lines[1], second);
        EXPECT_EQ(lines.mid(2), standard.mid(2));
    }
}

TEST(DailyValueSettingsTest, SavedValuesReadBackAndNonsenseFallsBackToTheStandardValue) {
    QTemporaryDir dir;
    const QString path = dailyValueSettingsPath(dir.path());
    EXPECT_TRUE(readDailyValueSettings(path).problems.isEmpty());  // no file: standard, quietly

    const DailyValueTargets saved = targetsAt(1800, {{3, 62.5}, {20, 1.25}, {17, 0.000001}});
    saveDailyValueSettings(path, saved);
    const DailyValueSettingsRead back = readDailyValueSettings(path);
    EXPECT_EQ(back.targets, saved);
    EXPECT_TRUE(back.problems.isEmpty());

    // Each damaged file keeps what is right in it and names the lines that are wrong.
    const std::tuple<QByteArray, DailyValueTargets, QStringList> cases[] = {
        {"[DailyValues]\nCalorieLevel=lots\nSodium=-5\nIron=0\nVitaminZ=3\nnonsense\nFiber=30\n",
         targetsAt(2000, {{6, 30}}),
         {"line 2", "line 3", "line 4", "line 5", "line 6"}},
        {"[DailyValues]\nCalcium=1e309\nVitaminC=1" + QByteArray(400, '0') + "\nCalorieLevel=900\n",
         targetsAt(2000),
         {"line 2", "line 3", "line 4"}},
        {"[DailyValues]\nProtein=" + QByteArray(1 << 20, '9') + "\nCalorieLevel=2200\n",
         targetsAt(2200),
         {"line 2 is too long"}},
    };
    for (const auto& [bytes, targets, problems] : cases) {
        saveFileBytes(path, bytes);
        const DailyValueSettingsRead read = readDailyValueSettings(path);
        EXPECT_EQ(read.targets, targets);
        EXPECT_EQ(read.problems, problems);
        EXPECT_EQ(readFileBytes(path), bytes);  // reading never rewrites it
    }

    // A folder that cannot be written: the save fails and the file there stays as it was.
    saveDailyValueSettings(path, saved);
    EXPECT_THROW(saveDailyValueSettings(dir.filePath("Platewise.ini/x.ini"), saved), RuntimeError);
    if (QProcess::execute("chattr", {"+i", dir.path()}) == 0) {
        EXPECT_THROW(saveDailyValueSettings(path, targetsAt(3000)), RuntimeError);
        QProcess::execute("chattr", {"-i", dir.path()});
    }
    EXPECT_EQ(readDailyValueSettings(path).targets, saved);
}

// Which lines of a file an edit writes anew, and with which line ends.
TEST(EditedFileBytes, KeepsTheLinesTheEditDidNotTouch) {
    struct Case {
        const char* what;
        QByteArray original;
        QString before, after;
        QByteArray expected;
    };
    const Case cases[] = {
        {"line inserted", "a\r\nb", "a\nb", "a\nnew\nb", "a\r\nnew\r\nb"},
        {"middle line changed, mixed ends kept", "x\ry\r\nz\n", "x\ny\nz\n", "x\nY\nz\n",
         "x\rY\r\nz\n"},
        {"last line removed", "a\r\nb", "a\nb", "a", "a"},
        {"line added to an LF file", "a\nb\n", "a\nb\n", "a\nb\nc\n", "a\nb\nc\n"},
        {"new lines in a file without line ends take CR LF", "one", "one", "one\ntwo",
         "one\r\ntwo"},
        {"everything deleted", "a\r\nb\r\n", "a\nb\n", "", ""},
        // The box showed a line break the bytes do not hold: every line is written anew.
        {"lines not shown one for one",
         "a\xE2\x80\xA9"
         "b\n",
         "a\nb\n", "a\nb\nc", "a\nb\nc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(editedFileBytes(c.original, TextEncoding::Utf8, c.before, c.after), c.expected);
    }
    EXPECT_EQ(editedFileBytes("\xE9", TextEncoding::Latin1, "\u00E9", "\u00E9\u20AC"),
              std::nullopt);
}

}  // namespace
}  // namespace pw::test
