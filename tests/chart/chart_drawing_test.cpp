#include "chart/chart_drawing.h"

#include "chart/chart_mapping.h"
#include "model/arithmetic_fault.h"
#include "model/properties.h"

#include <cstddef>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// Four distinct colors, so that every segment tells its family.
constexpr std::int16_t kMoisture = 1, kEnthalpy = 2, kRh = 3, kIsotherm = 4;
// Ten curves of 86 segments (vertices at -20 deg C, then -15..70) and 91 isotherms (-20..70).
constexpr std::size_t kPerCurve = 86, kRhSegments = 10 * kPerCurve, kIsotherms = 91;
// The picture of a main window 12000 x 9000 twips at 15 twips per pixel.
constexpr PictureGeometry kPicture{600.0f, 450.0f, 9600.0f, 7680.0f};

AppState Settings(float pressure, std::int16_t spacing = 1)
{
    AppState state;
    state.MoistureLineColor = kMoisture;
    state.EnthalpyLineColor = kEnthalpy;
    state.RhLineColor = kRh;
    state.IsothermColor = kIsotherm;
    state.MoistureLineSpacing = state.EnthalpyLineSpacing = state.IsothermSpacing = spacing;
    state.AtmosphericPressure = pressure;
    return state;
}

std::vector<ChartSegment> OfColor(const ChartDrawing& drawing, std::int16_t color)
{
    std::vector<ChartSegment> family;
    for (const ChartSegment& s : drawing.segments) {
        if (s.color == color) {
            family.push_back(s);
        }
    }
    return family;
}

// Segment j of relative-humidity curve k (1..10); it ends at the vertex of -15 + j deg C.
const ChartSegment& CurveSegment(const ChartDrawing& drawing, int k, int j)
{
    return drawing.segments[static_cast<std::size_t>((k - 1) * 86 + j)];
}

ChartState StateAt(const ChartDrawing& drawing, float x, float y)
{
    return MapFromChart(x, y, drawing.unit, kPicture.height);
}

// How many integers v with low <= v < end are multiples of spacing.
std::size_t MultiplesBelow(int low, double end, int spacing)
{
    std::size_t count = 0;
    for (int v = low; v < end; ++v) {
        count += v % spacing == 0 ? 1 : 0;
    }
    return count;
}

bool SameLabels(const ChartDrawing& a, const ChartDrawing& b)
{
    return a.label9 == b.label9 && a.label10 == b.label10 && a.label11 == b.label11 &&
           a.label12 == b.label12;
}

TEST(PictureGeometryTest, FollowsTheWindowSnappedToPixels)
{
    // 12000 x 9000 twips: every value falls on whole pixels; u = 9600 / 45.
    const PictureGeometry even = PictureGeometryFor(12000.0f, 9000.0f, 15.0f);
    EXPECT_EQ(even, (PictureGeometry{600.0f, 450.0f, 9600.0f, 7680.0f}));
    EXPECT_NEAR(ChartUnitFor(even), 213.3333, 1e-3);
    // 1248 pixels wide (18720 x 14040 twips): left 936 -> 62.4 px -> 930, top 702 -> 46.8 px
    // -> 705, width 14976 -> 998.4 px -> 14970; the height is 0.8 of the snapped width,
    // 11976 -> 798.4 px -> 11970 (0.8 of the unsnapped width would give 11985).
    EXPECT_EQ(PictureGeometryFor(18720.0f, 14040.0f, 15.0f),
              (PictureGeometry{930.0f, 705.0f, 14970.0f, 11970.0f}));
    // Halves go away from zero; 10 twips per pixel at 144 dots per inch.
    EXPECT_EQ(SnapToPixels(22.5f, 15.0f), 30.0f);
    EXPECT_EQ(SnapToPixels(-22.5f, 15.0f), -30.0f);
    EXPECT_EQ(SnapToPixels(22.4f, 15.0f), 15.0f);
    EXPECT_EQ(SnapToPixels(25.0f, 10.0f), 30.0f);
    EXPECT_THROW(SnapToPixels(25.0f, 0.0f), ArithmeticFault);
}

