#pragma once

// What the chart draws of a project, in chart space: a mark with its label for every state
// that has texts, an arrow for every process and line of given heat-moisture ratio, and the
// mixing line between the two airs of every mix (the mixed state lies on it). Positions are
// states (d, h), g/kg and kJ/kg, as "描点" reads them from the texts; the window places them
// with the chart mapping (MapToChart), so the layer follows every resize and export.

#include "chart/chart_mapping.h"
#include "project/project_evaluation.h"

#include <string>
#include <vector>

namespace hygrova {

struct OverlayMark {
    StateId id = 0;
    ChartState at{0, 0};
    std::string label;
    // Beyond the saturation curve: the window may draw it differently (hollow, say).
    bool supersaturated = false;
};

enum class OverlayLineKind { Process, EpsilonLine, Mixing };

struct OverlayLine {
    OperationId id = 0;
    OverlayLineKind kind = OverlayLineKind::Process;
    ChartState from{0, 0};
    ChartState to{0, 0};
    // Processes and lines point from their start to their end; a mixing line has no head.
    bool arrowHead = true;
    // For a process or line, "ε=" and its heat-moisture ratio (OperationRow::chartLabel).
    std::string label;
};

struct ChartOverlay {
    std::vector<OverlayMark> marks;
    std::vector<OverlayLine> lines;
    bool IsEmpty() const { return marks.empty() && lines.empty(); }
};

// The overlay of an evaluated project; states and operations without texts are left out.
ChartOverlay OverlayOf(const ProjectEvaluation& evaluation);

}  // namespace hygrova
