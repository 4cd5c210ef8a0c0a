#pragma once

#include "common/app_state.h"
#include "model/arithmetic_fault.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The h-d chart as data: the picture's geometry for a window size, and the display list of
// line segments and scale-label places for the current settings. The window layer clears
// the picture, paints the segments in order (clipped to the picture) and moves the labels.

namespace hygrova {

// The chart's temperatures, deg C: its relative-humidity curves and isotherms run from
// kChartColdest to kChartWarmest (the sweep's last chord ends at kChartWarmest + 1).
constexpr float kChartColdest = -20.0f;
constexpr float kChartWarmest = 70.0f;

// Picture1's place and size, twips, in the main window's client coordinates.
struct PictureGeometry {
    float left;
    float top;
    float width;
    float height;

    friend bool operator==(const PictureGeometry&, const PictureGeometry&) = default;
};

// The position or size `twips` as a control reports it back once set, twips: snapped to
// whole device-independent pixels, round(twips / twipsPerPixel) * twipsPerPixel with halves
// away from zero. twipsPerPixel: > 0 (15 at 96 dots per inch). Throws ArithmeticFault for a
// twipsPerPixel of 0 or a result beyond single precision.
float SnapToPixels(float twips, float twipsPerPixel);

// The chart picture's geometry for a main window whose outer size is formWidth x
// formHeight twips: top 0.05 x formHeight, left 0.05 x formWidth, width 0.8 x formWidth,
// and height 0.8 x the width as snapped, so the picture is always 5 wide to 4 high whatever
// the window's proportions. Each product is formed in double precision and snapped with
// SnapToPixels, as the control reports it. Throws ArithmeticFault as SnapToPixels does.
PictureGeometry PictureGeometryFor(float formWidth, float formHeight, float twipsPerPixel);

// The chart scale for a picture: its width / 45, twips per g/kg (the picture spans
// d = 0..45 g/kg). Throws ArithmeticFault for a width that is not a finite number.
float ChartUnitFor(const PictureGeometry& picture);

// One straight line of the chart: from (x1, y1) to (x2, y2), twips in the picture (either
// end may lie outside it), drawn in the palette color `color` (0..15, see QBColor).
struct ChartSegment {
    float x1;
    float y1;
    float x2;
    float y2;
    std::int16_t color;
};

// Where a scale label's top-left corner goes, twips.
struct LabelPlace {
    float left;
    float top;

    friend bool operator==(const LabelPlace&, const LabelPlace&) = default;
};

// Everything one draw of the chart produces. An empty label place means the draw did not
// move that label: it keeps the place it had.
struct ChartDrawing {
    // The new ChartUnit: picture width / 45, twips per g/kg; 0 if the draw faulted before.
    float unit = 0;
    // The whole display list in drawing order; later segments paint over earlier ones.
    std::vector<ChartSegment> segments;
    // Label9 (temperature, "-20".."60"), form coordinates; [9], the axis title, never set.
    std::array<std::optional<LabelPlace>, 10> label9;
    // Label10 (moisture content, "0".."40"; [9] the axis title), form coordinates.
    std::array<std::optional<LabelPlace>, 10> label10;
    // Label11 (enthalpy, "-10".."140"; [16] the title), picture coordinates.
    std::array<std::optional<LabelPlace>, 17> label11;
    // Label12 (relative humidity, "10%".."100%"), picture coordinates.
    std::array<std::optional<LabelPlace>, 10> label12;
    // Set when the draw stopped at a fault: the segments and label places above are those
    // drawn before it.
    std::optional<FaultKind> fault;
};

// Draws the h-d chart for the picture and the settings of `state` (pressure, hPa; the four
// line colors; the three spacings), in this order:
//  - the relative-humidity curves 10 %, 20 %, ..., 100 %, each a polyline through the
//    vertices at -20 deg C and then -15, -14, ..., 70 deg C, and their labels;
//  - the isotherms -20..70 deg C from the left edge to the saturation curve, with their
//    labels in the margin left of the picture;
//  - the saturation sweep: for each 1 deg C step of the saturation curve from -20 to 71 deg C
//    (the curve taken as the chord between the whole degrees), the lines of constant
//    moisture content (whole g/kg, from 0) and then of constant enthalpy (whole kJ/kg, from
//    -20) that end on that stretch, with the moisture and enthalpy labels. Lines below the
//    saturation point at -20 deg C end on the base line, the level of the -20 deg C
//    isotherm's left end.
// A spacing s keeps the lines whose integer value v has v % s == 0 (the remainder takes
// the sign of v); labels are placed whatever the spacings and colors. Nothing is clipped
// here: lines run past the picture's edges up to the 71 deg C saturation point.
// Throws ArithmeticFault when a property function or a step of the geometry faults, when
// a spacing is 0 (division by zero) and when the 16-bit moisture or enthalpy counter would
// pass 32767 (overflow; for pressures near or below the vapour pressure of the chart's warmest
// temperatures, about 325 hPa at 71 deg C, where the saturation curve runs out of bounds).
// None of these arises for a picture of positive size, spacings 1, 5 or 10 and a pressure
// of 500..2000 hPa.
ChartDrawing BuildChart(const PictureGeometry& picture, const AppState& state);

// The same draw, stopped where a fault arises rather than thrown away: the result holds
// what was drawn up to the fault and the fault's kind (see BuildChart for when it arises).
// Does not throw ArithmeticFault.
ChartDrawing BuildChartUpToFault(const PictureGeometry& picture, const AppState& state);

}  // namespace hygrova
