#include "project/air_arithmetic.h"

#include "common/number_text.h"
#include "model/arithmetic_fault.h"
#include "model/checked_math.h"
#include "model/model_constants.h"
#include "model/properties.h"
#include "model/solvers.h"

#include <algorithm>
#include <cmath>

namespace hygrova {
namespace {

using model::kLatentHeatKjPerKg;

constexpr double kSecondsPerHour = 3600;
// The query's range of moisture content, g/kg: where a line's end is looked for.
constexpr double kLowestMoisture = 0;
constexpr double kHighestMoisture = 45;
// The step of the search for a humidity crossing along a line, g/kg, and the width at
// which its bisection stops (finer than the float spacing of d above 0.5 g/kg).
constexpr double kSearchStep = 0.25;
constexpr double kCrossingWidth = 1e-8;
// How near the humidity at a line of constant d must come to the one asked for: the
// temperature solver's tolerance moves it by far less.
constexpr double kRhTolerance = 1e-3;

constexpr std::string_view kParallelProblem = "该热湿比线与终点的等温线平行，没有交点";
constexpr std::string_view kUnreachedProblem =
    "该热湿比线在含湿量0~45 g/kg之间达不到给定的终点";

float ShownValue(const StateTexts& texts, StateQuantity quantity)
{
    return SingleOrInfinity(ParseLeadingNumber(texts[quantity]));
}

// The enthalpy of the line's point at moisture content d.
double LineEnthalpy(const ShownState& start, double epsilon, double d)
{
    return start.h + epsilon * (d - start.d) / 1000.0;
}

// The relative humidity at the line's point of moisture content d, as the readout computes
// it from (d, h); NaN where a formula faults (far off the chart).
double RhOnLine(const ShownState& start, double epsilon, double d, float pressureHpa)
{
    try {
        const float df = Single(d);
        const float h = Single(LineEnthalpy(start, epsilon, d));
        const float t = TemperatureOf(h, df);
        return RelativeHumidityOf(VapourPressureOf(df, pressureHpa), SaturationPressure(t));
    } catch (const ArithmeticFault&) {
        return NAN;
    }
}

// The crossing of the humidity `rh` nearest to the start: the line is sampled every
// kSearchStep outward on both sides, and the first interval whose ends lie on either side of
// rh is bisected.
std::optional<double> RhCrossing(const ShownState& start, double epsilon, double rh,
                                 float pressureHpa)
{
    const auto excess = [&](double d) { return RhOnLine(start, epsilon, d, pressureHpa) - rh; };
    const auto bisect = [&](double a, double fa, double b) {
        while (std::abs(b - a) > kCrossingWidth) {
            const double mid = (a + b) / 2;
            const double fm = excess(mid);
            if (std::isnan(fm)) {
                break;
            }
            if ((fm < 0) == (fa < 0)) {
                a = mid;
                fa = fm;
            } else {
                b = mid;
            }
        }
        return (a + b) / 2;
    };
    const double d0 = std::clamp(static_cast<double>(start.d), kLowestMoisture, kHighestMoisture);
    const double f0 = excess(d0);
    if (f0 == 0) {
        return d0;
    }
    double previous[2] = {d0, d0};
    double fPrevious[2] = {f0, f0};
    for (int k = 1;; ++k) {
        bool inside = false;
        for (int side = 0; side < 2; ++side) {
            const double d = std::clamp(d0 + (side == 0 ? -k : k) * kSearchStep, kLowestMoisture,
                                        kHighestMoisture);
            if (d == previous[side]) {
                continue;
            }
            inside = true;
            const double f = excess(d);
            if (f == 0) {
                return d;
            }
            if (!std::isnan(f) && !std::isnan(fPrevious[side]) && (f < 0) != (fPrevious[side] < 0)) {
                return bisect(previous[side], fPrevious[side], d);
            }
            previous[side] = d;
            fPrevious[side] = f;
        }
        if (!inside) {
            return std::nullopt;
        }
    }
}

// The end of a line of constant moisture content.
LineEndPoint VerticalLineEnd(const ShownState& start, LineEnd end, double endValue,
                             float pressureHpa)
{
    float t = 0;
    if (end == LineEnd::RelHumidity) {
        const float pv = VapourPressureOf(start.d, pressureHpa);
        const float ps = Single(Divide(pv, endValue));
        t = TemperatureForSaturationPressure(ps);
        if (std::abs(RelativeHumidityOf(pv, SaturationPressure(t)) - endValue) > kRhTolerance) {
            return {{0, 0}, kUnreachedProblem};
        }
    } else {
        t = Single(end == LineEnd::DryBulb ? endValue : start.t + endValue);
    }
    return {{start.d, EnthalpyOf(t, start.d)}, {}};
}

// The end of a sloping line at the dry-bulb temperature t: the line
// h = h0 + epsilon (d - d0) / 1000 meets h = 1.01 t + (r0 + 1.85 t) d / 1000 (EnthalpyOf) at
// d = 1000 (h0 - epsilon d0 / 1000 - 1.01 t) / (r0 + 1.85 t - epsilon).
std::optional<double> MoistureAtTemperature(const ShownState& start, double epsilon, double t)
{
    const double slopeGap = kLatentHeatKjPerKg + 1.85 * t - epsilon;
    if (slopeGap == 0) {
        return std::nullopt;
    }
    return 1000.0 * (start.h - epsilon * start.d / 1000.0 - 1.01 * t) / slopeGap;
}

LineEndPoint SlopingLineEnd(const ShownState& start, double epsilon, LineEnd end,
                            double endValue, float pressureHpa)
{
    std::optional<double> d;
    if (end == LineEnd::RelHumidity) {
        d = RhCrossing(start, epsilon, endValue, pressureHpa);
        if (!d) {
            return {{0, 0}, kUnreachedProblem};
        }
    } else {
        d = MoistureAtTemperature(start, epsilon,
                                  end == LineEnd::DryBulb ? endValue : start.t + endValue);
        if (!d) {
            return {{0, 0}, kParallelProblem};
        }
        if (!(*d >= kLowestMoisture && *d <= kHighestMoisture)) {
            return {{0, 0}, kUnreachedProblem};
        }
    }
    return {{Single(*d), Single(LineEnthalpy(start, epsilon, *d))}, {}};
}

}  // namespace

ShownState ShownStateOf(const StateTexts& texts)
{
    return {ShownValue(texts, kQuantityDryBulb), ShownValue(texts, kQuantityMoisture),
            ShownValue(texts, kQuantityEnthalpy), ShownValue(texts, kQuantityVolume)};
}

ProcessDifferences DifferencesOf(const ShownState& in, const ShownState& out)
{
    ProcessDifferences differences;
    differences.dt = static_cast<double>(out.t) - in.t;
    differences.dd = static_cast<double>(out.d) - in.d;
    differences.dh = static_cast<double>(out.h) - in.h;
    differences.latent = kLatentHeatKjPerKg * differences.dd / 1000.0;
    differences.sensible = differences.dh - differences.latent;
    if (differences.dd != 0) {
        differences.epsilon = differences.dh / (differences.dd / 1000.0);
    }
    return differences;
}

double DryAirKgPerHour(double flow, FlowUnit unit, float inletVolume)
{
    return unit == FlowUnit::KilogramsPerHour ? flow : Divide(flow, inletVolume);
}

ProcessLoads LoadsOf(const ProcessDifferences& differences, double dryAirKgPerHour)
{
    const double g = dryAirKgPerHour;
    return {g * differences.dh / kSecondsPerHour, g * differences.sensible / kSecondsPerHour,
            g * differences.latent / kSecondsPerHour, g * differences.dd / 1000.0};
}

double MixMass(MixBasis basis, double share, float volume)
{
    return basis == MixBasis::MassRatio ? share : Divide(share, volume);
}

ChartState MixOf(const ShownState& first, const ShownState& second, double mFirst,
                 double mSecond)
{
    const double total = mFirst + mSecond;
    return {Single(Divide(mFirst * first.d + mSecond * second.d, total)),
            Single(Divide(mFirst * first.h + mSecond * second.h, total))};
}

LineEndPoint EpsilonLineEnd(const ShownState& start, double epsilon, LineEnd end,
                            double endValue, float pressureHpa)
{
    try {
        return std::isinf(epsilon) ? VerticalLineEnd(start, end, endValue, pressureHpa)
                                   : SlopingLineEnd(start, epsilon, end, endValue, pressureHpa);
    } catch (const ArithmeticFault&) {
        return {{0, 0}, kUnreachedProblem};
    }
}

}  // namespace hygrova
