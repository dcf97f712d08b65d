#include "data/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "data/RuntimeError.h"

namespace pw {

namespace {

// A finite number as decimal digits: value = d1.d2d3... x 10^exponent. No leading zeros and no
// trailing zeros in `digits`; zero has no digits at all.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// Texts are never made of infinities or NaNs: a value that is not finite is an overflow, as the
// number it stands for cannot be held.
void requireFinite(double value) {
    if (!std::isfinite(value)) throw RuntimeError(err::Overflow);
}

// The value rounded (to nearest) to `significant` significant digits.
Decimal toDecimal(double value, int significant) {
    requireFinite(value);
    significant = std::clamp(significant, 1, 17);
    Decimal d;
    d.negative = std::signbit(value);
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                             significant - 1);
    std::size_t kept = 17;
    double readBack = 0;
    if (std::from_chars(buf, res.ptr, readBack).ec != std::errc()) {
        // Rounded up beyond the largest double (1.7976931348623157e308 to 15 digits): such a text
        // would not read back, so the exact digits are cut instead.
        res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                            16);
        kept = static_cast<std::size_t>(significant);
    }
    const std::string text(buf, res.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e && d.digits.size() < kept; ++i)
        if (text[i] != '.') d.digits += text[i];
    d.exponent = std::stoi(text.substr(e + 1));
    stripTrailingZeros(d);
    if (d.isZero()) d.negative = false;
    return d;
}

// Rounds to `decimals` places after the point, halves away from zero.
void roundAt(Decimal& d, int decimals) {
    if (d.isZero()) return;
    const long long kept = static_cast<long long>(d.exponent) + 1 + decimals;
    if (kept >= static_cast<long long>(d.digits.size())) return;
    if (kept < 0) {
        d = Decimal{};
        return;
    }
    const bool up = d.digits[kept] >= '5';
    d.digits.resize(kept);
    if (up) {
        long long i = kept - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    stripTrailingZeros(d);
    if (d.isZero()) d.negative = false;
}

// Plain positional digits without sign: at least `minDecimals` decimals; "0" before the point of
// a value below 1 only when `leadingZero`.
std::string plainDigits(const Decimal& d, int minDecimals, bool leadingZero) {
    std::string whole;
    std::string fraction;
    if (d.isZero()) {
        whole = "0";
    } else if (d.exponent >= 0) {
        const std::size_t wholeLength = static_cast<std::size_t>(d.exponent) + 1;
        whole = d.digits.substr(0, std::min(wholeLength, d.digits.size()));
        whole.resize(wholeLength, '0');
        if (d.digits.size() > wholeLength) fraction = d.digits.substr(wholeLength);
    } else {
        whole = leadingZero ? "0" : "";
        fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    if (fraction.size() < static_cast<std::size_t>(std::max(minDecimals, 0)))
        fraction.resize(static_cast<std::size_t>(minDecimals), '0');
    return fraction.empty() ? whole : whole + '.' + fraction;
}

// "1.5E+20", "1E-06": the mantissa without trailing zeros, at least two exponent digits.
std::string exponentDigits(const Decimal& d) {
    std::string text(1, d.digits[0]);
    if (d.digits.size() > 1) text += '.' + d.digits.substr(1);
    const int magnitude = std::abs(d.exponent);
    text += d.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) text += '0';
    return text + std::to_string(magnitude);
}

QString withSign(const Decimal& d, const std::string& digits, const char* positivePrefix = "") {
    return QString::fromLatin1(d.negative ? "-" : positivePrefix) + QString::fromLatin1(digits);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Reads an ASCII number text already checked for its form; out of range gives nullopt.
std::optional<double> readChecked(std::string_view text) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    double value = 0;
    const auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(value)) return std::nullopt;
    return value + 0.0;  // no negative zero
}

// The leading number of a text of `n` characters that `at(i)` gives; `span(from, to)` gives the
// characters from..to-1 as ASCII text, for the number found there.
template <typename At, typename Span>
double leadingNumberOf(qsizetype n, At at, Span span) {
    qsizetype i = 0;
    while (i < n && isBlank(at(i))) ++i;
    const qsizetype start = i;
    if (i < n && (at(i) == u'-' || at(i) == u'+')) ++i;
    bool anyDigit = false;
    bool wholeNonZero = false;
    for (; i < n && isDigit(at(i)); ++i) {
        anyDigit = true;
        wholeNonZero = wholeNonZero || at(i) != u'0';
    }
    if (i < n && at(i) == u'.')
        for (++i; i < n && isDigit(at(i)); ++i) anyDigit = true;
    if (!anyDigit) return 0.0;
    if (const auto value = readChecked(span(start, i))) return *value;
    // Out of range: a whole part too long for a double overflows; a fraction too small is 0.
    if (wholeNonZero) throw RuntimeError(err::Overflow);
    return 0.0;
}

}  // namespace

