#include "query/tick_rule.h"

#include <string>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// One letter per slot (dry bulb, wet bulb, RH, moisture, enthalpy, dew point). Ticks: 'V'
// ticked. Tick boxes: 'k' kept, 't' tickable, 'l' locked. Entry boxes: 'k' kept, 'o' open,
// 'c' closed and emptied.
std::string TickLetters(const SlotChanges& changes)
{
    std::string letters;
    for (const SlotChange& change : changes) {
        letters += "ktl"[static_cast<int>(change.tick)];
    }
    return letters;
}

std::string EntryLetters(const SlotChanges& changes)
{
    std::string letters;
    for (const SlotChange& change : changes) {
        letters += "koc"[static_cast<int>(change.entry)];
    }
    return letters;
}

// The query dialog's behaviour: two ticks lock the rest, fewer free every unticked box, and
// wet bulb/enthalpy and moisture content/dew point never stand together.
TEST(TickRuleTest, ClickOutcomes)
{
    struct Row {
        const char* name;
        const char* ticksAfter;
        int clicked;
        const char* ticks;
        const char* entries;
    };
    const Row rows[] = {
        {"first tick opens its entry", "V-----", 0, "kttttt", "okkkkk"},
        {"wet bulb locks enthalpy", "-V----", 1, "tkttlt", "kokkck"},
        {"second tick locks the other four", "V-V---", 2, "klklll", "kcoccc"},
        {"untick beside wet bulb keeps enthalpy locked", "-V----", 2, "tkttlt", "kkckck"},
        {"untick beside enthalpy keeps wet bulb locked", "----V-", 0, "tlttkt", "cckkkk"},
        {"unticked dew point frees moisture content", "------", 5, "tttttt", "kkkkkc"},
    };
    for (const Row& row : rows) {
        std::array<bool, kQuerySlotCount> ticked{};
        for (int i = 0; i < kQuerySlotCount; ++i) {
            ticked[i] = row.ticksAfter[i] == 'V';
        }
        const SlotChanges changes = TickRule(ticked, row.clicked);
        EXPECT_EQ(TickLetters(changes), row.ticks) << row.name;
        EXPECT_EQ(EntryLetters(changes), row.entries) << row.name;
    }
}

}  // namespace
}  // namespace hygrova
