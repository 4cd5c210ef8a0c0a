#pragma once

// Shared pieces of the fuzz targets: a failing check that libFuzzer records as a crash, a
// reader that turns the fuzzer's bytes into bounded arguments, and the shape check of a
// displayed number.

#include "common/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>   // std::fprintf
#include <cstdlib>  // std::abort
#include <cstring>  // std::memcpy
#include <string>
#include <string_view>

namespace hygrova::fuzz {

// Prints what went wrong and aborts; libFuzzer then saves the input as a crash artifact.
[[noreturn]] inline void Fail(const std::string& what)
{
    std::fprintf(stderr, "\n*** fuzz check failed: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace hygrova::fuzz

// Fails with `message` (a std::string expression, built only on failure) unless `condition`.
#define FUZZ_CHECK(condition, message)      \
    do {                                    \
        if (!(condition)) [[unlikely]] {    \
            ::hygrova::fuzz::Fail(message); \
        }                                   \
    } while (false)

namespace hygrova::fuzz {

// The fuzzer's bytes read front to back; bytes past the end read as 0.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t Byte() { return m_position < m_size ? m_data[m_position++] : std::uint8_t{0}; }

    std::uint16_t U16()
    {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }

    std::uint32_t U32()
    {
        const std::uint32_t low = U16();
        return low | (static_cast<std::uint32_t>(U16()) << 16);
    }

    // The next four bytes as the bits of a float (little-endian); may be NaN or infinite.
    float FloatBits()
    {
        const std::uint32_t bits = U32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A float in [low, high]: the next four bytes taken as a float when that lies in the
    // range (so a seed can carry an exact value such as 1013.25), otherwise the same bits
    // as an unsigned fraction of the range.
    float FloatIn(float low, float high)
    {
        const std::uint32_t bits = U32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (value >= low && value <= high) {
            return value;
        }
        const double fraction = bits / 4294967295.0;
        return static_cast<float>(low + (static_cast<double>(high) - low) * fraction);
    }

    // The bytes not read yet.
    std::string_view Rest()
    {
        const std::size_t start = m_position < m_size ? m_position : m_size;
        m_position = m_size;
        return {reinterpret_cast<const char*>(m_data) + start, m_size - start};
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether `text` has the shape of a displayed number: a blank (zero and positive values) or
// a minus sign, then digits with at most one period and at least one digit on each side of
// it, no trailing zero after the period, at most seven significant digits, and optionally an
// exponent E or e with a sign and digits. NaN, infinity and an empty text do not qualify.
inline bool IsNumberText(std::string_view text)
{
    if (text.empty() || (text.front() != ' ' && text.front() != '-')) {
        return false;
    }
    std::size_t i = 1;
    std::string significant;  // mantissa digits
    std::size_t integerDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++integerDigits) {
        significant.push_back(text[i]);
    }
    if (integerDigits == 0) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        std::size_t fractionDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++fractionDigits) {
            significant.push_back(text[i]);
        }
        if (fractionDigits == 0 || text[i - 1] == '0') {
            return false;
        }
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i >= text.size() || (text[i] != '+' && text[i] != '-')) {
            return false;
        }
        ++i;
        std::size_t exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) {
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    if (i != text.size()) {
        return false;
    }
    const std::size_t firstNonZero = significant.find_first_not_of('0');
    const std::size_t count =
        firstNonZero == std::string::npos ? 1 : significant.size() - firstNonZero;
    return count <= 7;
}

// Checks that `text` is a displayed number that reads back as a finite value, and returns
// that value.
inline double CheckedNumberText(std::string_view text, std::string_view what)
{
    FUZZ_CHECK(IsNumberText(text),
               std::string(what) + ": \"" + std::string(text) + "\" is not a number text");
    const double value = ParseLeadingNumber(text);
    FUZZ_CHECK(std::isfinite(value), std::string(what) + ": \"" + std::string(text) +
                                         "\" reads back as " + std::to_string(value));
    return value;
}

// A float for a message, with all the digits needed to reproduce it.
inline std::string Show(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

}  // namespace hygrova::fuzz
