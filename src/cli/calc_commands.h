#pragma once

// The two commands of hygrova-calc on the process's standard streams. Exit statuses: 0 when
// every state was computed (flags are told on the standard error but do not change it), 1
// when the query warned or faulted, the pressure was out of range or a row failed, 2 when the
// command line or the input cannot be used at all, 3 when the output cannot be written.

#include "logs/number_field.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

inline constexpr int kExitProblem = 1;
inline constexpr int kExitUnusable = 2;
inline constexpr int kExitUnwritable = 3;

struct StateCommand {
    std::vector<std::string> assignments;  // NAME=VALUE
    std::string pressurePa;
    bool json = false;
    DecimalMark decimalMark = DecimalMark::kPoint;
};

// `state NAME=VALUE NAME=VALUE [--pressure PA] [--json] [--decimal-comma|--decimal-point]`.
int RunStateCommand(const StateCommand& command);

struct BatchCommand {
    std::string input = "-";  // "-" reads the standard input
    unsigned jobs = 1;
    std::string pressurePa;
    std::string columns;  // --columns NAME=COLUMN,...; empty when not given
    std::optional<DecimalMark> decimalMark;
};

// Writes `text` to the standard output and flushes it: 0, or kExitUnwritable after telling
// on the standard error why it could not be written.
int PrintOutput(std::string_view text);

// `batch [FILE|-] [--jobs N] [--pressure PA] [--columns ...] [--decimal-comma|--decimal-point]`.
int RunBatchCommand(const BatchCommand& command);

}  // namespace hygrova
