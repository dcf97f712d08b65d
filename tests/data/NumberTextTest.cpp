#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "tests/support/TestDb.h"

namespace pw {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, LeadingNumberReadsTheStartNeverAnExponentOrInfinity) {
    QList<double> read;
    for (const char* text : {" 12.5", "2 cups", "-.25", "+7", "5.", "1/4", "\t 12", "", "cups", "-",
                             ".", "$5", "1e400", "2.5E+3", "inf", "nan",
                             "\xC2\xA0"
                             "5",
                             "3\xC3\xA9"})
        read << leadingNumber(QString::fromUtf8(text));
    EXPECT_EQ(read,
              QList<double>({12.5, 2, -0.25, 7, 5, 1, 12, 0, 0, 0, 0, 0, 1, 2.5, 0, 0, 0, 3}));
    EXPECT_EQ(leadingNumber("0." + QString(400, u'0') + "1"), 0);
    EXPECT_FALSE(std::signbit(leadingNumber("-0")));
    EXPECT_EQ(test::errorNumberOf([] { leadingNumber("1" + QString(400, u'0')); }), err::Overflow);
    EXPECT_EQ(test::errorNumberOf([] { leadingNumberUtf8(std::string(400, '1')); }), err::Overflow);
}

// A 16-bit counter holds -32768..32767; one more is run-time error 6, never a negative count.
TEST(NumberText, Counter16HoldsItsRangeAndOverflowsBeyondIt) {
    EXPECT_EQ(counter16(32767), 32767);
    EXPECT_EQ(counter16(-32768), -32768);
    for (double beyond : {32768.0, 65535.0, -32769.0, 1e12, kInf, std::nan("")})
        EXPECT_EQ(test::errorNumberOf([&] { counter16(beyond); }), err::Overflow) << beyond;
}

TEST(NumberText, WholeNumberTakesOnlyAPlainNumberWithBlanksAround) {
    const std::pair<const char*, double> good[] = {{"12", 12}, {"  -3.5 ", -3.5}, {".5", 0.5},
                                                   {"5.", 5},  {"+2", 2},         {"1.5e3", 1500}};
    for (const auto& [text, number] : good) EXPECT_EQ(wholeNumber(text), number) << text;
    for (const char* text : {"", "   ", "12 g", "1/4", "1,5", "abc", "-", ".", "+-1", "1..2", "e5",
                             "1e", "1e400", "-1e400", "inf", "nan", "Infinity", "0x10", "1 2"})
        EXPECT_FALSE(wholeNumber(text).has_value()) << text;
}

TEST(NumberText, ScaledFormHasABlankOrMinusAndNoZeroBeforeThePoint) {
    EXPECT_EQ(QStringList({scaledText(12.5), scaledText(0.5), scaledText(-0.0), scaledText(-0.25),
                           scaledText(37.95 * 1.5), scaledText(0.1 + 0.2), scaledText(2.0 / 3.0)}),
              QStringList({" 12.5", " .5", " 0", "-.25", " 56.925", " .3", " .666666666666667"}));
    EXPECT_EQ(scaledText(12.345678, 7), " 12.34568");
    EXPECT_EQ(scaledText(99.99999999, 7), " 100");
    // Extreme magnitudes stay plain so that they read back.
    EXPECT_EQ(scaledText(-2e-7), "-.0000002");
    EXPECT_EQ(leadingNumber(scaledText(1e300)), 1e300);
    EXPECT_THROW(scaledText(kInf), RuntimeError);
    EXPECT_THROW(scaledText(std::nan("")), RuntimeError);
}

TEST(NumberText, ThreeDecimalsRoundHalvesAwayFromZeroAsWritten) {
    EXPECT_EQ(QStringList({fixed3(150), fixed3(0.5), fixed3(100.0 / 3.0), fixed3(1.0005),
                           fixed3(-1.0005), fixed3(2.0004), fixed3(1e20)}),
              QStringList({"150.000", "0.500", "33.333", "1.001", "-1.001", "2.000",
                           "100000000000000000000.000"}));
    EXPECT_EQ(QStringList(
                  {fixedText(0.25, 1), fixedText(2.5, 0), fixedText(9.96, 1), fixedText(-0.04, 1)}),
              QStringList({"0.3", "3", "10.0", "0.0"}));
    EXPECT_EQ(roundDecimals(0.05, 1), 0.1);
}

