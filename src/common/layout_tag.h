#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace hygrova {

// A control's recorded design geometry: left, top, width, height in its container's units.
using LayoutRecord = std::array<double, 4>;

// The layout record text kept in a control's Tag: each value in general decimal form
// (no exponent, no thousands separator, a period only where the value has a fraction)
// followed by exactly one blank, e.g. "240 360 1095 255 ".
std::string FormatLayoutTag(const LayoutRecord& record);

// Reads the four values back. Each value is the text from the current position up to the
// next blank, after which reading goes on behind that blank; when no blank is left the value
// is 0 and the position stays. So "" gives four zeros and "240 360 " gives 240, 360, 0, 0.
// Returns nothing when a piece between blanks is not a number (that control is skipped).
std::optional<LayoutRecord> ParseLayoutTag(std::string_view tag);

// x rounded to the nearest integer, ties to even, as the design size is recorded.
long RoundHalfEven(double x);

}  // namespace hygrova
