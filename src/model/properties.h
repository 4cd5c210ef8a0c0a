#pragma once

// Property formulas of moist air (Module1): the correlations of the enthalpy-moisture
// content chart. Every argument and result is single precision; the arithmetic between the
// rounding points runs in double precision. Pressures are in hPa unless stated otherwise.
// Each function throws ArithmeticFault on overflow, division by zero, an invalid operation
// or the logarithm of a non-positive value, and never returns a partial result.

namespace hygrova {

// Saturation vapour pressure over plane water (Goff-Gratch, referred to the triple point
// 273.16 K), hPa. t: temperature, deg C. Also used below 0 deg C (no ice formula).
float SaturationPressure(float t);

// Specific enthalpy of moist air, kJ/kg dry air. t: deg C; d: moisture content, g/kg dry air.
float EnthalpyOf(float t, float d);

// Dry-bulb temperature, deg C, of air with enthalpy h (kJ/kg) and moisture content d (g/kg);
// the exact inverse of EnthalpyOf in t.
float TemperatureOf(float h, float d);

// Moisture content, g/kg dry air, of air with vapour pressure pv at total pressure b
// (both in the same unit). Throws when pv equals b.
float MoistureContentOf(float pv, float b);

// Vapour pressure, in the unit of b, of air with moisture content d (g/kg) at total
// pressure b; the inverse of MoistureContentOf.
float VapourPressureOf(float d, float b);

// Dew-point temperature, deg C, for the vapour pressure pv (hPa, > 0): a correlation in the
// logarithm of pv in mmHg with two branches meeting at 0 deg C (4.581 mmHg).
float DewPointOf(float pv);

// Relative humidity as a fraction (not percent): pv / ps. Values above 1 are returned as
// computed.
float RelativeHumidityOf(float pv, float ps);

// Specific volume, m3/kg dry air. t: deg C; d: g/kg; b: total pressure, hPa.
float SpecificVolumeOf(float t, float d, float b);

// Moisture content, g/kg dry air, of air at dry-bulb t (deg C) whose wet-bulb temperature is
// tw (deg C), from the adiabatic-saturation balance in kcal/kg. ds: moisture content of
// saturated air at tw, g/kg. Negative for impossible inputs (callers check ranges).
float WetBulbMoisture(float ds, float t, float tw);

}  // namespace hygrova
