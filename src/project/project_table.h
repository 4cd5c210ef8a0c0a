#pragma once

// The states and operations of an evaluated project as one table of text, for a spreadsheet:
// first the states (label, the eight quantities, definition, note, remark or problem), then a
// blank line and the operations (title, kind, definition, the eleven figures, problem). The
// numbers are the windows' texts without their leading blank, one value per cell. A label,
// note or definition that a spreadsheet would take for a formula (it starts with = + - @) gets
// a leading apostrophe, so that pasting runs nothing.

#include "project/project_evaluation.h"

#include <string>

namespace hygrova {

// Tab-separated lines ending in LF, for the clipboard: a tab or line break inside a text
// becomes a blank.
std::string ProjectTableTsv(const ProjectEvaluation& evaluation);

// Comma-separated values for a file: UTF-8 with a byte-order mark (which spreadsheets need to
// read Chinese text as UTF-8), CRLF line ends, fields quoted where they hold a comma, a quote
// or a line break.
std::string ProjectTableCsv(const ProjectEvaluation& evaluation);

}  // namespace hygrova
