#pragma once

// The numbers an operation takes, read from their texts as the query reads its entry boxes
// (the leading-number parse) and checked against their ranges, with messages in the query's
// manner: an empty text asks for the value, a value out of range names its range.

#include "project/project_types.h"

#include <string>
#include <string_view>

namespace hygrova {

// A typed amount read: its value, or the message that refuses it (then value is 0).
struct AmountReading {
    double value = 0;
    std::string_view problem;  // empty when accepted
};

// An air flow, m3/h or kg/h: more than 0, at most 1e9.
AmountReading ReadAirFlow(const std::string& text);
// One share of a mix: a part of the mass ratio (0 and more) or an air flow in m3/h (0 and
// more), at most 1e9; the two shares together must be more than 0 (ReadMixShares).
AmountReading ReadMixShare(MixBasis basis, const std::string& text);
// Both shares of a mix, first then second; the first problem found, or "" when both pass and
// their sum is positive.
std::string_view MixSharesProblem(const MixAmounts& amounts);
// A heat-moisture ratio, kJ/kg: -1e6 .. 1e6, or infinity for the text "∞" (blanks around it
// allowed), the line of constant moisture content.
AmountReading ReadEpsilon(const std::string& text);
// The end of a line: a relative humidity typed in % (0..100, returned as the fraction the
// query stores, single precision) or a dry-bulb
// temperature in deg C (-30..70), checked with the query's own messages; a change of dry-bulb
// temperature in K (-100..100, not 0).
AmountReading ReadLineEnd(LineEnd end, const std::string& text);

}  // namespace hygrova
