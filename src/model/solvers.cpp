#include "model/solvers.h"

#include "model/checked_math.h"
#include "model/properties.h"

#include <cmath>

namespace hygrova {
namespace {

constexpr float kCoarseTolerance = 0.001f;
constexpr float kFineTolerance = 0.0001f;

// Bisection for F(t) = target with F increasing in t. Returns the last midpoint: at once when
// F(mid) equals the target, otherwise when the interval, measured after its update, is
// narrower than the tolerance. The loop also ends once the interval can no longer shrink
// (its ends are neighbouring floats), which only an interval far outside the chart's
// temperatures can reach; without that, such an interval would never end.
template <typename F>
float Bisect(F function, float lo, float hi, float target, float tolerance)
{
    float previousWidth = INFINITY;
    for (;;) {
        const float mid = Single((static_cast<double>(hi) + lo) / 2.0);
        const float value = function(mid);
        if (value < target) {
            lo = mid;
        } else if (value > target) {
            hi = mid;
        } else {
            return mid;
        }
        const float width = Single(std::fabs(static_cast<double>(hi) - lo));
        if (width < tolerance || !(width < previousWidth)) {
            return mid;
        }
        previousWidth = width;
    }
}

}  // namespace

float SaturationTemperatureForEnthalpy(float h, float b)
{
    const auto saturatedEnthalpy = [b](float t) {
        return EnthalpyOf(t, MoistureContentOf(SaturationPressure(t), b));
    };
    return Bisect(saturatedEnthalpy, -20.0f, 60.0f, h, kCoarseTolerance);
}

float TemperatureForRhAndEnthalpy(float tLow, float h, float phi, float b)
{
    const auto enthalpyAtRh = [phi, b](float t) {
        const float pv = Single(static_cast<double>(phi) * SaturationPressure(t));
        return EnthalpyOf(t, MoistureContentOf(pv, b));
    };
    return Bisect(enthalpyAtRh, Single(static_cast<double>(tLow) - 1.0), 70.0f, h, kFineTolerance);
}

float TemperatureForSaturationPressure(float p)
{
    return Bisect(SaturationPressure, -30.0f, 70.0f, p, kFineTolerance);
}

}  // namespace hygrova
