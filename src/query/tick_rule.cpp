#include "query/tick_rule.h"

#include <algorithm>

namespace hygrova {

SlotChanges TickRule(const std::array<bool, kQuerySlotCount>& ticked, int index)
{
    SlotChanges changes{};
    const auto lock = [&changes](int j) { changes[j] = {TickChange::Locked, EntryChange::Closed}; };
    const bool nowTicked = ticked[index];
    const auto count = std::count(ticked.begin(), ticked.end(), true);

    changes[index].entry = nowTicked ? EntryChange::Open : EntryChange::Closed;
    for (int j = 0; j < kQuerySlotCount; ++j) {
        if (ticked[j]) {
            continue;
        }
        if (count == 2) {
            lock(j);
        } else if (count < 2) {
            changes[j].tick = TickChange::Tickable;
        }
    }
    for (const DependentPair& pair : kDependentPairs) {
        if (index != pair.first && index != pair.second) {
            continue;
        }
        const int partner = index == pair.first ? pair.second : pair.first;
        if (nowTicked) {
            lock(partner);
        } else {
            changes[partner].tick = TickChange::Tickable;
        }
    }
    if (!nowTicked) {
        for (const DependentPair& pair : kDependentPairs) {
            if (index == pair.first) {
                continue;
            }
            if (ticked[pair.second]) {
                lock(pair.first);
            } else if (ticked[pair.first]) {
                lock(pair.second);
            }
        }
    }
    return changes;
}

}  // namespace hygrova
