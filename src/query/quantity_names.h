#pragma once

// The command line's names of the quantities of moist air: the six parameters a query can
// name, and the eight result columns in the results window's order with their captions.

#include "common/state_texts.h"

#include <array>
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

// One of the eight result quantities: its column name, the results window's caption and the
// unit of its text.
struct ResultColumn {
    std::string_view name;
    std::string_view caption;
    std::string_view unit;
};

// The eight quantities in the order of the results window's boxes Text1..Text8, indexed by
// StateQuantity.
inline constexpr std::array<ResultColumn, kStateQuantityCount> kResultColumns = {{
    {"tdb", "干球温度(℃)", "°C"},
    {"twb", "湿球温度(℃)", "°C"},
    {"tdp", "露点温度(℃)", "°C"},
    {"rh", "相对湿度(%)", "%"},
    {"d", "含湿量(g/kg干)", "g/kg"},
    {"h", "焓(kJ/kg干)", "kJ/kg"},
    {"v", "比容(m3/kg干)", "m3/kg"},
    {"pv", "水蒸气分压(Pa)", "Pa"},
}};

}  // namespace hygrova
