// The windowless parts of reports: Daily Value texts, and which bytes an edit of a text file
// writes anew.
#include <gtest/gtest.h>

#include <tuple>

#include "data/TextFiles.h"
#include "reports/DailyValues.h"

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
