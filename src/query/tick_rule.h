#pragma once

#include "query/state_point.h"

#include <array>
#include <cstdint>

namespace hygrova {

// What the query dialog's click rule does to a slot's tick box.
enum class TickChange : std::uint8_t {
    Keep,      // left as it is
    Tickable,  // enabled
    Locked,    // disabled
};

// What the click rule does to a slot's entry box.
enum class EntryChange : std::uint8_t {
    Keep,    // left as it is
    Open,    // enabled (and given the focus: only the clicked slot's box opens)
    Closed,  // disabled and emptied
};

struct SlotChange {
    TickChange tick = TickChange::Keep;
    EntryChange entry = EntryChange::Keep;

    bool operator==(const SlotChange&) const = default;
};

using SlotChanges = std::array<SlotChange, kQuerySlotCount>;

// A quantity that is a function of another alone never stands with it: the dependent pairs.
struct DependentPair {
    int first;
    int second;
};
constexpr DependentPair kDependentPairs[] = {
    {kWetBulbSlot, kEnthalpySlot},
    {kMoistureSlot, kDewPointSlot},
};

// The click rule of the query dialog, run after tick box `index` changed its state; `ticked`
// holds the six ticks as they now stand. At most two quantities are ticked at a time and a
// dependent pair never stands together:
//  - the clicked slot's entry box opens when it is ticked, and closes (emptied) otherwise;
//  - with two ticked, every unticked slot is locked; with fewer, every unticked tick box can
//    be ticked again;
//  - ticking one of a dependent pair locks the other; unticking it makes the other tickable;
//  - after an untick (other than of a pair's first), a pair with one side still ticked keeps
//    its other side locked (the second side is looked at first).
// Later steps override earlier ones for the same box.
SlotChanges TickRule(const std::array<bool, kQuerySlotCount>& ticked, int index);

}  // namespace hygrova
