#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/NumberText.h"
#include "data/RuntimeError.h"

namespace pw {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
    EXPECT_EQ(leadingNumber(" 12.5"), 12.5);
    EXPECT_EQ(leadingNumber("2 cups"), 2.0);
    EXPECT_EQ(leadingNumber("-.25"), -0.25);
    EXPECT_EQ(leadingNumber("+7"), 7.0);
    EXPECT_EQ(leadingNumber("5."), 5.0);
    EXPECT_EQ(leadingNumber("1/4"), 1.0);
    EXPECT_EQ(leadingNumber("\t 12.0"), 12.0);
}

TEST(LeadingNumber, TextWithoutANumberReadsZero) {
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("cups"), 0.0);
    EXPECT_EQ(leadingNumber("-"), 0.0);
    EXPECT_EQ(leadingNumber("."), 0.0);
    EXPECT_EQ(leadingNumber("$5"), 0.0);
    EXPECT_FALSE(std::signbit(leadingNumber("-0")));
}

TEST(LeadingNumber, NeverReadsAnExponentAndNeverGivesInfinity) {
    EXPECT_EQ(leadingNumber("1e400"), 1.0);
    EXPECT_EQ(leadingNumber("2.5E+3"), 2.5);
    EXPECT_EQ(leadingNumber("inf"), 0.0);
    EXPECT_EQ(leadingNumber("nan"), 0.0);
    // A fraction below the smallest double is zero; a whole part beyond the largest overflows.
    EXPECT_EQ(leadingNumber("0." + QString(400, u'0') + "1"), 0.0);
    try {
        leadingNumber("1" + QString(400, u'0'));
        FAIL() << "no overflow raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
}

TEST(WholeNumber, AcceptsPlainNumbersWithBlanksAround) {
    EXPECT_EQ(wholeNumber("12"), 12.0);
    EXPECT_EQ(wholeNumber("  -3.5 "), -3.5);
    EXPECT_EQ(wholeNumber(".5"), 0.5);
    EXPECT_EQ(wholeNumber("5."), 5.0);
    EXPECT_EQ(wholeNumber("+2"), 2.0);
    EXPECT_EQ(wholeNumber("1.5e3"), 1500.0);
}

TEST(WholeNumber, RefusesAnythingElse) {
    for (const char* text : {"", "   ", "12 g", "1/4", "1,5", "abc", "-", ".", "+-1", "1..2", "e5",
                             "1e", "1e400", "-1e400", "inf", "nan", "Infinity", "0x10", "1 2"})
        EXPECT_FALSE(wholeNumber(QString::fromLatin1(text)).has_value()) << text;
}

TEST(ScaledText, BlankOrMinusAndNoZeroBeforeThePoint) {
    EXPECT_EQ(scaledText(12.5), " 12.5");
    EXPECT_EQ(scaledText(250), " 250");
    EXPECT_EQ(scaledText(0.5), " .5");
    EXPECT_EQ(scaledText(0), " 0");
    EXPECT_EQ(scaledText(-0.0), " 0");
    EXPECT_EQ(scaledText(-0.25), "-.25");
    EXPECT_EQ(scaledText(0.001), " .001");
    EXPECT_EQ(scaledText(37.95 * 1.5), " 56.925");
}

TEST(ScaledText, KeepsAtMostTheGivenSignificantDigits) {
    EXPECT_EQ(scaledText(0.1 + 0.2), " .3");
    EXPECT_EQ(scaledText(2.0 / 3.0), " .666666666666667");
    EXPECT_EQ(scaledText(2.0 / 3.0, 7), " .6666667");
    EXPECT_EQ(scaledText(12.345678, 7), " 12.34568");
    EXPECT_EQ(scaledText(99.99999999, 7), " 100");
}

TEST(ScaledText, ExtremeMagnitudesStayPlainSoTheyReadBack) {
    EXPECT_EQ(scaledText(1.5e20), " 150000000000000000000");
    EXPECT_EQ(scaledText(-2e-7), "-.0000002");
    EXPECT_EQ(leadingNumber(scaledText(1e300)), 1e300);
    EXPECT_THROW(scaledText(kInf), RuntimeError);
    EXPECT_THROW(scaledText(std::nan("")), RuntimeError);
}

TEST(FixedText, ThreeDecimalsWithALeadingZero) {
    EXPECT_EQ(fixed3(150), "150.000");
    EXPECT_EQ(fixed3(0.5), "0.500");
    EXPECT_EQ(fixed3(100.0 / 250.0 * 300.0), "120.000");
    EXPECT_EQ(fixed3(100.0 / 3.0), "33.333");
    EXPECT_EQ(fixed3(1e20), "100000000000000000000.000");
}

TEST(FixedText, RoundsHalvesAwayFromZeroAsTheyAreWritten) {
    EXPECT_EQ(fixed3(1.0005), "1.001");  // held as 1.000499999...
    EXPECT_EQ(fixed3(-1.0005), "-1.001");
    EXPECT_EQ(fixed3(2.0004), "2.000");
    EXPECT_EQ(fixedText(0.25, 1), "0.3");
    EXPECT_EQ(fixedText(2.5, 0), "3");
    EXPECT_EQ(fixedText(9.96, 1), "10.0");
    EXPECT_EQ(fixedText(0.04, 1), "0.0");
    EXPECT_EQ(fixedText(-0.04, 1), "0.0");
}

TEST(FixedText, RoundDecimalsReadsTheWrittenValueBack) {
    EXPECT_EQ(roundDecimals(650 * 100.0 / 2000.0, 1), 32.5);
    EXPECT_EQ(roundDecimals(7.3 * 100.0 / 25.0, 1), 29.2);
    EXPECT_EQ(roundDecimals(100.0 / 3.0, 1), 33.3);
    EXPECT_EQ(roundDecimals(0.05, 1), 0.1);
    EXPECT_EQ(roundDecimals(12.3456, 3), 12.346);
}

TEST(ShortestText, ReadsBackAsTheSameNumber) {
    EXPECT_EQ(shortestText(32.5), "32.5");
    EXPECT_EQ(shortestText(100), "100");
    EXPECT_EQ(shortestText(0.1), "0.1");
    EXPECT_EQ(shortestText(2.11), "2.11");
    EXPECT_EQ(shortestText(-37.5), "-37.5");
    EXPECT_EQ(shortestText(-0.0), "0");
    EXPECT_EQ(shortestText(1e21), "1000000000000000000000");
    EXPECT_EQ(shortestText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_THROW(shortestText(-kInf), RuntimeError);
}

TEST(ShortestText, SinglePrecision) {
    EXPECT_EQ(shortestSingle(717.0f), "717");
    EXPECT_EQ(shortestSingle(12.5f), "12.5");
    EXPECT_EQ(shortestSingle(3.0f), "3");
    EXPECT_EQ(shortestSingle(0.1f), "0.1");
    EXPECT_EQ(shortestSingle(1.0f / 3.0f), "0.33333334");
}

TEST(Text15, FifteenSignificantDigitsWithALeadingZero) {
    EXPECT_EQ(text15(0.1 + 0.1 + 0.1), "0.3");
    EXPECT_EQ(text15(1234.5), "1234.5");
    EXPECT_EQ(text15(0.000123), "0.000123");
    EXPECT_EQ(text15(-1.5), "-1.5");
    EXPECT_EQ(text15(0), "0");
    EXPECT_EQ(text15(-0.0), "0");
    EXPECT_EQ(text15(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(text15(123456789012345.0), "123456789012345");
}

TEST(Text15, ExponentFormOnlyForVeryLargeOrSmallTotals) {
    EXPECT_EQ(text15(0.00001), "0.00001");
    EXPECT_EQ(text15(0.000001), "1E-06");
    EXPECT_EQ(text15(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(text15(1e15), "1E+15");
    EXPECT_EQ(text15(1.5e20), "1.5E+20");
    EXPECT_EQ(text15(1234567890123456.0), "1.23456789012346E+15");
    EXPECT_THROW(text15(kInf), RuntimeError);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.5)));
    EXPECT_EQ(roundHalfEven(2.5001), 3.0);
    EXPECT_EQ(roundHalfEven(-7.6), -8.0);
    EXPECT_EQ(plainInt(-32768), "-32768");
}

TEST(Dates, ReadsMonthDayYearWithAnyOfTheThreeSeparators) {
    EXPECT_EQ(parseMdy("3/5/24"), QDate(2024, 3, 5));
    EXPECT_EQ(parseMdy("03/05/2024"), QDate(2024, 3, 5));
    EXPECT_EQ(parseMdy("3-5-2024"), QDate(2024, 3, 5));
    EXPECT_EQ(parseMdy("12.31.1999"), QDate(1999, 12, 31));
    EXPECT_EQ(parseMdy(" 11/26/01 "), QDate(2001, 11, 26));
    EXPECT_EQ(parseMdy("2/29/2024"), QDate(2024, 2, 29));
}

TEST(Dates, TwoDigitYearsSplitAtThirty) {
    EXPECT_EQ(parseMdy("1/1/00"), QDate(2000, 1, 1));
    EXPECT_EQ(parseMdy("1/1/29"), QDate(2029, 1, 1));
    EXPECT_EQ(parseMdy("1/1/30"), QDate(1930, 1, 1));
    EXPECT_EQ(parseMdy("1/1/99"), QDate(1999, 1, 1));
}

TEST(Dates, RefusesWhatIsNotADate) {
    for (const char* text : {"", "31/02/2024", "13/1/2020", "2/30/2024", "2/29/2023", "0/1/2020",
                             "1/0/2020", "abc", "1/2/2020x", "1/2", "1/2/3/4", "1/2-2020",
                             "1/2/202", "1/2/0024", "1 / 2 / 2020", "1/2/20201"})
        EXPECT_FALSE(parseMdy(QString::fromLatin1(text)).has_value()) << text;
}

TEST(Dates, WrittenAsMonthDayFourDigitYear) {
    EXPECT_EQ(mdyText(QDate(2024, 3, 5)), "03/05/2024");
    EXPECT_EQ(mdyText(QDate(1999, 12, 31)), "12/31/1999");
    EXPECT_EQ(mdyText(QDate()), "");
    EXPECT_EQ(parseMdy(mdyText(QDate(2001, 11, 26))), QDate(2001, 11, 26));
}

}  // namespace
}  // namespace pw