TEST(ChartDrawingTest, DefaultChartHasOneLinePerUnitUpToThe71DegreePoint)
{
    const ChartDrawing drawing = BuildChart(kPicture, Settings(1013.25f));
    EXPECT_NEAR(drawing.unit, 213.3333, 1e-3);
    EXPECT_EQ(OfColor(drawing, kRh).size(), kRhSegments);
    EXPECT_EQ(OfColor(drawing, kIsotherm).size(), kIsotherms);
    // The sweep runs to the saturation point of 71 deg C, about 294 g/kg and 847 kJ/kg:
    // moisture lines 0, 1, ... and enthalpy lines -20, -19, ... below it.
    const float dEnd = MoistureContentOf(SaturationPressure(71.0f), 1013.25f);
    const float hEnd = EnthalpyOf(71.0f, dEnd);
    ASSERT_NEAR(dEnd, 294.0, 1.0);
    ASSERT_NEAR(hEnd, 847.0, 1.0);
    const std::vector<ChartSegment> moisture = OfColor(drawing, kMoisture);
    const std::vector<ChartSegment> enthalpy = OfColor(drawing, kEnthalpy);
    EXPECT_EQ(moisture.size(), MultiplesBelow(0, dEnd, 1));
    EXPECT_EQ(enthalpy.size(), MultiplesBelow(-20, hEnd, 1));
    EXPECT_EQ(drawing.segments.size(), 2113u);
    // Moisture line m drops from the top edge at m u; enthalpy line e starts on the left
    // edge at the height of e kJ/kg.
    for (int i = 0; i < 290; i += 17) {
        EXPECT_NEAR(moisture[i].x1 / drawing.unit, i, 1e-4) << i;
        EXPECT_EQ(moisture[i].x2, moisture[i].x1) << i;
        EXPECT_EQ(moisture[i].y1, 0.0f) << i;
        EXPECT_EQ(enthalpy[i].x1, 0.0f) << i;
        EXPECT_NEAR(StateAt(drawing, 0.0f, enthalpy[i].y1).h, i - 20.0, 1e-3) << i;
    }
}

