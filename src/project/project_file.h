#pragma once

// The project file: a versioned JSON document (UTF-8) holding the pressure as typed, the
// chart's colors and spacings, the states with their labels, notes and typed pairs, and the
// operations with their figures as typed. Everything shown is recomputed when the file is
// opened, so the same file gives the same texts. The layout of version 1:
//
//   {
//     "format": "hygrova-project",
//     "version": 1,
//     "pressure_pa": "101325",
//     "chart": {"moisture_line_color": 0, "enthalpy_line_color": 2, "rh_line_color": 9,
//               "isotherm_color": 7, "moisture_line_spacing": 1,
//               "enthalpy_line_spacing": 1, "isotherm_spacing": 1},
//     "states": [
//       {"id": 1, "label": "A", "note": "", "known": {"tdb": "30", "rh": "60"}},
//       {"id": 3, "label": "M", "note": ""}                 (produced by an operation)
//     ],
//     "operations": [
//       {"id": 4, "kind": "process", "from": 1, "to": 2, "flow": "10000", "flow_unit": "m3/h"},
//       {"id": 5, "kind": "mix", "first": 1, "second": 2, "output": 3,
//        "basis": "mass_ratio", "first_share": "1", "second_share": "3"},
//       {"id": 6, "kind": "epsilon_line", "from": 2, "output": 7, "epsilon": "8000",
//        "end": "rh", "end_value": "90"}
//     ]
//   }
//
// Version 2 adds an optional "zones" array, each zone
//       {"label": "舒适区", "tdb": "20:26", "rh": "30:60", "d": ""}
// with its limits as typed ("LOW:HIGH", ReadValueRange; "d" empty for none).
//
// "known" names its two parameters as hygrova-calc does (tdb, twb, rh, d, h, tdp); "flow" is
// "" for a process without a flow; "flow_unit" is "m3/h" or "kg/h"; "basis" is
// "mass_ratio" or "flows" (m3/h); "end" is "rh" (%), "tdb" (deg C) or "dt" (K). The reader
// takes nothing else: a newer version, a key it does not know, a missing key, a value of the
// wrong type or range, an id used twice, a reference to a missing state, a produced state
// without its one operation, or bytes that are not complete JSON are refused with a message
// that names the place.

#include "project/project.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hygrova {

inline constexpr std::string_view kProjectFormatName = "hygrova-project";
inline constexpr int kProjectFormatVersion = 2;
// The version that added the optional "zones"; a project without zones is still written as
// version 1.
inline constexpr int kProjectZonesVersion = 2;
// The suffix a project file is saved with.
inline constexpr std::string_view kProjectFileSuffix = ".hygrova";
// The largest file the reader takes; a project of thousands of states stays far below.
inline constexpr std::size_t kMaxProjectFileBytes = 16 * 1024 * 1024;

// The project as the file's text, indented, ending with a line feed.
std::string ProjectJson(const Project& project);

// A project read, or the message that tells what is wrong and where.
struct ProjectReading {
    std::optional<Project> project;
    std::string problem;  // empty when read
};

// Reads a project file's text. The project comes back unmodified (revision 0).
ProjectReading ReadProjectJson(std::string_view text);

// Writes the project to `path` atomically (WriteFileAtomically) and marks it saved. Gives ""
// on success, otherwise the message for the user; the project stays modified then.
std::string SaveProjectFile(const std::string& path, Project& project);

// Reads the project file at `path`; the message names the file's problem or the system's.
ProjectReading OpenProjectFile(const std::string& path);

}  // namespace hygrova
