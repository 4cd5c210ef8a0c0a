#pragma once

// The `state` command: a query from NAME=VALUE arguments, and its results as lines or JSON.

#include "logs/number_field.h"
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
// VALUE, at `pressureHpa`. Problems of the command line, before any calculation: an argument
// without '=', an unknown name (p points to --pressure), a name given twice, a number of
// parameters other than two or a pair that does not fix a state (ParameterPairProblem), a
// VALUE that is not a number as ReadNumberField takes it with `mark`. Each value then goes to
// the query as the number's text, where the ranges are checked as the query dialog's "确定"
// checks them.
StateArguments QueryFromAssignments(const std::vector<std::string>& assignments,
                                    float pressureHpa, DecimalMark mark = DecimalMark::kPoint);

// One line per quantity: the results window's caption, a tab, the text exactly as the window
// shows it (with its leading blank; an absent dew point is empty), a tab and the unit.
std::string StateLines(const StateTexts& results);

// One JSON object with the column names as keys and the numbers as values (null for an
// absent dew point), on one line.
std::string StateJson(const StateTexts& results);

}  // namespace hygrova
