#pragma once

#include "chart/chart_drawing.h"
#include "chart/palette.h"

#include <cstdint>
#include <vector>

namespace hygrova {

// A 32-bit pixel buffer, 0xffRRGGBB per pixel, `stride` pixels from one row to the next.
struct PixelCanvas {
    std::uint32_t* pixels;
    int width;
    int height;
    int stride;
};

// Draws an antialiased hairline, one pixel wide, from (x1, y1) to (x2, y2) in pixels of the
// canvas (pixel (i, j) covers [i, i + 1) x [j, j + 1)), blended over what is there and
// clipped to the canvas. Coordinates far outside the canvas cost nothing: the line is cut to
// the canvas before it is traced. Non-finite coordinates draw nothing.
//
// This is Wu's line algorithm: along the major axis each step covers the two pixels the line
// passes between, in proportion to its distance from their centres, in fixed point. The chart
// draws a few thousand long lines on every redraw; Qt's stroker blends them pixel by pixel
// through several layers and takes about six times as long.
void DrawHairline(const PixelCanvas& canvas, double x1, double y1, double x2, double y2, Rgb color);

// Draws the display list in its order, so that later lines paint over earlier ones, each
// segment in its color; coordinates in twips, `pixelsPerTwip` pixels to the twip.
void DrawHairlines(const PixelCanvas& canvas, const std::vector<ChartSegment>& segments,
                   double pixelsPerTwip);

}  // namespace hygrova
