#pragma once

// A solved state as numbers, and the flags for what the formulas cannot stand behind in it:
// a temperature at the limit of the bisection that solved it (the solver returns its bound
// when the true value lies beyond), a relative humidity above 100 %, a temperature outside
// the chart. The state's texts stay the results window's; the flags only tell about them.

#include "common/state_texts.h"
#include "query/state_point.h"

#include <array>
#include <string>
#include <string_view>

namespace hygrova {

// A result text as a number: read back in single precision, as the results window's "描点"
// reads its boxes; NaN for an empty text (an absent dew point).
float ValueOfText(std::string_view text);

// One bit per kind of doubt; 0 for a state the formulas stand behind.
using StateFlags = unsigned;
enum StateFlag : StateFlags {
    kWetBulbAtLimit = 1u << 0,    // solved, and at an end of its bisection's range
    kDryBulbAtLimit = 1u << 1,    // solved, and at an end of its bisection's range
    kAboveSaturation = 1u << 2,   // relative humidity above 100 %
    kDryBulbOffChart = 1u << 3,   // outside the chart's kChartColdest..kChartWarmest
    kWetBulbOffChart = 1u << 4,   // outside the chart's kChartColdest..kChartWarmest
};

// The flags of a state whose results window texts are `texts`, solved from the parameters
// ticked in `given` (as StatePointQuery's ticked). A temperature at its solver's limit is
// not flagged as off the chart as well.
StateFlags FlagsOf(const std::array<bool, kQuerySlotCount>& given, const StateTexts& texts);

// What each flag in `flags` means, joined by "; ", for a message; empty for no flag.
std::string FlagsText(StateFlags flags, const std::array<bool, kQuerySlotCount>& given);

}  // namespace hygrova
