#include "query/quantity_names.h"

#include "query/state_point.h"

namespace hygrova {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char c = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (c != b[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<int> SlotOfName(std::string_view name)
{
    for (int slot = 0; slot < kQuerySlotCount; ++slot) {
        if (SameIgnoringCase(name, NameOfSlot(slot))) {
            return slot;
        }
    }
    return std::nullopt;
}

std::string_view NameOfSlot(int slot)
{
    return kQuantityCaptions[kSlotQuantities.at(static_cast<std::size_t>(slot))].name;
}

}  // namespace hygrova
