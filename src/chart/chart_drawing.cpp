#include "chart/chart_drawing.h"

#include "chart/chart_mapping.h"
#include "model/arithmetic_fault.h"
#include "model/checked_math.h"
#include "model/properties.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace hygrova {
namespace {

// The relative-humidity curves skip from their first vertex straight to this temperature.
constexpr float kSecondRhVertex = -15.0f;
// Saturation pressures kept for one draw: kChartColdest .. kChartWarmest + 1.
constexpr int kSaturationTableSize = 92;

constexpr int kRhCurveCount = 10;
// A curve of 40 % and above is labelled at its warmest vertex with d strictly inside this
// band (g/kg), the label's left edge at kRhLabelLeft units.
constexpr float kRhLabelBandLow = 42.0f;
constexpr float kRhLabelBandHigh = 45.0f;
constexpr float kRhLabelLeft = 43.0f;

// Scale-label offsets, in units of u.
constexpr float kTemperatureLabelLeft = 1.5f;
constexpr float kMoistureLabelTop = 1.1f;
// The moisture value whose line carries the moisture axis title, and the last numbered one.
constexpr int kMoistureTitleValue = 45;
constexpr int kLastNumberedMoisture = 44;
constexpr int kMoistureTitleIndex = 9;
// The enthalpy value whose line carries the "140" label and the title one unit below it.
constexpr int kEnthalpyTitleValue = 140;
constexpr int kLastNumberedEnthalpy = 139;
constexpr int kEnthalpyTopLabelIndex = 15;
constexpr int kEnthalpyTitleIndex = 16;

// Room in the display list for the default chart: 860 curve segments, 91 isotherms and about
// 1,160 lines of the sweep at 1013.25 hPa. Lower pressures draw more and let it grow.
constexpr std::size_t kReservedSegments = 2304;
// The vertices of a relative-humidity curve after its first (-15 .. 70 deg C), and the
// isotherms (-20 .. 70 deg C).
constexpr int kRhVerticesPerCurve = 86;
constexpr int kIsothermCount = 91;
// Room for the ends of each family of the sweep's lines: about 300 moisture and 870 enthalpy
// lines at 1013.25 hPa.
constexpr std::size_t kReservedSweepEnds = 1024;
// The enthalpy counter's start, kJ/kg.
constexpr std::int16_t kFirstEnthalpyLine = -20;

// A point of a relative-humidity curve (the saturation curve included): moisture content
// g/kg, enthalpy kJ/kg, and its place in the picture, twips.
struct CurvePoint {
    float d;
    float h;
    float x;
    float y;
};

// The points the scale labels stand at, gathered while the lines are drawn, in drawing order.
// A draw that faults has gathered the points of the lines drawn before the fault.
struct LabelAnchors {
    // A vertex of the relative-humidity curve k / 10 at temperature t, deg C.
    struct RhVertex {
        int k;
        float t;
        CurvePoint point;
    };
    // The left end of the isotherm t, deg C: y, twips.
    struct IsothermEnd {
        float t;
        float leftY;
    };
    // The end of a line of constant moisture content m, g/kg: x, twips, and whether it ends
    // on the saturation chord rather than (below the first saturation point) on the base line.
    struct MoistureEnd {
        int m;
        float x;
        bool onChord;
    };
    // The end of a line of constant enthalpy e, kJ/kg, on the saturation chord, twips.
    struct EnthalpyEnd {
        int e;
        float x;
        float y;
    };

