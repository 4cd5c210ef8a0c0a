#pragma once

// Inverse solvers of the property model: bisection on the dry-bulb temperature over a fixed
// or caller-given interval. All values are single precision; the result is the last midpoint
// evaluated. A root outside the interval is not detected: the interval collapses onto the
// nearer end. Faults of the property functions propagate as ArithmeticFault.

namespace hygrova {

// The bracket of SaturationTemperatureForEnthalpy, deg C: the chart's saturation curve.
constexpr float kSaturationBracketLow = -20.0f;
constexpr float kSaturationBracketHigh = 60.0f;
// TemperatureForRhAndEnthalpy searches from this far below the wet-bulb temperature, deg C,
// up to kRhEnthalpyBracketHigh: the dry-bulb temperature is never below the wet-bulb one.
constexpr float kRhEnthalpyBelowWetBulb = 1.0f;
constexpr float kRhEnthalpyBracketHigh = 70.0f;
// The bracket of TemperatureForSaturationPressure, deg C: the query's dry-bulb range.
constexpr float kSaturationPressureBracketLow = -30.0f;
constexpr float kSaturationPressureBracketHigh = 70.0f;
// Widths, deg C, below which the bisections stop: coarse for the wet-bulb temperature,
// fine for the two that give the dry-bulb temperature.
constexpr float kCoarseTolerance = 0.001f;
constexpr float kFineTolerance = 0.0001f;

// Temperature of saturated air, deg C, whose enthalpy is h (kJ/kg dry air) at total pressure
// b (hPa); searched on [kSaturationBracketLow, kSaturationBracketHigh] to within
// kCoarseTolerance. The system shows it as the wet-bulb temperature of any state with
// enthalpy h.
float SaturationTemperatureForEnthalpy(float h, float b);

// Dry-bulb temperature, deg C, at which air of relative humidity phi (fraction) has enthalpy h
// (kJ/kg) at total pressure b (hPa); searched on [tLow - kRhEnthalpyBelowWetBulb,
// kRhEnthalpyBracketHigh] to within kFineTolerance. tLow is the state's wet-bulb temperature
// and must lie below 71.
float TemperatureForRhAndEnthalpy(float tLow, float h, float phi, float b);

// Temperature, deg C, whose saturation pressure is p (hPa); searched on
// [kSaturationPressureBracketLow, kSaturationPressureBracketHigh] to within kFineTolerance.
// The inverse of SaturationPressure.
float TemperatureForSaturationPressure(float p);

// The same solvers on reference::SaturationPressure, for the deep check of the fast one.
namespace reference {
float SaturationTemperatureForEnthalpy(float h, float b);
float TemperatureForRhAndEnthalpy(float tLow, float h, float phi, float b);
float TemperatureForSaturationPressure(float p);
}  // namespace reference

}  // namespace hygrova
