#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace hygrova {
namespace {

bool IsSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text with blanks, tabs and line feeds removed.
std::string WithoutBlanks(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (!IsSkipped(c)) {
            kept.push_back(c);
        }
    }
    return kept;
}

int DigitValue(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

// The integer of the leading digits of `digits` in the given radix (8 or 16).
double ParseRadixInteger(std::string_view digits, int radix)
{
    double value = 0.0;
    for (const char c : digits) {
        const int digit = DigitValue(c);
        if (digit >= radix) {
            break;
        }
        value = value * radix + digit;
    }
    return value;
}

// The decimal number at the start of `s` (no blanks inside), 0 when there is none.
double ParseDecimal(std::string_view s)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string mantissa;  // significant characters for from_chars
    std::size_t digitCount = 0;
    long long integerDigits = 0;  // digits before the period, leading zeros excluded
    bool seenPeriod = false;
    bool seenNonZero = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            ++digitCount;
            seenNonZero = seenNonZero || c != '0';
            if (!seenPeriod && seenNonZero) {
                ++integerDigits;
            }
            mantissa.push_back(c);
        } else if (c == '.' && !seenPeriod) {
            seenPeriod = true;
            mantissa.push_back(c);
        } else {
            break;
        }
    }
    if (digitCount == 0) {
        return 0.0;
    }
    // Exponent: E, an optional sign and at least one digit; otherwise not part of the number.
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            for (; j < s.size() && IsDigit(s[j]); ++j) {
                // Saturate: any exponent beyond this bound gives infinity or zero anyway.
                exponent = std::min<long long>(exponent * 10 + (s[j] - '0'), 1'000'000'000);
            }
            exponent = negativeExponent ? -exponent : exponent;
        }
    }
    double magnitude = 0.0;
    if (seenNonZero) {
        mantissa += 'e' + std::to_string(exponent);
        const auto [end, error] =
            std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), magnitude,
                            std::chars_format::scientific);
        (void)end;
        if (error == std::errc::result_out_of_range) {
            // Leading digits of a number beyond the double range: infinity; below it: zero.
            long long leadingZeros = 0;
            if (integerDigits == 0) {
                const auto period = mantissa.find('.');
                for (std::size_t k = period + 1; k < mantissa.size() && mantissa[k] == '0'; ++k) {
                    ++leadingZeros;
                }
            }
            magnitude = integerDigits - leadingZeros + exponent > 0
                            ? std::numeric_limits<double>::infinity()
                            : 0.0;
        }
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

double ParseLeadingNumber(std::string_view text)
{
    const std::string s = WithoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char prefix = s[1];
        if (prefix == 'H' || prefix == 'h') {
            return ParseRadixInteger(std::string_view(s).substr(2), 16);
        }
        if (prefix == 'O' || prefix == 'o') {
            return ParseRadixInteger(std::string_view(s).substr(2), 8);
        }
    }
    return ParseDecimal(s);
}

std::string PlainNumberText(float value)
{
    if (std::isnan(value)) {
        return " NaN";
    }
    const std::string sign = std::signbit(value) && value != 0.0f ? "-" : " ";
    if (std::isinf(value)) {
        return sign + "Infinity";
    }
    if (value == 0.0f) {
        return " 0";
    }
    // Seven significant digits, correctly rounded: "d.dddddde+XX".
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(static_cast<double>(value)),
                      std::chars_format::scientific, 6);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto ePos = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, ePos)) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    int exponent = 0;
    const auto expText = scientific.substr(ePos + 1);
    std::from_chars(expText.data() + (expText[0] == '+' ? 1 : 0), expText.data() + expText.size(),
                    exponent);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string text;
    if (exponent >= 7 || exponent < -4) {
        text = digits.substr(0, 1);
        if (digits.size() > 1) {
            text += '.' + digits.substr(1);
        }
        const int magnitude = std::abs(exponent);
        text += exponent < 0 ? "E-" : "E+";
        text += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    } else if (exponent >= 0) {
        const auto integerLength = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerLength) {
            text = digits + std::string(integerLength - digits.size(), '0');
        } else {
            text = digits.substr(0, integerLength) + '.' + digits.substr(integerLength);
        }
    } else {
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return sign + text;
}

}  // namespace hygrova