TEST(NumberText, ShortestTextReadsBackAsTheSameNumber) {
    EXPECT_EQ(
        QStringList({shortestText(32.5), shortestText(100), shortestText(0.1), shortestText(2.11),
                     shortestText(-0.0), shortestText(1e21), shortestText(0.1 + 0.2)}),
        QStringList(
            {"32.5", "100", "0.1", "2.11", "0", "1000000000000000000000", "0.30000000000000004"}));
    EXPECT_THROW(shortestText(-kInf), RuntimeError);
    EXPECT_EQ(QStringList({shortestSingle(717.0f), shortestSingle(0.1f), shortestSingle(1.0f / 3)}),
              QStringList({"717", "0.1", "0.33333334"}));
}

TEST(NumberText, FifteenDigitsWithExponentOnlyForVeryLargeOrSmallTotals) {
    QStringList texts;
    for (double number : {0.1 + 0.1 + 0.1, 0.000123, -0.0, 2.0 / 3.0, 123456789012345.0, 0.00001,
                          0.000001, -2.5e-7, 1e15, 1234567890123456.0})
        texts << text15(number);
    EXPECT_EQ(texts,
              QStringList({"0.3", "0.000123", "0", "0.666666666666667", "123456789012345",
                           "0.00001", "1E-06", "-2.5E-07", "1E+15", "1.23456789012346E+15"}));
    EXPECT_THROW(text15(kInf), RuntimeError);
}

TEST(NumberText, HalvesRoundToTheEvenNeighbour) {
    QList<double> rounded;
    for (double number : {2.5, 3.5, -2.5, 0.5, 2.5001, -7.6}) rounded << roundHalfEven(number);
    EXPECT_EQ(rounded, QList<double>({2, 4, -2, 0, 3, -8}));
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.5)));
}

TEST(NumberText, DatesAreMonthDayYearWithTwoDigitYearsSplitAtThirty) {
    QStringList dates;
    for (const char* text : {"3/5/24", "03/05/2024", "3-5-2024", "12.31.1999", " 11/26/01 ",
                             "2/29/2024", "1/1/00", "1/1/29", "1/1/30", "1/1/99"})
        dates << parseMdy(text).value_or(QDate()).toString(Qt::ISODate);
    EXPECT_EQ(dates,
              QStringList({"2024-03-05", "2024-03-05", "2024-03-05", "1999-12-31", "2001-11-26",
                           "2024-02-29", "2000-01-01", "2029-01-01", "1930-01-01", "1999-01-01"}));
    for (const char* text :
         {"", "31/02/2024", "13/1/2020", "2/30/2024", "2/29/2023", "0/1/2020", "1/0/2020", "abc",
          "1/2/2020x", "1/2", "1/2/3/4", "1/2-2020", "1/2/202", "1/2/0024", "1 / 2 / 2020",
          "1/2/20201", "123/1/2020", "1/123/2020", "1/2/"})
        EXPECT_FALSE(parseMdy(text).has_value()) << text;
    EXPECT_EQ(mdyText(QDate()), "");
}

// The catalogue's own texts are GlobalErrorHandler.TextsByErrorNumber's; here the fallbacks.
TEST(ErrorCatalog, OtherNumbersTakeTheGeneralTextAndAnOwnTextSurvivesWhat) {
    const QString unknown = QStringLiteral("Application-defined or object-defined error");
    for (int number : {0, -1, 4, 3000, 32754, 32756, 65535})
        EXPECT_EQ(errorDescription(number), unknown) << number;
    EXPECT_STREQ(RuntimeError(err::DivisionByZero).what(), "Division by zero");
    EXPECT_EQ(RuntimeError(1234, QString()).description(), unknown);
    const RuntimeError own(err::FileLocked, QStringLiteral("Crème brûlée.mdb in use"));
    EXPECT_EQ(QString::fromUtf8(own.what()), QStringLiteral("Crème brûlée.mdb in use"));
}

}  // namespace
}  // namespace pw
