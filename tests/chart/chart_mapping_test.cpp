#include "chart/chart_mapping.h"

#include "model/arithmetic_fault.h"

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// The picture of a main window 12000 twips wide: 9600 x 7680 twips, u = 9600 / 45.
constexpr float kUnit = 9600.0f / 45.0f;
constexpr float kHeight = 7680.0f;

TEST(ChartMappingTest, MapsKnownPointsBothWays)
{
    // The picture is 45 u wide and 36 u high: at d = 0 it spans h = -26.25 (bottom) to
    // 63.75 kJ/kg (top), at d = 45 from 86.25 to 176.25; h = 0 at d = 0 is 10.5 u above the
    // bottom. Room air d = 10, h = 50 lies at x = 10 u, y = 7680 - 20.5 u.
    const struct {
        float d, h, x, y;
    } points[] = {
        {0.0f, -26.25f, 0.0f, kHeight},    {0.0f, 63.75f, 0.0f, 0.0f},
        {45.0f, 86.25f, 9600.0f, kHeight}, {45.0f, 176.25f, 9600.0f, 0.0f},
        {0.0f, 0.0f, 0.0f, 5440.0f},       {10.0f, 50.0f, 2133.333f, 3306.667f},
    };
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << "d " << p.d << ", h " << p.h);
        const ChartPoint to = MapToChart(p.d, p.h, kUnit, kHeight);
        EXPECT_NEAR(to.x, p.x, 0.001);
        EXPECT_NEAR(to.y, p.y, 0.001);
        const ChartState from = MapFromChart(p.x, p.y, kUnit, kHeight);
        EXPECT_NEAR(from.d, p.d, 1e-5);
        EXPECT_NEAR(from.h, p.h, 1e-4);
    }
}

TEST(ChartMappingTest, RoundTripsAtSeveralScales)
{
    // States on the chart, at the ends of the sweep and left of it (negative d while dragging).
    const float states[][2] = {{0.77f, -18.3f}, {43.5f, 150.0f}, {-5.0f, 10.0f}, {294.4f, 846.8f}};
    for (const float unit : {kUnit, 130.0f, 416.0f}) {
        for (const auto& state : states) {
            SCOPED_TRACE(testing::Message() << "u " << unit << ", d " << state[0]);
            const ChartPoint p = MapToChart(state[0], state[1], unit, 36.0f * unit);
            const ChartState back = MapFromChart(p.x, p.y, unit, 36.0f * unit);
            // A few single-precision roundings of coordinates up to about 1.2e5 twips.
            EXPECT_NEAR(back.d, state[0], 1e-4);
            EXPECT_NEAR(back.h, state[1], 2e-3);
        }
    }
}

TEST(ChartMappingTest, FaultsInsteadOfInfinities)
{
    // ChartUnit is 0 until the chart is first drawn: reading a point back divides by it.
    try {
        MapFromChart(100.0f, 100.0f, 0.0f, kHeight);
        ADD_FAILURE() << "no fault for a zero unit";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.kind(), FaultKind::DivisionByZero);
    }
    EXPECT_THROW(MapFromChart(0.0f, 0.0f, 0.0f, 0.0f), ArithmeticFault);
    // Mapping to the chart only multiplies and subtracts; it faults only on overflow.
    EXPECT_NO_THROW(MapToChart(10.0f, 50.0f, 0.0f, kHeight));
    EXPECT_THROW(MapToChart(3e38f, 0.0f, 10.0f, kHeight), ArithmeticFault);
}

}  // namespace
}  // namespace hygrova
