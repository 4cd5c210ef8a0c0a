// Fuzz target: the chart's display list.
//
// Input layout: byte 0 — bit 0 picks the picture: clear, the picture of a main window
// (PictureGeometryFor, window width 125..50000 twips, any height of 0.1..2 times the width);
// set, a free picture (width and height each 100..40000 twips, left and top 0..5000);
// bytes 1..4 — the pressure, hPa, 500..2000; bytes 5..6 — the four colors, one nibble each
// (moisture, enthalpy, relative humidity, isotherm); byte 7 — the three spacings, two bits
// each, from {1, 5, 10} (moisture, enthalpy, isotherm); bytes 8..15 — width and height
// selectors; bytes 16..19 — left and top; byte 20 — twips per pixel (15, 12, 10 or 7.5).
//
// Checks, for every such setting:
//  - BuildChart throws nothing; the unit is the picture's width / 45; every segment end and
//    every label place set is finite;
//  - the display list has its documented order and shape: the ten relative-humidity curves
//    (86 joined segments each), then one isotherm from the left edge per whole degree
//    -20..70 on the isotherm spacing, then the lines of constant moisture content (vertical,
//    from the top edge, at whole g/kg from 0 up in steps of the spacing) and of constant
//    enthalpy (from the left edge, falling at 45 deg, at whole kJ/kg in steps of the spacing);
//  - every segment carries the color of its family, and the colors change nothing else:
//    the same picture with four other colors gives the same segments.

#include "chart/chart_drawing.h"
#include "common/app_state.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "fuzz_support.h"

namespace hygrova::fuzz {
namespace {

constexpr std::array<std::int16_t, 3> kSpacings{1, 5, 10};
constexpr std::array<float, 4> kTwipsPerPixel{15.0f, 12.0f, 10.0f, 7.5f};

constexpr int kRhCurves = 10;
constexpr int kRhSegmentsPerCurve = 86;  // vertices at -20, then -15, -14, ..., 70 deg C
constexpr int kColdest = -20;
constexpr int kWarmest = 70;

// Four distinct colors, one per family, to tell the families apart in the display list.
constexpr std::int16_t kTagMoisture = 0;
constexpr std::int16_t kTagEnthalpy = 1;
constexpr std::int16_t kTagRh = 2;
constexpr std::int16_t kTagIsotherm = 3;

std::string Describe(const PictureGeometry& picture, const AppState& state)
{
    return "BuildChart(picture " + Show(picture.left) + ", " + Show(picture.top) + ", " +
           Show(picture.width) + " x " + Show(picture.height) + "; pressure " +
           Show(state.AtmosphericPressure) + "; colors " + std::to_string(state.MoistureLineColor) +
           " " + std::to_string(state.EnthalpyLineColor) + " " + std::to_string(state.RhLineColor) +
           " " + std::to_string(state.IsothermColor) + "; spacings " +
           std::to_string(state.MoistureLineSpacing) + " " +
           std::to_string(state.EnthalpyLineSpacing) + " " + std::to_string(state.IsothermSpacing) +
           ")";
}

ChartDrawing Build(const PictureGeometry& picture, const AppState& state, const std::string& what)
{
    try {
        return BuildChart(picture, state);
    } catch (const std::exception& e) {
        Fail(what + " threw \"" + e.what() + "\"");
    } catch (...) {
        Fail(what + " threw a non-standard exception");
    }
}

template <std::size_t N>
void CheckLabels(const std::array<std::optional<LabelPlace>, N>& labels, const std::string& what)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (labels[i]) {
            FUZZ_CHECK(std::isfinite(labels[i]->left) && std::isfinite(labels[i]->top),
                       what + " label " + std::to_string(i) + " not finite");
        }
    }
}

// The whole number nearest `value`, when `value` lies within `tolerance` of it.
std::optional<long> NearWhole(double value, double tolerance)
{
    const double whole = std::round(value);
    if (std::fabs(value - whole) > tolerance || std::fabs(whole) > 1e9) {
        return std::nullopt;
    }
    return static_cast<long>(whole);
}

