#include "query/tick_rule.h"

#include <algorithm>

namespace hygrova {
namespace {

// The dependent partner of each slot, or -1 for none.
constexpr std::array<int, kQuerySlotCount> kPartners = {
    -1, kEnthalpySlot, -1, kDewPointSlot, kWetBulbSlot, kMoistureSlot,
};

}  // namespace

SlotStates SlotStatesFor(const std::array<bool, kQuerySlotCount>& ticked)
{
    const auto count = std::count(ticked.begin(), ticked.end(), true);
    SlotStates states;
    for (int slot = 0; slot < kQuerySlotCount; ++slot) {
        const int partner = kPartners[slot];
        const bool partnerTicked = partner >= 0 && ticked[partner];
        states[slot].tickable = ticked[slot] || (count < 2 && !partnerTicked);
        states[slot].open = ticked[slot];
    }
    return states;
}

}  // namespace hygrova
