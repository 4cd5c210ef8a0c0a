#pragma once

// Constants shared by the property formulas: the model's own values, kept as they are even
// where newer measurements differ slightly, because every published figure of the chart
// follows from them.

namespace hygrova::model {

// Triple point of water, K; also the offset from deg C to K throughout the model (273.16, not
// 273.15).
constexpr double kTriplePointK = 273.16;
// hPa per mmHg (1.3332, not 1.33322).
constexpr double kHpaPerMmHg = 1.3332;
// Ratio of the molar masses of water and dry air, g/kg (622, not 621.9; single precision).
constexpr float kMolarRatio = 622.0f;
// Latent heat of evaporation of water at 0 deg C, kJ/kg: the vapour term of the enthalpy
// (EnthalpyOf), and what a process's latent part is reckoned with.
constexpr double kLatentHeatKjPerKg = 2501.0;
// mmHg per standard atmosphere (single precision).
constexpr float kMmHgPerAtm = 760.0f;

}  // namespace hygrova::model
