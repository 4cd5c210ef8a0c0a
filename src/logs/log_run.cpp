#include "logs/log_run.h"

#include <algorithm>
#include <deque>
#include <future>
#include <utility>

namespace hygrova {
namespace {

constexpr std::size_t kNoReading = static_cast<std::size_t>(-1);

// A block's failed and flagged readings, counted as they are solved, with the first of each.
struct Tally {
    std::uint64_t failedRows = 0;
    std::uint64_t flaggedRows = 0;
    std::size_t firstFailed = kNoReading;  // index in the block's readings
    std::size_t firstFlagged = kNoReading;
};

// The lines of a block and their readings, kept together so that both keep their room.
struct Job {
    LineChunk chunk;
    LogBlock block;
    Tally tally;
};

void Count(std::size_t index, std::uint64_t& count, std::size_t& first)
{
    if (count++ == 0) {
        first = index;
    }
}

void SolveBlock(const LogLayout& layout, float pressureHpa, const LogConsumer& consumer, Job& job)
{
    RowSolver solver(layout, pressureHpa);
    LogBlock& block = job.block;
    block.count = 0;
    block.blankLines = 0;
    block.text.clear();
    job.tally = {};
    for (std::size_t i = 0; i < job.chunk.lines.size(); ++i) {
        if (block.count == block.readings.size()) {
            block.readings.emplace_back();
        }
        const LineChunk::Line& line = job.chunk.lines[i];
        LogReading& reading = block.readings[block.count];
        if (!solver.Read(job.chunk.firstLine + i, job.chunk.TextOf(line), line.tooLong, reading)) {
            ++block.blankLines;
            continue;
        }
        if (!reading.Solved()) {
            Count(block.count, job.tally.failedRows, job.tally.firstFailed);
        } else if (reading.flags != 0) {
            Count(block.count, job.tally.flaggedRows, job.tally.firstFlagged);
        }
        consumer.Prepare(reading, block);
        ++block.count;
    }
}

// Hands solved blocks to the consumer and adds them up.
class Delivery {
public:
    Delivery(const LogLayout& layout, LogConsumer& consumer, LogSummary& summary)
        : m_layout(layout), m_consumer(consumer), m_summary(summary)
    {
    }

    void Deliver(const Job& job)
    {
        const LogBlock& block = job.block;
        m_consumer.Take(block);
        m_summary.rows += block.count;
        m_summary.blankLines += block.blankLines;
        Add(block, job.tally.failedRows, job.tally.firstFailed, m_summary.failedRows,
            m_summary.firstFailure);
        Add(block, job.tally.flaggedRows, job.tally.firstFlagged, m_summary.flaggedRows,
            m_summary.firstFlagged);
    }

private:
    void Add(const LogBlock& block, std::uint64_t count, std::size_t first,
             std::uint64_t& total, std::string& firstMessage) const
    {
        if (total == 0 && count > 0) {
            firstMessage = ReadingMessage(block.readings[first], m_layout);
        }
        total += count;
    }

    const LogLayout& m_layout;
    LogConsumer& m_consumer;
    LogSummary& m_summary;
};

}  // namespace

LogSummary ReadLog(LineReader& reader, const LogOptions& options, LogConsumer& consumer)
{
    LogSummary summary;
    Job job;
    if (!reader.Next(job.chunk, 1)) {
        summary.headerProblem = "the input is empty: the first line names the columns";
        return summary;
    }
    const LineChunk::Line& headerLine = job.chunk.lines.front();
    const HeaderReading header =
        headerLine.tooLong
            ? HeaderReading{{},
                            "line 1, the header: longer than " + std::to_string(kMaxLineBytes) +
                                " bytes"}
            : ReadHeader(job.chunk.TextOf(headerLine), options.format);
    if (!header.problem.empty()) {
        summary.headerProblem = header.problem;
        return summary;
    }
    const LogLayout& layout = header.layout;
    consumer.Start(layout);
    Delivery delivery(layout, consumer, summary);
    const std::size_t chunkLines = std::max<std::size_t>(options.chunkLines, 1);
    if (options.jobs <= 1) {
        while (reader.Next(job.chunk, chunkLines)) {
            SolveBlock(layout, options.pressureHpa, consumer, job);
            delivery.Deliver(job);
        }
        return summary;
    }
    // Each block goes to a thread of its own; at most `jobs` are solved at a time, and they
    // are delivered oldest first, which keeps the input order. Delivered jobs are reused.
    const auto solve = [&layout, &consumer, pressureHpa = options.pressureHpa](Job lines) {
        SolveBlock(layout, pressureHpa, consumer, lines);
        return lines;
    };
    std::vector<Job> spare;
    std::deque<std::future<Job>> pending;
    while (reader.Next(job.chunk, chunkLines)) {
        if (pending.size() == options.jobs) {
            Job done = pending.front().get();
            pending.pop_front();
            delivery.Deliver(done);
            spare.push_back(std::move(done));
        }
        pending.push_back(std::async(std::launch::async, solve, std::move(job)));
        job = Job{};
        if (!spare.empty()) {
            job = std::move(spare.back());
            spare.pop_back();
        }
    }
    for (; !pending.empty(); pending.pop_front()) {
        delivery.Deliver(pending.front().get());
    }
    return summary;
}

}  // namespace hygrova
