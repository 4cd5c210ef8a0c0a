// The chart's geometry outside the window: lines cut to the picture, sheets fitted to a page.

#include "chart/sheet_geometry.h"

#include <limits>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(SheetGeometryTest, ClipSegmentKeepsThePartInsideThePicture)
{
    // The picture is 100 x 80 twips.
    const struct {
        const char* name;
        ChartSegment segment;
        bool visible;
        ChartSegment expected;
    } rows[] = {
        {"inside", {10, 10, 90, 70, 3}, true, {10, 10, 90, 70, 3}},
        {"through both sides", {-50, 40, 150, 40, 3}, true, {0, 40, 100, 40, 3}},
        {"down from above", {20, -20, 20, 200, 3}, true, {20, 0, 20, 80, 3}},
        {"45 deg across a corner", {-10, 10, 10, -10, 3}, true, {0, 0, 0, 0, 3}},
        {"reversed keeps direction", {150, 40, 50, 40, 3}, true, {100, 40, 50, 40, 3}},
        {"along the bottom edge", {-5, 80, 50, 80, 3}, true, {0, 80, 50, 80, 3}},
        {"right of it", {120, 0, 130, 80, 3}, false, {}},
        {"below it, parallel", {0, 81, 100, 81, 3}, false, {}},
        {"passing the corner outside", {90, -20, 120, 10, 3}, false, {}},
        {"not a number", {kInf, 0, 10, 10, 3}, false, {}},
    };
    for (const auto& row : rows) {
        const auto clipped = ClipSegment(row.segment, 100, 80);
        ASSERT_EQ(clipped.has_value(), row.visible) << row.name;
        if (row.visible) {
            EXPECT_NEAR(clipped->x1, row.expected.x1, 1e-4) << row.name;
            EXPECT_NEAR(clipped->y1, row.expected.y1, 1e-4) << row.name;
            EXPECT_NEAR(clipped->x2, row.expected.x2, 1e-4) << row.name;
            EXPECT_NEAR(clipped->y2, row.expected.y2, 1e-4) << row.name;
            EXPECT_EQ(clipped->color, row.expected.color) << row.name;
        }
    }
}

// The default chart at 1013.25 hPa: every visible line kept once, in order, inside the
// picture; the moisture lines run past the top of the saturation curve and out of it.
TEST(SheetGeometryTest, VisibleSegmentsOfTheDefaultChart)
{
    const PictureGeometry picture{0, 0, 9600, 7680};
    const ChartDrawing chart = BuildChart(picture, AppState{});
    const auto visible = VisibleSegments(chart.segments, picture.width, picture.height);
    EXPECT_LT(visible.size(), chart.segments.size()) << "lines beyond the picture are dropped";
    std::size_t next = 0;
    for (const ChartSegment& s : visible) {
        for (const float x : {s.x1, s.x2}) {
            EXPECT_GE(x, 0.0f);
            EXPECT_LE(x, picture.width);
        }
        for (const float y : {s.y1, s.y2}) {
            EXPECT_GE(y, 0.0f);
            EXPECT_LE(y, picture.height);
        }
        // The drawing order is kept: each visible line comes from a later source segment.
        while (next < chart.segments.size() &&
               !ClipSegment(chart.segments[next], picture.width, picture.height)) {
            ++next;
        }
        ASSERT_LT(next, chart.segments.size());
        EXPECT_EQ(s.color, chart.segments[next].color);
        ++next;
    }
}

TEST(SheetGeometryTest, FitSheetKeepsProportionsAndCentres)
{
    const struct {
        const char* name;
        double areaWidth, areaHeight;
        SheetPlacement expected;
    } rows[] = {
        // A 1000 x 800 twip sheet.
        {"wide area: height decides", 3000, 1600, {2, 500, 0}},
        {"tall area: width decides", 500, 1000, {0.5, 0, 300}},
        {"same shape", 2000, 1600, {2, 0, 0}},
    };
    for (const auto& row : rows) {
        const SheetPlacement placed = FitSheet(1000, 800, 0, 0, row.areaWidth, row.areaHeight);
        EXPECT_DOUBLE_EQ(placed.scale, row.expected.scale) << row.name;
        EXPECT_DOUBLE_EQ(placed.left, row.expected.left) << row.name;
        EXPECT_DOUBLE_EQ(placed.top, row.expected.top) << row.name;
    }
    const SheetPlacement offset = FitSheet(1000, 800, 50, 70, 1000, 800);
    EXPECT_DOUBLE_EQ(offset.left, 50);
    EXPECT_DOUBLE_EQ(offset.top, 70);
    EXPECT_EQ(FitSheet(0, 800, 0, 0, 100, 100).scale, 0);
}

}  // namespace
}  // namespace hygrova
