#pragma once

#include <array>
#include <string>

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

// The texts of the eight quantities, indexed by StateQuantity.
using StateTexts = std::array<std::string, kStateQuantityCount>;

}  // namespace hygrova
