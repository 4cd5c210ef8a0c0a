// Fuzz target: the leading-number parse and the plain number text.
//
// Input: any bytes, read as an entry-box text. When there are at least four bytes, the first
// four are also taken as the bits of a float (little-endian) whose displayed text is read back.
//
// Checks:
//  - the parse never yields NaN (a number, +-infinity or 0), whatever the bytes;
//  - blanks, tabs and line feeds change nothing wherever they stand;
//  - a text that does not begin with a sign, a digit, a period or & reads as 0;
//  - a leading minus sign negates a number that begins with a digit or a period, and a
//    leading plus sign changes nothing;
//  - the text of a finite float is a blank or minus sign and a plain or exponent number of at
//    most seven significant digits, and reads back as the float rounded to seven significant
//    digits (either neighbour when the float lies exactly halfway between two), the same text
//    as the digit-by-digit reference::PlainNumberText.

#include "common/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>  // std::strtod
#include <string>
#include <string_view>

#include "fuzz_support.h"

namespace hygrova::fuzz {
namespace {

bool IsSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

std::string WithoutBlanks(std::string_view text)
{
    std::string kept;
    for (const char c : text) {
        if (!IsSkipped(c)) {
            kept.push_back(c);
        }
    }
    return kept;
}

// Equal as values, with +0 and -0 taken as equal and infinities compared by sign.
bool SameValue(double a, double b)
{
    return a == b;
}

void CheckParse(std::string_view text)
{
    const std::string shown = "\"" + std::string(text) + "\"";
    const double value = ParseLeadingNumber(text);
    FUZZ_CHECK(!std::isnan(value), "ParseLeadingNumber(" + shown + ") is NaN");

    const std::string kept = WithoutBlanks(text);
    const double keptValue = ParseLeadingNumber(kept);
    FUZZ_CHECK(SameValue(value, keptValue), "blanks changed the value of " + shown + ": " +
                                                Show(value) + " with them, " + Show(keptValue) +
                                                " without");

    if (kept.empty()) {
        FUZZ_CHECK(value == 0.0, "a text of blanks " + shown + " reads as " + Show(value));
        return;
    }
    const char first = kept.front();
    const bool mayBeginNumber =
        IsDigit(first) || first == '+' || first == '-' || first == '.' || first == '&';
    if (!mayBeginNumber) {
        FUZZ_CHECK(value == 0.0,
                   shown + " does not begin with a number but reads as " + Show(value));
    }
    if (IsDigit(first) || first == '.') {
        const double negated = ParseLeadingNumber("-" + kept);
        FUZZ_CHECK(SameValue(negated, -value),
                   "\"-\" + " + shown + " reads as " + Show(negated) + ", not " + Show(-value));
        const double plus = ParseLeadingNumber("+" + kept);
        FUZZ_CHECK(SameValue(plus, value),
                   "\"+\" + " + shown + " reads as " + Show(plus) + ", not " + Show(value));
    }
}

// The decimal exponent of |value| in scientific notation, and whether the exact binary value
// lies halfway between two seven-digit decimals.
struct SevenDigitRounding {
    int exponent;
    bool halfway;
};

SevenDigitRounding RoundingOf(float value)
{
    // A float's exact decimal expansion has at most 112 significant digits; 120 show it all.
    char exact[160];
    std::snprintf(exact, sizeof exact, "%.120e", std::fabs(static_cast<double>(value)));
    const std::string_view text(exact);
    const std::size_t e = text.find('e');
    SevenDigitRounding rounding{std::atoi(exact + e + 1), false};
    // exact: "d.dddddd|5000...e+XX" — the eighth significant digit sits at index 8.
    const std::string_view rest = text.substr(8, e - 8);
    rounding.halfway = rest.front() == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
    return rounding;
}

void CheckTextRoundTrip(float value)
{
    const std::string text = PlainNumberText(value);
    const std::string what = "PlainNumberText(" + Show(value) + ")";
    FUZZ_CHECK(text == reference::PlainNumberText(value),
               what + " = \"" + text + "\", the reference gives \"" +
                   reference::PlainNumberText(value) + "\"");
    const double readBack = CheckedNumberText(text, what);
    FUZZ_CHECK(text.front() == (value < 0.0f ? '-' : ' '),
               what + " = \"" + text + "\" has the wrong sign");

    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.6e", static_cast<double>(value));
    const float expected = static_cast<float>(std::strtod(rounded, nullptr));
    const float got = static_cast<float>(readBack);
    if (got == expected) {
        return;
    }
    const SevenDigitRounding rounding = RoundingOf(value);
    // Halfway: either neighbour is a correct rounding; both lie half a unit of the seventh
    // digit away, any other seven-digit decimal at least one and a half.
    const double halfUnit = 0.5 * std::pow(10.0, rounding.exponent - 6);
    const double slack = std::fabs(std::nextafter(got, 0.0f) - got);
    FUZZ_CHECK(rounding.halfway && std::fabs(static_cast<double>(got) -
                                             static_cast<double>(value)) <= halfUnit + slack,
               what + " = \"" + text + "\" reads back as " + Show(got) + ", expected " +
                   Show(expected) + " (" + rounded + ")");
}

}  // namespace
}  // namespace hygrova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace hygrova::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckParse(text);

    if (size >= 4) {
        ByteReader reader(data, size);
        const float bits = reader.FloatBits();
        if (std::isfinite(bits)) {
            CheckTextRoundTrip(bits);
        }
    }
    // The parsed value as an entry box stores it (single precision), when that is finite.
    const double parsed = hygrova::ParseLeadingNumber(text);
    if (std::fabs(parsed) <= 3.4028234663852886e38) {
        CheckTextRoundTrip(static_cast<float>(parsed));
    }
    return 0;
}
