#pragma once

// The `state` command: a query from NAME=VALUE arguments, and its results as lines or JSON.

#include "query/state_point.h"

#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

// A query built from the command line, or the reason it could not be built.
struct StateArguments {
    StatePointQuery query;
    std::string problem;  // empty when the query was built
};

// Ticks the slot of each NAME=VALUE argument (names as SlotOfName takes them) and enters its
// VALUE as typed, at `pressureHpa`. An argument without '=', an unknown name or a name given
// twice is a problem. How many are named is left to SolveStatePoint, which warns or faults
// as the query dialog's "确定" does.
StateArguments QueryFromAssignments(const std::vector<std::string>& assignments, float pressureHpa);

// One line per quantity: the results window's caption, a tab, the text exactly as the window
// shows it (with its leading blank; an absent dew point is empty), a tab and the unit.
std::string StateLines(const StateTexts& results);

// One JSON object with the column names as keys and the numbers as values (null for an
// absent dew point), on one line.
std::string StateJson(const StateTexts& results);

}  // namespace hygrova
