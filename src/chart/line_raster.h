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

// Cuts the line from (x1, y1) to (x2, y2) to the box [lo, xHi] x [lo, yHi] (Liang-Barsky),
// moving its ends; false if nothing of it is left.
bool ClipLineToBox(double& x1, double& y1, double& x2, double& y2, double xHi, double yHi,
                   double lo);

// Draws a line from (x1, y1) to (x2, y2) in pixels of the canvas (pixel (i, j) covers
// [i, i + 1) x [j, j + 1)), `weight` pixels thick (at least 1), in the solid color, clipped
// to the canvas. The pixels follow Bresenham's line between the pixels nearest the ends, and
// at each step along the major axis the pen covers `weight` pixels across it, centred on
// the line. So every line is fully in its color and equally thick wherever it falls between
// pixel centres: the lines of one family look alike (antialiasing would draw a line on a
// pixel centre black and one between two centres as two grey bands). Coordinates far
// outside the canvas cost nothing, the line is cut to the canvas before it is traced;
// non-finite coordinates draw nothing.
void DrawHairline(const PixelCanvas& canvas, double x1, double y1, double x2, double y2, Rgb color,
                  int weight = 1);

// Draws the display list in its order, so that later lines paint over earlier ones, each
// segment in its color with the pen `weight` pixels wide; coordinates in twips,
// `pixelsPerTwip` pixels to the twip.
void DrawHairlines(const PixelCanvas& canvas, const std::vector<ChartSegment>& segments,
                   double pixelsPerTwip, int weight = 1);

}  // namespace hygrova
