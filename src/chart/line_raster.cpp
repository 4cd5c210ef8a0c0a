#include "chart/line_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hygrova {
namespace {

// Paints the pen at a step of the line: `weight` pixels across the line's major axis from
// (x, y) on, down for a line that runs mainly across, right for one that runs mainly down;
// the parts inside the canvas.
struct PenPainter {
    const PixelCanvas& canvas;
    std::uint32_t color;
    int weight;
    bool alongX;

    void operator()(long x, long y) const
    {
        if (alongX) {
            if (x < 0 || x >= canvas.width) {
                return;
            }
            const long top = std::max(y, 0L);
            const long bottom = std::min(y + weight, static_cast<long>(canvas.height));
            for (long row = top; row < bottom; ++row) {
                canvas.pixels[row * canvas.stride + x] = color;
            }
        } else {
            if (y < 0 || y >= canvas.height) {
                return;
            }
            const long left = std::max(x, 0L);
            const long right = std::min(x + weight, static_cast<long>(canvas.width));
            std::uint32_t* line = canvas.pixels + y * canvas.stride;
            std::fill(line + left, line + std::max(left, right), color);
        }
    }
};

}  // namespace

bool ClipLineToBox(double& x1, double& y1, double& x2, double& y2, double xHi, double yHi,
                   double lo)
{
    double enter = 0.0;
    double leave = 1.0;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const auto edge = [&](double p, double q) {
        if (p == 0.0) {
            return q >= 0.0;
        }
        const double r = q / p;
        if (p < 0.0) {
            if (r > leave) {
                return false;
            }
            enter = std::max(enter, r);
        } else {
            if (r < enter) {
                return false;
            }
            leave = std::min(leave, r);
        }
        return true;
    };
    if (!edge(-dx, x1 - lo) || !edge(dx, xHi - x1) || !edge(-dy, y1 - lo) || !edge(dy, yHi - y1)) {
        return false;
    }
    const double startX = x1 + enter * dx;
    const double startY = y1 + enter * dy;
    x2 = x1 + leave * dx;
    y2 = y1 + leave * dy;
    x1 = startX;
    y1 = startY;
    return true;
}

void DrawHairline(const PixelCanvas& canvas, double x1, double y1, double x2, double y2, Rgb color,
                  int weight)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    weight = std::max(weight, 1);
    // Across the major axis the pen is centred on the line: the point moves to the edge of
    // the pen's first pixel, and flooring it picks the pixels whose centre lies nearest.
    const bool alongX = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
    const double toEdge = 0.5 - weight / 2.0;
    (alongX ? y1 : x1) += toEdge;
    (alongX ? y2 : x2) += toEdge;
    // A pen that starts up to its width before the canvas still reaches into it.
    if (!ClipLineToBox(x1, y1, x2, y2, canvas.width + 1.0, canvas.height + 1.0, -weight - 1.0)) {
        return;
    }
    const long startX = static_cast<long>(std::floor(x1));
    const long startY = static_cast<long>(std::floor(y1));
    const long endX = static_cast<long>(std::floor(x2));
    const long endY = static_cast<long>(std::floor(y2));
    const PenPainter paint{
        canvas,
        0xff000000u | (std::uint32_t{color.r} << 16) | (std::uint32_t{color.g} << 8) | color.b,
        weight, alongX};
    // Bresenham's line from the start block to the end block.
    const long dx = std::labs(endX - startX);
    const long dy = -std::labs(endY - startY);
    const long stepX = startX < endX ? 1 : -1;
    const long stepY = startY < endY ? 1 : -1;
    long error = dx + dy;
    long x = startX;
    long y = startY;
    for (;;) {
        paint(x, y);
        if (x == endX && y == endY) {
            return;
        }
        const long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void DrawHairlines(const PixelCanvas& canvas, const std::vector<ChartSegment>& segments,
                   double pixelsPerTwip, int weight)
{
    for (const ChartSegment& s : segments) {
        DrawHairline(canvas, s.x1 * pixelsPerTwip, s.y1 * pixelsPerTwip, s.x2 * pixelsPerTwip,
                     s.y2 * pixelsPerTwip, QBColor(s.color), weight);
    }
}

}  // namespace hygrova
