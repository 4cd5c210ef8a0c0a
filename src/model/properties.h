#pragma once

// Property formulas of moist air (Module1): the engineering correlations of the enthalpy-
// moisture content chart. Every argument and result is single precision; the arithmetic
// between the rounding points runs in double precision. Pressures are in hPa unless stated
// otherwise. Each function throws ArithmeticFault on overflow, division by zero, an invalid
// operation or the logarithm of a non-positive value, and never returns a partial result.
// Constants (model values, not the latest physical ones): 273.16 K for the triple point and
// every deg C to K offset, 1.3332 hPa per mmHg, 760 mmHg per atmosphere, 622 g/kg for the
// ratio of the molar masses of water and dry air.

namespace hygrova {

// Below this moisture content, g/kg dry air, the dew point is not computed: its logarithm of
// the vapour pressure is not taken (the readout leaves the box empty, the query shows none).
constexpr float kDewPointMinMoisture = 0.05f;

// Saturation vapour pressure over plane water, hPa. t: temperature, deg C.
// Source: the Goff-Gratch equation (Goff and Gratch 1946, as tabulated in the Smithsonian
// Meteorological Tables), referred to the triple point 273.16 K and written for log10 of
// the pressure in atmospheres, then taken to mmHg (x 760) and hPa (x 1.3332). Also used below
// 0 deg C: there is no ice formula.
// Validity: the equation is fitted to measurements over water from about -50 to 100 deg C;
// the program evaluates it from -273 deg C (the lowest dew point entered) to 70 deg C. Every t
// in [-100, 200] gives a finite positive value without a fault; t = -273.16 divides by zero,
// t below it takes the logarithm of a negative value, and temperatures of billions of
// degrees overflow. Rounded to float after each of the formula's steps.
float SaturationPressure(float t);

// Specific enthalpy of moist air, kJ/kg dry air. t: deg C; d: moisture content, g/kg dry air.
// Source: h = 1.01 t + 0.001 d (2501 + 1.85 t): specific heats of dry air 1.01 and of vapour
// 1.85 kJ/(kg K), latent heat of water 2501 kJ/kg at 0 deg C.
float EnthalpyOf(float t, float d);

// Dry-bulb temperature, deg C, of air with enthalpy h (kJ/kg) and moisture content d (g/kg);
// the exact inverse of EnthalpyOf in t. Throws when 0.00185 d + 1.01 is 0 (d = -546 g/kg).
float TemperatureOf(float h, float d);

// Moisture content, g/kg dry air, of air with vapour pressure pv at total pressure b
// (both in the same unit): d = 622 pv / (b - pv). Throws when pv equals b.
float MoistureContentOf(float pv, float b);

// Vapour pressure, in the unit of b, of air with moisture content d (g/kg) at total
// pressure b; the inverse of MoistureContentOf. Throws when d is -622.
float VapourPressureOf(float d, float b);

// Dew-point temperature, deg C, for the vapour pressure pv (hPa, > 0). Source: the chart's
// empirical correlation, quadratic in b = ln(pv in mmHg), two branches meeting at 0 deg C
// (4.581 mmHg): td = 0.88887 b^2 + 11.005 b - 18.807 above, 0.72733 b^2 + 11.533 b -
// 19.237 at and below. Throws for pv <= 0.
float DewPointOf(float pv);

// Relative humidity as a fraction (not percent): pv / ps. Values above 1 are returned as
// computed. Throws when ps is 0.
float RelativeHumidityOf(float pv, float ps);

// Specific volume, m3/kg dry air. t: deg C; d: g/kg; b: total pressure, hPa.
// Source: the ideal-gas law, v = 2.1552 (t + 273.16) (1 + 0.0016078 d) / B with B in mmHg:
// 2.1552 is the gas constant of dry air per mmHg, 0.0016078 the vapour correction per g/kg.
// Validity: ideal gas, good to a fraction of a percent for the chart's states (-20 to 70
// deg C, 0 to 45 g/kg, 500 hPa and more); any b != 0 computes. Throws when b is 0.
float SpecificVolumeOf(float t, float d, float b);

// Moisture content, g/kg dry air, of air at dry-bulb t (deg C) whose wet-bulb temperature is
// tw (deg C). ds: moisture content of saturated air at tw, g/kg. Source: the heat balance of
// adiabatic saturation (Carrier's psychrometric equation) in kcal/kg: latent heat 597.3 at
// 0 deg C, vapour specific heat 0.441, dry-air specific heat 0.24, 0.559 = 1 - 0.441.
// Negative for impossible inputs (callers check ranges).
float WetBulbMoisture(float ds, float t, float tw);

namespace reference {

// SaturationPressure computed step by step with a fault check after every step: the
// definition the fast SaturationPressure is proven against (every float of [-100, 200]) and
// falls back to everywhere else.
float SaturationPressure(float t);

}  // namespace reference

}  // namespace hygrova
