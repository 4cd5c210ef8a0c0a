#include "chart/chart_mapping.h"

#include "model/checked_math.h"

namespace hygrova {
namespace {

// Twips per kJ/kg along the left edge, in units of u.
constexpr float kEnthalpyScale = 0.4f;
// Height of h = 0 at d = 0 above the picture's bottom edge, in units of u.
constexpr float kZeroEnthalpyLift = 10.5f;

}  // namespace

ChartPoint MapToChart(float d, float h, float unit, float pictureHeight)
{
    const float x = Mul(unit, d);
    const float rise = Mul(Sub(Mul(kEnthalpyScale, h), d), unit);
    const float y = Sub(Sub(pictureHeight, rise), Mul(kZeroEnthalpyLift, unit));
    return {x, y};
}

ChartState MapFromChart(float x, float y, float unit, float pictureHeight)
{
    const float d = Div(x, unit);
    const float rise = Sub(Sub(pictureHeight, y), Mul(kZeroEnthalpyLift, unit));
    const float h = Div(Add(Div(rise, unit), d), kEnthalpyScale);
    return {d, h};
}

}  // namespace hygrova
