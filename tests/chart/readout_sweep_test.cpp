// The pointer readout over every pixel of the chart at its size when the program starts on a
// 1920-pixel screen: no position faults, and the boxes are blank exactly right of the
// saturation curve.

#include "chart/chart_drawing.h"
#include "chart/readout.h"
#include "common/app_state.h"

#include <cmath>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr float kTwipsPerPixel = 15.0f;
// A main window 1248 x 936 pixels: 65 % of a 1920-pixel screen, four by three.
constexpr float kFormWidth = 1248 * kTwipsPerPixel;
constexpr float kFormHeight = 936 * kTwipsPerPixel;
// The saturation curve is the tenth relative-humidity curve: 86 segments from -20 deg C.
constexpr std::size_t kSaturationCurveStart = 9 * 86;
constexpr std::size_t kSaturationCurveSegments = 86;

// Where the drawn saturation curve crosses the height y, twips, if it does.
std::optional<float> CurveCrossing(const ChartDrawing& chart, float y)
{
    for (std::size_t i = 0; i < kSaturationCurveSegments; ++i) {
        const ChartSegment& s = chart.segments[kSaturationCurveStart + i];
        if ((s.y1 - y) * (s.y2 - y) <= 0 && s.y1 != s.y2) {
            return s.x1 + (y - s.y1) * (s.x2 - s.x1) / (s.y2 - s.y1);
        }
    }
    return std::nullopt;
}

TEST(ReadoutSweepTest, EveryPixelReadsWithoutFaultAndBlanksBeyondTheCurve)
{
    const PictureGeometry picture = PictureGeometryFor(kFormWidth, kFormHeight, kTwipsPerPixel);
    const AppState state;
    const ChartDrawing chart = BuildChart(picture, state);
    const int columns = static_cast<int>(picture.width / kTwipsPerPixel);
    const int rows = static_cast<int>(picture.height / kTwipsPerPixel);
    ASSERT_GT(columns, 900);

    int checkedRows = 0;
    for (int row = 0; row < rows; ++row) {
        const float y = static_cast<float>(row) * kTwipsPerPixel;
        int firstBlank = columns;
        for (int column = 0; column < columns; ++column) {
            const float x = static_cast<float>(column) * kTwipsPerPixel;
            const StateTexts texts =
                ReadoutAt(x, y, chart.unit, picture.height, state.AtmosphericPressure);
            const bool blank = texts[0].empty();
            if (blank) {
                for (const std::string& text : texts) {
                    ASSERT_EQ(text, "") << "a blanked readout is blank in every box";
                }
                firstBlank = std::min(firstBlank, column);
            } else {
                ASSERT_LT(column, firstBlank)
                    << "row " << row << ": values right of a blank pixel at " << firstBlank;
                for (std::size_t box = 0; box < texts.size(); ++box) {
                    ASSERT_TRUE(box == 2 || !texts[box].empty()) << "row " << row;
                }
            }
        }
        // The blank region starts where the drawn saturation curve crosses the row, to within
        // the chords between its 1-degree vertices and the pixel grid.
        const std::optional<float> crossing = CurveCrossing(chart, y);
        if (crossing && *crossing >= 0 && *crossing < picture.width) {
            EXPECT_NEAR(firstBlank, *crossing / kTwipsPerPixel, 2.0) << "row " << row;
            ++checkedRows;
        } else if (!crossing && row < rows / 2) {
            // Rows above the curve's end at the right edge hold no state beyond it.
            EXPECT_EQ(firstBlank, columns) << "row " << row;
        }
    }
    EXPECT_GT(checkedRows, rows / 2);
}

}  // namespace
}  // namespace hygrova
