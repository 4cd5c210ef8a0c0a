#pragma once

#include "query/state_point.h"

#include <array>

namespace hygrova {

// What the query dialog shows of one slot.
struct SlotState {
    bool tickable = true;  // the tick box is enabled
    bool open = false;     // the entry box is enabled; a closed one is empty

    bool operator==(const SlotState&) const = default;
};

using SlotStates = std::array<SlotState, kQuerySlotCount>;

// The click rule of the query dialog, as the state of its slots for the ticks as they stand.
// At most two quantities are ticked at a time, and a quantity that is a function of another
// alone never stands with it (wet bulb with enthalpy, moisture content with dew point): a
// slot's entry box is open while its box is ticked, and its box is tickable while it is
// ticked, or while fewer than two are ticked and its dependent partner is not.
SlotStates SlotStatesFor(const std::array<bool, kQuerySlotCount>& ticked);

}  // namespace hygrova
