#include "project/project_overlay.h"

#include <unordered_map>

namespace hygrova {

ChartOverlay OverlayOf(const ProjectEvaluation& evaluation)
{
    ChartOverlay overlay;
    std::unordered_map<StateId, ChartState> places;
    for (const StateRow& state : evaluation.states) {
        if (state.place) {
            places.emplace(state.id, *state.place);
            overlay.marks.push_back({state.id, *state.place, state.label, !state.remark.empty()});
        }
    }
    for (const OperationRow& operation : evaluation.operations) {
        const auto from = places.find(operation.from);
        const auto to = places.find(operation.to);
        if (from == places.end() || to == places.end()) {
            continue;
        }
        OverlayLine line;
        line.id = operation.id;
        line.from = from->second;
        line.to = to->second;
        if (operation.kind == OperationKind::Mix) {
            if (!places.count(operation.output)) {
                continue;
            }
            line.kind = OverlayLineKind::Mixing;
            line.arrowHead = false;
        } else {
            line.kind = operation.kind == OperationKind::Process ? OverlayLineKind::Process
                                                                 : OverlayLineKind::EpsilonLine;
            line.label = operation.chartLabel;
        }
        overlay.lines.push_back(line);
    }
    return overlay;
}

}  // namespace hygrova
