#pragma once

// The plain values a project is made of. Numbers the user types are kept as the texts typed
// and read with the leading-number parse whenever the project is evaluated, as the query
// reads its entry boxes.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace hygrova {

// Ids are positive, unique within a project among states and operations together, and never
// reused while the project is open.
using StateId = std::uint32_t;
using OperationId = std::uint32_t;

// Two known parameters of a state as typed: slots as the query numbers them (QuerySlot), the
// smaller first, and their texts.
struct KnownPair {
    int firstSlot = 0;
    std::string firstText;
    int secondSlot = 0;
    std::string secondText;
    friend bool operator==(const KnownPair&, const KnownPair&) = default;
};

// One state of the list. A state either is typed (known holds its pair) or is produced by the
// one operation that names it as its output.
struct ProjectState {
    StateId id = 0;
    std::string label;
    std::string note;
    std::optional<KnownPair> known;
    friend bool operator==(const ProjectState&, const ProjectState&) = default;
};

// How an air flow is given: volume at the inlet state's specific volume, or mass of dry air.
enum class FlowUnit { CubicMetresPerHour, KilogramsPerHour };

// The air flow of a process, as typed; an empty text means no flow (no loads are shown).
struct AirFlow {
    std::string text;
    FlowUnit unit = FlowUnit::CubicMetresPerHour;
    friend bool operator==(const AirFlow&, const AirFlow&) = default;
};

// How much of each air a mix takes: a ratio of dry-air masses (first : second), or the two
// air flows in m3/h at each state's specific volume.
enum class MixBasis { MassRatio, Flows };
struct MixAmounts {
    MixBasis basis = MixBasis::MassRatio;
    std::string firstText;
    std::string secondText;
    friend bool operator==(const MixAmounts&, const MixAmounts&) = default;
};

// Where a line of given heat-moisture ratio ends: at a relative humidity (%), a dry-bulb
// temperature (deg C) or a change of dry-bulb temperature from its start (K).
enum class LineEnd { RelHumidity, DryBulb, TemperatureChange };

// A line of heat-moisture ratio epsilon (kJ/kg, as typed; "∞" for a line of constant
// moisture content) and its end.
struct EpsilonLine {
    std::string epsilonText;
    LineEnd end = LineEnd::RelHumidity;
    std::string endText;
    friend bool operator==(const EpsilonLine&, const EpsilonLine&) = default;
};

// A process from one state to another, drawn as an arrow.
struct ProcessOperation {
    StateId from = 0;
    StateId to = 0;
    AirFlow flow;
    friend bool operator==(const ProcessOperation&, const ProcessOperation&) = default;
};

// The mix of two states; produces the mixed state `output`.
struct MixOperation {
    StateId first = 0;
    StateId second = 0;
    StateId output = 0;
    MixAmounts amounts;
    friend bool operator==(const MixOperation&, const MixOperation&) = default;
};

// A line of given heat-moisture ratio from `from`; produces its end state `output`.
struct EpsilonLineOperation {
    StateId from = 0;
    StateId output = 0;
    EpsilonLine line;
    friend bool operator==(const EpsilonLineOperation&, const EpsilonLineOperation&) = default;
};

struct Operation {
    OperationId id = 0;
    std::variant<ProcessOperation, MixOperation, EpsilonLineOperation> kind;
    friend bool operator==(const Operation&, const Operation&) = default;
};

// The state an operation produces; 0 for a process.
StateId OutputOf(const Operation& operation);
// The states the operation reads: from and to, first and second, or from.
std::vector<StateId> InputsOf(const Operation& operation);
// Whether the operation reads the state `id` (as an input, not as its output).
bool Reads(const Operation& operation, StateId id);

// The chart's colors (QBColor indexes 0..15) and spacings (1, 5 or 10), as AppState holds
// them; the defaults are the program's.
struct ChartLook {
    std::int16_t moistureLineColor = 0;
    std::int16_t enthalpyLineColor = 2;
    std::int16_t rhLineColor = 9;
    std::int16_t isothermColor = 7;
    std::int16_t moistureLineSpacing = 1;
    std::int16_t enthalpyLineSpacing = 1;
    std::int16_t isothermSpacing = 1;
    friend bool operator==(const ChartLook&, const ChartLook&) = default;
};

}  // namespace hygrova
