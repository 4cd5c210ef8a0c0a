#include "chart/readout.h"

#include "chart/chart_mapping.h"
#include "common/number_text.h"
#include "model/arithmetic_fault.h"
#include "model/checked_math.h"
#include "model/properties.h"
#include "model/solvers.h"

namespace hygrova {
namespace {

StateTexts ComputeReadout(const ChartState& state, float pressure)
{
    const float pv = VapourPressureOf(state.d, pressure);
    const float t = TemperatureOf(state.h, state.d);
    const float ps = SaturationPressure(t);
    const float phi = RelativeHumidityOf(pv, ps);
    if (phi > 1.0f) {
        return {};
    }
    StateTexts texts;
    if (state.d >= kDewPointMinMoisture) {
        texts[kQuantityDewPoint] = PlainNumberText(DewPointOf(pv));
    }
    const float v = SpecificVolumeOf(t, state.d, pressure);
    const float tw = SaturationTemperatureForEnthalpy(state.h, pressure);
    texts[kQuantityDryBulb] = PlainNumberText(t);
    texts[kQuantityWetBulb] = PlainNumberText(tw);
    texts[kQuantityRelHumidity] = PlainNumberText(Mul(phi, 100.0f));
    texts[kQuantityMoisture] = PlainNumberText(state.d);
    texts[kQuantityEnthalpy] = PlainNumberText(state.h);
    texts[kQuantityVolume] = PlainNumberText(v);
    texts[kQuantityVapourPressure] = PlainNumberText(Mul(pv, 100.0f));
    return texts;
}

}  // namespace

StateTexts ReadoutAt(float x, float y, float unit, float pictureHeight, float pressure)
{
    try {
        return ComputeReadout(MapFromChart(x, y, unit, pictureHeight), pressure);
    } catch (const ArithmeticFault&) {
        return {};
    }
}

StateTexts ReadoutOf(float d, float h, float pressure)
{
    try {
        return ComputeReadout({d, h}, pressure);
    } catch (const ArithmeticFault&) {
        return {};
    }
}

}  // namespace hygrova