TEST(ChartDrawingTest, LinesEndOnTheSaturationCurveOrTheBaseLine)
{
    const ChartDrawing drawing = BuildChart(kPicture, Settings(1013.25f));
    const auto temperature = [&](float x, float y) {
        const ChartState s = StateAt(drawing, x, y);
        return TemperatureOf(s.h, s.d);
    };
    const auto humidity = [&](float x, float y) {
        const ChartState s = StateAt(drawing, x, y);
        return VapourPressureOf(s.d, 1013.25f) / SaturationPressure(TemperatureOf(s.h, s.d));
    };
    // Curve k passes through phi = k / 10 at -20 deg C and then -15, -14, ..., 70 deg C.
    for (const int k : {1, 5, 10}) {
        EXPECT_NEAR(temperature(CurveSegment(drawing, k, 0).x1, CurveSegment(drawing, k, 0).y1),
                    -20.0, 2e-3);
        for (const int j : {0, 35, 85}) {
            SCOPED_TRACE(testing::Message() << "curve " << k << ", segment " << j);
            const ChartSegment& s = CurveSegment(drawing, k, j);
            EXPECT_NEAR(temperature(s.x2, s.y2), -15.0 + j, 2e-3);
            EXPECT_NEAR(humidity(s.x2, s.y2), k / 10.0, 2e-4);
        }
    }
    // Isotherms join the left edge to the saturation curve at their temperature.
    const std::vector<ChartSegment> isotherms = OfColor(drawing, kIsotherm);
    for (int i = 0; i < 91; i += 15) {
        SCOPED_TRACE(testing::Message() << "isotherm " << i - 20.0);
        EXPECT_EQ(isotherms[i].x1, 0.0f);
        EXPECT_NEAR(temperature(isotherms[i].x1, isotherms[i].y1), i - 20.0, 2e-3);
        EXPECT_NEAR(temperature(isotherms[i].x2, isotherms[i].y2), i - 20.0, 2e-3);
        EXPECT_NEAR(humidity(isotherms[i].x2, isotherms[i].y2), 1.0, 2e-4);
    }
    // The sweep ends its lines (here moisture 1..50, enthalpy -17..178) on chords between
    // whole degrees of the saturation curve, within a fraction of a percent of it; enthalpy
    // line e ends at e kJ/kg.
    const std::vector<ChartSegment> moisture = OfColor(drawing, kMoisture);
    const std::vector<ChartSegment> enthalpy = OfColor(drawing, kEnthalpy);
    for (int i = 3; i < 200; i += 13) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(humidity(moisture[i / 4 + 1].x2, moisture[i / 4 + 1].y2), 1.0, 3e-3);
        EXPECT_NEAR(StateAt(drawing, enthalpy[i].x2, enthalpy[i].y2).h, i - 20.0, 1e-3);
        EXPECT_NEAR(humidity(enthalpy[i].x2, enthalpy[i].y2), 1.0, 3e-3);
    }
    // Below the saturation point at -20 deg C (0.77 g/kg, -18.3 kJ/kg) lines end on the base
    // line, level with the -20 deg C isotherm's left end: moisture line 0, and the enthalpy
    // lines -20 and -19 at 45 degrees.
    const float base = isotherms.front().y1;
    EXPECT_EQ(moisture[0].y2, base);
    for (const std::size_t i : {0u, 1u}) {
        EXPECT_EQ(enthalpy[i].y2, base);
        EXPECT_EQ(enthalpy[i].x2, base - enthalpy[i].y1);
    }
    EXPECT_NE(enthalpy[2].y2, base);
}

TEST(ChartDrawingTest, DrawsCurvesThenIsothermsThenTheSweepStepByStep)
{
    const std::vector<ChartSegment> s = BuildChart(kPicture, Settings(1013.25f)).segments;
    const std::size_t sweep = kRhSegments + kIsotherms;
    ASSERT_GT(s.size(), sweep);
    int runs = 0;  // changes between the moisture and the enthalpy family within the sweep
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i < sweep) {
            ASSERT_EQ(s[i].color, i < kRhSegments ? kRh : kIsotherm) << i;
        } else {
            ASSERT_TRUE(s[i].color == kMoisture || s[i].color == kEnthalpy) << i;
            runs += i > sweep && s[i].color != s[i - 1].color ? 1 : 0;
        }
    }
    // The curves go 10 % first, each from cold to warm: at 70 deg C the 10 % curve holds half
    // the moisture of the 20 % one.
    EXPECT_LT(s[85].x2, s[kPerCurve + 85].x2);
    EXPECT_LT(s[0].x2, s[85].x2);
    // Each 1 deg C step draws its moisture lines, then its enthalpy lines: the sweep opens with
    // moisture line 0 and the enthalpy lines -20, -19, ..., and the families keep alternating.
    EXPECT_EQ(s[sweep].color, kMoisture);
    EXPECT_EQ(s[sweep + 1].color, kEnthalpy);
    EXPECT_GT(runs, 100);
    EXPECT_EQ(s.back().color, kEnthalpy);
}

