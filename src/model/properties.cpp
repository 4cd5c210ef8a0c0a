#include "model/properties.h"

#include "model/checked_math.h"
#include "model/model_constants.h"

#include <cmath>

namespace hygrova {
namespace {

using model::kHpaPerMmHg;
using model::kLatentHeatKjPerKg;
using model::kMolarRatio;
using model::kTriplePointK;

// Vapour pressure at 0 deg C, mmHg: where the two dew-point branches meet.
constexpr float kDewPointBranchMmHg = 4.581f;

}  // namespace

float EnthalpyOf(float t, float d)
{
    return Single(Checked((1.85 * t + kLatentHeatKjPerKg) * (0.001 * d)) + 1.01 * t);
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
