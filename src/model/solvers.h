#pragma once

// Inverse solvers of the property model: bisection on the dry-bulb temperature over a fixed
// or caller-given interval. All values are single precision; the result is the last midpoint
// evaluated. A root outside the interval is not detected: the interval collapses onto the
// nearer end. Faults of the property functions propagate as ArithmeticFault.

namespace hygrova {

// Temperature of saturated air, deg C, whose enthalpy is h (kJ/kg dry air) at total pressure
// b (hPa); searched on [-20, 60] to within 0.001. The system shows it as the wet-bulb
// temperature of any state with enthalpy h.
float SaturationTemperatureForEnthalpy(float h, float b);

// Dry-bulb temperature, deg C, at which air of relative humidity phi (fraction) has enthalpy h
// (kJ/kg) at total pressure b (hPa); searched on [tLow - 1, 70] to within 0.0001. tLow is the
// state's wet-bulb temperature and must lie below 71.
float TemperatureForRhAndEnthalpy(float tLow, float h, float phi, float b);

// Temperature, deg C, whose saturation pressure is p (hPa); searched on [-30, 70] to within
// 0.0001. The inverse of SaturationPressure.
float TemperatureForSaturationPressure(float p);

}  // namespace hygrova
