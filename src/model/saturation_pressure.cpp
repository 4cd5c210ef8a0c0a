// SaturationPressure: the Goff-Gratch equation, in two forms that give the same float for
// every input. The reference form checks each step for faults, takes ln x with log, powers of
// ten with pow, and divides by ln 10. The fast form, used on [kFastLowest, kFastHighest] where
// no step can fault, skips the checks, takes ln x and each power of ten inline from small
// tables and multiplies by 1 / ln 10. Each of its double results is within a known number of
// units in the last place of the reference's; where that band holds a point halfway between
// two floats, the two could round apart, and the fast form takes the reference's step instead.

#include "model/checked_math.h"
#include "model/model_constants.h"
#include "model/properties.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numbers>

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

constexpr double kLn10 = std::numbers::ln10;
constexpr double kLn2 = std::numbers::ln2;

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
// directly). Relative error below 3e-12 (2.3e-12 measured): the cubic's truncation r^4/24 <=
// 2.2e-12; the table, the rounding of e ln 10 and of k ln2 / 128 and the arithmetic add a few
// units in the last place.
[[gnu::always_inline]] inline double InlinePowerOfTen(double e)
{
    constexpr double k128thsPerDecade = 128 / (kLn2 * std::numbers::log10e);  // 128 log2 10
    constexpr double kLn2Over128 = kLn2 / 128;
    constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds to an integer
    const double y = e * kLn10;
    const double kd = (e * k128thsPerDecade + kRoundingShift) - kRoundingShift;
    const auto k = static_cast<std::int64_t>(kd);
    const double r = y - kd * kLn2Over128;
    const double polynomial = (1.0 + r) + (r * r) * (0.5 + r * (1.0 / 6.0));
    const double tabled = PowersOfTwoIn128ths()[static_cast<std::size_t>(k & 127)];
    const auto scale = std::bit_cast<double>(std::bit_cast<std::uint64_t>(tabled) +
                                             (static_cast<std::uint64_t>(k >> 7) << 52));
    return scale * polynomial;
}

// InlinePowerOfTen's band around pow's 10^e, relative: wider than both errors together.
constexpr double kPowerBand = 1e-11;
// A relative error e of a double is at most e 2^53 units in its last place (2^52 at the top
// of a binade, 2^53 at its bottom).
constexpr double kUlpsPerRelativeError = 0x1p53;
// The band in units in the last place of a double as large as the power, rounded up.
constexpr double kPowerBandUlps =
    static_cast<double>(static_cast<std::int64_t>(kPowerBand * kUlpsPerRelativeError) + 1);

// How far d lies from the nearest point halfway between two floats, in units in the last
// place of d. Any double nearer to d than that rounds to the same float as d (the margins used
// here stay far below the 2^26 units that would let a neighbour cross into another binade's
// halfway point).
[[gnu::always_inline]] inline std::int64_t UlpsFromHalfway(double d)
{
    // The significand bits a double has beyond a float's: 29.
    constexpr int kDropped = std::numeric_limits<double>::digits - std::numeric_limits<float>::digits;
    constexpr std::uint64_t kDroppedBits = (std::uint64_t{1} << kDropped) - 1;
    constexpr std::int64_t kHalfway = std::int64_t{1} << (kDropped - 1);
    const auto dropped = static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(d) & kDroppedBits);
    return dropped < kHalfway ? kHalfway - dropped : dropped - kHalfway;
}

// ln x for a float x in [0.5, 2), inline: x = 2^k z with z in [0.699, 1.398), and z c - 1 = r
// exactly for c, a float near 1 / z from a table over 128 steps of z; ln x = k ln2 - ln c +
// ln(1 + r), the last by its series to r^6 (|r| < 0.0079, truncation below 3.3e-14). c is 1
// on the two steps that touch 1, so that ln x keeps its relative accuracy as x nears 1.
// Relative error below kInlineLnError (3.3e-14 measured over [0.5, 2)).
constexpr double kInlineLnError = 1e-13;

struct LogStep {
    double c;
    double minusLnC;
};

constexpr std::uint32_t kLogStepsStart = std::bit_cast<std::uint32_t>(0.69921875f);

const std::array<LogStep, 128>& LogSteps()
{
    static const std::array<LogStep, 128> table = [] {
        std::array<LogStep, 128> steps{};
        for (std::uint32_t i = 0; i < steps.size(); ++i) {
            const double low = std::bit_cast<float>(kLogStepsStart + (i << 16));
            const double high = std::bit_cast<float>(kLogStepsStart + ((i + 1) << 16));
            const bool touchesOne = low == 1.0 || high == 1.0;
            const double c = touchesOne ? 1.0 : static_cast<float>(2.0 / (low + high));
            steps[i] = {c, -std::log(c)};
        }
        return steps;
    }();
    return table;
}

