#include "logs/batch_run.h"

#include "logs/batch_rows.h"

#include <algorithm>
#include <deque>
#include <future>
#include <utility>

namespace hygrova {
namespace {

// The output of one block of lines.
struct ChunkOutput {
    std::string text;
    std::uint64_t rows = 0;
    std::uint64_t failedRows = 0;
    std::uint64_t firstFailedLine = 0;
    std::string firstProblem;
};

ChunkOutput SolveChunk(const BatchLayout& layout, float pressureHpa, const LineChunk& chunk,
                       std::size_t firstIndex)
{
    ChunkOutput output;
    output.text.reserve((chunk.lines.size() - firstIndex) * 64);
    RowSolver solver(layout, pressureHpa);
    for (std::size_t i = firstIndex; i < chunk.lines.size(); ++i) {
        const LineChunk::Line& line = chunk.lines[i];
        const std::string_view problem =
            solver.AppendRow(chunk.TextOf(line), line.tooLong, output.text);
        ++output.rows;
        if (!problem.empty() && output.failedRows++ == 0) {
            output.firstFailedLine = chunk.firstLine + i;
            output.firstProblem = problem;
        }
    }
    return output;
}

class OutputWriter {
public:
    OutputWriter(BatchSummary& summary, const WriteBytes& write, const ReportRows& report)
        : m_summary(summary), m_write(write), m_report(report)
    {
    }

    void Write(const ChunkOutput& output)
    {
        m_write(output.text);
        if (output.failedRows > 0 && m_summary.failedRows == 0) {
            m_summary.firstFailedLine = output.firstFailedLine;
            m_summary.firstProblem = output.firstProblem;
        }
        m_summary.rows += output.rows;
        m_summary.failedRows += output.failedRows;
        if (m_report) {
            m_report(m_summary.rows);
        }
    }

private:
    BatchSummary& m_summary;
    const WriteBytes& m_write;
    const ReportRows& m_report;
};

}  // namespace

BatchSummary RunBatch(LineReader& reader, const BatchOptions& options, const WriteBytes& write,
                      const ReportRows& report)
{
    BatchSummary summary;
    LineChunk chunk;
    const std::size_t chunkLines = std::max<std::size_t>(options.chunkLines, 1);
    if (!reader.Next(chunk, chunkLines)) {
        summary.headerProblem = "the input is empty: the first line names the columns";
        return summary;
    }
    const LineChunk::Line& headerLine = chunk.lines.front();
    const HeaderReading header = headerLine.tooLong
                                     ? HeaderReading{{}, "header: the first line is too long"}
                                     : ReadHeader(chunk.TextOf(headerLine));
    if (!header.problem.empty()) {
        summary.headerProblem = header.problem;
        return summary;
    }
    write(OutputHeaderLine());
    OutputWriter writer(summary, write, report);
    const BatchLayout& layout = header.layout;
    if (options.jobs <= 1) {
        std::size_t firstIndex = 1;  // past the header
        do {
            writer.Write(SolveChunk(layout, options.pressureHpa, chunk, firstIndex));
            firstIndex = 0;
        } while (reader.Next(chunk, chunkLines));
        return summary;
    }
    // Each block goes to a thread of its own; at most `jobs` are solved at a time, and their
    // outputs are written oldest first, which keeps the input order.
    std::deque<std::future<ChunkOutput>> pending;
    std::size_t firstIndex = 1;
    do {
        if (pending.size() == options.jobs) {
            writer.Write(pending.front().get());
            pending.pop_front();
        }
        pending.push_back(std::async(
            std::launch::async,
            [&layout, pressureHpa = options.pressureHpa, firstIndex](LineChunk lines) {
                return SolveChunk(layout, pressureHpa, lines, firstIndex);
            },
            std::move(chunk)));
        chunk = LineChunk{};
        firstIndex = 0;
    } while (reader.Next(chunk, chunkLines));
    for (; !pending.empty(); pending.pop_front()) {
        writer.Write(pending.front().get());
    }
    return summary;
}

}  // namespace hygrova
