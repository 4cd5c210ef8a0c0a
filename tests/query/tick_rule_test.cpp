#include "query/tick_rule.h"

#include <string>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// One letter per slot (dry bulb, wet bulb, RH, moisture, enthalpy, dew point). Ticks: 'V'
// ticked. Tick boxes: 't' tickable, 'l' locked. Entry boxes: 'o' open, 'c' closed.
std::string TickLetters(const SlotStates& states)
{
    std::string letters;
    for (const SlotState& state : states) {
        letters += state.tickable ? 't' : 'l';
    }
    return letters;
}

std::string EntryLetters(const SlotStates& states)
{
    std::string letters;
    for (const SlotState& state : states) {
        letters += state.open ? 'o' : 'c';
    }
    return letters;
}

// The query dialog's slots: two ticks lock the rest, fewer leave every box tickable, and
// wet bulb/enthalpy and moisture content/dew point never stand together.
TEST(TickRuleTest, TicksGiveTheSlotStates)
{
    struct Row {
        const char* name;
        const char* ticks;
        const char* tickable;
        const char* entries;
    };
    const Row rows[] = {
        {"nothing ticked frees every box", "------", "tttttt", "cccccc"},
        {"a tick opens its entry", "V-----", "tttttt", "occccc"},
        {"wet bulb locks enthalpy", "-V----", "ttttlt", "cocccc"},
        {"enthalpy locks wet bulb", "----V-", "tltttt", "ccccoc"},
        {"dew point locks moisture content", "-----V", "tttltt", "ccccco"},
        {"two ticks lock the other four", "V-V---", "tltlll", "ococcc"},
        {"two partners of pairs lock the rest", "-V-V--", "ltltll", "cococc"},
    };
    for (const Row& row : rows) {
        std::array<bool, kQuerySlotCount> ticked{};
        for (int i = 0; i < kQuerySlotCount; ++i) {
            ticked[i] = row.ticks[i] == 'V';
        }
        const SlotStates states = SlotStatesFor(ticked);
        EXPECT_EQ(TickLetters(states), row.tickable) << row.name;
        EXPECT_EQ(EntryLetters(states), row.entries) << row.name;
    }
}

}  // namespace
}  // namespace hygrova
