#pragma once

#include "common/state_texts.h"

namespace hygrova {

// The state of the air under the pointer at (x, y), twips in the chart picture, as the
// readout boxes Text1..Text8 show it. unit: ChartUnit, twips per g/kg; pictureHeight: twips;
// pressure: hPa. d and h come from MapFromChart; then pv = VapourPressureOf(d), t =
// TemperatureOf(h, d), phi = pv / SaturationPressure(t). Beyond the saturation curve (phi > 1) all
// eight texts are empty; on it (phi = 1) they are shown. The dew point is empty below
// kDewPointMinMoisture, where its logarithm is not taken. The wet-bulb temperature is the
// saturation temperature of the same enthalpy, so it stays at the solver's bound, about -20 deg C,
// for h below the saturated enthalpy at -20 deg C. phi x 100 and pv x 100 are rounded to single
// precision; every value is written with PlainNumberText. Never throws: where a step faults (a unit
// of 0 before the chart is first drawn, or a pointer dragged far outside the picture) all eight
// texts are empty.
StateTexts ReadoutAt(float x, float y, float unit, float pictureHeight, float pressure);

// The readout of the state (d, h) itself (g/kg, kJ/kg), the same texts ReadoutAt shows at
// the point the chart mapping gives for it.
StateTexts ReadoutOf(float d, float h, float pressure);

}  // namespace hygrova
