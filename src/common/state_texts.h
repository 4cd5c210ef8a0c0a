#pragma once

#include <array>
#include <string>
#include <string_view>

namespace hygrova {

// The eight quantities of a state of moist air, in the order the program shows them: the
// readout boxes of the main window and the result boxes of the results window (Text1..Text8).
enum StateQuantity : int {
    kQuantityDryBulb = 0,         // dry-bulb temperature, deg C
    kQuantityWetBulb = 1,         // wet-bulb temperature, deg C
    kQuantityDewPoint = 2,        // dew-point temperature, deg C; empty when absent
    kQuantityRelHumidity = 3,     // relative humidity, %
    kQuantityMoisture = 4,        // moisture content, g/kg dry air
    kQuantityEnthalpy = 5,        // specific enthalpy, kJ/kg dry air
    kQuantityVolume = 6,          // specific volume, m3/kg dry air
    kQuantityVapourPressure = 7,  // water-vapour partial pressure, Pa
};
constexpr int kStateQuantityCount = 8;

// How the program names a quantity: the short name of hygrova-calc's columns and keys, the
// caption of its box in the windows, and the unit of its text.
struct QuantityCaption {
    std::string_view name;
    std::string_view caption;
    std::string_view unit;
};

// The eight quantities' names, captions and units, indexed by StateQuantity.
inline constexpr std::array<QuantityCaption, kStateQuantityCount> kQuantityCaptions = {{
    {"tdb", "干球温度(℃)", "°C"},
    {"twb", "湿球温度(℃)", "°C"},
    {"tdp", "露点温度(℃)", "°C"},
    {"rh", "相对湿度(%)", "%"},
    {"d", "含湿量(g/kg干)", "g/kg"},
    {"h", "焓(kJ/kg干)", "kJ/kg"},
    {"v", "比容(m3/kg干)", "m3/kg"},
    {"pv", "水蒸气分压(Pa)", "Pa"},
}};

// The texts of the eight quantities, indexed by StateQuantity.
using StateTexts = std::array<std::string, kStateQuantityCount>;

}  // namespace hygrova
