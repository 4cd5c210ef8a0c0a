#include "chart/line_raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace hygrova {
namespace {

// Blends `color` over the pixel with the coverage 0..256.
inline void Blend(std::uint32_t& pixel, std::uint32_t color, std::uint32_t coverage)
{
    const std::uint32_t keep = 256 - coverage;
    const std::uint32_t redBlue =
        (((pixel & 0x00ff00ffu) * keep + (color & 0x00ff00ffu) * coverage) >> 8) & 0x00ff00ffu;
    const std::uint32_t green =
        (((pixel & 0x0000ff00u) * keep + (color & 0x0000ff00u) * coverage) >> 8) & 0x0000ff00u;
    pixel = 0xff000000u | redBlue | green;
}

// Cuts the line to the box [lo, hi] on both axes (Liang-Barsky); false if nothing is left.
bool ClipToBox(double& x1, double& y1, double& x2, double& y2, double xHi, double yHi, double lo)
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

// Traces a line whose major axis is the first coordinate (u), with v = the other one;
// `plot(u, v, coverage)` sets pixel (u, v) in the canvas' own axes, for 0 <= u < uCount.
// Coordinates are pixel centres: the pixel u covers [u - 0.5, u + 0.5).
template <typename Plot>
void TraceWu(double u1, double v1, double u2, double v2, long uCount, Plot plot)
{
    if (u1 > u2) {
        std::swap(u1, u2);
        std::swap(v1, v2);
    }
    const double du = u2 - u1;
    const double gradient = du > 0.0 ? (v2 - v1) / du : 0.0;
    const auto coverage = [](double fraction) {
        return static_cast<std::uint32_t>(fraction * 256.0 + 0.5);
    };
    // The end pixels are covered in proportion to how much of them the line reaches.
    const long first = std::lround(u1);
    const long last = std::lround(u2);
    const auto endPoint = [&](long u, double reach) {
        const double v = v1 + gradient * (static_cast<double>(u) - u1);
        const double floorV = std::floor(v);
        const double below = v - floorV;
        plot(u, static_cast<long>(floorV), coverage((1.0 - below) * reach));
        plot(u, static_cast<long>(floorV) + 1, coverage(below * reach));
    };
    if (first == last) {
        endPoint(first, u2 - u1);
        return;
    }
    endPoint(first, static_cast<double>(first) + 0.5 - u1);
    endPoint(last, u2 - (static_cast<double>(last) - 0.5));
    // The pixels between, in 16.16 fixed point: the low 16 bits of v are its distance below
    // the upper pixel's centre.
    const long begin = std::max(first + 1, 0L);
    const long end = std::min(last, uCount);
    if (begin >= end) {
        return;
    }
    constexpr double kOne = 65536.0;
    std::int64_t v = std::llround((v1 + gradient * (static_cast<double>(begin) - u1)) * kOne);
    const std::int64_t step = std::llround(gradient * kOne);
    for (long u = begin; u < end; ++u) {
        const auto upper = static_cast<long>(v >> 16);
        const auto below = static_cast<std::uint32_t>(v & 0xffff) >> 8;
        plot(u, upper, 256 - below);
        plot(u, upper + 1, below);
        v += step;
    }
}

}  // namespace

void DrawHairline(const PixelCanvas& canvas, double x1, double y1, double x2, double y2, Rgb color)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    // Pixel centres become whole numbers.
    x1 -= 0.5;
    y1 -= 0.5;
    x2 -= 0.5;
    y2 -= 0.5;
    // A margin of two pixels keeps the antialiased edge of lines along the border.
    if (!ClipToBox(x1, y1, x2, y2, canvas.width + 1.0, canvas.height + 1.0, -2.0)) {
        return;
    }
    const std::uint32_t rgb =
        (std::uint32_t{color.r} << 16) | (std::uint32_t{color.g} << 8) | std::uint32_t{color.b};
    const auto plotXY = [&](long x, long y, std::uint32_t cover) {
        if (static_cast<unsigned long>(x) < static_cast<unsigned long>(canvas.width) &&
            static_cast<unsigned long>(y) < static_cast<unsigned long>(canvas.height) &&
            cover > 0) {
            Blend(canvas.pixels[y * canvas.stride + x], rgb, std::min<std::uint32_t>(cover, 256));
        }
    };
    if (std::fabs(y2 - y1) > std::fabs(x2 - x1)) {
        TraceWu(y1, x1, y2, x2, canvas.height,
                [&](long u, long v, std::uint32_t c) { plotXY(v, u, c); });
    } else {
        TraceWu(x1, y1, x2, y2, canvas.width, plotXY);
    }
}

void DrawHairlines(const PixelCanvas& canvas, const std::vector<ChartSegment>& segments,
                   double pixelsPerTwip)
{
    for (const ChartSegment& s : segments) {
        DrawHairline(canvas, s.x1 * pixelsPerTwip, s.y1 * pixelsPerTwip, s.x2 * pixelsPerTwip,
                     s.y2 * pixelsPerTwip, QBColor(s.color));
    }
}

}  // namespace hygrova
