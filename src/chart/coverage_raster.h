#pragma once

// Antialiased shapes painted straight into a pixel buffer of premultiplied ARGB
// (0xAARRGGBB), as the project's layer on the screen needs them: wide lines, solid or dashed
// with flat ends, discs, rings and triangles. Each pixel takes the share of the shape that
// lies within half a pixel of its centre, measured across the nearest edge, and the ink is
// laid over what is there. A shape's ink adds up to its area, as an exact coverage would, at
// a fraction of the cost of a general path rasterizer. Coordinates are pixels of the canvas
// (pixel (i, j) covers [i, i + 1) x [j, j + 1)); every shape is clipped to the canvas and a
// shape with a non-finite coordinate or size draws nothing.

#include "chart/line_raster.h"
#include "chart/palette.h"

#include <array>
#include <cstdint>

namespace hygrova {

struct Ink {
    Rgb color;
    std::uint8_t alpha = 255;
};

// A dash pattern along a line, pixels: `on` inked, `off` clear, from the line's start.
// on = 0: a solid line.
struct Dashes {
    double on = 0;
    double off = 0;
};

struct PixelPoint {
    double x = 0;
    double y = 0;
};

void PaintWideLine(const PixelCanvas& canvas, PixelPoint from, PixelPoint to, double width, Ink ink,
                   Dashes dashes = {});
void PaintDisc(const PixelCanvas& canvas, PixelPoint centre, double radius, Ink ink);
// A circle's outline `width` wide, centred on the circle of the radius.
void PaintRing(const PixelCanvas& canvas, PixelPoint centre, double radius, double width, Ink ink);
void PaintTriangle(const PixelCanvas& canvas, const std::array<PixelPoint, 3>& corners, Ink ink);

}  // namespace hygrova
