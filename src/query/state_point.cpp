#include "query/state_point.h"

#include "common/number_text.h"
#include "model/arithmetic_fault.h"
#include "model/checked_math.h"
#include "model/properties.h"
#include "model/solvers.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace hygrova {
namespace {

// What the query accepts for each parameter (both ends included, compared on the stored
// single-precision value) and the messages of its checks.
struct ParameterRule {
    float low;
    float high;
    std::string_view rangeMessage;
    std::string_view emptyMessage;
};

constexpr ParameterRule kRules[kQuerySlotCount] = {
    {-30.0f, 70.0f, "干球温度过大或过小，请重新输入！", "请输入干球温度！"},
    {-30.0f, 45.0f, "湿球温度过大或过小，请重新输入！", "请输入湿球温度！"},
    {0.0f, 1.0f, "相对湿度在0~100%之间，请重新输入！", "请输入相对湿度！"},
    {0.0f, 45.0f, "含湿量过大或小于0，请重新输入！", "请输入含湿量！"},
    {-30.0f, 170.0f, "焓值过大或过小，请重新输入！", "请输入焓值！"},
    {-273.0f, 45.0f, "露点温度过大或过小，请重新输入！", "请输入露点温度！"},
};

constexpr std::string_view kTooFewMessage = "输入参数不得少于两个！";
constexpr std::string_view kNoChainMessage = "计算发生错误，请重试！";
constexpr std::string_view kTooManyDescription = "下标越界：选择的已知参数多于两个";

// Below this moisture content (g/kg) the dew point is not computed.
constexpr float kDewPointMinMoisture = 0.05f;
// Marks an absent dew point; any dew point below kLowestShownDewPoint shows as an empty box.
constexpr float kAbsentDewPoint = -9999.0f;
constexpr float kLowestShownDewPoint = -273.0f;

// The working quantities of one calculation (deg C, fraction, g/kg, kJ/kg, hPa, m3/kg).
struct Air {
    float t = 0, tw = 0, phi = 0, d = 0, h = 0, td = 0, pv = 0, ps = 0, v = 0;
};

// Signals the first input problem found; caught in SolveStatePoint.
struct InputProblem {
    StatePointWarning warning;
};

// The entry text of slot i read as a number and stored in single precision. The relative
// humidity is entered in percent and stored as a fraction; a finite quotient too large for
// single precision is an overflow. Other entries beyond single precision are stored as
// infinite and fail their range check.
float StoredEntry(int slot, const std::string& text)
{
    const double value = ParseLeadingNumber(text);
    if (slot != kRelHumiditySlot) {
        return SingleOrInfinity(value);
    }
    const double fraction = value / 100.0;
    return std::isfinite(fraction) ? Single(fraction) : SingleOrInfinity(fraction);
}

// x rounded to `decimals` places (halves away from zero), stored back in single precision.
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

std::string ResultText(float value)
{
    return PlainNumberText(value);
}

void ApplyDewPointRule(Air& air)
{
    air.td = kDewPointMinMoisture > air.d ? kAbsentDewPoint : DewPointOf(air.pv);
}

float Times(float a, float b)
{
    return Single(static_cast<double>(a) * b);
}
float Over(float a, float b)
{
    return Single(Divide(a, b));
}

// Runs the calculation chain of the pair code; `air` holds the two entered values.
void RunChain(int code, float b, Air& air)
{
    switch (code) {
        case 12:  // t, tw
        {
            air.ps = SaturationPressure(air.t);
            const float dsw = MoistureContentOf(SaturationPressure(air.tw), b);
            air.d = WetBulbMoisture(dsw, air.t, air.tw);
            air.h = EnthalpyOf(air.t, air.d);
            air.pv = VapourPressureOf(air.d, b);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        }
        case 13:  // t, phi
            air.ps = SaturationPressure(air.t);
            air.pv = Times(air.phi, air.ps);
            air.d = MoistureContentOf(air.pv, b);
            air.h = EnthalpyOf(air.t, air.d);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            ApplyDewPointRule(air);
            break;
        case 14:  // t, d
            air.h = EnthalpyOf(air.t, air.d);
            air.ps = SaturationPressure(air.t);
            air.pv = VapourPressureOf(air.d, b);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        case 15:  // t, h: d from the wet-bulb relation; h is shown as entered
        {
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            air.ps = SaturationPressure(air.t);
            const float dsw = MoistureContentOf(SaturationPressure(air.tw), b);
            air.d = WetBulbMoisture(dsw, air.t, air.tw);
            air.pv = VapourPressureOf(air.d, b);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        }
        case 16:  // t, td
            air.pv = SaturationPressure(air.td);
            air.ps = SaturationPressure(air.t);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.d = MoistureContentOf(air.pv, b);
            air.h = EnthalpyOf(air.t, air.d);
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            break;
        case 23:  // tw, phi
        {
            const float dsw = MoistureContentOf(SaturationPressure(air.tw), b);
            air.h = EnthalpyOf(air.tw, dsw);
            air.t = TemperatureForRhAndEnthalpy(air.tw, air.h, air.phi, b);
            air.ps = SaturationPressure(air.t);
            air.pv = Times(air.phi, air.ps);
            air.d = MoistureContentOf(air.pv, b);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        }
        case 24:  // tw, d
        {
            const float dsw = MoistureContentOf(SaturationPressure(air.tw), b);
            air.h = EnthalpyOf(air.tw, dsw);
            air.t = TemperatureOf(air.h, air.d);
            air.ps = SaturationPressure(air.t);
            air.pv = VapourPressureOf(air.d, b);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        }
        case 26:  // tw, td
        {
            air.pv = SaturationPressure(air.td);
            air.d = MoistureContentOf(air.pv, b);
            const float dsw = MoistureContentOf(SaturationPressure(air.tw), b);
            air.h = EnthalpyOf(air.tw, dsw);
            air.t = TemperatureOf(air.h, air.d);
            air.ps = SaturationPressure(air.t);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            break;
        }
        case 34:  // phi, d
            air.pv = VapourPressureOf(air.d, b);
            air.ps = Over(air.pv, air.phi);
            air.t = TemperatureForSaturationPressure(air.ps);
            air.h = EnthalpyOf(air.t, air.d);
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        case 35:  // phi, h
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            air.t = TemperatureForRhAndEnthalpy(air.tw, air.h, air.phi, b);
            air.ps = SaturationPressure(air.t);
            air.pv = Times(air.phi, air.ps);
            air.d = MoistureContentOf(air.pv, b);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        case 36:  // phi, td: the shown phi is recomputed from pv and ps
            air.pv = SaturationPressure(air.td);
            air.d = MoistureContentOf(air.pv, b);
            air.ps = Over(air.pv, air.phi);
            air.t = TemperatureForSaturationPressure(air.ps);
            air.h = EnthalpyOf(air.t, air.d);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            break;
        case 45:  // d, h
            air.t = TemperatureOf(air.h, air.d);
            air.ps = SaturationPressure(air.t);
            air.pv = VapourPressureOf(air.d, b);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            ApplyDewPointRule(air);
            break;
        case 56:  // h, td
            air.pv = SaturationPressure(air.td);
            air.d = MoistureContentOf(air.pv, b);
            air.t = TemperatureOf(air.h, air.d);
            air.ps = SaturationPressure(air.t);
            air.phi = RelativeHumidityOf(air.pv, air.ps);
            air.tw = SaturationTemperatureForEnthalpy(air.h, b);
            air.v = SpecificVolumeOf(air.t, air.d, b);
            break;
    }
}

bool HasChain(int code)
{
    switch (code) {
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
        case 23:
        case 24:
        case 26:
        case 34:
        case 35:
        case 36:
        case 45:
        case 56:
            return true;
        default:
            return false;
    }
}

// The two ticked slots, smaller index first.
std::array<int, 2> SelectedSlots(const StatePointQuery& query)
{
    std::array<int, 2> slots{-1, -1};
    std::size_t used = 0;
    for (int i = 0; i < kQuerySlotCount; ++i) {
        if (!query.ticked[i]) {
            continue;
        }
        if (used == slots.size()) {
            throw StatePointFault{std::string(kTooManyDescription)};
        }
        slots[used++] = i;
    }
    if (used < slots.size()) {
        throw InputProblem{{std::string(kTooFewMessage), std::nullopt}};
    }
    return slots;
}

// Reads the entered values into `air`; throws InputProblem for the first problem found:
// all emptiness checks come before all range checks.
void ReadEntries(const StatePointQuery& query, const std::array<int, 2>& slots, Air& air)
{
    for (const int slot : slots) {
        if (query.texts[slot].empty()) {
            throw InputProblem{{std::string(kRules[slot].emptyMessage), slot}};
        }
    }
    float values[2];
    for (std::size_t k = 0; k < slots.size(); ++k) {
        values[k] = StoredEntry(slots[k], query.texts[slots[k]]);
    }
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const ParameterRule& rule = kRules[slots[k]];
        if (values[k] < rule.low || values[k] > rule.high) {
            throw InputProblem{{std::string(rule.rangeMessage), slots[k]}};
        }
    }
    float* const fields[kQuerySlotCount] = {&air.t, &air.tw, &air.phi, &air.d, &air.h, &air.td};
    for (std::size_t k = 0; k < slots.size(); ++k) {
        *fields[slots[k]] = values[k];
    }
}

