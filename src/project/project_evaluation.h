#pragma once

// A project evaluated: the rows of its states and operations as the windows show them,
// recomputed from the definitions every time (nothing is cached). A state's eight texts are
// exactly what the results window shows for its pair: a typed state is solved by
// SolveStatePoint from its pair at the project's pressure; a produced state from the pair
// moisture content and enthalpy that its operation computes, written as plain number texts.

#include "common/state_texts.h"
#include "chart/chart_mapping.h"
#include "project/project.h"
#include "query/state_point.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

// One state as the states window lists it.
struct StateRow {
    StateId id = 0;
    std::string label;
    std::string note;
    // How the state is defined, e.g. "干球温度(℃) 30，相对湿度(%) 60" or "A 与 B 混合，质量比 1:3".
    std::string origin;
    // The pair the state is solved from: its typed pair, or the moisture content and
    // enthalpy its operation computed. None when the operation found no state.
    std::optional<KnownPair> solvedPair;
    // The eight texts of the results window (StateQuantity order); all empty with a problem.
    StateTexts texts;
    // Why the state has no texts: the query's warning or fault for its pair, the problem of
    // its operation's figures, or a state it depends on without texts.
    std::string problem;
    // A note on a state beyond the saturation curve (relative humidity above 100 %), which
    // is kept where its definition puts it.
    std::string remark;
    // Where the chart marks it: d and h read back from its texts, as "描点" reads them.
    std::optional<ChartState> place;
};

// The figures of a process or a line of given heat-moisture ratio, in this order.
enum ProcessFigure : int {
    kFigureTemperatureChange = 0,  // dt, K
    kFigureMoistureChange,         // dd, g/kg dry air
    kFigureEnthalpyChange,         // dh, kJ/kg dry air
    kFigureEpsilon,                // heat-moisture ratio, kJ/kg; "∞" where dd is 0
    kFigureSensible,               // sensible part of dh, kJ/kg dry air
    kFigureLatent,                 // latent part of dh, kJ/kg dry air
    kFigureDryAirFlow,             // dry-air mass flow, kg/h (with a flow only)
    kFigureTotalLoad,              // kW (with a flow only)
    kFigureSensibleLoad,           // kW (with a flow only)
    kFigureLatentLoad,             // kW (with a flow only)
    kFigureMoistureFlow,           // moisture gained, kg/h (with a flow only)
};
constexpr int kProcessFigureCount = 11;
using ProcessTexts = std::array<std::string, kProcessFigureCount>;

// The definitions of the figures, for the processes window's help text.
inline constexpr std::string_view kProcessFiguresHelp =
    "Δt、Δd、Δh：终点减起点（按两状态点显示的数值）。\n"
    "热湿比 ε = Δh / (Δd / 1000)，单位 kJ/kg；Δd 为 0 时为 ∞。\n"
    "潜热部分 = 2501 × Δd / 1000 kJ/kg干：使所增加的水分蒸发的热量，2501 kJ/kg 为 0 ℃ "
    "时水的汽化潜热（与焓的计算公式相同）；除湿时为负。\n"
    "显热部分 = Δh − 潜热部分：干空气及其所含水蒸气温度变化的热量。两部分之和等于 Δh。\n"
    "给定风量时：干空气流量 G（kg/h）= 风量（m3/h）/ 起点比容，或直接给定的 kg/h；"
    "总负荷、显热负荷、潜热负荷 = G × 相应部分 / 3600 kW；湿量变化 = G × Δd / 1000 kg/h。";

// A figure's key (for JSON and the command line), the processes window's caption and the
// unit of its text.
struct FigureColumn {
    std::string_view name;
    std::string_view caption;
    std::string_view unit;
};
extern const std::array<FigureColumn, kProcessFigureCount> kFigureColumns;

// The decimals each figure is rounded to before it is written as a plain number text.
extern const std::array<int, kProcessFigureCount> kFigureDecimals;

enum class OperationKind { Process, Mix, EpsilonLine };

// One operation as the processes window lists it.
struct OperationRow {
    OperationId id = 0;
    OperationKind kind = OperationKind::Process;
    // The states it joins: a process or line from -> to (its end state); a mix first and
    // second, its mixed state `output`.
    StateId from = 0;
    StateId to = 0;
    StateId output = 0;
    std::string kindName;    // "过程", "混合", "热湿比线"
    std::string title;       // "A → B", "A + B → M"
    std::string definition;  // "风量 10000 m3/h", "质量比 1:3", "ε=8000，至相对湿度 90%"
    // Processes and lines: the figures (the five of the flow empty without one); mixes: empty.
    ProcessTexts figures;
    std::string problem;     // why there are no figures
    // What the chart writes beside the arrow: "ε=" with the process's heat-moisture ratio, or
    // with a line's ratio as typed; empty for a mix.
    std::string chartLabel;
};

struct ProjectEvaluation {
    std::vector<StateRow> states;          // in the list's order
    std::vector<OperationRow> operations;  // in the list's order
};

ProjectEvaluation EvaluateProject(const Project& project);

// The pair a produced or chart state is solved from: moisture content and enthalpy, each as
// its plain number text without the leading blank (what the readout shows for them).
KnownPair MoistureEnthalpyPair(float d, float h);

// The pair of a query with exactly two boxes ticked (the smaller slot first); none otherwise.
// A window takes the state the results window shows from the query that solved it.
std::optional<KnownPair> KnownPairOf(const StatePointQuery& query);

// The results of a pair at a pressure (hPa), as the query's "确定" gives them.
StatePointOutcome SolvePair(const KnownPair& pair, float pressureHpa);

}  // namespace hygrova
