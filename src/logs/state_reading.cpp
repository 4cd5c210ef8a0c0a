#include "logs/state_reading.h"

#include "chart/chart_drawing.h"
#include "model/solvers.h"

#include <charconv>  // std::from_chars
#include <cmath>

namespace hygrova {
namespace {

// How close to a bound a shown temperature is at it: the coarser solver's tolerance plus
// half a step of the three decimals shown. A bisection whose root lies beyond its range
// returns a value within its tolerance of the bound.
constexpr float kAtLimit = kCoarseTolerance + 0.0005f;

bool AtLimit(float value, float low, float high)
{
    return value <= low + kAtLimit || value >= high - kAtLimit;
}

bool OffChart(float value)
{
    return value < kChartColdest || value > kChartWarmest;
}

// The dry bulb is solved by bisection when the relative humidity is known without it: from
// the saturation pressure (with d or the dew point) or from the enthalpy (with the wet bulb
// or the enthalpy), searched from a degree below the wet bulb.
bool DryBulbSolved(const std::array<bool, kQuerySlotCount>& given)
{
    return given[kRelHumiditySlot] && !given[kDryBulbSlot];
}
bool DryBulbFromEnthalpy(const std::array<bool, kQuerySlotCount>& given)
{
    return given[kWetBulbSlot] || given[kEnthalpySlot];
}

// A temperature of the solvers or the chart as a message shows it: "-20", "70".
std::string Degrees(float value)
{
    char text[16];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

}  // namespace

float ValueOfText(std::string_view text)
{
    if (text.starts_with(' ')) {
        text.remove_prefix(1);
    }
    double value = NAN;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return static_cast<float>(value);
}

StateFlags FlagsOf(const std::array<bool, kQuerySlotCount>& given, const StateTexts& texts)
{
    const float dryBulb = ValueOfText(texts[kQuantityDryBulb]);
    const float wetBulb = ValueOfText(texts[kQuantityWetBulb]);
    StateFlags flags = 0;
    if (!given[kWetBulbSlot] && AtLimit(wetBulb, kSaturationBracketLow, kSaturationBracketHigh)) {
        flags |= kWetBulbAtLimit;
    }
    if (DryBulbSolved(given)) {
        const bool fromEnthalpy = DryBulbFromEnthalpy(given);
        const float low =
            fromEnthalpy ? wetBulb - kRhEnthalpyBelowWetBulb : kSaturationPressureBracketLow;
        const float high = fromEnthalpy ? kRhEnthalpyBracketHigh : kSaturationPressureBracketHigh;
        if (AtLimit(dryBulb, low, high)) {
            flags |= kDryBulbAtLimit;
        }
    }
    if (ValueOfText(texts[kQuantityRelHumidity]) > 100.0f) {
        flags |= kAboveSaturation;
    }
    if (!(flags & kDryBulbAtLimit) && OffChart(dryBulb)) {
        flags |= kDryBulbOffChart;
    }
    if (!(flags & kWetBulbAtLimit) && OffChart(wetBulb)) {
        flags |= kWetBulbOffChart;
    }
    return flags;
}

std::string FlagsText(StateFlags flags, const std::array<bool, kQuerySlotCount>& given)
{
    std::string text;
    const auto add = [&](StateFlag flag, const std::string& meaning) {
        if (flags & flag) {
            text.append(text.empty() ? "" : "; ").append(meaning);
        }
    };
    const std::string beyond = "): the true value lies beyond";
    add(kWetBulbAtLimit, "wet bulb at the limit of its solver (" +
                             Degrees(kSaturationBracketLow) + " to " +
                             Degrees(kSaturationBracketHigh) + " °C" + beyond);
    add(kDryBulbAtLimit,
        "dry bulb at the limit of its solver (" +
            (DryBulbFromEnthalpy(given)
                 ? Degrees(kRhEnthalpyBelowWetBulb) + " °C below the wet bulb to " +
                       Degrees(kRhEnthalpyBracketHigh)
                 : Degrees(kSaturationPressureBracketLow) + " to " +
                       Degrees(kSaturationPressureBracketHigh)) +
            " °C" + beyond);
    add(kAboveSaturation, "relative humidity above 100 %: the state lies beyond saturation");
    const std::string chart =
        " outside the chart's " + Degrees(kChartColdest) + " to " + Degrees(kChartWarmest) + " °C";
    add(kDryBulbOffChart, "dry bulb" + chart);
    add(kWetBulbOffChart, "wet bulb" + chart);
    return text;
}

}  // namespace hygrova