    std::vector<RhVertex> rhVertices;
    std::vector<IsothermEnd> isothermEnds;
    std::vector<MoistureEnd> moistureEnds;
    std::vector<EnthalpyEnd> enthalpyEnds;
};

// Whether the line of integer value `value` is drawn at `spacing`: the remainder of the
// division, with the sign of the value, is 0. Throws for a spacing of 0.
bool OnSpacing(int value, std::int16_t spacing)
{
    if (spacing == 0) {
        throw ArithmeticFault(FaultKind::DivisionByZero);
    }
    return value % spacing == 0;
}

// Adds 1 to a 16-bit counter; throws an overflow past 32767 instead of wrapping around.
void Increment(std::int16_t& counter)
{
    if (counter == std::numeric_limits<std::int16_t>::max()) {
        throw ArithmeticFault(FaultKind::Overflow);
    }
    counter = static_cast<std::int16_t>(counter + 1);
}

// The value at `at` of the straight chord from (x0, y0) to (x1, y1): y0 + (at - x0) (y1 - y0)
// / (x1 - x0), each step in single precision. The sweep takes the saturation curve between
// two whole degrees as such a chord.
float OnChord(float x0, float y0, float x1, float y1, float at)
{
    return Add(y0, Div(Mul(Sub(at, x0), Sub(y1, y0)), Sub(x1, x0)));
}

// Moves label `index` of `labels`, unless the index lies outside the array (only values far
// beyond the chart, at pressures the settings never store, compute such an index).
template <std::size_t N>
void Place(std::array<std::optional<LabelPlace>, N>& labels, int index, float left, float top)
{
    if (index >= 0 && static_cast<std::size_t>(index) < N) {
        labels[static_cast<std::size_t>(index)] = LabelPlace{left, top};
    }
}

// The lines of one draw of the chart: the picture, the settings and the display list being
// built, with the points the labels stand at.
class ChartBuilder {
public:
    // Builds into `drawing` and `anchors`, which keep what was built should a step fault.
    ChartBuilder(const PictureGeometry& picture, const AppState& state, ChartDrawing& drawing,
                 LabelAnchors& anchors)
        : m_state(state),
          m_pressure(state.AtmosphericPressure),
          m_unit(ChartUnitFor(picture)),
          m_height(picture.height),
          m_drawing(drawing),
          m_anchors(anchors)
    {
        m_drawing.unit = m_unit;
        // The saturation pressure depends on the temperature alone and never faults on the
        // chart's whole degrees, so each is computed once per draw rather than per use.
        for (int i = 0; i < kSaturationTableSize; ++i) {
            m_saturationPressure[static_cast<std::size_t>(i)] =
                SaturationPressure(kChartColdest + static_cast<float>(i));
        }
    }

    void Build()
    {
        m_drawing.segments.reserve(kReservedSegments);
        m_anchors.rhVertices.reserve(kRhCurveCount * kRhVerticesPerCurve);
        m_anchors.isothermEnds.reserve(kIsothermCount);
        m_anchors.moistureEnds.reserve(kReservedSweepEnds);
        m_anchors.enthalpyEnds.reserve(kReservedSweepEnds);
        DrawRhCurves();
        DrawIsotherms();
        DrawSaturationSweep();
    }

private:
    float SaturationPressureAt(float t) const
    {
        return m_saturationPressure[static_cast<std::size_t>(static_cast<int>(t - kChartColdest))];
    }

    ChartPoint Map(float d, float h) const { return MapToChart(d, h, m_unit, m_height); }

    // The saturation point sat(t): ps(t), its moisture content and enthalpy, and its place.
    CurvePoint Saturation(float t) const
    {
        const float d = MoistureContentOf(SaturationPressureAt(t), m_pressure);
        const float h = EnthalpyOf(t, d);
        const ChartPoint p = Map(d, h);
        return {d, h, p.x, p.y};
    }

    void AddSegment(float x1, float y1, float x2, float y2, std::int16_t color)
    {
        m_drawing.segments.push_back({x1, y1, x2, y2, color});
    }

    void DrawRhCurves()
    {
        for (int k = 1; k <= kRhCurveCount; ++k) {
            const float phi = Div(static_cast<float>(k), 10.0f);
            const auto vertex = [&](float t) {
                const float pv = Mul(SaturationPressureAt(t), phi);
                const float d = MoistureContentOf(pv, m_pressure);
                const float h = EnthalpyOf(t, d);
                const ChartPoint p = Map(d, h);
                return CurvePoint{d, h, p.x, p.y};
            };
            CurvePoint previous = vertex(kChartColdest);
            for (float t = kSecondRhVertex; t <= kChartWarmest; t += 1.0f) {
                const CurvePoint current = vertex(t);
                m_anchors.rhVertices.push_back({k, t, current});
                AddSegment(previous.x, previous.y, current.x, current.y, m_state.RhLineColor);
                previous = current;
            }
        }
    }

