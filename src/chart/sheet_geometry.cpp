#include "chart/sheet_geometry.h"

#include <algorithm>
#include <cmath>

namespace hygrova {

std::optional<ChartSegment> ClipSegment(const ChartSegment& segment, float width, float height)
{
    // Liang-Barsky: the segment is p(t) = p1 + t (p2 - p1), 0 <= t <= 1; each edge of the
    // picture cuts the range of t that stays inside.
    const double x1 = segment.x1;
    const double y1 = segment.y1;
    const double dx = double(segment.x2) - x1;
    const double dy = double(segment.y2) - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(dx) || !std::isfinite(dy)) {
        return std::nullopt;
    }
    double tIn = 0;
    double tOut = 1;
    // Each edge as p * t <= q: left, right, top, bottom.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1, width - x1, y1, height - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return std::nullopt;  // parallel to this edge and outside it
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            tIn = std::max(tIn, t);
        } else {
            tOut = std::min(tOut, t);
        }
    }
    if (tIn > tOut) {
        return std::nullopt;
    }
    // Rounding must not put a cut end a hair outside the edge that cut it.
    const auto x = [&](double t) {
        return static_cast<float>(std::clamp(x1 + t * dx, 0.0, double(width)));
    };
    const auto y = [&](double t) {
        return static_cast<float>(std::clamp(y1 + t * dy, 0.0, double(height)));
    };
    return ChartSegment{x(tIn), y(tIn), x(tOut), y(tOut), segment.color};
}

std::vector<ChartSegment> VisibleSegments(const std::vector<ChartSegment>& segments, float width,
                                          float height)
{
    std::vector<ChartSegment> visible;
    visible.reserve(segments.size());
    for (const ChartSegment& segment : segments) {
        if (const auto clipped = ClipSegment(segment, width, height)) {
            visible.push_back(*clipped);
        }
    }
    return visible;
}

SheetPlacement FitSheet(double sheetWidth, double sheetHeight, double left, double top,
                        double areaWidth, double areaHeight)
{
    if (!(sheetWidth > 0) || !(sheetHeight > 0)) {
        return {0, left, top};
    }
    const double scale = std::min(areaWidth / sheetWidth, areaHeight / sheetHeight);
    return {scale, left + (areaWidth - sheetWidth * scale) / 2,
            top + (areaHeight - sheetHeight * scale) / 2};
}

}  // namespace hygrova
