#pragma once

// A measurement log read for the chart: every solved reading kept as a compact record of
// where the chart places it (d, h), the two quantities zones are drawn in (dry bulb, relative
// humidity) and its time when the log has one. The log is read by hygrova_logs exactly as
// `hygrova-calc batch` reads it (same columns, numbers, pressure rule and messages), so the
// window and the command line agree row for row.

#include "logs/line_reader.h"
#include "logs/log_run.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hygrova {

// One solved reading. d: g/kg dry air; h: kJ/kg dry air; tdb: deg C; rh: %; each read back
// from the results window's texts (ValueOfText), so it is the number the window shows. Its
// time only goes into the log's durations, so the record stays 16 bytes: a year of minutes
// is 8 MB.
struct MeasuredReading {
    float d = 0;
    float h = 0;
    float tdb = 0;
    float rh = 0;
};

// How many failed rows a log keeps the messages of, for the summary after an import.
inline constexpr std::size_t kKeptFailures = 5;

struct MeasuredLog {
    std::vector<MeasuredReading> readings;  // the solved rows, in log order
    std::vector<float> durations;           // seconds each reading stands for (ReadingDurations
                                            // of the readings' times)
    bool timed = false;                     // at least two readings have a time: hours are given
    LogSummary summary;                     // rows, failed, flagged, blank lines, as batch tells them
    std::vector<std::string> failures;      // the first kKeptFailures failed rows' messages
    float pressureHpa = 0;                  // the pressure for rows without a p column
    bool cancelled = false;                 // the read was stopped: the readings are incomplete
};

// What the caller of a long read sees and steers: `progress` gets the rows read so far after
// each block (on the reading thread); setting `cancel` stops the read after the block.
struct ReadControl {
    std::function<void(std::uint64_t rows)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

// Reads the log from `reader` with `options` (jobs, pressure, columns, decimal mark), as
// ReadLog does. A reading's time is the first carried column that reads as a date and time
// (ReadLogTime). A cancelled read returns what was read with `cancelled` set.
MeasuredLog ReadMeasuredLog(LineReader& reader, const LogOptions& options,
                            const ReadControl& control = {});

// Opens and reads the file at `path`; a file that cannot be opened or read gives the reason
// as the summary's headerProblem. `bytesRead` (optional) follows the bytes read so far.
MeasuredLog ReadMeasuredFile(const std::string& path, const LogOptions& options,
                             const ReadControl& control = {},
                             std::atomic<std::uint64_t>* bytesRead = nullptr);

}  // namespace hygrova