[[gnu::always_inline]] inline double InlineLn(float x)
{
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(x);
    const std::uint32_t fromStart = bits - kLogStepsStart;
    const auto k = static_cast<std::int32_t>(fromStart) >> 23;  // -1, 0 or 1
    const LogStep& step = LogSteps()[(fromStart >> 16) & 127];
    const double z = std::bit_cast<float>(bits - (static_cast<std::uint32_t>(k) << 23));
    const double r = z * step.c - 1.0;
    const double series =
        r + (r * r) * (-0.5 + r * (1.0 / 3.0 + r * (-0.25 + r * (0.2 + r * (-1.0 / 6.0)))));
    return (k * kLn2 + step.minusLnC) + series;
}

// kC1 log10 x: InlineLn's error and the product by 1 / ln 10 instead of the quotient move it
// by at most kInlineLnError 2^53 + 4 = 905 units.
float Log10Term(float x)
{
    constexpr std::int64_t kMarginUlps = 1024;
    static_assert(kMarginUlps > kInlineLnError * kUlpsPerRelativeError + 4);
    const double product = kC1 * InlineLn(x) * (1.0 / kLn10);
    if (UlpsFromHalfway(product) > kMarginUlps) [[likely]] {
        return static_cast<float>(product);
    }
    return static_cast<float>(kC1 * std::log(double{x}) / std::log(10.0));
}

// kC2 (10^e - 1). The power's band grows, relative to 10^e - 1, by 10^e / |10^e - 1|: without
// bound as e nears 0, so the margin is compared as (distance - 4) |10^e - 1| > band 10^e.
float InversePowerTerm(double e)
{
    if (e == 0.0) {
        return static_cast<float>(kC2 * 0.0);  // exact, as pow gives it
    }
    const double p = InlinePowerOfTen(e);
    const double q = p - 1.0;
    const double term = kC2 * q;
    const auto clearance = static_cast<double>(UlpsFromHalfway(term) - 4);
    if (clearance * std::fabs(q) > (kPowerBandUlps + 1.0) * p) [[likely]] {
        return static_cast<float>(term);
    }
    return static_cast<float>(kC2 * (std::pow(10.0, e) - 1.0));
}

// The float that `step` makes of 10^e, where step is the reference's double arithmetic on the
// power: from InlinePowerOfTen unless the double lies within marginUlps of a point halfway
// between two floats, and there from pow, as the reference takes it.
template <typename Step>
float FloatOfPowerOfTen(double e, Step step, std::int64_t marginUlps)
{
    const double value = step(InlinePowerOfTen(e));
    if (UlpsFromHalfway(value) > marginUlps) [[likely]] {
        return static_cast<float>(value);
    }
    return static_cast<float>(step(std::pow(10.0, e)));
}

// kC4 (10^e - 1) - kLogAtmOffset, for e <= 2.02 (x >= 0.577): the term lies in (-4, -2], and
// the power's band moves it by at most kC4 10^2.02 kPowerBand = 4.5e-13, 1,014 units of 2^-51.
float PowerTerm(double e)
{
    constexpr std::int64_t kMarginUlps = 2048;
    constexpr double kLargestPower = 105;  // above 10^2.02
    static_assert(kMarginUlps > kC4 * kLargestPower * kPowerBand * 0x1p51);
    return FloatOfPowerOfTen(
        e, [](double p) { return kC4 * (p - 1.0) - kLogAtmOffset; }, kMarginUlps);
}

// 10^logAtm atmospheres in mmHg: the power's band, plus the product's rounding.
float MmHgOf(double logAtm)
{
    return FloatOfPowerOfTen(
        logAtm, [](double p) { return p * kMmHgPerAtm; },
        static_cast<std::int64_t>(kPowerBandUlps) + 8);
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

// The fast form: 44 ns a call against the reference's 117 (model_bench,
// BM_SaturationPressureSpread), the largest share of what a query and every batch row spend;
// the same float as the reference on every float of [kFastLowest, kFastHighest]
// (equivalence_check saturation).
float SaturationPressure(float t)
{
    if (!(t >= kFastLowest && t <= kFastHighest)) [[unlikely]] {
        return reference::SaturationPressure(t);
    }
    const auto T = static_cast<float>(t + kTriplePointK);
    const auto x = static_cast<float>(kTriplePointK / T);
    const auto xMinus1 = static_cast<float>(x - 1.0);
    const auto term0 = static_cast<float>(kC0 * xMinus1);
    const float term1 = Log10Term(x);
    const float term2 =
        InversePowerTerm(static_cast<float>(kC3 * static_cast<float>(1.0 - 1.0 / double{x})));
    const float term3 = PowerTerm(static_cast<float>(kC5 * xMinus1));
    // Float additions in the reference's order: the double sum of two floats rounds to the
    // float sum.
    const float sum = ((term0 + term1) + term2) + term3;
    const float mmHg = MmHgOf(sum);
    return static_cast<float>(mmHg * kHpaPerMmHg);
}

}  // namespace hygrova