TEST(ChartDrawingTest, SpacingThinsLinesButNotLabels)
{
    const ChartDrawing full = BuildChart(kPicture, Settings(1013.25f, 1));
    const std::vector<ChartSegment> fullIsotherms = OfColor(full, kIsotherm);
    const std::vector<ChartSegment> fullMoisture = OfColor(full, kMoisture);
    const std::vector<ChartSegment> fullEnthalpy = OfColor(full, kEnthalpy);
    for (const std::int16_t spacing : {std::int16_t{5}, std::int16_t{10}}) {
        SCOPED_TRACE(testing::Message() << "spacing " << spacing);
        const ChartDrawing thin = BuildChart(kPicture, Settings(1013.25f, spacing));
        const std::vector<ChartSegment> isotherms = OfColor(thin, kIsotherm);
        const std::vector<ChartSegment> moisture = OfColor(thin, kMoisture);
        const std::vector<ChartSegment> enthalpy = OfColor(thin, kEnthalpy);
        EXPECT_EQ(OfColor(thin, kRh).size(), kRhSegments);
        // The multiples of the spacing among the lines of the full chart remain, unmoved;
        // -20 deg C and -20 kJ/kg are among them, -15 is not at spacing 10.
        ASSERT_EQ(isotherms.size(), MultiplesBelow(-20, 70.5, spacing));
        ASSERT_EQ(moisture.size(),
                  MultiplesBelow(0, static_cast<double>(fullMoisture.size()) - 0.5, spacing));
        ASSERT_EQ(enthalpy.size(),
                  MultiplesBelow(-20, static_cast<double>(fullEnthalpy.size()) - 20.5, spacing));
        for (std::size_t i = 0; i < isotherms.size(); ++i) {
            EXPECT_EQ(isotherms[i].y1, fullIsotherms[i * spacing].y1) << i;
        }
        for (std::size_t i = 0; i < enthalpy.size(); ++i) {
            EXPECT_EQ(enthalpy[i].x2, fullEnthalpy[i * spacing].x2) << i;
        }
        EXPECT_EQ(moisture.back().y2, fullMoisture[(moisture.size() - 1) * spacing].y2);
        EXPECT_TRUE(SameLabels(thin, full));
    }
}

TEST(ChartDrawingTest, PlacesTheScaleLabels)
{
    const ChartDrawing drawing = BuildChart(kPicture, Settings(1013.25f));
    const float u = drawing.unit;
    // Temperatures -20, -10, ..., 60 in the margin at 1.5 u, level with their isotherms' left
    // ends (form coordinates); the axis title is never moved.
    const std::vector<ChartSegment> isotherms = OfColor(drawing, kIsotherm);
    for (std::size_t i = 0; i < 9; ++i) {
        ASSERT_TRUE(drawing.label9[i]) << i;
        EXPECT_NEAR(drawing.label9[i]->left, 1.5 * u, 1e-3) << i;
        EXPECT_EQ(drawing.label9[i]->top, kPicture.top + isotherms[10 * i].y1) << i;
    }
    EXPECT_FALSE(drawing.label9[9]);
    // Moisture 0, 5, ..., 40 at Picture1.Left + m u, 1.1 u from the top; the axis title at
    // 45 u from the form's left edge, without the picture's offset.
    for (std::size_t i = 0; i < 10; ++i) {
        ASSERT_TRUE(drawing.label10[i]) << i;
        EXPECT_NEAR(drawing.label10[i]->top, 1.1 * u, 1e-3) << i;
    }
    EXPECT_NEAR(drawing.label10[0]->left, kPicture.left, 1e-2);
    EXPECT_NEAR(drawing.label10[8]->left, kPicture.left + 40.0 * u, 1e-2);
    EXPECT_NEAR(drawing.label10[9]->left, 45.0 * u, 1e-2);
    // Enthalpy -10, 0, ..., 140 where their lines meet the saturation curve (picture
    // coordinates); the title one unit below "140", at the same left.
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(drawing.label11[i]) << i;
        const LabelPlace& place = *drawing.label11[i];
        EXPECT_NEAR(StateAt(drawing, place.left, place.top).h, 10.0 * i - 10.0, 1e-3) << i;
    }
    ASSERT_TRUE(drawing.label11[16]);
    EXPECT_EQ(drawing.label11[16]->left, drawing.label11[15]->left);
    EXPECT_NEAR(drawing.label11[16]->top, drawing.label11[15]->top + u, 1e-3);
    // Relative humidity 10 %, 20 %, 30 % at the vertices of 60, 59 and 58 deg C.
    for (const int k : {1, 2, 3}) {
        const ChartSegment& vertex = CurveSegment(drawing, k, 76 - k);
        EXPECT_EQ(drawing.label12[k - 1], (LabelPlace{vertex.x2, vertex.y2})) << k;
    }
    // "100%" at the saturation curve's 38 deg C vertex (d about 43.5 g/kg), left edge at 43 u.
    const ChartSegment& at38 = CurveSegment(drawing, 10, 53);
    ASSERT_TRUE(drawing.label12[9]);
    EXPECT_NEAR(drawing.label12[9]->left, 43.0 * u, 1e-3);
    EXPECT_EQ(drawing.label12[9]->top, at38.y2);
    EXPECT_NEAR(StateAt(drawing, at38.x2, at38.y2).d, 43.5, 0.1);
}

