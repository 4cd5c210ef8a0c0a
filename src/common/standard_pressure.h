#pragma once

// The standard atmosphere: the pressure the program starts with, and the one the settings
// dialog's pressure box shows whenever the dialog loads.

#include <string_view>

namespace hygrova {

// The standard atmospheric pressure, hPa.
inline constexpr float kStandardPressureHpa = 1013.25f;

// The same pressure as it is typed, Pa.
inline constexpr std::string_view kStandardPressureText = "101325";

}  // namespace hygrova
