#pragma once

// The command line's names of the six parameters a query can name (the names of all eight
// quantities are kQuantityCaptions').

#include <optional>
#include <string_view>

namespace hygrova {

// The slot (QuerySlot) of a parameter name: tdb, twb, rh, d, h or tdp, in any letter case;
// none for any other text.
std::optional<int> SlotOfName(std::string_view name);

// The name of a slot, lower case ("tdb" for kDryBulbSlot).
std::string_view NameOfSlot(int slot);

// The names of the six parameters in the order of the result columns, for messages.
inline constexpr std::string_view kParameterList = "tdb, twb, tdp, rh, d, h";

}  // namespace hygrova