// A value of the next line of a family drawn at `spacing`, after `previous` (if any).
// what(): the line, for a message.
template <typename Describe>
void CheckNextValue(std::optional<long>& previous, std::optional<long> value, long first,
                    std::int16_t spacing, const Describe& what)
{
    FUZZ_CHECK(value.has_value(), what() + " does not lie at a whole value");
    FUZZ_CHECK(*value % spacing == 0, what() + " at " + std::to_string(*value) +
                                          " is off spacing " + std::to_string(spacing));
    if (previous) {
        FUZZ_CHECK(*value == *previous + spacing, what() + " at " + std::to_string(*value) +
                                                      " follows " + std::to_string(*previous));
    } else {
        FUZZ_CHECK(*value >= first && *value < first + spacing,
                   what() + " starts at " + std::to_string(*value));
    }
    previous = value;
}

// Walks the display list drawn with the four tag colors: its order and the shape of each
// family's lines.
void CheckStructure(const ChartDrawing& tagged, const PictureGeometry& picture,
                    const AppState& state, const std::string& what)
{
    const auto& segments = tagged.segments;
    std::size_t i = 0;
    for (int curve = 0; curve < kRhCurves; ++curve) {
        for (int k = 0; k < kRhSegmentsPerCurve; ++k, ++i) {
            const auto at = [&] { return what + " segment " + std::to_string(i); };
            FUZZ_CHECK(i < segments.size(), at() + ": display list ends inside the curves");
            FUZZ_CHECK(segments[i].color == kTagRh, at() + ": not a relative-humidity segment");
            if (k > 0) {
                FUZZ_CHECK(
                    segments[i].x1 == segments[i - 1].x2 && segments[i].y1 == segments[i - 1].y2,
                    at() + ": the curve is not joined");
            }
        }
    }
    int isotherms = 0;
    for (int t = kColdest; t <= kWarmest; ++t) {
        isotherms += t % state.IsothermSpacing == 0 ? 1 : 0;
    }
    for (int k = 0; k < isotherms; ++k, ++i) {
        const auto at = [&] { return what + " segment " + std::to_string(i); };
        FUZZ_CHECK(i < segments.size(), at() + ": display list ends inside the isotherms");
        FUZZ_CHECK(segments[i].color == kTagIsotherm, at() + ": not isotherm " + std::to_string(k));
        FUZZ_CHECK(segments[i].x1 == 0.0f, at() + ": an isotherm not from the left edge");
    }
    const double unit = tagged.unit;
    const double height = picture.height;
    // The coordinates are single-precision results of a few steps each: a few units of
    // 6e-8 relative to the magnitudes involved.
    const auto slack = [&](double magnitude) { return 1e-6 * (magnitude + height + 11.0 * unit); };
    std::optional<long> moisture;
    std::optional<long> enthalpy;
    for (; i < segments.size(); ++i) {
        const ChartSegment& s = segments[i];
        const auto at = [&] { return what + " segment " + std::to_string(i); };
        if (s.color == kTagMoisture) {
            FUZZ_CHECK(s.x1 == s.x2 && s.y1 == 0.0f,
                       at() + ": a moisture line not vertical from the top");
            CheckNextValue(moisture, NearWhole(s.x1 / unit, slack(std::fabs(s.x1)) / unit), 0,
                           state.MoistureLineSpacing, [&] { return at() + ": moisture line"; });
        } else if (s.color == kTagEnthalpy) {
            FUZZ_CHECK(s.x1 == 0.0f, at() + ": an enthalpy line not from the left edge");
            const double dx = static_cast<double>(s.x2) - s.x1;
            const double dy = static_cast<double>(s.y2) - s.y1;
            const double extent = std::fabs(s.x2) + std::fabs(s.y1) + std::fabs(s.y2);
            FUZZ_CHECK(std::fabs(dy - dx) <= slack(extent),
                       at() + ": an enthalpy line not at 45 deg (dx " + Show(dx) + ", dy " +
                           Show(dy) + ")");
            // Along the left edge 1 kJ/kg is 0.4 u, and h = 0 lies 10.5 u above the bottom.
            const double h = (height - s.y1 - 10.5 * unit) / (0.4 * unit);
            CheckNextValue(enthalpy, NearWhole(h, slack(std::fabs(s.y1)) / (0.4 * unit)), -20,
                           state.EnthalpyLineSpacing, [&] { return at() + ": enthalpy line"; });
        } else {
            Fail(at() + ": color " + std::to_string(s.color) + " after the isotherms");
        }
    }
    FUZZ_CHECK(moisture.has_value() && enthalpy.has_value(),
               what + ": no moisture or enthalpy lines");
}

}  // namespace
}  // namespace hygrova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace hygrova;
    using namespace hygrova::fuzz;
    ByteReader reader(data, size);
    const std::uint8_t mode = reader.Byte();
    AppState state;
    state.AtmosphericPressure = reader.FloatIn(500.0f, 2000.0f);
    const std::uint16_t colors = reader.U16();
    state.MoistureLineColor = static_cast<std::int16_t>(colors & 15);
    state.EnthalpyLineColor = static_cast<std::int16_t>((colors >> 4) & 15);
    state.RhLineColor = static_cast<std::int16_t>((colors >> 8) & 15);
    state.IsothermColor = static_cast<std::int16_t>((colors >> 12) & 15);
    const std::uint8_t spacings = reader.Byte();
    state.MoistureLineSpacing = kSpacings[(spacings & 3) % 3];
    state.EnthalpyLineSpacing = kSpacings[((spacings >> 2) & 3) % 3];
    state.IsothermSpacing = kSpacings[((spacings >> 4) & 3) % 3];
    const std::uint32_t widthBits = reader.U32();
    const std::uint32_t heightBits = reader.U32();
    const std::uint16_t leftBits = reader.U16();
    const std::uint16_t topBits = reader.U16();
    const float twipsPerPixel = kTwipsPerPixel[reader.Byte() % kTwipsPerPixel.size()];

    const auto scaled = [](std::uint32_t bits, double low, double high) {
        return static_cast<float>(low + (high - low) * (bits / 4294967295.0));
    };
    PictureGeometry picture{};
    if (mode & 1) {
        picture.width = scaled(widthBits, 100.0, 40000.0);
        picture.height = scaled(heightBits, 100.0, 40000.0);
        picture.left = static_cast<float>(leftBits % 5001);
        picture.top = static_cast<float>(topBits % 5001);
    } else {
        const float formWidth = scaled(widthBits, 125.0, 50000.0);
        const float formHeight = formWidth * scaled(heightBits, 0.1, 2.0);
        picture = PictureGeometryFor(formWidth, formHeight, twipsPerPixel);
    }

    const std::string what = Describe(picture, state);
    const ChartDrawing drawing = Build(picture, state, what);
    FUZZ_CHECK(drawing.unit == ChartUnitFor(picture), what + ": unit " + Show(drawing.unit));
    for (std::size_t i = 0; i < drawing.segments.size(); ++i) {
        const ChartSegment& s = drawing.segments[i];
        FUZZ_CHECK(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) &&
                       std::isfinite(s.y2),
                   what + " segment " + std::to_string(i) + " not finite");
    }
    CheckLabels(drawing.label9, what + " Label9");
    CheckLabels(drawing.label10, what + " Label10");
    CheckLabels(drawing.label11, what + " Label11");
    CheckLabels(drawing.label12, what + " Label12");

    AppState tagState = state;
    tagState.MoistureLineColor = kTagMoisture;
    tagState.EnthalpyLineColor = kTagEnthalpy;
    tagState.RhLineColor = kTagRh;
    tagState.IsothermColor = kTagIsotherm;
    const ChartDrawing tagged = Build(picture, tagState, what + " with tag colors");
    CheckStructure(tagged, picture, state, what + " with tag colors");

    FUZZ_CHECK(tagged.segments.size() == drawing.segments.size(), what +
                                                                      ": the colors changed the "
                                                                      "number of segments");
    for (std::size_t i = 0; i < drawing.segments.size(); ++i) {
        const ChartSegment& s = drawing.segments[i];
        const ChartSegment& t = tagged.segments[i];
        const auto at = [&] { return what + " segment " + std::to_string(i); };
        FUZZ_CHECK(s.x1 == t.x1 && s.y1 == t.y1 && s.x2 == t.x2 && s.y2 == t.y2,
                   at() + ": the colors moved the segment");
        const std::int16_t expected = t.color == kTagMoisture   ? state.MoistureLineColor
                                      : t.color == kTagEnthalpy ? state.EnthalpyLineColor
                                      : t.color == kTagRh       ? state.RhLineColor
                                                                : state.IsothermColor;
        FUZZ_CHECK(s.color == expected, at() + ": color " + std::to_string(s.color) +
                                            ", its family's is " + std::to_string(expected));
    }
    return 0;
}
