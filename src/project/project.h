#pragma once

// An air-handling design: the atmospheric pressure, the chart's look, a list of labelled
// states of moist air and a list of operations between them (processes, mixes, lines of a
// given heat-moisture ratio). A state is kept as what defines it: the two known parameters as
// typed, or the operation that produces it. Everything shown is recomputed from that by
// EvaluateProject (project_evaluation.h); nothing derived is stored here, so nothing can go
// stale. Every successful edit counts one revision, which tells a window whether the project
// changed since it was last saved or opened.

#include "measured/zone.h"
#include "project/project_types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

// What an edit gives back: the new state's or operation's id, or the message that tells why
// nothing was changed (then id is 0).
struct EditOutcome {
    std::uint32_t id = 0;
    std::string problem;  // empty when the edit was made
};

class Project {
public:
    // An empty project at the standard pressure (101325 Pa) with the default chart look.
    Project();

    // --- Pressure and chart look ---------------------------------------------------------
    // The pressure as typed, Pa, and as the chart uses it (AtmosphericPressure), hPa.
    const std::string& PressureText() const { return m_pressureText; }
    float PressureHpa() const { return m_pressureHpa; }
    // Takes a pressure typed in Pa, checked as the settings dialog's "应用" checks it; gives
    // the dialog's message and keeps the pressure when the text is refused.
    std::string SetPressure(std::string_view textPa);
    const ChartLook& Look() const { return m_look; }
    void SetLook(const ChartLook& look);

    // --- States --------------------------------------------------------------------------
    const std::vector<ProjectState>& States() const { return m_states; }
    const ProjectState* FindState(StateId id) const;
    // Adds a state defined by two known parameters as typed, with the next free label (A, B,
    // ... Z, AA, AB, ...) when `label` is empty. Refused with the query's warning or fault
    // when the pair gives no state at the project's pressure.
    EditOutcome AddTypedState(const KnownPair& pair, std::string label = {});
    // Adds the state under a point of the chart, (d, h) from the chart mapping: defined as the
    // pair moisture content and enthalpy with the texts the pointer readout shows for them.
    // Refused beyond the saturation curve (where the readout is blank) and outside the query's
    // ranges.
    EditOutcome AddStateAtChart(float d, float h, std::string label = {});
    // Gives a typed state a new pair; refused like AddTypedState, and for a produced state.
    std::string SetStatePair(StateId id, const KnownPair& pair);
    // Renames a state; an empty label is refused.
    std::string RenameState(StateId id, std::string label);
    std::string SetStateNote(StateId id, std::string note);
    // Moves a state to `index` in the list (clamped to the list).
    void MoveState(StateId id, std::size_t index);
    // Removes a state with every operation that uses or produces it and, in turn, the states
    // those operations produce. Gives the ids of the states removed, this one first.
    std::vector<StateId> DeleteState(StateId id);
    // The states DeleteState(id) would remove besides id itself, for the confirmation.
    std::vector<StateId> StatesDependingOn(StateId id) const;
    // The label the next state gets by default.
    std::string NextLabel() const;

    // --- Operations ------------------------------------------------------------------------
    const std::vector<Operation>& Operations() const { return m_operations; }
    const Operation* FindOperation(OperationId id) const;
    // Connects two states as a process, with an optional air flow for the loads.
    EditOutcome AddProcess(StateId from, StateId to, const AirFlow& flow = {});
    // Mixes two states; the mixed state is added to the list (label as for AddTypedState) and
    // its id is the outcome's id. Refused with the message of an amount that does not pass
    // its check, or of a mixed state the query cannot solve.
    EditOutcome AddMix(StateId first, StateId second, const MixAmounts& amounts,
                       std::string label = {});
    // Lays a line of the given heat-moisture ratio through `from` up to the end condition;
    // the end state is added (its id is the outcome's id). Refused like AddMix.
    EditOutcome AddEpsilonLine(StateId from, const EpsilonLine& line, std::string label = {});
    // Changes an operation's figures (the flow of a process, the amounts of a mix, the ratio
    // and end of a line), checked as when it was added; its kind and states stay.
    std::string SetProcessFlow(OperationId id, const AirFlow& flow);
    std::string SetMixAmounts(OperationId id, const MixAmounts& amounts);
    std::string SetEpsilonLine(OperationId id, const EpsilonLine& line);
    // Removes an operation with the state it produces and what depends on that. Gives the ids
    // of the states removed.
    std::vector<StateId> DeleteOperation(OperationId id);
    void MoveOperation(OperationId id, std::size_t index);

    // --- Zones ----------------------------------------------------------------------------
    // The zones measured readings are counted in, as typed.
    const std::vector<ZoneDefinition>& Zones() const { return m_zones; }
    // Replaces the zones; refused, with the text at fault named, when a limit is not a range.
    std::string SetZones(std::vector<ZoneDefinition> zones);

    // --- Changes ----------------------------------------------------------------------------
    // Counts every successful edit since the project was made or opened.
    std::uint64_t Revision() const { return m_revision; }
    // Whether the project changed since it was made, opened or last saved.
    bool IsModified() const { return m_revision != m_savedRevision; }
    void MarkSaved() { m_savedRevision = m_revision; }
    // Whether the project holds neither states nor operations.
    bool IsEmpty() const { return m_states.empty() && m_operations.empty(); }

    // The whole content as the file reader builds it: no check here, the reader checks.
    static Project FromParts(std::string pressureText, float pressureHpa, const ChartLook& look,
                             std::vector<ProjectState> states, std::vector<Operation> operations,
                             std::vector<ZoneDefinition> zones = {});

private:
    ProjectState* MutableState(StateId id);
    Operation* MutableOperation(OperationId id);
    std::uint32_t NewId() { return m_nextId++; }
    std::string LabelOrNext(std::string label) const;
    // Adds an operation that produces a state: checks the result on a copy first, so that a
    // refused operation leaves the project untouched.
    EditOutcome AddProducing(Operation operation, std::string label);
    // Replaces an operation's figures when the result still solves.
    std::string ReplaceOperation(OperationId id, const Operation& changed);
    // Sets one member of an operation of the kind Kind, through ReplaceOperation.
    template <typename Kind, typename Field>
    std::string ChangeFigures(OperationId id, Field Kind::*member, const Field& value);
    std::vector<StateId> RemoveCascade(std::vector<StateId> doomedStates,
                                       std::vector<OperationId> doomedOperations);
    void Changed() { ++m_revision; }

    std::string m_pressureText;
    float m_pressureHpa;
    ChartLook m_look;
    std::vector<ProjectState> m_states;
    std::vector<Operation> m_operations;
    std::vector<ZoneDefinition> m_zones;
    std::uint32_t m_nextId = 1;
    std::uint64_t m_revision = 0;
    std::uint64_t m_savedRevision = 0;
};

}  // namespace hygrova
