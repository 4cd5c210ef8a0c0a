#include "chart/readout.h"

#include "chart/chart_mapping.h"
#include "chart/checked_single.h"
#include "common/number_text.h"
#include "model/arithmetic_fault.h"
#include "model/properties.h"
#include "model/solvers.h"

namespace hygrova {
namespace {

// Below this moisture content, g/kg, the dew point is left empty.
constexpr float kDewPointMinMoisture = 0.05f;

enum ReadoutBox : int {
    kDryBulbBox = 0,
    kWetBulbBox = 1,
    kDewPointBox = 2,
    kRelHumidityBox = 3,
    kMoistureBox = 4,
    kEnthalpyBox = 5,
    kVolumeBox = 6,
    kVapourPressureBox = 7,
};

ReadoutTexts ComputeReadout(float x, float y, float unit, float pictureHeight, float pressure)
{
    const ChartState state = MapFromChart(x, y, unit, pictureHeight);
    const float pv = VapourPressureOf(state.d, pressure);
    const float t = TemperatureOf(state.h, state.d);
    const float ps = SaturationPressure(t);
    const float phi = RelativeHumidityOf(pv, ps);
    if (phi > 1.0f) {
        return {};
    }
    ReadoutTexts texts;
    if (state.d >= kDewPointMinMoisture) {
        texts[kDewPointBox] = PlainNumberText(DewPointOf(pv));
    }
    const float v = SpecificVolumeOf(t, state.d, pressure);
    const float tw = SaturationTemperatureForEnthalpy(state.h, pressure);
    texts[kDryBulbBox] = PlainNumberText(t);
    texts[kWetBulbBox] = PlainNumberText(tw);
    texts[kRelHumidityBox] = PlainNumberText(checked::Mul(phi, 100.0f));
    texts[kMoistureBox] = PlainNumberText(state.d);
    texts[kEnthalpyBox] = PlainNumberText(state.h);
    texts[kVolumeBox] = PlainNumberText(v);
    texts[kVapourPressureBox] = PlainNumberText(checked::Mul(pv, 100.0f));
    return texts;
}

}  // namespace

ReadoutTexts ReadoutAt(float x, float y, float unit, float pictureHeight, float pressure)
{
    try {
        return ComputeReadout(x, y, unit, pictureHeight, pressure);
    } catch (const ArithmeticFault&) {
        return {};
    }
}

}  // namespace hygrova