TEST(ChartDrawingTest, RhLabelStaysAtTheWarmestVertexInTheBand)
{
    // At 700 hPa the 40 % curve has two vertices with 42 < d < 45, at 48 and 49 deg C; the
    // label ends at the 49 deg C one.
    const ChartDrawing drawing = BuildChart(kPicture, Settings(700.0f));
    const ChartSegment& at48 = CurveSegment(drawing, 4, 63);
    const ChartSegment& at49 = CurveSegment(drawing, 4, 64);
    EXPECT_GT(StateAt(drawing, at48.x2, at48.y2).d, 42.0f);
    EXPECT_LT(StateAt(drawing, at49.x2, at49.y2).d, 45.0f);
    ASSERT_TRUE(drawing.label12[3]);
    EXPECT_EQ(drawing.label12[3]->top, at49.y2);
    EXPECT_NEAR(drawing.label12[3]->left, 43.0 * drawing.unit, 1e-3);
    // At 2000 hPa the 40 % curve stays below 42 g/kg up to 70 deg C: its label is not moved.
    EXPECT_FALSE(BuildChart(kPicture, Settings(2000.0f)).label12[3]);
}

TEST(ChartDrawingTest, NoFaultOverTheSettingsPressureRange)
{
    // Every pressure the settings can store, 500..2000 hPa, by 1 hPa, with every spacing:
    // the fixed families are complete and the scales reach "40", the moisture title and
    // "140" with its title.
    for (int pressure = 500; pressure <= 2000; ++pressure) {
        for (const std::int16_t spacing : {std::int16_t{1}, std::int16_t{5}, std::int16_t{10}}) {
            SCOPED_TRACE(::testing::Message() << pressure << " hPa, spacing " << spacing);
            ChartDrawing drawing;
            ASSERT_NO_THROW(
                drawing = BuildChart(kPicture, Settings(static_cast<float>(pressure), spacing)));
            ASSERT_EQ(OfColor(drawing, kRh).size(), kRhSegments);
            ASSERT_EQ(OfColor(drawing, kIsotherm).size(), MultiplesBelow(-20, 71, spacing));
            ASSERT_TRUE(drawing.label10[8] && drawing.label10[9]);
            ASSERT_TRUE(drawing.label11[0] && drawing.label11[15] && drawing.label11[16]);
        }
    }
    // Coarser, with the other spacings, mixed.
    for (int pressure = 500; pressure <= 2000; pressure += 25) {
        for (const std::int16_t spacing : {std::int16_t{5}, std::int16_t{10}}) {
            AppState state = Settings(static_cast<float>(pressure), spacing);
            state.EnthalpyLineSpacing = spacing == 5 ? 10 : 5;
            EXPECT_NO_THROW(BuildChart(kPicture, state)) << pressure << " hPa, " << spacing;
        }
    }
}

