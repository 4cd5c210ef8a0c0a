#include "project/project.h"

#include "chart/readout.h"
#include "project/project_evaluation.h"
#include "project/typed_amounts.h"
#include "common/standard_pressure.h"
#include "query/pressure_rule.h"

#include <algorithm>
#include <utility>  // std::as_const
#include <variant>

namespace hygrova {
namespace {

constexpr std::string_view kNoSuchState = "没有这个状态点";
constexpr std::string_view kNoSuchOperation = "没有这个操作";
constexpr std::string_view kEmptyLabel = "请输入状态点的名称！";
constexpr std::string_view kProducedState = "该状态点由操作得出，不能直接输入参数";
constexpr std::string_view kSameStates = "请选择两个不同的状态点";
constexpr std::string_view kBeyondSaturation = "此处在饱和线之外，不能添加状态点";

// The label of position n (0-based) of the sequence A..Z, AA..AZ, BA.., as spreadsheet
// columns are named.
std::string SequenceLabel(std::size_t n)
{
    std::string label;
    for (std::size_t k = n + 1; k > 0; k = (k - 1) / 26) {
        label.insert(label.begin(), static_cast<char>('A' + (k - 1) % 26));
    }
    return label;
}

template <typename T>
void MoveTo(std::vector<T>& items, std::size_t from, std::size_t index)
{
    index = std::min(index, items.size() - 1);
    T item = std::move(items[from]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(from));
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
}

template <typename T>
std::optional<std::size_t> IndexOfId(const std::vector<T>& items, std::uint32_t id)
{
    const auto found =
        std::find_if(items.begin(), items.end(), [id](const T& item) { return item.id == id; });
    if (found == items.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - items.begin());
}

// The problem of a state row, or the problem of the operation that produced it.
std::string ProblemOfRow(const ProjectEvaluation& evaluation, StateId id)
{
    for (const StateRow& row : evaluation.states) {
        if (row.id == id) {
            return row.problem;
        }
    }
    return std::string(kNoSuchState);
}

}  // namespace

StateId OutputOf(const Operation& operation)
{
    if (const auto* mix = std::get_if<MixOperation>(&operation.kind)) {
        return mix->output;
    }
    if (const auto* line = std::get_if<EpsilonLineOperation>(&operation.kind)) {
        return line->output;
    }
    return 0;
}

std::vector<StateId> InputsOf(const Operation& operation)
{
    if (const auto* process = std::get_if<ProcessOperation>(&operation.kind)) {
        return {process->from, process->to};
    }
    if (const auto* mix = std::get_if<MixOperation>(&operation.kind)) {
        return {mix->first, mix->second};
    }
    return {std::get<EpsilonLineOperation>(operation.kind).from};
}

bool Reads(const Operation& operation, StateId id)
{
    const std::vector<StateId> inputs = InputsOf(operation);
    return std::find(inputs.begin(), inputs.end(), id) != inputs.end();
}

Project::Project()
    : m_pressureText(kStandardPressureText),
      m_pressureHpa(ReadPressurePa(kStandardPressureText).pressureHpa)
{
}

std::string Project::SetZones(std::vector<ZoneDefinition> zones)
{
    for (const ZoneDefinition& zone : zones) {
        if (const ZoneReading reading = ReadZone(zone); !reading.limits) {
            return "区域“" + zone.label + "”的 " + reading.badField + " 应为“下限:上限”，如“20:26”";
        }
    }
    m_zones = std::move(zones);
    Changed();
    return {};
}

Project Project::FromParts(std::string pressureText, float pressureHpa, const ChartLook& look,
                           std::vector<ProjectState> states, std::vector<Operation> operations,
                           std::vector<ZoneDefinition> zones)
{
    Project project;
    project.m_zones = std::move(zones);
    project.m_pressureText = std::move(pressureText);
    project.m_pressureHpa = pressureHpa;
    project.m_look = look;
    project.m_states = std::move(states);
    project.m_operations = std::move(operations);
    for (const ProjectState& state : project.m_states) {
        project.m_nextId = std::max(project.m_nextId, state.id + 1);
    }
    for (const Operation& operation : project.m_operations) {
        project.m_nextId = std::max(project.m_nextId, operation.id + 1);
    }
    return project;
}

std::string Project::SetPressure(std::string_view textPa)
{
    const PressureReading reading = ReadPressurePa(textPa);
    if (!reading.problem.empty()) {
        return std::string(reading.problem);
    }
    if (textPa != m_pressureText || reading.pressureHpa != m_pressureHpa) {
        m_pressureText = textPa;
        m_pressureHpa = reading.pressureHpa;
        Changed();
    }
    return {};
}

void Project::SetLook(const ChartLook& look)
{
    if (look != m_look) {
        m_look = look;
        Changed();
    }
}

const ProjectState* Project::FindState(StateId id) const
{
    const std::optional<std::size_t> index = IndexOfId(m_states, id);
    return index ? &m_states[*index] : nullptr;
}

ProjectState* Project::MutableState(StateId id)
{
    return const_cast<ProjectState*>(std::as_const(*this).FindState(id));
}

const Operation* Project::FindOperation(OperationId id) const
{
    const std::optional<std::size_t> index = IndexOfId(m_operations, id);
    return index ? &m_operations[*index] : nullptr;
}

Operation* Project::MutableOperation(OperationId id)
{
    return const_cast<Operation*>(std::as_const(*this).FindOperation(id));
}

std::string Project::NextLabel() const
{
    for (std::size_t n = 0;; ++n) {
        std::string label = SequenceLabel(n);
        const bool used = std::any_of(m_states.begin(), m_states.end(),
                                      [&](const ProjectState& s) { return s.label == label; });
        if (!used) {
            return label;
        }
    }
}

std::string Project::LabelOrNext(std::string label) const
{
    return label.empty() ? NextLabel() : label;
}

EditOutcome Project::AddTypedState(const KnownPair& pair, std::string label)
{
    const StatePointOutcome outcome = SolvePair(pair, m_pressureHpa);
    if (!std::holds_alternative<StateTexts>(outcome)) {
        return {0, std::string(ProblemOf(outcome))};
    }
    const StateId id = NewId();
    m_states.push_back({id, LabelOrNext(std::move(label)), {}, pair});
    Changed();
    return {id, {}};
}

EditOutcome Project::AddStateAtChart(float d, float h, std::string label)
{
    if (ReadoutOf(d, h, m_pressureHpa)[kQuantityMoisture].empty()) {
        return {0, std::string(kBeyondSaturation)};
    }
    return AddTypedState(MoistureEnthalpyPair(d, h), std::move(label));
}

std::string Project::SetStatePair(StateId id, const KnownPair& pair)
{
    ProjectState* state = MutableState(id);
    if (!state) {
        return std::string(kNoSuchState);
    }
    if (!state->known) {
        return std::string(kProducedState);
    }
    const StatePointOutcome outcome = SolvePair(pair, m_pressureHpa);
    if (!std::holds_alternative<StateTexts>(outcome)) {
        return std::string(ProblemOf(outcome));
    }
    if (pair != *state->known) {
        state->known = pair;
        Changed();
    }
    return {};
}

std::string Project::RenameState(StateId id, std::string label)
{
    ProjectState* state = MutableState(id);
    if (!state) {
        return std::string(kNoSuchState);
    }
    if (label.empty()) {
        return std::string(kEmptyLabel);
    }
    if (label != state->label) {
        state->label = std::move(label);
        Changed();
    }
    return {};
}

std::string Project::SetStateNote(StateId id, std::string note)
{
    ProjectState* state = MutableState(id);
    if (!state) {
        return std::string(kNoSuchState);
    }
    if (note != state->note) {
        state->note = std::move(note);
        Changed();
    }
    return {};
}

void Project::MoveState(StateId id, std::size_t index)
{
    const std::optional<std::size_t> from = IndexOfId(m_states, id);
    if (from && std::min(index, m_states.size() - 1) != *from) {
        MoveTo(m_states, *from, index);
        Changed();
    }
}

std::vector<StateId> Project::StatesDependingOn(StateId id) const
{
    Project copy = *this;
    std::vector<StateId> removed = copy.DeleteState(id);
    if (!removed.empty()) {
        removed.erase(removed.begin());
    }
    return removed;
}

std::vector<StateId> Project::DeleteState(StateId id)
{
    if (!FindState(id)) {
        return {};
    }
    return RemoveCascade({id}, {});
}

std::vector<StateId> Project::DeleteOperation(OperationId id)
{
    const Operation* operation = FindOperation(id);
    if (!operation) {
        return {};
    }
    const StateId output = OutputOf(*operation);
    return RemoveCascade(output ? std::vector<StateId>{output} : std::vector<StateId>{}, {id});
}

// Removes the doomed states and operations and, until nothing more follows, every operation
// reading or producing a removed state and every state a removed operation produced.
std::vector<StateId> Project::RemoveCascade(std::vector<StateId> doomedStates,
                                            std::vector<OperationId> doomedOperations)
{
    const auto doomed = [](const std::vector<std::uint32_t>& ids, std::uint32_t id) {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    for (bool grew = true; grew;) {
        grew = false;
        for (const Operation& operation : m_operations) {
            const StateId output = OutputOf(operation);
            const bool touches = std::any_of(doomedStates.begin(), doomedStates.end(),
                                             [&](StateId s) { return Reads(operation, s); }) ||
                                 (output && doomed(doomedStates, output));
            if (touches && !doomed(doomedOperations, operation.id)) {
                doomedOperations.push_back(operation.id);
                grew = true;
            }
            if (doomed(doomedOperations, operation.id) && output &&
                !doomed(doomedStates, output)) {
                doomedStates.push_back(output);
                grew = true;
            }
        }
    }
    std::erase_if(m_states, [&](const ProjectState& s) { return doomed(doomedStates, s.id); });
    std::erase_if(m_operations,
                  [&](const Operation& o) { return doomed(doomedOperations, o.id); });
    Changed();
    return doomedStates;
}

EditOutcome Project::AddProcess(StateId from, StateId to, const AirFlow& flow)
{
    if (!FindState(from) || !FindState(to)) {
        return {0, std::string(kNoSuchState)};
    }
    if (from == to) {
        return {0, std::string(kSameStates)};
    }
    if (!flow.text.empty()) {
        if (const AmountReading reading = ReadAirFlow(flow.text); !reading.problem.empty()) {
            return {0, std::string(reading.problem)};
        }
    }
    const OperationId id = NewId();
    m_operations.push_back({id, ProcessOperation{from, to, flow}});
    Changed();
    return {id, {}};
}

EditOutcome Project::AddMix(StateId first, StateId second, const MixAmounts& amounts,
                            std::string label)
{
    if (!FindState(first) || !FindState(second)) {
        return {0, std::string(kNoSuchState)};
    }
    if (first == second) {
        return {0, std::string(kSameStates)};
    }
    return AddProducing({0, MixOperation{first, second, 0, amounts}}, std::move(label));
}

EditOutcome Project::AddEpsilonLine(StateId from, const EpsilonLine& line, std::string label)
{
    if (!FindState(from)) {
        return {0, std::string(kNoSuchState)};
    }
    return AddProducing({0, EpsilonLineOperation{from, 0, line}}, std::move(label));
}

EditOutcome Project::AddProducing(Operation operation, std::string label)
{
    Project trial = *this;
    operation.id = trial.NewId();
    const StateId output = trial.NewId();
    std::visit(
        [output](auto& kind) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(kind)>, ProcessOperation>) {
                kind.output = output;
            }
        },
        operation.kind);
    trial.m_states.push_back({output, trial.LabelOrNext(std::move(label)), {}, std::nullopt});
    trial.m_operations.push_back(std::move(operation));
    if (std::string problem = ProblemOfRow(EvaluateProject(trial), output); !problem.empty()) {
        return {0, std::move(problem)};
    }
    trial.Changed();
    *this = std::move(trial);
    return {output, {}};
}

