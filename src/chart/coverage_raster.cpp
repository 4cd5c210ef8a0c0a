#include "chart/coverage_raster.h"

#include <algorithm>
#include <cmath>

namespace hygrova {
namespace {

// The share of a pixel inside an edge whose signed distance from the pixel's centre is
// `inside` pixels (positive inwards).
float Share(double inside)
{
    // min and max rather than a clamp: they compile to branch-free instructions, and the
    // shares of neighbouring pixels differ too irregularly for branches to be predicted.
    return static_cast<float>(std::min(std::max(inside + 0.5, 0.0), 1.0));
}

// An ink ready to be laid over premultiplied pixels.
struct Paint {
    explicit Paint(Ink ink)
        : alpha(static_cast<float>(ink.alpha)),
          opaque(ink.alpha == 255 ? 0xff000000u | (std::uint32_t{ink.color.r} << 16) |
                                        (std::uint32_t{ink.color.g} << 8) | ink.color.b
                                  : 0),
          redBlue((std::uint32_t{ink.color.r} << 16) | ink.color.b),
          alphaGreen(0x00ff0000u | ink.color.g)
    {
    }

    // Source-over of the ink with the given coverage (0..1): pixel * (255 - a) / 255 plus the
    // ink at a / 255, two channels at a time in the 0x00ff00ff lanes, rounded as Qt's raster
    // engine rounds its blends.
    void Over(std::uint32_t& pixel, float coverage) const
    {
        const auto a = static_cast<std::uint32_t>(coverage * alpha + 0.5f);
        if (a == 0) {
            return;
        }
        if (a == 255 && opaque != 0) {
            pixel = opaque;
            return;
        }
        const std::uint32_t keep = 255 - a;
        const auto lanes = [&](std::uint32_t ink, std::uint32_t below) {
            const std::uint32_t t = ink * a + below * keep;
            return ((t + ((t >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8) & 0x00ff00ffu;
        };
        pixel = lanes(redBlue, pixel & 0x00ff00ffu) |
                (lanes(alphaGreen, (pixel >> 8) & 0x00ff00ffu) << 8);
    }

    float alpha;
    std::uint32_t opaque;      // the solid pixel of an opaque ink, 0 for a translucent one
    std::uint32_t redBlue;     // the ink's channels in the two lanes
    std::uint32_t alphaGreen;
};

// floor and ceil of a value well within the range of long, without a library call: the
// walks below take them for every step and every pixel of a dashed line.
long FloorOf(double x)
{
    const auto i = static_cast<long>(x);
    return i - (x < static_cast<double>(i) ? 1 : 0);
}
long CeilOf(double x)
{
    const auto i = static_cast<long>(x);
    return i + (x > static_cast<double>(i) ? 1 : 0);
}

// The pixel range [first, last) of the canvas that [lo, hi] touches along one axis.
struct Span {
    long first = 0;
    long last = 0;
};
Span SpanOf(double lo, double hi, int size)
{
    const double edge = static_cast<double>(size);
    return {FloorOf(std::clamp(lo, 0.0, edge)), CeilOf(std::clamp(hi, 0.0, edge))};
}

// Paints every pixel of the box [x0, x1] x [y0, y1] with the coverage `share(cx, cy)` of its
// centre.
template <typename ShareAt>
void PaintBox(const PixelCanvas& canvas, double x0, double y0, double x1, double y1, Ink ink,
              ShareAt share)
{
    const Paint paint(ink);
    const Span columns = SpanOf(x0, x1, canvas.width);
    const Span rows = SpanOf(y0, y1, canvas.height);
    for (long y = rows.first; y < rows.last; ++y) {
        std::uint32_t* row = canvas.pixels + y * canvas.stride;
        for (long x = columns.first; x < columns.last; ++x) {
            paint.Over(row[x], share(static_cast<double>(x) + 0.5, static_cast<double>(y) + 0.5));
        }
    }
}

bool Finite(PixelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// A wide line as its walk sees it, pixels.
struct LineShape {
    double width;
    double length;
    double on;         // the dash pattern
    double period;
    double perPeriod;  // 1 / period
    double phase;      // where in the pattern the walked part starts
};

// The line's pixels across one step of its walk: `count` pixels `stride` apart from `pixel`,
// the first at `along` pixels along the line and `across` from its axis; each next one
// `dAlong` further along and `dAcross` further across. With `ends`, the pixels may reach past
// an end of the line (and get the share inside it); with `Dashed`, they get the share inside
// the dash pattern.
template <bool Dashed>
void PaintAcross(std::uint32_t* pixel, long stride, long count, double along, double across,
                 double dAlong, double dAcross, bool ends, const LineShape& line,
                 const Paint& paint)
{
    const double half = line.width / 2;
    for (long i = 0; i < count; ++i, pixel += stride, along += dAlong, across += dAcross) {
        float share = Share(half - std::fabs(across));
        if (ends) {
            share *= Share(std::min(along, line.length - along));
        }
        if constexpr (Dashed) {
            // The nearer of the dash the pixel falls in and the next one. The walk keeps to
            // the canvas's reach, so the count of periods is small.
            const double inPattern = along + line.phase;
            const double phase =
                inPattern - static_cast<double>(FloorOf(inPattern * line.perPeriod)) * line.period;
            share *= std::max(Share(std::min(phase, line.on - phase)), Share(phase - line.period));
        }
        paint.Over(*pixel, share);
    }
}

}  // namespace

void PaintWideLine(const PixelCanvas& canvas, PixelPoint from, PixelPoint to, double width, Ink ink,
                   Dashes dashes)
{
    if (!Finite(from) || !Finite(to) || !std::isfinite(width) || !(width > 0) ||
        !(dashes.on >= 0 && dashes.off >= 0 && std::isfinite(dashes.on + dashes.off))) {
        return;
    }
    // Only the part within the pen's reach of the canvas is walked, so that distances along
    // it stay small; the dash pattern keeps its phase from the line's true start.
    const PixelPoint start = from;
    const double margin = width / 2 + 2;
    if (!ClipLineToBox(from.x, from.y, to.x, to.y, canvas.width + margin, canvas.height + margin,
                       -margin)) {
        return;
    }
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0)) {
        return;
    }
    const bool dashed = dashes.on > 0 && dashes.off > 0;
    const double period = dashes.on + dashes.off;
    const double reach = width / 2 + 0.5;  // beyond this distance from the axis nothing is inked
    // The line is walked along its major axis a pixel at a time ("step"), and across it
    // ("other") over the pixels whose centres lie within reach of the axis. In these axes the
    // line runs from (s0, o0) with direction (us, uo); a step of one pixel across moves a
    // centre `uo` along the line and `-us` across it.
    const bool alongX = std::fabs(dx) >= std::fabs(dy);
    const double s0 = alongX ? from.x : from.y;
    const double o0 = alongX ? from.y : from.x;
    const double us = (alongX ? dx : dy) / length;
    const double uo = (alongX ? dy : dx) / length;
    const double slope = uo / us;
    const double halfBand = reach / std::fabs(us);
    const long stepStride = alongX ? 1 : canvas.stride;
    const long otherStride = alongX ? canvas.stride : 1;
    const double s1 = s0 + length * us;
    const Span steps = SpanOf(std::min(s0, s1) - reach, std::max(s0, s1) + reach,
                              alongX ? canvas.width : canvas.height);
    const int otherSize = alongX ? canvas.height : canvas.width;
    const Paint paint(ink);
    const double skipped = std::hypot(from.x - start.x, from.y - start.y);
    const LineShape shape{width, length, dashes.on, period, 1 / period,
                          dashed ? std::fmod(skipped, period) : 0};
    for (long step = steps.first; step < steps.last; ++step) {
        const double ds = static_cast<double>(step) + 0.5 - s0;
        const double onAxis = o0 + ds * slope;
        // Pixel `other` has its centre at other + 0.5.
        const Span band = SpanOf(onAxis - halfBand - 0.5, onAxis + halfBand - 0.5, otherSize);
        if (band.first >= band.last) {
            continue;
        }
        const double firstDo = static_cast<double>(band.first) + 0.5 - o0;
        const double along = ds * us + firstDo * uo;
        const double lastAlong = along + static_cast<double>(band.last - band.first) * uo;
        // Away from the ends every pixel of the step lies wholly within the line's length.
        const bool ends =
            std::min(along, lastAlong) < 0.5 || std::max(along, lastAlong) > length - 0.5;
        std::uint32_t* pixel = canvas.pixels + step * stepStride + band.first * otherStride;
        (dashed ? PaintAcross<true> : PaintAcross<false>)(
            pixel, otherStride, band.last - band.first, along, ds * uo - firstDo * us, uo, -us,
            ends, shape, paint);
    }
}

void PaintDisc(const PixelCanvas& canvas, PixelPoint centre, double radius, Ink ink)
{
    if (!Finite(centre) || !std::isfinite(radius) || !(radius > 0)) {
        return;
    }
    const double reach = radius + 1;
    PaintBox(canvas, centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach, ink,
             [&](double cx, double cy) {
                 const double x = cx - centre.x;
                 const double y = cy - centre.y;
                 return Share(radius - std::sqrt(x * x + y * y));
             });
}

void PaintRing(const PixelCanvas& canvas, PixelPoint centre, double radius, double width, Ink ink)
{
    if (!Finite(centre) || !std::isfinite(radius) || !std::isfinite(width) || !(radius > 0) ||
        !(width > 0)) {
        return;
    }
    const double reach = radius + width / 2 + 1;
    PaintBox(canvas, centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach, ink,
             [&](double cx, double cy) {
                 const double x = cx - centre.x;
                 const double y = cy - centre.y;
                 return Share(width / 2 - std::fabs(std::sqrt(x * x + y * y) - radius));
             });
}

void PaintTriangle(const PixelCanvas& canvas, const std::array<PixelPoint, 3>& corners, Ink ink)
{
    if (!std::all_of(corners.begin(), corners.end(), Finite)) {
        return;
    }
    const double turn = (corners[1].x - corners[0].x) * (corners[2].y - corners[0].y) -
                        (corners[1].y - corners[0].y) * (corners[2].x - corners[0].x);
    if (!(std::fabs(turn) > 0)) {
        return;
    }
    // Each edge's inward unit normal, so that a centre's distance inside is a dot product.
    struct Edge {
        PixelPoint from;
        double nx;
        double ny;
    };
    const double sign = turn > 0 ? 1 : -1;
    std::array<Edge, 3> edges;
    for (std::size_t i = 0; i < 3; ++i) {
        const PixelPoint a = corners[i];
        const PixelPoint b = corners[(i + 1) % 3];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        edges[i] = {a, -(b.y - a.y) / length * sign, (b.x - a.x) / length * sign};
    }
    const auto [top, bottom] = std::minmax({corners[0].y, corners[1].y, corners[2].y});
    const Paint paint(ink);
    const Span rows = SpanOf(top - 1, bottom + 1, canvas.height);
    for (long y = rows.first; y < rows.last; ++y) {
        const double cy = static_cast<double>(y) + 0.5;
        // The centres of the row that are less than half a pixel outside every edge:
        // (cx - from.x) * nx + (cy - from.y) * ny > -0.5 bounds cx on one side.
        double lo = -HUGE_VAL;
        double hi = HUGE_VAL;
        for (const Edge& e : edges) {
            const double rest = -0.5 - (cy - e.from.y) * e.ny;
            if (e.nx > 0) {
                lo = std::max(lo, e.from.x + rest / e.nx);
            } else if (e.nx < 0) {
                hi = std::min(hi, e.from.x + rest / e.nx);
            } else if (rest >= 0) {
                hi = lo;  // the row lies wholly outside this edge
            }
        }
        const Span columns = SpanOf(lo - 0.5, hi - 0.5, canvas.width);
        std::uint32_t* row = canvas.pixels + y * canvas.stride;
        for (long x = columns.first; x < columns.last; ++x) {
            const double cx = static_cast<double>(x) + 0.5;
            double inside = HUGE_VAL;
            for (const Edge& e : edges) {
                inside = std::min(inside, (cx - e.from.x) * e.nx + (cy - e.from.y) * e.ny);
            }
            paint.Over(row[x], Share(inside));
        }
    }
}

}  // namespace hygrova
