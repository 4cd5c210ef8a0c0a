#pragma once

// The `batch` command's pipeline: lines in blocks from a LineReader, solved on one thread or
// several, the output rows written in input order. Memory stays flat: only a few blocks are
// held at a time.

#include "common/standard_pressure.h"
#include "logs/line_reader.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace hygrova {

struct BatchOptions {
    unsigned jobs = 1;              // threads that solve rows; 1 solves them on the calling thread
    float pressureHpa = kStandardPressureHpa;  // for rows without a pressure column
    std::size_t chunkLines = 4096;  // lines per block handed to a thread
};

struct BatchSummary {
    std::string headerProblem;  // the input could not be read as a table; nothing written
    std::uint64_t rows = 0;     // data rows read, each written as one output row
    std::uint64_t failedRows = 0;
    std::uint64_t firstFailedLine = 0;  // input line number of the first failed row
    std::string firstProblem;           // its message
};

// Writes output bytes; may throw to report a write error, which passes through RunBatch.
using WriteBytes = std::function<void(std::string_view bytes)>;
// Told the number of data rows written so far, after each block.
using ReportRows = std::function<void(std::uint64_t rows)>;

// Reads the header and every data line from `reader` and writes the output header and one
// row per data line, in order. An empty input or a header that names no usable pair of
// parameters gives a headerProblem and no output.
BatchSummary RunBatch(LineReader& reader, const BatchOptions& options, const WriteBytes& write,
                      const ReportRows& report = {});

}  // namespace hygrova
