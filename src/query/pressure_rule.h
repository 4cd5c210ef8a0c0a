#pragma once

// The rule for a typed atmospheric pressure: read in Pa with the leading-number parse and
// held within the limits of one of the settings dialog's buttons. The settings dialog and
// hygrova-calc both read a pressure through it.

#include <string_view>

namespace hygrova {

// The pressures a button admits, Pa, both ends included.
struct PressureLimits {
    float minimumPa;
    float maximumPa;
};

// "确定".
inline constexpr PressureLimits kOkPressureLimits{70000, 150000};
// "应用": the widest range of the program, which hygrova-calc admits too.
inline constexpr PressureLimits kApplyPressureLimits{50000, 200000};

// A typed pressure read: the pressure in hPa, or the settings dialog's message when the
// value lies outside the limits (then pressureHpa is 0).
struct PressureReading {
    float pressureHpa = 0;
    std::string_view problem;  // empty when the pressure is accepted
};

// Reads a pressure typed in Pa as the settings dialog does: the value read with the
// leading-number parse (a text without a number reads as 0) and held in single precision
// must lie within `limits`; above them: "大气压力过大，请重新输入！", below them:
// "大气压力过小，请重新输入！". The accepted pressure is the value read / 100 in single
// precision, hPa.
PressureReading ReadPressurePa(std::string_view textPa,
                               const PressureLimits& limits = kApplyPressureLimits);

}  // namespace hygrova