std::string Project::ReplaceOperation(OperationId id, const Operation& changed)
{
    Project trial = *this;
    *trial.MutableOperation(id) = changed;
    const StateId output = OutputOf(changed);
    if (output) {
        if (std::string problem = ProblemOfRow(EvaluateProject(trial), output); !problem.empty()) {
            return problem;
        }
    }
    if (changed != *FindOperation(id)) {
        trial.Changed();
        *this = std::move(trial);
    }
    return {};
}

template <typename Kind, typename Field>
std::string Project::ChangeFigures(OperationId id, Field Kind::*member, const Field& value)
{
    const Operation* operation = FindOperation(id);
    if (!operation || !std::holds_alternative<Kind>(operation->kind)) {
        return std::string(kNoSuchOperation);
    }
    Operation changed = *operation;
    std::get<Kind>(changed.kind).*member = value;
    return ReplaceOperation(id, changed);
}

std::string Project::SetProcessFlow(OperationId id, const AirFlow& flow)
{
    if (!flow.text.empty()) {
        if (const AmountReading reading = ReadAirFlow(flow.text); !reading.problem.empty()) {
            return std::string(reading.problem);
        }
    }
    return ChangeFigures(id, &ProcessOperation::flow, flow);
}

std::string Project::SetMixAmounts(OperationId id, const MixAmounts& amounts)
{
    return ChangeFigures(id, &MixOperation::amounts, amounts);
}

std::string Project::SetEpsilonLine(OperationId id, const EpsilonLine& line)
{
    return ChangeFigures(id, &EpsilonLineOperation::line, line);
}

void Project::MoveOperation(OperationId id, std::size_t index)
{
    const std::optional<std::size_t> from = IndexOfId(m_operations, id);
    if (from && std::min(index, m_operations.size() - 1) != *from) {
        MoveTo(m_operations, *from, index);
        Changed();
    }
}

}  // namespace hygrova
