#include "model/solvers.h"

#include "common/standard_pressure.h"
#include "model/arithmetic_fault.h"
#include "model/checked_math.h"
#include "model/properties.h"

#include <array>
#include <cmath>
#include <span>

namespace hygrova {
namespace {

using SaturationFunction = float (*)(float);

// Bisection for F(t) = target with F increasing in t. Returns the last midpoint: at once when
// F(mid) equals the target, otherwise when the interval, measured after its update, is
// narrower than the tolerance. The loop also ends once the interval can no longer shrink
// (its ends are neighbouring floats), which only an interval far outside the chart's
// temperatures can reach; without that, such an interval would never end.
// `known` holds F at the first midpoints in heap order (the first midpoint, then the
// midpoints of its lower and upper halves, and so on), so that they are looked up instead of
// evaluated; NaN where F is evaluated all the same.
template <typename F>
float Bisect(F function, float lo, float hi, float target, float tolerance,
             std::span<const float> known = {})
{
    float previousWidth = INFINITY;
    std::size_t node = 0;  // the midpoint's place in `known`
    for (;;) {
        const float mid = Single((static_cast<double>(hi) + lo) / 2.0);
        const float value =
            node < known.size() && !std::isnan(known[node]) ? known[node] : function(mid);
        if (value < target) {
            lo = mid;
            node = 2 * node + 2;
        } else if (value > target) {
            hi = mid;
            node = 2 * node + 1;
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

template <SaturationFunction Ps>
float SaturatedEnthalpy(float t, float b)
{
    return EnthalpyOf(t, MoistureContentOf(Ps(t), b));
}

template <SaturationFunction Ps>
float SaturationTemperatureForEnthalpyWith(float h, float b, std::span<const float> known = {})
{
    return Bisect([b](float t) { return SaturatedEnthalpy<Ps>(t, b); }, kSaturationBracketLow,
                  kSaturationBracketHigh, h, kCoarseTolerance, known);
}

// The wet-bulb bisection visits the same first midpoints whatever the enthalpy: at the
// standard pressure, where nearly every log and chart is, the saturated enthalpies of its
// first ten levels are computed once, leaving 7 of its 17 evaluations. Bisect compares the
// very same floats, so the result is the same. A midpoint whose evaluation faults is NaN
// here and evaluated as it is reached, so that the fault is raised as before.
constexpr int kKnownLevels = 10;

void FillMidpoints(float lo, float hi, std::size_t node, std::span<float> values)
{
    if (node >= values.size()) {
        return;
    }
    const float mid = Single((static_cast<double>(hi) + lo) / 2.0);
    try {
        values[node] = SaturatedEnthalpy<SaturationPressure>(mid, kStandardPressureHpa);
    } catch (const ArithmeticFault&) {
        values[node] = NAN;
    }
    FillMidpoints(lo, mid, 2 * node + 1, values);
    FillMidpoints(mid, hi, 2 * node + 2, values);
}

std::span<const float> StandardPressureMidpoints()
{
    static const std::array<float, (1u << kKnownLevels) - 1> values = [] {
        std::array<float, (1u << kKnownLevels) - 1> filled{};
        FillMidpoints(kSaturationBracketLow, kSaturationBracketHigh, 0, filled);
        return filled;
    }();
    return values;
}

template <SaturationFunction Ps>
float TemperatureForRhAndEnthalpyWith(float tLow, float h, float phi, float b)
{
    const auto enthalpyAtRh = [phi, b](float t) {
        const float pv = Single(static_cast<double>(phi) * Ps(t));
        return EnthalpyOf(t, MoistureContentOf(pv, b));
    };
    const float lo = Single(static_cast<double>(tLow) - kRhEnthalpyBelowWetBulb);
    return Bisect(enthalpyAtRh, lo, kRhEnthalpyBracketHigh, h, kFineTolerance);
}

template <SaturationFunction Ps>
float TemperatureForSaturationPressureWith(float p)
{
    return Bisect(Ps, kSaturationPressureBracketLow, kSaturationPressureBracketHigh, p,
                  kFineTolerance);
}

}  // namespace

// The fast forms, on the fast SaturationPressure: 1.1, 1.3 and 1.0 us a call against their
// references' 2.3, 2.7 and 2.5 (model_bench); the first 0.5 us at the standard pressure with
// its known midpoints. The same results on dense grids of arguments at five pressures
// (equivalence_check solvers).
float SaturationTemperatureForEnthalpy(float h, float b)
{
    return SaturationTemperatureForEnthalpyWith<SaturationPressure>(
        h, b, b == kStandardPressureHpa ? StandardPressureMidpoints() : std::span<const float>());
}

float TemperatureForRhAndEnthalpy(float tLow, float h, float phi, float b)
{
    return TemperatureForRhAndEnthalpyWith<SaturationPressure>(tLow, h, phi, b);
}

float TemperatureForSaturationPressure(float p)
{
    return TemperatureForSaturationPressureWith<SaturationPressure>(p);
}

namespace reference {

float SaturationTemperatureForEnthalpy(float h, float b)
{
    return SaturationTemperatureForEnthalpyWith<reference::SaturationPressure>(h, b);
}

float TemperatureForRhAndEnthalpy(float tLow, float h, float phi, float b)
{
    return TemperatureForRhAndEnthalpyWith<reference::SaturationPressure>(tLow, h, phi, b);
}

float TemperatureForSaturationPressure(float p)
{
    return TemperatureForSaturationPressureWith<reference::SaturationPressure>(p);
}

}  // namespace reference

}  // namespace hygrova
