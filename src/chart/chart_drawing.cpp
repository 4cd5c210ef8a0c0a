#include "chart/chart_drawing.h"

#include "chart/chart_mapping.h"
#include "model/arithmetic_fault.h"
#include "model/checked_math.h"
#include "model/properties.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

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

// Moves label `index` of `labels`, unless the index lies outside the array (only values far
// beyond the chart, at pressures the settings never store, compute such an index).
template <std::size_t N>
void Place(std::array<std::optional<LabelPlace>, N>& labels, int index, float left, float top)
{
    if (index >= 0 && static_cast<std::size_t>(index) < N) {
        labels[static_cast<std::size_t>(index)] = LabelPlace{left, top};
    }
}

// One draw of the chart: the picture, the settings and the display list being built.
class ChartBuilder {
public:
    // Builds into `drawing`, which keeps what was built should a step fault.
    ChartBuilder(const PictureGeometry& picture, const AppState& state, ChartDrawing& drawing)
        : m_picture(picture),
          m_state(state),
          m_pressure(state.AtmosphericPressure),
          m_unit(ChartUnitFor(picture)),
          m_height(picture.height),
          m_drawing(drawing)
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
        const float labelLeft = Mul(kRhLabelLeft, m_unit);
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
                if (k <= 3) {
                    // 10 %, 20 %, 30 %: at 60, 59 and 58 deg C, where the curves are apart.
                    if (t == static_cast<float>(61 - k)) {
                        Place(m_drawing.label12, k - 1, current.x, current.y);
                    }
                } else if (kRhLabelBandLow < current.d && current.d < kRhLabelBandHigh) {
                    Place(m_drawing.label12, k - 1, labelLeft, current.y);
                }
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
            const int degrees = static_cast<int>(t);
            if (OnSpacing(degrees, m_state.IsothermSpacing)) {
                AddSegment(0.0f, leftY, right.x, right.y, m_state.IsothermColor);
            }
            if (t < kChartWarmest && degrees % 10 == 0) {
                Place(m_drawing.label9, degrees / 10 + 2, Mul(kTemperatureLabelLeft, m_unit),
                      Add(m_picture.top, leftY));
            }
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
                if (m % 5 == 0) {
                    PlaceMoistureLabel(m / 5, Add(m_picture.left, x));
                }
            } else if (value < q.d) {
                const float y = Add(p.y, Div(Mul(Sub(x, p.x), Sub(q.y, p.y)), Sub(q.x, p.x)));
                if (OnSpacing(m, m_state.MoistureLineSpacing)) {
                    AddSegment(x, 0.0f, x, y, m_state.MoistureLineColor);
                }
                if (m % 5 == 0 && m <= kLastNumberedMoisture) {
                    PlaceMoistureLabel(m / 5, Add(m_picture.left, x));
                } else if (m == kMoistureTitleValue) {
                    // The title's left is x itself, without the picture's left offset.
                    PlaceMoistureLabel(kMoistureTitleIndex, x);
                }
            } else {
                return;
            }
            Increment(m);
        }
    }

    void PlaceMoistureLabel(int index, float left)
    {
        Place(m_drawing.label10, index, left, Mul(kMoistureLabelTop, m_unit));
    }

    // The constant-enthalpy lines e, e + 1, ... below hQ: at 45 deg from the left edge, down
    // to the base line while below hP, else to the chord P-Q.
    void EnthalpyPass(const CurvePoint& p, const CurvePoint& q, std::int16_t& e)
    {
        for (;;) {
            const float value = static_cast<float>(e);
            const float leftY = Map(0.0f, value).y;
            if (value < p.h) {
                if (OnSpacing(e, m_state.EnthalpyLineSpacing)) {
                    AddSegment(0.0f, leftY, Sub(m_baseY, leftY), m_baseY,
                               m_state.EnthalpyLineColor);
                }
            } else if (value >= q.h) {
                return;
            } else {
                const float d = Add(p.d, Div(Mul(Sub(value, p.h), Sub(q.d, p.d)), Sub(q.h, p.h)));
                const float x = Mul(m_unit, d);
                const float y = Add(p.y, Div(Mul(Sub(q.y, p.y), Sub(x, p.x)), Sub(q.x, p.x)));
                if (OnSpacing(e, m_state.EnthalpyLineSpacing)) {
                    AddSegment(0.0f, leftY, x, y, m_state.EnthalpyLineColor);
                }
                if (e % 10 == 0 && e <= kLastNumberedEnthalpy) {
                    Place(m_drawing.label11, e / 10 + 1, x, y);
                } else if (e == kEnthalpyTitleValue) {
                    Place(m_drawing.label11, kEnthalpyTopLabelIndex, x, y);
                    Place(m_drawing.label11, kEnthalpyTitleIndex, x, Add(y, m_unit));
                }
            }
            Increment(e);
        }
    }

    const PictureGeometry& m_picture;
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
};

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
    try {
        ChartBuilder(picture, state, drawing).Build();
    } catch (const ArithmeticFault& fault) {
        drawing.fault = fault.kind();
    }
    return drawing;
}

}  // namespace hygrova
