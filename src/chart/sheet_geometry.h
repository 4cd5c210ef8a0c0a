#pragma once

#include "chart/chart_drawing.h"
#include "chart/palette.h"

#include <optional>
#include <vector>

// The geometry of the chart when it leaves the window (saved, copied or printed): the
// plotted marks as data, the lines cut to the picture, and where a sheet measured in twips
// lands on an output page.

namespace hygrova {

// A state plotted on the chart: a disc centred at (x, y) with the given radius, twips in the
// picture, drawn with the outline color and filled when `fill` is set.
struct ChartMark {
    float x;
    float y;
    float radius;
    Rgb outline;
    std::optional<Rgb> fill;
};

// The part of the segment inside the picture [0, width] x [0, height], twips, keeping its
// direction and color; empty when no part of it lies inside (a segment touching the frame
// only at one point counts as inside). width, height: twips, >= 0. Non-finite ends give empty.
// Never throws.
std::optional<ChartSegment> ClipSegment(const ChartSegment& segment, float width, float height);

// The display list as the picture shows it: each segment cut to the picture, the ones
// entirely outside dropped, the drawing order kept. Never throws.
std::vector<ChartSegment> VisibleSegments(const std::vector<ChartSegment>& segments, float width,
                                          float height);

// Where a sheet lands in an output area: output units per twip, and the place of the sheet's
// top-left corner, output units.
struct SheetPlacement {
    double scale;
    double left;
    double top;
};

// Fits a sheet of sheetWidth x sheetHeight twips into the area (left, top, areaWidth,
// areaHeight), output units, as large as it goes with its proportions kept and centred in
// the other direction. Sizes: > 0. Never throws; a sheet of no size gets scale 0.
SheetPlacement FitSheet(double sheetWidth, double sheetHeight, double left, double top,
                        double areaWidth, double areaHeight);

}  // namespace hygrova