    void DrawIsotherms()
    {
        for (float t = kChartColdest; t <= kChartWarmest; t += 1.0f) {
            const float leftY = Map(0.0f, EnthalpyOf(t, 0.0f)).y;
            const CurvePoint right = Saturation(t);
            if (OnSpacing(static_cast<int>(t), m_state.IsothermSpacing)) {
                AddSegment(0.0f, leftY, right.x, right.y, m_state.IsothermColor);
            }
            m_anchors.isothermEnds.push_back({t, leftY});
        }
    }

    void DrawSaturationSweep()
    {
        m_baseY = Map(0.0f, EnthalpyOf(kChartColdest, 0.0f)).y;
        std::int16_t moisture = 0;
        std::int16_t enthalpy = kFirstEnthalpyLine;
        for (float t = kChartColdest; t <= kChartWarmest; t += 1.0f) {
            const CurvePoint p = Saturation(t);
            const CurvePoint q = Saturation(t + 1.0f);
            MoisturePass(p, q, moisture);
            EnthalpyPass(p, q, enthalpy);
        }
    }

    // The constant-moisture lines m, m + 1, ... below dQ: vertical from the top edge, down to
    // the base line while below dP, else to the chord P-Q.
    void MoisturePass(const CurvePoint& p, const CurvePoint& q, std::int16_t& m)
    {
        for (;;) {
            const float value = static_cast<float>(m);
            const float x = Mul(value, m_unit);
            if (value < p.d) {
                if (OnSpacing(m, m_state.MoistureLineSpacing)) {
                    AddSegment(x, 0.0f, x, m_baseY, m_state.MoistureLineColor);
                }
                m_anchors.moistureEnds.push_back({m, x, false});
            } else if (value < q.d) {
                const float y = OnChord(p.x, p.y, q.x, q.y, x);
                if (OnSpacing(m, m_state.MoistureLineSpacing)) {
                    AddSegment(x, 0.0f, x, y, m_state.MoistureLineColor);
                }
                m_anchors.moistureEnds.push_back({m, x, true});
            } else {
                return;
            }
            Increment(m);
        }
    }

    // The constant-enthalpy lines e, e + 1, ... below hQ: at 45 deg from the left edge, down
    // to the base line while below hP, else to the chord P-Q.
    void EnthalpyPass(const CurvePoint& p, const CurvePoint& q, std::int16_t& e)
    {
        for (;;) {
            const float value = static_cast<float>(e);
            const float leftY = Map(0.0f, value).y;
            if (value < p.h) {
                // Below the first saturation point, without a label.
                if (OnSpacing(e, m_state.EnthalpyLineSpacing)) {
                    AddSegment(0.0f, leftY, Sub(m_baseY, leftY), m_baseY,
                               m_state.EnthalpyLineColor);
                }
            } else if (value >= q.h) {
                return;
            } else {
                const float x = Mul(m_unit, OnChord(p.h, p.d, q.h, q.d, value));
                const float y = OnChord(p.x, p.y, q.x, q.y, x);
                if (OnSpacing(e, m_state.EnthalpyLineSpacing)) {
                    AddSegment(0.0f, leftY, x, y, m_state.EnthalpyLineColor);
                }
                m_anchors.enthalpyEnds.push_back({e, x, y});
            }
            Increment(e);
        }
    }

