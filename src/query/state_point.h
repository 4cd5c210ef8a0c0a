#pragma once

#include "common/standard_pressure.h"
#include "common/state_texts.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace hygrova {

// Slot indexes of the six parameters a query can name, as numbered in the query dialog.
enum QuerySlot : int {
    kDryBulbSlot = 0,      // "干球温度(℃)", deg C
    kWetBulbSlot = 1,      // "湿球温度(℃)", deg C
    kRelHumiditySlot = 2,  // "相对湿度(%)", percent
    kMoistureSlot = 3,     // "含湿量(g/kg干)", g/kg dry air
    kEnthalpySlot = 4,     // "焓(kJ/kg干)", kJ/kg dry air
    kDewPointSlot = 5,     // "露点温度(℃)", deg C
};
constexpr int kQuerySlotCount = 6;

// The quantity each slot names, indexed by QuerySlot.
inline constexpr std::array<StateQuantity, kQuerySlotCount> kSlotQuantities = {
    kQuantityDryBulb,  kQuantityWetBulb,  kQuantityRelHumidity,
    kQuantityMoisture, kQuantityEnthalpy, kQuantityDewPoint,
};

// The inputs of one press of "确定": which parameters are ticked, the texts of their entry
// boxes (UTF-8) and the atmospheric pressure in hPa.
struct StatePointQuery {
    std::array<bool, kQuerySlotCount> ticked{};
    std::array<std::string, kQuerySlotCount> texts{};
    float pressure = kStandardPressureHpa;
};

// An input problem: the message for the warning box and the entry box (slot index) that
// receives the keyboard focus afterwards, if any.
struct StatePointWarning {
    std::string message;
    std::optional<int> focus;
};

// An arithmetic fault during the calculation, with its description for the warning box.
struct StatePointFault {
    std::string description;
};

using StatePointOutcome = std::variant<StatePointWarning, StatePointFault, StateTexts>;

// Solves the state of moist air from the two ticked parameters: checks the selection, the
// entry texts and their ranges (the first problem found becomes the warning), runs the
// calculation chain of the pair and rounds and formats the eight quantities (results:
// StateTexts, the dew point empty when absent). Arithmetic faults become a StatePointFault;
// nothing escapes as an exception.
StatePointOutcome SolveStatePoint(const StatePointQuery& query);

// One entry of the query read and checked alone, as "确定" reads a ticked box: the value
// stored in single precision (relative humidity as a fraction), or the box's empty-box or
// range message (then value is 0).
struct EntryReading {
    float value = 0;
    std::string_view problem;
};
EntryReading ReadEntry(int slot, const std::string& text);

// The message of a warning or the description of a fault; empty for results.
std::string_view ProblemOf(const StatePointOutcome& outcome);

namespace reference {

// SolveStatePoint on the step-by-step reference forms of the saturation pressure, the
// solvers, the rounding and the number text: what the fast SolveStatePoint is proven
// against by the deep check.
StatePointOutcome SolveStatePoint(const StatePointQuery& query);

}  // namespace reference

}  // namespace hygrova
