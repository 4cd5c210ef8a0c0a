#include "project/project_evaluation.h"

#include "common/decimal_rounding.h"
#include "common/number_text.h"
#include "common/state_texts.h"
#include "model/arithmetic_fault.h"
#include "model/checked_math.h"
#include "project/air_arithmetic.h"
#include "project/typed_amounts.h"

#include <cmath>
#include <unordered_map>
#include <variant>

namespace hygrova {

const std::array<FigureColumn, kProcessFigureCount> kFigureColumns = {{
    {"dt", "温差Δt(℃)", "K"},
    {"dd", "含湿量差Δd(g/kg干)", "g/kg"},
    {"dh", "焓差Δh(kJ/kg干)", "kJ/kg"},
    {"epsilon", "热湿比ε(kJ/kg)", "kJ/kg"},
    {"sensible", "显热部分(kJ/kg干)", "kJ/kg"},
    {"latent", "潜热部分(kJ/kg干)", "kJ/kg"},
    {"dry_air", "干空气流量(kg/h)", "kg/h"},
    {"load", "总负荷(kW)", "kW"},
    {"sensible_load", "显热负荷(kW)", "kW"},
    {"latent_load", "潜热负荷(kW)", "kW"},
    {"moisture", "湿量变化(kg/h)", "kg/h"},
}};

const std::array<int, kProcessFigureCount> kFigureDecimals = {3, 3, 3, 1, 3, 3, 1, 3, 3, 3, 3};

namespace {

constexpr std::string_view kInfinityText = "∞";
constexpr std::string_view kSupersaturatedRemark =
    "过饱和：相对湿度超过100%，状态点在饱和线之外，按计算结果保留，未移到饱和线上";
constexpr std::string_view kCycleProblem = "状态点的定义互相引用，无法计算";
constexpr std::string_view kUndefinedProblem = "没有定义此状态点的操作";

std::string WithoutLeadingBlank(std::string text)
{
    if (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    return text;
}

// A figure rounded to its decimals and written as a plain number text; a rounded -0 is 0.
std::string FigureText(double value, int figure)
{
    float rounded = RoundToDecimals(Single(value), kFigureDecimals[figure]);
    if (rounded == 0) {
        rounded = 0;
    }
    return PlainNumberText(rounded);
}

std::string PairText(const KnownPair& pair)
{
    const auto part = [](int slot, const std::string& text) {
        return std::string(kQuantityCaptions[kSlotQuantities[slot]].caption) + " " + text;
    };
    return part(pair.firstSlot, pair.firstText) + "，" + part(pair.secondSlot, pair.secondText);
}

std::string MixDefinition(const MixAmounts& amounts)
{
    const std::string shares = amounts.firstText + ":" + amounts.secondText;
    return amounts.basis == MixBasis::MassRatio ? "质量比 " + shares : "风量 " + shares + " m3/h";
}

std::string LineDefinition(const EpsilonLine& line)
{
    static constexpr std::string_view kEndNames[] = {"相对湿度 ", "干球温度 ", "温差 "};
    static constexpr std::string_view kEndUnits[] = {"%", " ℃", " K"};
    const auto end = static_cast<std::size_t>(line.end);
    return "ε=" + line.epsilonText + "，至" + std::string(kEndNames[end]) + line.endText +
           std::string(kEndUnits[end]);
}

std::string FlowDefinition(const AirFlow& flow)
{
    if (flow.text.empty()) {
        return {};
    }
    return "风量 " + flow.text +
           (flow.unit == FlowUnit::CubicMetresPerHour ? " m3/h" : " kg/h（干空气）");
}

bool IsSupersaturated(const StateTexts& texts)
{
    return ParseLeadingNumber(texts[kQuantityRelHumidity]) > 100.0;
}

// A state's evaluation before it becomes a row.
struct Resolved {
    std::optional<KnownPair> pair;
    StateTexts texts;
    std::string problem;
    ShownState shown;
    bool HasTexts() const { return problem.empty(); }
};

// Evaluates the states on demand, each once, following the operations that produce them.
class Evaluator {
public:
    explicit Evaluator(const Project& project) : m_project(project)
    {
        const auto& states = project.States();
        m_resolved.resize(states.size());
        m_status.resize(states.size(), Status::Pending);
        for (std::size_t i = 0; i < states.size(); ++i) {
            m_stateIndex.emplace(states[i].id, i);
        }
        for (const Operation& operation : project.Operations()) {
            if (const StateId output = OutputOf(operation)) {
                m_producer.emplace(output, &operation);
            }
        }
    }

    StateRow StateRowAt(std::size_t index)
    {
        const ProjectState& state = m_project.States()[index];
        const Resolved& resolved = Resolve(index);
        StateRow row;
        row.id = state.id;
        row.label = state.label;
        row.note = state.note;
        row.origin = Origin(state);
        row.solvedPair = resolved.pair;
        row.texts = resolved.texts;
        row.problem = resolved.problem;
        if (resolved.HasTexts()) {
            row.place = ChartState{resolved.shown.d, resolved.shown.h};
            if (IsSupersaturated(resolved.texts)) {
                row.remark = kSupersaturatedRemark;
            }
        }
        return row;
    }

    OperationRow OperationRowOf(const Operation& operation)
    {
        OperationRow row;
        row.id = operation.id;
        if (const auto* process = std::get_if<ProcessOperation>(&operation.kind)) {
            row.kind = OperationKind::Process;
            row.kindName = "过程";
            row.from = process->from;
            row.to = process->to;
            row.title = Label(process->from) + " → " + Label(process->to);
            row.definition = FlowDefinition(process->flow);
            FillFigures(row, process->flow);
            if (row.problem.empty()) {
                row.chartLabel = "ε=" + WithoutLeadingBlank(row.figures[kFigureEpsilon]);
            }
        } else if (const auto* mix = std::get_if<MixOperation>(&operation.kind)) {
            row.kind = OperationKind::Mix;
            row.kindName = "混合";
            row.from = mix->first;
            row.to = mix->second;
            row.output = mix->output;
            row.title = Label(mix->first) + " + " + Label(mix->second) + " → " + Label(mix->output);
            row.definition = MixDefinition(mix->amounts);
            row.problem = ProblemOfState(mix->output);
        } else {
            const auto& line = std::get<EpsilonLineOperation>(operation.kind);
            row.kind = OperationKind::EpsilonLine;
            row.kindName = "热湿比线";
            row.from = line.from;
            row.to = line.output;
            row.output = line.output;
            row.title = Label(line.from) + " → " + Label(line.output);
            row.definition = LineDefinition(line.line);
            FillFigures(row, AirFlow{});
            row.chartLabel = "ε=" + line.line.epsilonText;
        }
        return row;
    }

private:
    enum class Status { Pending, Running, Done };

    const Resolved* Find(StateId id)
    {
        const auto found = m_stateIndex.find(id);
        return found == m_stateIndex.end() ? nullptr : &Resolve(found->second);
    }

    std::string Label(StateId id) const
    {
        const ProjectState* state = m_project.FindState(id);
        return state ? state->label : "?";
    }

    std::string ProblemOfState(StateId id)
    {
        const Resolved* resolved = Find(id);
        return resolved ? resolved->problem : std::string(kUndefinedProblem);
    }

    // The inputs of an operation, or the problem that one of them has.
    std::string InputProblem(std::initializer_list<StateId> ids)
    {
        for (const StateId id : ids) {
            const Resolved* input = Find(id);
            if (!input) {
                return std::string(kUndefinedProblem);
            }
            if (!input->HasTexts()) {
                return "状态点 " + Label(id) + " 没有结果";
            }
        }
        return {};
    }

    std::string Origin(const ProjectState& state) const
    {
        if (state.known) {
            return PairText(*state.known);
        }
        const auto producer = m_producer.find(state.id);
        if (producer == m_producer.end()) {
            return {};
        }
        if (const auto* mix = std::get_if<MixOperation>(&producer->second->kind)) {
            return Label(mix->first) + " 与 " + Label(mix->second) + " 混合，" +
                   MixDefinition(mix->amounts);
        }
        const auto& line = std::get<EpsilonLineOperation>(producer->second->kind);
        return "自 " + Label(line.from) + " 沿 " + LineDefinition(line.line);
    }

    const Resolved& Resolve(std::size_t index)
    {
        Resolved& resolved = m_resolved[index];
        if (m_status[index] == Status::Done) {
            return resolved;
        }
        if (m_status[index] == Status::Running) {
            resolved.problem = kCycleProblem;
            return resolved;
        }
        m_status[index] = Status::Running;
        resolved = Compute(m_project.States()[index]);
        m_status[index] = Status::Done;
        return resolved;
    }

    Resolved Compute(const ProjectState& state)
    {
        if (state.known) {
            return Solved(*state.known);
        }
        const auto producer = m_producer.find(state.id);
        if (producer == m_producer.end()) {
            return Failed(std::string(kUndefinedProblem));
        }
        if (const auto* mix = std::get_if<MixOperation>(&producer->second->kind)) {
            return Mixed(*mix);
        }
        return LineEnd(std::get<EpsilonLineOperation>(producer->second->kind));
    }

    Resolved Solved(const KnownPair& pair) const
    {
        Resolved resolved;
        resolved.pair = pair;
        const StatePointOutcome outcome = SolvePair(pair, m_project.PressureHpa());
        if (const auto* texts = std::get_if<StateTexts>(&outcome)) {
            resolved.texts = *texts;
            resolved.shown = ShownStateOf(*texts);
        } else {
            resolved.problem = ProblemOf(outcome);
        }
        return resolved;
    }

    static Resolved Failed(std::string problem)
    {
        Resolved resolved;
        resolved.problem = std::move(problem);
        return resolved;
    }

    Resolved Mixed(const MixOperation& mix)
    {
        if (std::string problem = InputProblem({mix.first, mix.second}); !problem.empty()) {
            return Failed(std::move(problem));
        }
        if (const std::string_view problem = MixSharesProblem(mix.amounts); !problem.empty()) {
            return Failed(std::string(problem));
        }
        const ShownState& first = Find(mix.first)->shown;
        const ShownState& second = Find(mix.second)->shown;
        const MixAmounts& amounts = mix.amounts;
        try {
            const double mFirst = MixMass(amounts.basis,
                                          ReadMixShare(amounts.basis, amounts.firstText).value,
                                          first.v);
            const double mSecond = MixMass(amounts.basis,
                                           ReadMixShare(amounts.basis, amounts.secondText).value,
                                           second.v);
            const ChartState at = MixOf(first, second, mFirst, mSecond);
            return Solved(MoistureEnthalpyPair(at.d, at.h));
        } catch (const ArithmeticFault& fault) {
            return Failed(fault.what());
        }
    }

    Resolved LineEnd(const EpsilonLineOperation& line)
    {
        if (std::string problem = InputProblem({line.from}); !problem.empty()) {
            return Failed(std::move(problem));
        }
        const AmountReading epsilon = ReadEpsilon(line.line.epsilonText);
        if (!epsilon.problem.empty()) {
            return Failed(std::string(epsilon.problem));
        }
        const AmountReading end = ReadLineEnd(line.line.end, line.line.endText);
        if (!end.problem.empty()) {
            return Failed(std::string(end.problem));
        }
        const LineEndPoint point = EpsilonLineEnd(Find(line.from)->shown, epsilon.value,
                                                  line.line.end, end.value,
                                                  m_project.PressureHpa());
        if (!point.problem.empty()) {
            return Failed(std::string(point.problem));
        }
        return Solved(MoistureEnthalpyPair(point.at.d, point.at.h));
    }

    void FillFigures(OperationRow& row, const AirFlow& flow)
    {
        row.problem = InputProblem({row.from, row.to});
        AmountReading flowReading;
        if (row.problem.empty() && !flow.text.empty()) {
            flowReading = ReadAirFlow(flow.text);
            row.problem = flowReading.problem;
        }
        if (!row.problem.empty()) {
            return;
        }
        const ShownState& in = Find(row.from)->shown;
        const ShownState& out = Find(row.to)->shown;
        try {
            ProcessTexts figures;
            const ProcessDifferences differences = DifferencesOf(in, out);
            figures[kFigureTemperatureChange] = FigureText(differences.dt, kFigureTemperatureChange);
            figures[kFigureMoistureChange] = FigureText(differences.dd, kFigureMoistureChange);
            figures[kFigureEnthalpyChange] = FigureText(differences.dh, kFigureEnthalpyChange);
            figures[kFigureEpsilon] = differences.epsilon
                                          ? FigureText(*differences.epsilon, kFigureEpsilon)
                                          : std::string(kInfinityText);
            figures[kFigureSensible] = FigureText(differences.sensible, kFigureSensible);
            figures[kFigureLatent] = FigureText(differences.latent, kFigureLatent);
            if (!flow.text.empty()) {
                const double g = DryAirKgPerHour(flowReading.value, flow.unit, in.v);
                const ProcessLoads loads = LoadsOf(differences, g);
                figures[kFigureDryAirFlow] = FigureText(g, kFigureDryAirFlow);
                figures[kFigureTotalLoad] = FigureText(loads.total, kFigureTotalLoad);
                figures[kFigureSensibleLoad] = FigureText(loads.sensible, kFigureSensibleLoad);
                figures[kFigureLatentLoad] = FigureText(loads.latent, kFigureLatentLoad);
                figures[kFigureMoistureFlow] =
                    FigureText(loads.moistureKgPerHour, kFigureMoistureFlow);
            }
            row.figures = figures;
        } catch (const ArithmeticFault& fault) {
            row.problem = fault.what();
        }
    }

    const Project& m_project;
    std::unordered_map<StateId, std::size_t> m_stateIndex;
    std::unordered_map<StateId, const Operation*> m_producer;
    std::vector<Resolved> m_resolved;
    std::vector<Status> m_status;
};

}  // namespace

KnownPair MoistureEnthalpyPair(float d, float h)
{
    return {kMoistureSlot, WithoutLeadingBlank(PlainNumberText(d)), kEnthalpySlot,
            WithoutLeadingBlank(PlainNumberText(h))};
}

std::optional<KnownPair> KnownPairOf(const StatePointQuery& query)
{
    std::vector<int> slots;
    for (int slot = 0; slot < kQuerySlotCount; ++slot) {
        if (query.ticked[slot]) {
            slots.push_back(slot);
        }
    }
    if (slots.size() != 2) {
        return std::nullopt;
    }
    return KnownPair{slots[0], query.texts[slots[0]], slots[1], query.texts[slots[1]]};
}

StatePointOutcome SolvePair(const KnownPair& pair, float pressureHpa)
{
    StatePointQuery query;
    query.pressure = pressureHpa;
    for (const auto& [slot, text] : {std::pair{pair.firstSlot, &pair.firstText},
                                     std::pair{pair.secondSlot, &pair.secondText}}) {
        if (slot >= 0 && slot < kQuerySlotCount) {
            query.ticked[slot] = true;
            query.texts[slot] = *text;
        }
    }
    return SolveStatePoint(query);
}

ProjectEvaluation EvaluateProject(const Project& project)
{
    Evaluator evaluator(project);
    ProjectEvaluation evaluation;
    evaluation.states.reserve(project.States().size());
    for (std::size_t i = 0; i < project.States().size(); ++i) {
        evaluation.states.push_back(evaluator.StateRowAt(i));
    }
    evaluation.operations.reserve(project.Operations().size());
    for (const Operation& operation : project.Operations()) {
        evaluation.operations.push_back(evaluator.OperationRowOf(operation));
    }
    return evaluation;
}

}  // namespace hygrova
