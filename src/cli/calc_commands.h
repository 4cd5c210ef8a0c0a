#pragma once

// The two commands of hygrova-calc on the process's standard streams. Exit statuses: 0 when
// everything was computed, 1 when the query warned or faulted or a row failed, 2 when the
// input cannot be used at all.

#include <string>
#include <vector>

namespace hygrova {

inline constexpr int kExitProblem = 1;
inline constexpr int kExitUnusable = 2;

// `state NAME=VALUE NAME=VALUE [--pressure PA] [--json]`.
int RunStateCommand(const std::vector<std::string>& assignments, const std::string& pressurePa,
                    bool json);

// `batch [FILE|-] [--jobs N] [--pressure PA]`; "-" reads the standard input.
int RunBatchCommand(const std::string& input, unsigned jobs, const std::string& pressurePa);

}  // namespace hygrova