double leadingNumber(const QString& text) {
    return leadingNumberOf(
        text.size(), [&](qsizetype k) { return char16_t(text[k].unicode()); },
        [&](qsizetype from, qsizetype to) {
            std::string ascii;
            for (qsizetype k = from; k < to; ++k) ascii += char(text[k].unicode());
            return ascii;
        });
}

double leadingNumberUtf8(std::string_view utf8) {
    return leadingNumberOf(
        qsizetype(utf8.size()), [&](qsizetype k) { return char16_t(uchar(utf8[std::size_t(k)])); },
        [&](qsizetype from, qsizetype to) {
            return utf8.substr(std::size_t(from), std::size_t(to - from));
        });
}

qsizetype digitRun(const QString& text, qsizetype from) {
    qsizetype i = from;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
    return i - from;
}

std::optional<double> wholeNumber(const QString& text) {
    // A sign, digits with one decimal point among or before them, an exponent: all optional but
    // one digit.
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
    const qsizetype whole = digitRun(t, i);
    i += whole;
    qsizetype fraction = 0;
    if (i < t.size() && t[i] == u'.') {
        fraction = digitRun(t, ++i);
        i += fraction;
    }
    if (whole + fraction == 0) return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
        const qsizetype exponent = digitRun(t, i);
        if (exponent == 0) return std::nullopt;
        i += exponent;
    }
    if (i != t.size()) return std::nullopt;
    return readChecked(t.toStdString());
}

QString scaledText(double value, int significant) {
    const Decimal d = toDecimal(value, significant);
    return withSign(d, plainDigits(d, 0, false), " ");
}

QString fixed3(double value) { return fixedText(value, 3); }

QString fixedText(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 40);
    // Rounded first to the 15 digits a double holds, so 1.0005 counts as the half it is shown as.
    Decimal d = toDecimal(value, 15);
    roundAt(d, decimals);
    return withSign(d, plainDigits(d, decimals, true));
}

double roundDecimals(double value, int decimals) {
    return wholeNumber(fixedText(value, decimals)).value_or(0.0);
}

QString shortestText(double value) {
    requireFinite(value);
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value + 0.0, std::chars_format::fixed);
    return QString::fromLatin1(buf, res.ptr - buf);
}

QString shortestSingle(float value) {
    requireFinite(value);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value + 0.0f, std::chars_format::fixed);
    return QString::fromLatin1(buf, res.ptr - buf);
}

QString text15(double value) {
    const Decimal d = toDecimal(value, 15);
    // Positional digits for everyday magnitudes, exponent form beyond them.
    const bool positional = d.isZero() || (d.exponent >= -5 && d.exponent < 15);
    return withSign(d, positional ? plainDigits(d, 0, true) : exponentDigits(d));
}

QString plainInt(long long value) { return QString::number(value); }

qint16 counter16(double count) {
    // A NaN fails both comparisons and so overflows as well.
    if (!(count >= -32768.0 && count < 32768.0)) throw RuntimeError(err::Overflow);
    return static_cast<qint16>(count);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double rounded = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0);
    return rounded + 0.0;
}

std::optional<QDate> parseMdy(const QString& text) {
    // month, separator, day, the same separator, year: 1 or 2 digits, then 1, 2 or 4 digits.
    const QString t = text.trimmed();
    const qsizetype monthDigits = digitRun(t, 0);
    if (monthDigits < 1 || monthDigits > 2 || monthDigits >= t.size()) return std::nullopt;
    const QChar separator = t[monthDigits];
    if (separator != u'/' && separator != u'.' && separator != u'-') return std::nullopt;
    const qsizetype dayAt = monthDigits + 1;
    const qsizetype dayDigits = digitRun(t, dayAt);
    const qsizetype yearAt = dayAt + dayDigits + 1;
    if (dayDigits < 1 || dayDigits > 2 || yearAt > t.size() || t[yearAt - 1] != separator)
        return std::nullopt;
    const qsizetype yearDigits = digitRun(t, yearAt);
    if (yearAt + yearDigits != t.size() || yearDigits < 1 || yearDigits == 3 || yearDigits > 4)
        return std::nullopt;
    const int month = t.mid(0, monthDigits).toInt();
    const int day = t.mid(dayAt, dayDigits).toInt();
    int year = t.mid(yearAt).toInt();
    if (yearDigits <= 2) {
        year += year < 30 ? 2000 : 1900;
    } else if (year < 1000) {
        return std::nullopt;  // "0024" is a slip of the keyboard, not the year 24
    }
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    return date;
}

QString mdyText(const QDate& date) {
    if (!date.isValid()) return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

}  // namespace pw