// The kind of the fault BuildChart raises, or nothing when it draws.
std::optional<FaultKind> FaultOf(const PictureGeometry& picture, const AppState& state)
{
    try {
        const ChartDrawing drawing = BuildChart(picture, state);
        EXPECT_EQ(OfColor(drawing, kRh).size(), kRhSegments);
        EXPECT_EQ(OfColor(drawing, kIsotherm).size(), kIsotherms);
        return std::nullopt;
    } catch (const ArithmeticFault& fault) {
        return fault.kind();
    }
}

TEST(ChartDrawingTest, FaultsRatherThanFailingOutsideTheSettings)
{
    // A spacing of 0 is a division by zero, whichever family has it.
    for (std::int16_t AppState::*spacing :
         {&AppState::IsothermSpacing, &AppState::MoistureLineSpacing,
          &AppState::EnthalpyLineSpacing}) {
        AppState state = Settings(1013.25f);
        state.*spacing = 0;
        EXPECT_EQ(FaultOf(kPicture, state), FaultKind::DivisionByZero);
    }
    // Near or below the vapour pressure of the chart's warmest temperatures (325.5 hPa at
    // 71 deg C, 100 hPa at 46 deg C) the saturation curve runs out to tens of thousands of
    // g/kg or kJ/kg: a 16-bit line counter overflows.
    for (const float pressure : {100.0f, 325.0f, 326.0f}) {
        EXPECT_EQ(FaultOf(kPicture, Settings(pressure)), FaultKind::Overflow) << pressure;
    }
    // Drawable though absurd: all moisture contents negative (no pressure, or a negative
    // one) or tiny. At 1e5 hPa the saturated enthalpy at -20 deg C lies below -20 kJ/kg, so
    // the enthalpy line -20 computes the label index -1, which is skipped.
    for (const float pressure : {-1000.0f, 0.0f, 1e5f, 1e30f}) {
        EXPECT_EQ(FaultOf(kPicture, Settings(pressure)), std::nullopt) << pressure;
    }
    // A picture of no size (u = 0) puts both ends of every chord at x = 0.
    EXPECT_EQ(FaultOf(PictureGeometry{0, 0, 0, 0}, Settings(1013.25f)),
              FaultKind::InvalidOperation);
}

TEST(ChartDrawingTest, AFaultKeepsWhatWasDrawnBeforeIt)
{
    // A zero moisture spacing faults at the first moisture line, 325 hPa when the moisture
    // counter overflows far right of the picture: the curves and isotherms stand complete,
    // with their labels, and the sweep as far as it came.
    AppState zeroSpacing = Settings(1013.25f);
    zeroSpacing.MoistureLineSpacing = 0;
    const struct {
        AppState state;
        FaultKind fault;
        bool sweepBegun;
    } cases[] = {{zeroSpacing, FaultKind::DivisionByZero, false},
                 {Settings(325.0f), FaultKind::Overflow, true}};
    for (const auto& c : cases) {
        const ChartDrawing drawing = BuildChartUpToFault(kPicture, c.state);
        EXPECT_EQ(drawing.fault, c.fault);
        EXPECT_EQ(drawing.unit, kPicture.width / 45);
        EXPECT_EQ(OfColor(drawing, kRh).size(), kRhSegments);
        EXPECT_EQ(OfColor(drawing, kIsotherm).size(), kIsotherms);
        EXPECT_EQ(OfColor(drawing, kMoisture).empty(), !c.sweepBegun);
        EXPECT_TRUE(drawing.label9[8] && drawing.label12[9]);
        EXPECT_EQ(drawing.label10[0].has_value(), c.sweepBegun);
        EXPECT_THROW(BuildChart(kPicture, c.state), ArithmeticFault);
    }
    EXPECT_EQ(BuildChartUpToFault(kPicture, Settings(1013.25f)).fault, std::nullopt);
}

}  // namespace
}  // namespace hygrova
