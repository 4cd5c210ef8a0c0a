// SaturationPressure: the Goff-Gratch equation, in two forms that give the same float for
// every input. The reference form checks each step for faults and takes powers of ten with
// pow; the fast form, used on [kFastLowest, kFastHighest] where no step can fault, skips the
// checks and takes each power of ten with exp, falling back to pow for the one step whose
// float result exp could leave in doubt.

#include "model/checked_math.h"
#include "model/model_constants.h"
#include "model/properties.h"

#include <cmath>

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

// The temperatures, deg C, on which the fast form runs. The deep check (tools/
// model_equivalence_check) compares it with the reference on every float of this range,
// which also shows that no step of the reference faults there.
constexpr float kFastLowest = -100.0f;
constexpr float kFastHighest = 200.0f;

// ln 10 in double precision.
constexpr double kLn10 = 2.302585092994045684;
// Bound on the relative difference of exp(e ln 10) from pow(10, e), beyond |e ln 10| units
// of 2^-52: both functions are accurate to within one unit in the last place, and the
// product e ln 10 adds at most one unit per unit of its size. Twice that, for margin.
constexpr double kUlp = 0x1p-52;

// The float that `step` makes of 10^e, where step is monotonic in 10^e and uses the double
// arithmetic of the reference. exp gives 10^e within a few units in the last place of pow;
// when step gives the same float at both ends of that band, pow's value lies inside and gives
// it too. Otherwise (about one argument in a hundred million) pow decides.
template <typename Step>
float FloatOfPowerOfTen(double e, Step step)
{
    const double y = e * kLn10;
    const double p = std::exp(y);
    const double band = p * ((std::fabs(y) + 2.0) * 2.0 * kUlp);
    const float low = step(p - band);
    if (low == step(p + band)) [[likely]] {
        return low;
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
