// The number and date readers on any text. leadingNumber raises RuntimeError 6 (overflow) for a
// number no double holds; any other exception, or a value that does not read back from the text
// the program writes for it, is a finding.
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "check.h"
#include "data/NumberText.h"
#include "data/RuntimeError.h"

namespace {

// A value read from a text must come back from each text the program writes for it.
void checkWritten(double value, int decimals) {
    const auto shortest = pw::wholeNumber(pw::shortestText(value));
    fuzzCheck(shortest && *shortest == value, "shortestText reads back exactly");
    fuzzCheck(pw::wholeNumber(pw::scaledText(value)).has_value(), "scaledText reads back");
    fuzzCheck(pw::wholeNumber(pw::text15(value)).has_value(), "text15 reads back");
    const auto fixed = pw::wholeNumber(pw::fixedText(value, decimals));
    fuzzCheck(fixed.has_value(), "fixedText reads back");
    fuzzCheck(std::fabs(*fixed - value) <= std::fabs(value) * 1e-14 + 0.5 * std::pow(10, -decimals),
              "fixedText is the value rounded");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int decimals = static_cast<int>(size % 8);
    // The stored bytes, read without decoding them, give what the decoded text gives.
    std::optional<double> leading;
    std::optional<double> leadingOfBytes;
    try {
        leading = pw::leadingNumber(text);
        fuzzCheck(std::isfinite(*leading), "leadingNumber is finite");
        checkWritten(*leading, decimals);
    } catch (const pw::RuntimeError& e) {
        fuzzCheck(e.number() == pw::err::Overflow, "leadingNumber fails only with overflow");
    }
    try {
        leadingOfBytes =
            pw::leadingNumberUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const pw::RuntimeError& e) {
        fuzzCheck(e.number() == pw::err::Overflow, "leadingNumberUtf8 fails only with overflow");
    }
    fuzzCheck(leading == leadingOfBytes, "the bytes read as the decoded text");

    if (const auto whole = pw::wholeNumber(text)) {
        fuzzCheck(std::isfinite(*whole), "wholeNumber is finite");
        checkWritten(*whole, decimals);
    }

    if (const auto date = pw::parseMdy(text)) {
        fuzzCheck(date->isValid(), "a date read is valid");
        const auto again = pw::parseMdy(pw::mdyText(*date));
        fuzzCheck(again && *again == *date, "a written date reads back");
    }
    return 0;
}
