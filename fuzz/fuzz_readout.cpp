// Fuzz target: the pointer readout of the main window.
//
// Input layout: byte 0 — mode bits (bit 0: x taken as raw float bits, else a place across
// the picture and a margin of a quarter of it on each side; bit 1: the same for y; bit 2: a
// unit of 0, as before the chart is first drawn);
// bytes 1..4 and 5..8 — x and y; bytes 9..12 — the main window's width, mapped to
// 125..50000 twips so the picture is about 100..40000 twips wide; bytes 13..16 — the
// pressure, hPa, 500..2000; byte 17 — the screen's twips per pixel (15, 12, 10 or 7.5).
// Raw x or y bits that are not finite are replaced by 0.
//
// Checks, for every finite pointer position, on or far off the picture (as when dragging):
//  - ReadoutAt throws nothing; with a unit of 0 all eight texts are empty;
//  - the eight texts are all empty, or each is a displayed number that reads back as a finite
//    value, the dew point alone being allowed to be empty;
//  - the relative humidity is at most 100 % (beyond the saturation curve all is blank) and the
//    wet bulb lies in the solver's bracket, -20..60 deg C;
//  - on the picture no step of the conversion faults, so the boxes are blank exactly where the
//    state lies beyond the saturation curve; there the moisture content is x / u, the relative
//    humidity at least 0, and the dew point is shown from d = 0.05 g/kg on.

#include "chart/chart_drawing.h"
#include "chart/chart_mapping.h"
#include "chart/readout.h"
#include "model/arithmetic_fault.h"
#include "model/properties.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>  // std::memcpy
#include <exception>
#include <optional>
#include <string>

#include "fuzz_support.h"

namespace hygrova::fuzz {
namespace {

constexpr std::array<float, 4> kTwipsPerPixel{15.0f, 12.0f, 10.0f, 7.5f};

float Coordinate(std::uint32_t bits, bool raw, float extent)
{
    if (raw) {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return std::isfinite(value) ? value : 0.0f;
    }
    return static_cast<float>(extent * (-0.25 + 1.5 * (bits / 4294967295.0)));
}

// Relative humidity at the picture point through the chart mapping and the property
// formulas, as the readout defines it; nothing when a step faults.
std::optional<float> RelativeHumidityAt(float x, float y, float unit, float height, float pressure)
{
    try {
        const ChartState state = MapFromChart(x, y, unit, height);
        const float pv = VapourPressureOf(state.d, pressure);
        const float t = TemperatureOf(state.h, state.d);
        return RelativeHumidityOf(pv, SaturationPressure(t));
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

}  // namespace
}  // namespace hygrova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace hygrova;
    using namespace hygrova::fuzz;
    ByteReader reader(data, size);
    const std::uint8_t mode = reader.Byte();
    const std::uint32_t xBits = reader.U32();
    const std::uint32_t yBits = reader.U32();
    const float formWidth = reader.FloatIn(125.0f, 50000.0f);
    const float pressure = reader.FloatIn(500.0f, 2000.0f);
    const float twipsPerPixel = kTwipsPerPixel[reader.Byte() % kTwipsPerPixel.size()];

    const PictureGeometry picture = PictureGeometryFor(formWidth, 0.75f * formWidth, twipsPerPixel);
    const bool undrawn = (mode & 4) != 0;
    const float unit = undrawn ? 0.0f : ChartUnitFor(picture);
    const float height = picture.height;

    const float x = Coordinate(xBits, mode & 1, picture.width);
    const float y = Coordinate(yBits, mode & 2, height);

    const std::string context = "ReadoutAt(x " + Show(x) + ", y " + Show(y) + ", unit " +
                                Show(unit) + ", height " + Show(height) + ", pressure " +
                                Show(pressure) + ")";
    StateTexts texts;
    try {
        texts = ReadoutAt(x, y, unit, height, pressure);
    } catch (const std::exception& e) {
        Fail(context + " threw \"" + e.what() + "\"");
    } catch (...) {
        Fail(context + " threw a non-standard exception");
    }

    bool allEmpty = true;
    for (const std::string& text : texts) {
        allEmpty = allEmpty && text.empty();
    }
    if (undrawn) {
        FUZZ_CHECK(allEmpty, context + ": texts before the chart is drawn");
        return 0;
    }
    std::array<std::optional<double>, 8> values;
    if (!allEmpty) {
        for (std::size_t box = 0; box < texts.size(); ++box) {
            if (box == kQuantityDewPoint && texts[box].empty()) {
                continue;
            }
            values[box] =
                CheckedNumberText(texts[box], context + " box " + std::to_string(box + 1));
        }
        FUZZ_CHECK(*values[kQuantityRelHumidity] <= 100.0,
                   context + ": relative humidity " + texts[kQuantityRelHumidity]);
        FUZZ_CHECK(
            *values[kQuantityWetBulb] >= -20.0 && *values[kQuantityWetBulb] <= 60.0,
            context + ": wet bulb " + texts[kQuantityWetBulb] + " outside the solver's bracket");
    }

    const bool onPicture = x >= 0.0f && x <= picture.width && y >= 0.0f && y <= height;
    if (!onPicture) {
        return 0;
    }
    const std::optional<float> phi = RelativeHumidityAt(x, y, unit, height, pressure);
    FUZZ_CHECK(phi.has_value(), context + ": a step of the conversion faults on the picture");
    FUZZ_CHECK(allEmpty == (*phi > 1.0f), context + (allEmpty ? ": blank" : ": shown") +
                                              " at relative humidity " + Show(*phi));
    if (allEmpty) {
        return 0;
    }
    const double d = *values[kQuantityMoisture];
    const double expectedD = static_cast<double>(x) / unit;
    FUZZ_CHECK(std::fabs(d - expectedD) <= 1e-6 * std::fabs(expectedD) + 1e-6,
               context + ": moisture content " + texts[kQuantityMoisture] +
                   ", x / u = " + Show(expectedD));
    FUZZ_CHECK(*values[kQuantityRelHumidity] >= 0.0,
               context + ": relative humidity " + texts[kQuantityRelHumidity]);
    // Judged away from the threshold only: the text carries seven digits of d.
    if (d >= 0.0500001) {
        FUZZ_CHECK(values[kQuantityDewPoint].has_value(),
                   context + ": no dew point at d = " + texts[kQuantityMoisture]);
    } else if (d <= 0.0499999) {
        FUZZ_CHECK(!values[kQuantityDewPoint].has_value(),
                   context + ": a dew point at d = " + texts[kQuantityMoisture]);
    }
    return 0;
}