    const AppState& m_state;
    // Atmospheric pressure, hPa; chart unit, twips per g/kg; picture height, twips.
    const float m_pressure;
    const float m_unit;
    const float m_height;
    // The sweep's base line, twips: the level of the -20 deg C isotherm's left end.
    float m_baseY = 0.0f;
    // Saturation pressures, hPa, of kChartColdest, kChartColdest + 1, ..., kChartWarmest + 1.
    std::array<float, kSaturationTableSize> m_saturationPressure{};
    ChartDrawing& m_drawing;
    LabelAnchors& m_anchors;
};

// The scale labels of a draw, placed at the points its lines gathered. Throws ArithmeticFault
// when a label's place lies beyond single precision (only pictures far beyond any screen
// reach that); the labels placed before stay.
void PlaceLabels(const LabelAnchors& anchors, const PictureGeometry& picture, float unit,
                 ChartDrawing& drawing)
{
    // 10 %, 20 %, 30 % at 60, 59 and 58 deg C, where the curves are apart; the others at
    // their warmest vertex strictly inside the band, left edge at kRhLabelLeft units.
    const float rhLabelLeft = Mul(kRhLabelLeft, unit);
    for (const LabelAnchors::RhVertex& v : anchors.rhVertices) {
        if (v.k <= 3) {
            if (v.t == static_cast<float>(61 - v.k)) {
                Place(drawing.label12, v.k - 1, v.point.x, v.point.y);
            }
        } else if (kRhLabelBandLow < v.point.d && v.point.d < kRhLabelBandHigh) {
            Place(drawing.label12, v.k - 1, rhLabelLeft, v.point.y);
        }
    }
    // In the margin left of the picture, level with the isotherms' left ends, from -20 to
    // 60 deg C.
    for (const LabelAnchors::IsothermEnd& end : anchors.isothermEnds) {
        const int degrees = static_cast<int>(end.t);
        if (end.t < kChartWarmest && degrees % 10 == 0) {
            Place(drawing.label9, degrees / 10 + 2, Mul(kTemperatureLabelLeft, unit),
                  Add(picture.top, end.leftY));
        }
    }
    // Above the picture, every 5 g/kg; the title's left is the line's x itself, without the
    // picture's left offset.
    const float moistureTop = Mul(kMoistureLabelTop, unit);
    for (const LabelAnchors::MoistureEnd& end : anchors.moistureEnds) {
        const int m = end.m;
        if (m % 5 == 0 && (!end.onChord || m <= kLastNumberedMoisture)) {
            Place(drawing.label10, m / 5, Add(picture.left, end.x), moistureTop);
        } else if (end.onChord && m == kMoistureTitleValue) {
            Place(drawing.label10, kMoistureTitleIndex, end.x, moistureTop);
        }
    }
    // On the saturation curve, every 10 kJ/kg, and the title one unit below the "140".
    for (const LabelAnchors::EnthalpyEnd& end : anchors.enthalpyEnds) {
        const int e = end.e;
        if (e % 10 == 0 && e <= kLastNumberedEnthalpy) {
            Place(drawing.label11, e / 10 + 1, end.x, end.y);
        } else if (e == kEnthalpyTitleValue) {
            Place(drawing.label11, kEnthalpyTopLabelIndex, end.x, end.y);
            Place(drawing.label11, kEnthalpyTitleIndex, end.x, Add(end.y, unit));
        }
    }
}

// twips rounded to whole pixels of twipsPerPixel, halves away from zero.
float Snap(double twips, float twipsPerPixel)
{
    return Single(std::round(Divide(twips, twipsPerPixel)) * twipsPerPixel);
}

}  // namespace

float SnapToPixels(float twips, float twipsPerPixel)
{
    return Snap(twips, twipsPerPixel);
}

PictureGeometry PictureGeometryFor(float formWidth, float formHeight, float twipsPerPixel)
{
    PictureGeometry picture{};
    picture.top = Snap(0.05 * formHeight, twipsPerPixel);
    picture.left = Snap(0.05 * formWidth, twipsPerPixel);
    picture.width = Snap(0.8 * formWidth, twipsPerPixel);
    picture.height = Snap(0.8 * picture.width, twipsPerPixel);
    return picture;
}

float ChartUnitFor(const PictureGeometry& picture)
{
    return Div(picture.width, 45.0f);
}

ChartDrawing BuildChart(const PictureGeometry& picture, const AppState& state)
{
    ChartDrawing drawing = BuildChartUpToFault(picture, state);
    if (drawing.fault) {
        throw ArithmeticFault(*drawing.fault);
    }
    return drawing;
}

ChartDrawing BuildChartUpToFault(const PictureGeometry& picture, const AppState& state)
{
    ChartDrawing drawing;
    LabelAnchors anchors;
    try {
        ChartBuilder(picture, state, drawing, anchors).Build();
    } catch (const ArithmeticFault& fault) {
        drawing.fault = fault.kind();
    }
    try {
        PlaceLabels(anchors, picture, drawing.unit, drawing);
    } catch (const ArithmeticFault& fault) {
        drawing.fault = drawing.fault.value_or(fault.kind());
    }
    return drawing;
}

}  // namespace hygrova