// Rounds the quantities for display and formats the eight result texts.
StatePointResults Results(Air air)
{
    StatePointResults texts;
    texts[2] = air.td >= kLowestShownDewPoint ? ResultText(RoundToDecimals(air.td, 3)) : "";
    air.t = RoundToDecimals(air.t, 3);
    air.tw = RoundToDecimals(air.tw, 3);
    air.phi = RoundToDecimals(air.phi, 4);
    air.d = RoundToDecimals(air.d, 3);
    air.h = RoundToDecimals(air.h, 3);
    air.v = RoundToDecimals(air.v, 3);
    air.pv = RoundToDecimals(air.pv, 4);
    texts[0] = ResultText(air.t);
    texts[1] = ResultText(air.tw);
    texts[3] = ResultText(Times(air.phi, 100.0f));
    texts[4] = ResultText(air.d);
    texts[5] = ResultText(air.h);
    texts[6] = ResultText(air.v);
    texts[7] = ResultText(Times(air.pv, 100.0f));
    return texts;
}

}  // namespace

StatePointOutcome SolveStatePoint(const StatePointQuery& query)
{
    try {
        const std::array<int, 2> slots = SelectedSlots(query);
        const int code = 10 * (slots[0] + 1) + (slots[1] + 1);
        if (!HasChain(code)) {
            return StatePointWarning{std::string(kNoChainMessage), std::nullopt};
        }
        Air air;
        ReadEntries(query, slots, air);
        RunChain(code, query.pressure, air);
        return Results(air);
    } catch (const InputProblem& problem) {
        return problem.warning;
    } catch (const StatePointFault& fault) {
        return fault;
    } catch (const ArithmeticFault& fault) {
        return StatePointFault{fault.what()};
    }
}

}  // namespace hygrova
