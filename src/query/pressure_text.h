#pragma once

// The atmospheric pressure as the command line takes it: typed in Pa and checked against the
// limits of the settings dialog's "应用", which admits the widest range of the program.

#include <string_view>

namespace hygrova {

// The pressure the program starts with, as typed, Pa.
inline constexpr std::string_view kStandardPressureText = "101325";

// A typed pressure read: the pressure in hPa, or the settings dialog's message when the
// value lies outside its limits (then pressureHpa is 0).
struct PressureReading {
    float pressureHpa = 0;
    std::string_view problem;  // empty when the pressure is accepted
};

// Reads a pressure typed in Pa with the leading-number parse, as the settings dialog does:
// the value held in single precision must lie in 50000..200000 Pa (both ends accepted;
// beyond: "大气压力过大，请重新输入！" or "大气压力过小，请重新输入！", a text without a number
// reading as 0); the accepted pressure is the typed value / 100 in single precision, hPa.
PressureReading ReadPressurePa(std::string_view textPa);

}  // namespace hygrova
