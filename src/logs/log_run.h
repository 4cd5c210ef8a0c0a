#pragma once

// A measurement log read from start to end: the header, then every data line in blocks from
// a LineReader, solved on the calling thread or on several, and handed to a consumer in input
// order. Memory stays flat: only a few blocks are held at a time, and their room is reused.
// The batch command's CSV writer is one consumer; any front end that needs the readings
// (their line numbers, numbers, texts, flags and carried fields) can be another.

#include "common/standard_pressure.h"
#include "logs/line_reader.h"
#include "logs/log_rows.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace hygrova {

struct LogOptions {
    unsigned jobs = 1;              // threads that solve blocks; 1 solves them on the calling thread
    float pressureHpa = kStandardPressureHpa;  // for logs without a pressure column
    std::size_t chunkLines = 4096;  // lines per block
    LogFormat format;
};

// The readings of one block of lines, blank lines left out.
struct LogBlock {
    std::vector<LogReading> readings;  // room reused from block to block; see count
    std::size_t count = 0;             // the block's readings are readings[0, count)
    std::uint64_t blankLines = 0;
    std::string text;  // what the consumer's Prepare made of the readings

    std::span<const LogReading> Readings() const { return {readings.data(), count}; }
};

// What a front end does with the readings.
class LogConsumer {
public:
    virtual ~LogConsumer() = default;
    // Once the header is read, before any block; on the calling thread.
    virtual void Start(const LogLayout& layout) = 0;
    // Each reading as soon as it is solved, while it is fresh in the cache, on the thread that
    // solves its block: in order within the block, blocks in any order. What it makes of the
    // reading goes into the block, for Take.
    virtual void Prepare(const LogReading& /*reading*/, LogBlock& /*block*/) const {}
    // Each block on the calling thread, in input order. May throw to stop reading; the
    // exception passes through ReadLog once the threads have finished.
    virtual void Take(const LogBlock& block) = 0;
};

struct LogSummary {
    std::string headerProblem;  // the input could not be read as a log; nothing was handed on
    std::uint64_t rows = 0;     // readings handed on
    std::uint64_t failedRows = 0;
    std::uint64_t flaggedRows = 0;
    std::uint64_t blankLines = 0;
    std::string firstFailure;  // the message of the first failed reading
    std::string firstFlagged;  // the message of the first flagged one
};

// Reads the header (a first line longer than the line limit is not read on) and every data
// line of `reader`, and hands the readings to `consumer`. An empty input or a header that
// names no usable pair of parameters gives a headerProblem and nothing else.
LogSummary ReadLog(LineReader& reader, const LogOptions& options, LogConsumer& consumer);

}  // namespace hygrova
