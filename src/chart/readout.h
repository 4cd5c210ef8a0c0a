#pragma once

#include <array>
#include <string>

namespace hygrova {

// The texts of the main window's readout boxes Text1..Text8, in this order: dry-bulb
// temperature (deg C), wet-bulb temperature (deg C), dew point (deg C), relative humidity
// (%), moisture content (g/kg dry air), enthalpy (kJ/kg dry air), specific volume (m3/kg dry
// air) and water-vapour partial pressure (Pa).
using ReadoutTexts = std::array<std::string, 8>;

// The state of the air under the pointer at (x, y), twips in the chart picture, as the
// readout boxes show it. unit: ChartUnit, twips per g/kg; pictureHeight: twips; pressure:
// hPa. d and h come from MapFromChart; then pv = VapourPressureOf(d), t = TemperatureOf(h, d),
// phi = pv / SaturationPressure(t). Beyond the saturation curve (phi > 1) all eight texts
// are empty; on it (phi = 1) they are shown. The dew point is empty below d = 0.05 g/kg, where
// its logarithm is not taken. The wet-bulb temperature is the saturation temperature of the
// same enthalpy, so it stays at the solver's bound, about -20 deg C, for h below the
// saturated enthalpy at -20 deg C. phi x 100 and pv x 100 are rounded to single precision;
// every value is written with PlainNumberText.
// Never throws: where a step faults (a unit of 0 before the chart is first drawn, or a
// pointer dragged far outside the picture) all eight texts are empty.
ReadoutTexts ReadoutAt(float x, float y, float unit, float pictureHeight, float pressure);

}  // namespace hygrova
