#pragma once

// The output of the `batch` command: CSV with the log's carried columns in their order, then
// the eight result columns and the message; one row per reading.

#include "logs/log_run.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace hygrova {

// Writes output bytes; may throw to report a write error, which passes through RunBatch.
using WriteBytes = std::function<void(std::string_view bytes)>;
// Told the number of rows written so far, after each block.
using ReportRows = std::function<void(std::uint64_t rows)>;

// The output's first line: the carried columns' names, tdb,twb,tdp,rh,d,h,v,pv and message.
std::string OutputHeaderLine(const LogLayout& layout);

// Appends the output row of one reading: its carried fields as they stand (empty when the
// line did not split into the header's columns), the results window's eight texts without
// their leading blank (empty for a failed line) and ReadingMessage.
void AppendOutputRow(const LogReading& reading, const LogLayout& layout, std::string& out);

class BatchWriter : public LogConsumer {
public:
    explicit BatchWriter(WriteBytes write, ReportRows report = {});

    void Start(const LogLayout& layout) override;
    void Prepare(const LogReading& reading, LogBlock& block) const override;
    void Take(const LogBlock& block) override;

private:
    WriteBytes m_write;
    ReportRows m_report;
    LogLayout m_layout;
    std::uint64_t m_rows = 0;
};

// Reads the log from `reader` and writes the batch output through `write`.
LogSummary RunBatch(LineReader& reader, const LogOptions& options, const WriteBytes& write,
                    const ReportRows& report = {});

}  // namespace hygrova
