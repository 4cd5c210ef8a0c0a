#pragma once

// The design the project benchmarks measure: 200 states and 200 operations.

#include "project/project.h"
#include "query/state_point.h"

#include <string>
#include <vector>

namespace hygrova {

// 100 typed states of rooms and outdoor air (20..30 deg C, 45..75 %), 50 mixes of
// neighbours, 50 lines of given heat-moisture ratio (8000.. kJ/kg) to 90 % from them, and
// 100 processes with a flow between them: 200 states, 200 operations.
inline Project Design200()
{
    Project project;
    std::vector<StateId> typed;
    for (int i = 0; i < 100; ++i) {
        const std::string t = std::to_string(20 + i % 11);
        const std::string rh = std::to_string(45 + (i * 7) % 31);
        typed.push_back(project.AddTypedState({kDryBulbSlot, t, kRelHumiditySlot, rh}).id);
    }
    for (int i = 0; i < 50; ++i) {
        project.AddMix(typed[2 * i], typed[2 * i + 1], {MixBasis::MassRatio, "1", "3"});
        project.AddEpsilonLine(typed[2 * i + 1], {std::to_string(8000 + 100 * i),
                                                  LineEnd::RelHumidity, "90"});
    }
    for (int i = 0; i < 100; ++i) {
        project.AddProcess(typed[i], typed[(i + 1) % 100], {"10000", FlowUnit::CubicMetresPerHour});
    }
    return project;
}

}  // namespace hygrova
