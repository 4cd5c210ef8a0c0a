#pragma once

// The two commands of hygrova-calc on the process's standard streams. Exit statuses: 0 when
// every state was computed (flags are told on the standard error but do not change it), 1
// when the query warned or faulted, the pressure was out of range or a row failed, 2 when the
// command line or the input cannot be used at all, 3 when the output cannot be written.

#include "logs/log_run.h"
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

// The --pressure option: a number (ReadNumberField), then within the settings dialog's
// limits (ReadPressurePa). A status other than 0 has been told on the standard error.
struct PressureOption {
    float pressureHpa = 0;
    int status = 0;
};
PressureOption ReadPressureOption(const std::string& pressurePa);

// The reading options of a log command (jobs, --pressure, --columns, decimal mark); a status
// other than 0 has been told on the standard error.
struct LogOptionsReading {
    LogOptions options;
    int status = 0;
};
LogOptionsReading ReadLogOptions(const BatchCommand& command);

// What the standard error tells after reading a log: the failed rows, the flagged ones and
// the blank lines skipped, each counted with the first of them; nothing for a clean log.
void PrintSummary(const LogSummary& summary);

// Writes `text` to the standard output and flushes it: 0, or kExitUnwritable after telling
// on the standard error why it could not be written.
int PrintOutput(std::string_view text);

// `batch [FILE|-] [--jobs N] [--pressure PA] [--columns ...] [--decimal-comma|--decimal-point]`.
int RunBatchCommand(const BatchCommand& command);

}  // namespace hygrova
