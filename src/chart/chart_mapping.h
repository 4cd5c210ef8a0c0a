#pragma once

// The chart mapping: how a state of moist air (d, h) and a point of the chart picture are
// tied. The chart is oblique. Moisture content d runs to the right, u twips per g/kg;
// enthalpy h is constant along lines that fall one unit for each unit to the right. Along
// the left edge (d = 0) 1 kJ/kg is 0.4 u, and h = 0 lies 10.5 u above the picture's bottom
// edge. The picture is 45 u wide and 36 u high. The chart drawing, the cursor readout and
// the point plot all map through these two functions.

namespace hygrova {

// A point of the chart picture, twips from its top-left corner, y growing downward.
struct ChartPoint {
    float x;
    float y;
};

// A state as the chart places it: moisture content d, g/kg dry air, and specific
// enthalpy h, kJ/kg dry air.
struct ChartState {
    float d;
    float h;
};

// The picture point of the state (d, h), twips: x = u * d and
// y = Hp - (0.4 * h - d) * u - 10.5 * u, every operation in single precision in that order.
// d: g/kg; h: kJ/kg; unit u: twips per g/kg (ChartUnit); pictureHeight Hp: twips.
// Throws ArithmeticFault when a step overflows single precision.
ChartPoint MapToChart(float d, float h, float unit, float pictureHeight);

// The state at the picture point (x, y), twips: d = x / u, then
// h = ((Hp - y - 10.5 * u) / u + d) / 0.4, every operation in single precision in that order.
// unit u: twips per g/kg; pictureHeight Hp: twips. Throws ArithmeticFault for a unit of 0
// (division by zero, or 0 / 0) and when a step overflows.
ChartState MapFromChart(float x, float y, float unit, float pictureHeight);

}  // namespace hygrova
