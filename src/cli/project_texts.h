#pragma once

// The texts hygrova-calc prints for the design commands (mix, process, project): the same
// project model and evaluation the windows use, so the numbers are the windows' by
// construction.

#include "project/project_evaluation.h"
#include "query/state_point.h"

#include <string>
#include <vector>

namespace hygrova {

// A state given on the command line as one argument of NAME=VALUE words, e.g.
// 'tdb=30 rh=60', turned into the pair of a project state; or the reason it cannot be (a
// mistake of the command line as QueryFromAssignments finds it: `problem`; a value the query
// refuses: its own warning, `warning`).
struct PairArgument {
    KnownPair pair;
    std::string problem;
    std::string warning;
};
PairArgument PairFromArgument(const std::string& argument, float pressureHpa);

// "A:B" split at its one colon; none without exactly one.
std::optional<std::pair<std::string, std::string>> SplitShares(const std::string& text);

// One line per figure that has a text: the processes window's caption, a tab, the text as
// the window shows it, a tab and the unit.
std::string ProcessLines(const ProcessTexts& figures);

// The figures that have texts as one JSON object on one line, keyed by kFigureColumns' names;
// an infinite heat-moisture ratio is null.
std::string ProcessJson(const ProcessTexts& figures);

// An evaluated project as one JSON document: the pressure, each state (label, note,
// definition, the eight quantities as numbers or null, problem, remark) and each operation
// (title, kind, definition, figures, problem).
std::string EvaluationJson(const Project& project, const ProjectEvaluation& evaluation);

}  // namespace hygrova
