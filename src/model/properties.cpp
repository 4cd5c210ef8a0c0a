#include "model/properties.h"

#include "model/checked_math.h"

#include <cmath>

namespace hygrova {
namespace {

// Triple point of water, K; also the offset from deg C to K throughout the model.
constexpr double kTriplePointK = 273.16;
// hPa per mmHg (the model's value, not 1.33322).
constexpr double kHpaPerMmHg = 1.3332;
// Ratio of the molar masses of water and dry air, g/kg (single precision).
constexpr float kMolarRatio = 622.0f;
// mmHg per standard atmosphere (single precision).
constexpr float kMmHgPerAtm = 760.0f;
// Vapour pressure at 0 deg C, mmHg: where the two dew-point branches meet.
constexpr float kDewPointBranchMmHg = 4.581f;

// Goff-Gratch coefficients, in the order of the equation (c4 is 0.00042875).
constexpr double kC0 = -10.79574;
constexpr double kC1 = 5.02808;
constexpr double kC2 = -0.000150475;
constexpr double kC3 = 8.2969;
constexpr double kC4 = 0.00042875;
constexpr double kC5 = -4.76955;
// Refers log10 of the pressure to one atmosphere.
constexpr double kLogAtmOffset = 2.2195768;

}  // namespace

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

float EnthalpyOf(float t, float d)
{
    return Single(Checked((1.85 * t + 2501.0) * (0.001 * d)) + 1.01 * t);
}

float TemperatureOf(float h, float d)
{
    return Single(Divide(Checked(h - 2.501 * d), Checked(0.00185 * d + 1.01)));
}

float MoistureContentOf(float pv, float b)
{
    return Single(
        Divide(Checked(static_cast<double>(pv) * kMolarRatio), static_cast<double>(b) - pv));
}

float VapourPressureOf(float d, float b)
{
    return Single(
        Divide(Checked(static_cast<double>(d) * b), static_cast<double>(d) + kMolarRatio));
}

float DewPointOf(float pv)
{
    const float a = Single(Divide(pv, kHpaPerMmHg));
    const float b = Single(Ln(a));
    const double b2 = Checked(std::pow(static_cast<double>(b), 2));
    if (a > kDewPointBranchMmHg) {
        return Single(Checked(0.88887 * b2) + (11.005 * b - 18.807));
    }
    return Single(Checked(0.72733 * b2) + (11.533 * b - 19.237));
}

float RelativeHumidityOf(float pv, float ps)
{
    return Single(Divide(pv, ps));
}

float SpecificVolumeOf(float t, float d, float b)
{
    const float bMmHg = Single(Divide(b, kHpaPerMmHg));
    return Single(Divide(Checked((0.0016078 * d + 1.0) * ((t + kTriplePointK) * 2.1552)), bMmHg));
}

float WetBulbMoisture(float ds, float t, float tw)
{
    const float numerator =
        Single(Checked((597.3 - 0.559 * tw) * (0.001 * ds)) - 0.24 * (static_cast<double>(t) - tw));
    const float denominator = Single((0.441 * t + 597.3 - tw) * 0.001);
    return Single(Divide(numerator, denominator));
}

}  // namespace hygrova
