#pragma once

#include "common/standard_pressure.h"

#include <cstdint>

namespace hygrova {

// The process-wide state of one run. Written by the main window's load handler (defaults),
// the layout recorder (design size), the chart drawing (ChartUnit) and the settings dialog;
// everything else only reads it. Nothing of it is saved between runs.
struct AppState {
    // Color indexes 0..15 of the chart's line families (QBColor palette).
    std::int16_t MoistureLineColor = 0;
    std::int16_t EnthalpyLineColor = 2;
    std::int16_t RhLineColor = 9;
    std::int16_t IsothermColor = 7;
    // Line spacings 1, 5 or 10; the relative-humidity curves are always drawn every 10 %.
    std::int16_t MoistureLineSpacing = 1;
    std::int16_t EnthalpyLineSpacing = 1;
    std::int16_t IsothermSpacing = 1;
    // Atmospheric pressure, hPa.
    float AtmosphericPressure = kStandardPressureHpa;
    // Twips per g/kg on the chart; 0 until the chart is first drawn.
    float ChartUnit = 0.0f;
    // Inner size of the main window, twips, when its layout was recorded.
    std::int32_t DesignScaleWidth = 0;
    std::int32_t DesignScaleHeight = 0;
};

// The one AppState record of the program.
AppState& TheAppState();

// Sets the colors, spacings and pressure to their defaults; the chart unit and the design
// size keep their values.
void SetDefaults(AppState& state);

}  // namespace hygrova
