#include "common/app_state.h"

namespace hygrova {

AppState& TheAppState()
{
    static AppState state;
    return state;
}

void SetDefaults(AppState& state)
{
    const AppState defaults;
    state.AtmosphericPressure = defaults.AtmosphericPressure;
    state.IsothermColor = defaults.IsothermColor;
    state.EnthalpyLineColor = defaults.EnthalpyLineColor;
    state.MoistureLineColor = defaults.MoistureLineColor;
    state.RhLineColor = defaults.RhLineColor;
    state.IsothermSpacing = defaults.IsothermSpacing;
    state.EnthalpyLineSpacing = defaults.EnthalpyLineSpacing;
    state.MoistureLineSpacing = defaults.MoistureLineSpacing;
}

}  // namespace hygrova
