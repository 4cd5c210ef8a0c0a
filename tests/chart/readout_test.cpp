#include "chart/readout.h"

#include "chart/chart_mapping.h"
#include "common/number_text.h"

#include <string>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// The chart of a main window 12000 twips wide: picture 9600 x 7680 twips, u = 9600 / 45.
constexpr float kUnit = 9600.0f / 45.0f;
constexpr float kHeight = 7680.0f;
constexpr float kStandard = 1013.25f;  // hPa

double Value(const StateTexts& texts, StateQuantity box)
{
    return ParseLeadingNumber(texts[box]);
}

bool AllEmpty(const StateTexts& texts)
{
    for (const std::string& text : texts) {
        if (!text.empty()) {
            return false;
        }
    }
    return true;
}

StateTexts ReadoutAtState(float d, float h)
{
    const ChartPoint p = MapToChart(d, h, kUnit, kHeight);
    return ReadoutAt(p.x, p.y, kUnit, kHeight, kStandard);
}

TEST(ReadoutTest, ShowsTheStateUnderThePointer)
{
    // Room air, d = 10 g/kg and h = 50 kJ/kg at 1013.25 hPa. Source: the readout's steps by
    // hand: t = TemperatureOf(50, 10), pv = VapourPressureOf(10) = 16.0324 hPa, its dew point
    // 14.0607 deg C, and the saturation temperature of h = 50 (the wet bulb) 17.69 deg C.
    // ASHRAE Handbook - Fundamentals 2017, ch. 1, gives for 10 g/kg: 1603.4 Pa and a dew point
    // of 14.05 deg C.
    const StateTexts texts = ReadoutAtState(10.0f, 50.0f);
    EXPECT_NEAR(Value(texts, kQuantityDryBulb), 24.30, 0.005);
    EXPECT_NEAR(Value(texts, kQuantityWetBulb), 17.69, 0.005);
    EXPECT_NEAR(Value(texts, kQuantityDewPoint), 14.06, 0.005);
    EXPECT_NEAR(Value(texts, kQuantityRelHumidity), 52.77, 0.005);
    EXPECT_NEAR(Value(texts, kQuantityMoisture), 10.0, 1e-4);
    EXPECT_NEAR(Value(texts, kQuantityEnthalpy), 50.0, 1e-3);
    EXPECT_NEAR(Value(texts, kQuantityVolume), 0.8571, 0.00005);
    EXPECT_NEAR(Value(texts, kQuantityVapourPressure), 1603.2, 0.05);
    // Plain number text: a leading blank for positive values, no fixed decimals.
    for (const std::string& text : texts) {
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.front(), ' ') << text;
    }
}

TEST(ReadoutTest, BlanksBeyondTheSaturationCurveOnly)
{
    // At d = 15 g/kg (x = 3200), the pointer rows y = 3638.828 .. 3638.830 twips give a
    // vapour pressure and a saturation pressure that are the same float: phi is exactly 1
    // (found by scanning the floats of y across the curve). That is still a state; phi x 100
    // then reads exactly 100, while any phi below 1 would show 99.99999 or less.
    const StateTexts on = ReadoutAt(3200.0f, 3638.8291f, kUnit, kHeight, kStandard);
    EXPECT_EQ(on[kQuantityRelHumidity], " 100");
    for (const std::string& text : on) {
        EXPECT_FALSE(text.empty());
    }
    // One twip lower is 0.01 kJ/kg less at the same moisture: below the curve.
    EXPECT_TRUE(AllEmpty(ReadoutAt(3200.0f, 3639.8291f, kUnit, kHeight, kStandard)));
    // Far below and to the right, where the readout panel sits.
    EXPECT_TRUE(AllEmpty(ReadoutAtState(40.0f, 100.0f)));
    EXPECT_TRUE(AllEmpty(ReadoutAt(9000.0f, 7600.0f, kUnit, kHeight, kStandard)));
}

