#include "common/number_text.h"

#include <algorithm>  // std::copy, std::replace
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
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

// The longest numeric prefix of a blank-free text: optional sign, digits with at most one
// period, optional exponent (E or e, optional sign, at least one digit).
struct DecimalPrefix {
    bool negative = false;
    std::string_view mantissa;    // the digits and the period, as written
    std::size_t digitCount = 0;   // digits in the mantissa; 0: no number
    long long integerDigits = 0;  // digits before the period, leading zeros excluded
    bool nonZero = false;         // a digit other than 0 in the mantissa
    long long exponent = 0;       // saturated at +-kExponentBound
};

// Any exponent beyond this bound gives infinity or zero anyway.
constexpr long long kExponentBound = 1'000'000'000;

// The exponent part at s[i], if there is one; `exponent` is left as it is otherwise.
void ScanExponent(std::string_view s, std::size_t i, long long& exponent)
{
    if (i >= s.size() || (s[i] != 'E' && s[i] != 'e')) {
        return;
    }
    std::size_t j = i + 1;
    const bool negative = j < s.size() && s[j] == '-';
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
        ++j;
    }
    if (j >= s.size() || !IsDigit(s[j])) {
        return;  // E without digits is not part of the number
    }
    long long value = 0;
    for (; j < s.size() && IsDigit(s[j]); ++j) {
        value = std::min<long long>(value * 10 + (s[j] - '0'), kExponentBound);
    }
    exponent = negative ? -value : value;
}

DecimalPrefix ScanDecimal(std::string_view s)
{
    DecimalPrefix prefix;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        prefix.negative = s[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    bool seenPeriod = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            ++prefix.digitCount;
            prefix.nonZero = prefix.nonZero || c != '0';
            if (!seenPeriod && prefix.nonZero) {
                ++prefix.integerDigits;
            }
        } else if (c == '.' && !seenPeriod) {
            seenPeriod = true;
        } else {
            break;
        }
    }
    prefix.mantissa = s.substr(start, i - start);
    if (prefix.digitCount > 0) {
        ScanExponent(s, i, prefix.exponent);
    }
    return prefix;
}

// The magnitude of a number beyond the range of double: infinity when its decimal point
// lies right of its first significant digit, zero otherwise.
double BeyondRange(const DecimalPrefix& prefix)
{
    long long leadingZeros = 0;
    if (prefix.integerDigits == 0) {
        const auto period = prefix.mantissa.find('.');
        for (std::size_t k = period + 1; k < prefix.mantissa.size() && prefix.mantissa[k] == '0';
             ++k) {
            ++leadingZeros;
        }
    }
    return prefix.integerDigits - leadingZeros + prefix.exponent > 0
               ? std::numeric_limits<double>::infinity()
               : 0.0;
}

// The value of a scanned prefix, correctly rounded to double; 0 when there is no number.
double ConvertDecimal(const DecimalPrefix& prefix)
{
    if (prefix.digitCount == 0) {
        return 0.0;
    }
    double magnitude = 0.0;
    if (prefix.nonZero) {
        // "<mantissa>e<exponent>" for from_chars; short texts stay on the stack.
        char exponentText[24];
        const auto exponentEnd =
            std::to_chars(exponentText, exponentText + sizeof exponentText, prefix.exponent).ptr;
        std::string text;
        text.reserve(prefix.mantissa.size() + 1 +
                     static_cast<std::size_t>(exponentEnd - exponentText));
        text.append(prefix.mantissa);
        text.push_back('e');
        text.append(exponentText, exponentEnd);
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude,
                                                  std::chars_format::scientific);
        (void)end;
        if (error == std::errc::result_out_of_range) {
            magnitude = BeyondRange(prefix);
        }
    }
    return prefix.negative ? -magnitude : magnitude;
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
    return ConvertDecimal(ScanDecimal(s));
}

