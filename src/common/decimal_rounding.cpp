#include "common/decimal_rounding.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace hygrova {
namespace {

// 10^k for k = 0..8, exact in double.
constexpr std::array<double, 9> kPowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// True when q, a double, lies exactly halfway between two neighbouring floats: 24 significant
// bits and a one in the 25th, that is the low 29 of the 52 fraction bits of q are 1 followed
// by 28 zeros.
bool IsFloatMidpoint(double q)
{
    constexpr int kDropped = std::numeric_limits<double>::digits - std::numeric_limits<float>::digits;
    constexpr std::uint64_t kDroppedBits = (std::uint64_t{1} << kDropped) - 1;
    constexpr std::uint64_t kHalf = std::uint64_t{1} << (kDropped - 1);
    return (std::bit_cast<std::uint64_t>(q) & kDroppedBits) == kHalf;
}

}  // namespace

// The nearest float to the exact decimal v = N / 10^k, without text. N (= round(x 10^k), the
// product of a float and 10^k <= 10^8 is exact) and 10^k are exact doubles, so the double
// quotient q is v correctly rounded to double. Rounding q to float gives the float nearest to
// v unless q landed exactly on a float midpoint (rounding is monotonic, and float midpoints
// are doubles): only then can the two roundings part, and the text decides. Results below the
// normal floats (never reached: a non-zero N / 10^k is at least 10^-8) also go through text.
// 8 ns a call against the reference's 96 (state_point_bench, BM_RoundToDecimals); the same
// float on every float of magnitude 2^-14 to 2^20 and on a sparse sweep of all others, at 3
// and 4 places (equivalence_check rounding).
float RoundToDecimals(float x, int decimals)
{
    const double scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
    const double q = std::round(x * scale) / scale;
    const bool normal = std::fabs(q) >= std::numeric_limits<float>::min() || q == 0.0;
    if (std::isfinite(q) && normal && !IsFloatMidpoint(q)) [[likely]] {
        return static_cast<float>(q);
    }
    return reference::RoundToDecimals(x, decimals);
}

namespace reference {

float RoundToDecimals(float x, int decimals)
{
    const double scaled = static_cast<double>(x) * std::pow(10.0, decimals);  // exact
    const double rounded = std::round(scaled);
    char buffer[400];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer - 8, rounded, std::chars_format::fixed);
    (void)error;
    *end++ = 'e';
    *end++ = '-';
    *end++ = static_cast<char>('0' + decimals);
    float result = 0.0f;
    std::from_chars(buffer, end, result);
    return result;
}

}  // namespace reference

}  // namespace hygrova