TEST(ReadoutTest, DewPointNeedsSomeMoisture)
{
    // Left edge: d = 0, no vapour; the dew point is left out below 0.05 g/kg.
    for (const float x : {0.0f, 10.0f}) {  // d = 0 and 0.047 g/kg
        SCOPED_TRACE(x);
        const StateTexts texts = ReadoutAt(x, 3840.0f, kUnit, kHeight, kStandard);
        EXPECT_TRUE(texts[kQuantityDewPoint].empty());
        for (const StateQuantity box :
             {kQuantityDryBulb, kQuantityWetBulb, kQuantityRelHumidity, kQuantityMoisture,
              kQuantityEnthalpy, kQuantityVolume, kQuantityVapourPressure}) {
            EXPECT_FALSE(texts[box].empty()) << box;
        }
    }
    EXPECT_EQ(ReadoutAt(0.0f, 3840.0f, kUnit, kHeight, kStandard)[kQuantityRelHumidity], " 0");
    // d = 0.052 g/kg: shown, far below 0 deg C (about 0.08 hPa of vapour).
    const StateTexts moist = ReadoutAt(11.0f, 3840.0f, kUnit, kHeight, kStandard);
    ASSERT_FALSE(moist[kQuantityDewPoint].empty());
    EXPECT_LT(Value(moist, kQuantityDewPoint), -30.0);
}

TEST(ReadoutTest, WetBulbStopsAtTheSolverBound)
{
    // Bottom-left corner: d = 0.1 g/kg, h = -22.25 kJ/kg, below the saturated enthalpy at
    // -20 deg C (about -18.3 kJ/kg). The wet bulb shows the bisection's lower end, -20.
    const StateTexts texts = ReadoutAt(0.1f * kUnit, kHeight - kUnit, kUnit, kHeight, kStandard);
    ASSERT_FALSE(texts[kQuantityWetBulb].empty());
    EXPECT_NEAR(Value(texts, kQuantityWetBulb), -20.0, 0.001);
    EXPECT_LT(Value(texts, kQuantityDryBulb), -22.0);
    EXPECT_EQ(texts[kQuantityDryBulb].front(), '-');
}

TEST(ReadoutTest, PositionsOutsideThePictureNeverThrow)
{
    // Dragged left of the picture: negative moisture content, converted by the same formulas;
    // a negative vapour pressure is no supersaturation, so the state is shown without a dew
    // point.
    const StateTexts left = ReadoutAt(-2000.0f, 3000.0f, kUnit, kHeight, kStandard);
    EXPECT_LT(Value(left, kQuantityMoisture), -9.0);
    EXPECT_LT(Value(left, kQuantityVapourPressure), 0.0);
    EXPECT_TRUE(left[kQuantityDewPoint].empty());
    EXPECT_FALSE(left[kQuantityDryBulb].empty());

    // Before the first draw the chart unit is 0: nothing can be converted.
    EXPECT_TRUE(AllEmpty(ReadoutAt(1000.0f, 1000.0f, 0.0f, kHeight, kStandard)));
    EXPECT_TRUE(AllEmpty(ReadoutAt(0.0f, 0.0f, 0.0f, 0.0f, kStandard)));

    // Absurdly far away: either a state, complete but for the dew point, or nothing.
    const float far[][2] = {
        {1e30f, 1e30f}, {-1e30f, -1e30f}, {3e38f, -3e38f}, {0.0f, -3e38f}, {1e6f, -1e7f}};
    for (const auto& p : far) {
        SCOPED_TRACE(testing::Message() << p[0] << ", " << p[1]);
        StateTexts texts;
        ASSERT_NO_THROW(texts = ReadoutAt(p[0], p[1], kUnit, kHeight, kStandard));
        EXPECT_EQ(texts[kQuantityDryBulb].empty(), texts[kQuantityVapourPressure].empty());
    }
}

}  // namespace
}  // namespace hygrova