namespace {

// Seven significant digits of a positive normal float from exact integer arithmetic, for the
// values the program shows most: magnitudes 1E-04 to below 1E+07, written without exponent.
// value = m 2^e exactly; N = m 10^k 2^e rounded half to even to an integer of seven digits is
// the value to seven significant digits (k = 6 - decimal exponent); m 10^k < 2^58 and the
// shift is below 64 for every float of the range. Returns the end of the text written to
// `out`, or nullptr when the rounded value needs the exponent form.
char* PlainSevenDigits(float value, char* out)
{
    constexpr std::uint64_t kPowersOfTen[] = {
        1,         10,         100,         1'000,         10'000,        100'000,
        1'000'000, 10'000'000, 100'000'000, 1'000'000'000, 10'000'000'000};
    // A float's bits: the biased exponent above the fraction's 23 bits.
    constexpr int kFractionBits = std::numeric_limits<float>::digits - 1;
    constexpr int kExponentBias = std::numeric_limits<float>::max_exponent - 1;
    constexpr std::uint32_t kLeadingOne = std::uint32_t{1} << kFractionBits;
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const std::uint64_t mantissa = (bits & (kLeadingOne - 1)) | kLeadingOne;
    const int binaryExponent =
        static_cast<int>(bits >> kFractionBits) - kExponentBias - kFractionBits;
    if (binaryExponent < -40 || binaryExponent > 0) {
        return nullptr;  // below 2^-17 or from 2^24 on: exponent form or not worth it
    }
    const int shift = -binaryExponent;
    // The decimal exponent of the value: a first guess from the binary one (1233 / 4096 is
    // just below log10 2), corrected until the exact scaled value m 10^k 2^e lies in
    // [10^6, 10^7) (10^7 2^40 still fits in 64 bits).
    static_assert(1233.0 / 4096 < std::numbers::ln2 * std::numbers::log10e);
    int exponent = ((binaryExponent + kFractionBits) * 1233) >> 12;
    std::uint64_t product = 0;
    bool found = false;
    for (int attempt = 0; attempt < 3 && !found; ++attempt) {
        const int k = 6 - exponent;
        if (k < 0 || k > 10) {
            return nullptr;
        }
        product = mantissa * kPowersOfTen[k];
        if (product < (std::uint64_t{1'000'000} << shift)) {
            --exponent;
        } else if (product >= (std::uint64_t{10'000'000} << shift)) {
            ++exponent;
        } else {
            found = true;
        }
    }
    if (!found) {
        return nullptr;
    }
    // Rounded half to even; a carry to 10^7 is 10^6 one decade up.
    std::uint64_t digits = product >> shift;
    const std::uint64_t rest = product - (digits << shift);
    const std::uint64_t half = shift == 0 ? 1 : std::uint64_t{1} << (shift - 1);
    if (shift != 0 && (rest > half || (rest == half && (digits & 1) != 0))) {
        ++digits;
    }
    if (digits == 10'000'000) {
        digits = 1'000'000;
        ++exponent;
    }
    if (exponent < -4 || exponent > 6) {
        return nullptr;  // the exponent form
    }
    char seven[7];
    for (int i = 6; i >= 0; --i) {
        seven[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int length = 7;
    while (length > 1 && seven[length - 1] == '0') {
        --length;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i) {
            *out++ = '0';
        }
        return std::copy(seven, seven + length, out);
    }
    const int integerLength = exponent + 1;
    for (int i = 0; i < integerLength; ++i) {
        *out++ = i < length ? seven[i] : '0';
    }
    if (length > integerLength) {
        *out++ = '.';
        out = std::copy(seven + integerLength, seven + length, out);
    }
    return out;
}

}  // namespace

// The fast form: 41 ns a call against the reference's 158 (state_point_bench,
// BM_PlainNumberText), eight texts for every query and batch row; the same text as the
// reference for every one of the 2^32 floats (equivalence_check text).
std::string PlainNumberText(float value)
{
    if (std::isnan(value)) {
        return " NaN";
    }
    const bool negative = std::signbit(value) && value != 0.0f;
    if (std::isinf(value)) {
        return negative ? "-Infinity" : " Infinity";
    }
    // Seven significant digits, correctly rounded, plain from 1E-04 up to below 1E+07 and in
    // exponent form outside, without trailing zeros: exactly the general format of precision 7.
    // The library's general format of precision 7 says it all; the integer digits above
    // give the same text faster for the plain magnitudes of ordinary values.
    char buffer[32];
    buffer[0] = negative ? '-' : ' ';
    const float magnitude = std::fabs(value);
    char* end = magnitude != 0.0f ? PlainSevenDigits(magnitude, buffer + 1) : nullptr;
    if (end == nullptr) {
        end = std::to_chars(buffer + 1, buffer + sizeof buffer, magnitude,
                            std::chars_format::general, 7)
                  .ptr;
        std::replace(buffer + 1, end, 'e', 'E');
    }
    return std::string(buffer, end);
}

namespace reference {

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

}  // namespace reference

}  // namespace hygrova
