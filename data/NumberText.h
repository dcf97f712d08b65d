#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <string_view>

namespace pw {

// Numbers travel as texts through the program. These are the conversions between the two.
// A number that cannot be held (an infinity, a NaN, digits beyond the range of a double) raises
// RuntimeError err::Overflow instead of becoming a text or a value that would not read back
// (wholeNumber answers nullopt instead).

// The leading decimal number of a text: leading blanks skipped, an optional sign, digits and one
// decimal point "."; " 12.5" reads 12.5, "2 cups" reads 2, a text without a number reads 0.
double leadingNumber(const QString& text);
// The same for a text held as UTF-8 bytes (a stored field read without decoding it): the number's
// characters are all ASCII, so the bytes read as the decoded text does.
double leadingNumberUtf8(std::string_view utf8);

// The whole text as a number (blanks around it allowed); nullopt when it is anything else,
// when it is empty, or when it is not finite.
std::optional<double> wholeNumber(const QString& text);

// A number as the scaled-value text: a leading blank for a positive number or zero, no leading
// zero before the decimal point, at most `significant` significant digits, no trailing zeros:
// " 12.5", " 250", " .5", " 0", "-.25".
QString scaledText(double value, int significant = 15);

// Exactly three decimals with a leading zero: "150.000", "0.500".
QString fixed3(double value);

// Fixed decimals with a leading zero, rounded half away from zero.
QString fixedText(double value, int decimals);

// The value rounded to `decimals` places as fixedText writes it, read back: 2.25 gives 2.3.
double roundDecimals(double value, int decimals);

// The shortest text that reads back as the same double: "32.5", "100", "0.1", "2.11".
QString shortestText(double value);

// The shortest text of a single-precision value: 12.5f gives "12.5", 3.0f gives "3".
QString shortestSingle(float value);

// The report totals' form: at most 15 significant digits, no trailing zeros, no leading blank,
// leading zero kept: 0.1 + 0.1 + 0.1 gives "0.3".
QString text15(double value);

// A whole number as plain decimal text.
QString plainInt(long long value);

// A count stored into one of the program's 16-bit counters (record counts, positions, meal
// numbers): beyond -32768..32767 it raises RuntimeError err::Overflow instead of wrapping to a
// negative number. `count` is a whole number; the fraction of any other is dropped.
qint16 counter16(double count);

// Rounds to a whole number, halves to even (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

// Reads a calendar date typed in month/day/year order ("3/5/24", "03/05/2024", "3-5-2024");
// a two-digit year 00..29 is 2000..2029, 30..99 is 1930..1999. nullopt when it is not a date.
std::optional<QDate> parseMdy(const QString& text);

// The number of ASCII digits 0-9 in `text` from `from` on, up to the first other character.
qsizetype digitRun(const QString& text, qsizetype from);

// The one fixed form in which dates are shown and written into query texts: MM/DD/YYYY.
QString mdyText(const QDate& date);

}  // namespace pw
