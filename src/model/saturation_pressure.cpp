// SaturationPressure: the Goff-Gratch equation, in two forms that give the same float for
// every input. The reference form checks each step for faults and takes powers of ten with
// pow; the fast form, used on [kFastLowest, kFastHighest] where no step can fault, skips the
// checks and takes each power of ten with an inline exp, falling back to pow for the one step
// whose float result the exp could leave in doubt.

#include "model/checked_math.h"
#include "model/model_constants.h"
#include "model/properties.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace hygrova {
namespace {

using model::kHpaPerMmHg;
using model::kMmHgPerAtm;
using model::kTriplePointK;

// Goff-Gratch coefficients, in the order of the equation (c4 is 0.00042875).
constexpr double kC0 = -10.79574;
constexpr double kC1 = 5.02808;
constexpr double kC2 = -0.000150475;
constexpr double kC3 = 8.2969;
constexpr double kC4 = 0.00042875;
constexpr double kC5 = -4.76955;
// Refers log10 of the pressure to one atmosphere.
constexpr double kLogAtmOffset = 2.2195768;

// The temperatures, deg C, on which the fast form runs. The deep equivalence check
// (tests/deep) compares it with the reference on every float of this range, which also
// shows that no step of the reference faults there.
constexpr float kFastLowest = -100.0f;
constexpr float kFastHighest = 200.0f;

// ln 10 in double precision.
constexpr double kLn10 = 2.302585092994045684;

// 2^(j / 128) for j = 0..127, each within one unit in the last place.
const std::array<double, 128>& PowersOfTwoIn128ths()
{
    static const std::array<double, 128> table = [] {
        std::array<double, 128> powers{};
        for (std::size_t j = 0; j < powers.size(); ++j) {
            powers[j] = std::exp2(static_cast<double>(j) / 128.0);
        }
        return powers;
    }();
    return table;
}

// 10^e = e^(e ln 10) for |e| < 9 (the powers here stay within 10^+-7), inline and only as
// exact as the float results need: 2^(k / 128) from the table times the cubic 1 + r + r^2/2 +
// r^3/6 of the remainder r = e ln 10 - k ln2 / 128, |r| <= ln2 / 256 (k is found from e
// directly; ln2 / 128 is split in two so that k ln2hi is exact for |k| < 2^12). Relative error
// below 3e-12: the cubic's truncation r^4/24 <= 2.2e-12, the table, the arithmetic and the
// rounding of e ln 10 a few units in the last place.
[[gnu::always_inline]] inline double InlinePowerOfTen(double e)
{
    constexpr double k128thsPerDecade = 0x1.a934f0979a371p+8;  // 128 log2 10
    constexpr double kLn2Over128High = 0x1.62e42fefa3000p-8;
    constexpr double kLn2Over128Low = 0x1.3de6af278ece6p-49;
    constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds to an integer
    const double y = e * kLn10;
    const double kd = (e * k128thsPerDecade + kRoundingShift) - kRoundingShift;
    const auto k = static_cast<std::int64_t>(kd);
    const double r = (y - kd * kLn2Over128High) - kd * kLn2Over128Low;
    const double polynomial = (1.0 + r) + (r * r) * (0.5 + r * (1.0 / 6.0));
    const double tabled = PowersOfTwoIn128ths()[static_cast<std::size_t>(k & 127)];
    const auto scale = std::bit_cast<double>(std::bit_cast<std::uint64_t>(tabled) +
                                             (static_cast<std::uint64_t>(k >> 7) << 52));
    return scale * polynomial;
}

// The float that `step` makes of 10^e, where step is monotonic in 10^e and uses the double
// arithmetic of the reference. InlinePowerOfTen gives 10^e within a relative band of 1e-11
// around pow's value (both are within 3e-12 of the exact power): when step gives the same
// float at both ends of the band, pow's value lies inside and gives it too, and so does the
// inline value. Otherwise pow decides: for a few arguments in a thousand, and for every one
// where 10^e - 1 nearly cancels (temperatures within a few hundredths of a degree of 0 deg C).
template <typename Step>
float FloatOfPowerOfTen(double e, Step step)
{
    constexpr double kRelativeBand = 1e-11;
    if (e == 0.0) {
        return step(1.0);  // exact, as pow gives it; near 1 the band would decide nothing
    }
    const double p = InlinePowerOfTen(e);
    const float value = step(p);
    const double band = p * kRelativeBand;
    if (step(p - band) == step(p + band)) [[likely]] {
        return value;
    }
    return step(std::pow(10.0, e));
}

}  // namespace

namespace reference {

float SaturationPressure(float t)
{
    const float T = Single(t + kTriplePointK);
    const float x = Single(Divide(kTriplePointK, T));
    const float terms[4] = {
        Single(kC0 * Single(x - 1.0)),
        Single(Divide(kC1 * Ln(x), std::log(10.0))),
        Single(kC2 * (Pow10(Single(kC3 * Single(1.0 - Divide(1.0, x)))) - 1.0)),
        Single(kC4 * (Pow10(Single(kC5 * Single(x - 1.0))) - 1.0) - kLogAtmOffset),
    };
    float sum = 0.0f;
    for (const float term : terms) {
        sum = Single(static_cast<double>(sum) + term);
    }
    const float mmHg = Single(Pow10(sum) * kMmHgPerAtm);
    return Single(mmHg * kHpaPerMmHg);
}

}  // namespace reference

float SaturationPressure(float t)
{
    if (!(t >= kFastLowest && t <= kFastHighest)) [[unlikely]] {
        return reference::SaturationPressure(t);
    }
    const auto T = static_cast<float>(t + kTriplePointK);
    const auto x = static_cast<float>(kTriplePointK / T);
    const auto xMinus1 = static_cast<float>(x - 1.0);
    const float terms[4] = {
        static_cast<float>(kC0 * xMinus1),
        static_cast<float>(kC1 * std::log(static_cast<double>(x)) / std::log(10.0)),
        FloatOfPowerOfTen(static_cast<float>(kC3 * static_cast<float>(1.0 - 1.0 / x)),
                          [](double p) { return static_cast<float>(kC2 * (p - 1.0)); }),
        FloatOfPowerOfTen(
            static_cast<float>(kC5 * xMinus1),
            [](double p) { return static_cast<float>(kC4 * (p - 1.0) - kLogAtmOffset); }),
    };
    float sum = 0.0f;
    for (const float term : terms) {
        sum = static_cast<float>(static_cast<double>(sum) + term);
    }
    const float mmHg =
        FloatOfPowerOfTen(sum, [](double p) { return static_cast<float>(p * kMmHgPerAtm); });
    return static_cast<float>(mmHg * kHpaPerMmHg);
}

}  // namespace hygrova
