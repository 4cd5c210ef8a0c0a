#include "measured/measured_log.h"

#include "measured/log_time.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

namespace hygrova {
namespace {

struct Cancelled {};

struct ReadFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A solved reading as it travels from the thread that solves it to the delivering thread.
struct SolvedRow {
    MeasuredReading reading;
    std::optional<std::int64_t> time;
};

// Makes each solved reading into a SolvedRow on the thread that solves it. The rows travel
// to the delivering thread as the bytes of the block's text (SolvedRow is trivially
// copyable), which keeps the numbers' reading on the solving threads; the delivering thread
// only copies them out and looks at failed readings when the block has any.
class MeasuredConsumer : public LogConsumer {
public:
    MeasuredConsumer(MeasuredLog& log, std::vector<std::optional<std::int64_t>>& times,
                     const ReadControl& control)
        : m_log(log), m_times(times), m_control(control)
    {
    }

    void Start(const LogLayout& layout) override { m_layout = &layout; }

    void Prepare(const LogReading& reading, LogBlock& block) const override
    {
        if (!reading.Solved()) {
            return;
        }
        if (block.text.empty()) {
            block.text.reserve(block.readings.size() * sizeof(SolvedRow));
        }
        SolvedRow row{{reading.Value(kQuantityMoisture), reading.Value(kQuantityEnthalpy),
                       reading.Value(kQuantityDryBulb), reading.Value(kQuantityRelHumidity)},
                      std::nullopt};
        for (const std::size_t column : m_layout->carriedColumns) {
            if (column < reading.fields.size()) {
                if ((row.time = ReadLogTime(reading.fields[column]))) {
                    break;
                }
            }
        }
        block.text.append(reinterpret_cast<const char*>(&row), sizeof row);
    }

    void Take(const LogBlock& block) override
    {
        const std::size_t count = block.text.size() / sizeof(SolvedRow);
        for (std::size_t i = 0; i < count; ++i) {
            SolvedRow row;
            std::memcpy(static_cast<void*>(&row), block.text.data() + i * sizeof row, sizeof row);
            m_log.readings.push_back(row.reading);
            m_times.push_back(row.time);
        }
        KeepFailures(block);
        m_rows += block.count;
        if (m_control.progress) {
            m_control.progress(m_rows);
        }
        if (m_control.cancel && m_control.cancel->load()) {
            throw Cancelled{};
        }
    }

private:
    void KeepFailures(const LogBlock& block)
    {
        if (block.failedRows == 0) {
            return;
        }
        for (const LogReading& reading : block.Readings().subspan(block.firstFailed)) {
            if (m_log.failures.size() == kKeptFailures) {
                break;
            }
            if (!reading.Solved()) {
                m_log.failures.push_back(ReadingMessage(reading, *m_layout));
            }
        }
    }

    MeasuredLog& m_log;
    std::vector<std::optional<std::int64_t>>& m_times;
    const ReadControl& m_control;
    const LogLayout* m_layout = nullptr;
    std::uint64_t m_rows = 0;
};

}  // namespace

MeasuredLog ReadMeasuredLog(LineReader& reader, const LogOptions& options,
                            const ReadControl& control)
{
    MeasuredLog log;
    log.pressureHpa = options.pressureHpa;
    std::vector<std::optional<std::int64_t>> times;
    MeasuredConsumer consumer(log, times, control);
    try {
        log.summary = ReadLog(reader, options, consumer);
    } catch (const Cancelled&) {
        log.cancelled = true;
        return log;
    }
    log.durations = ReadingDurations(times);
    log.timed = std::count_if(times.begin(), times.end(),
                              [](const auto& time) { return time.has_value(); }) >= 2;
    return log;
}

MeasuredLog ReadMeasuredFile(const std::string& path, const LogOptions& options,
                             const ReadControl& control, std::atomic<std::uint64_t>* bytesRead)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        MeasuredLog log;
        log.summary.headerProblem = "cannot open " + path + ": " + std::strerror(errno);
        return log;
    }
    LineReader reader([&](char* buffer, std::size_t size) {
        const std::size_t count = std::fread(buffer, 1, size, file.get());
        if (count == 0 && std::ferror(file.get())) {
            throw ReadFailure("cannot read " + path + ": " + std::strerror(errno));
        }
        if (bytesRead) {
            *bytesRead += count;
        }
        return count;
    });
    try {
        return ReadMeasuredLog(reader, options, control);
    } catch (const ReadFailure& failure) {
        MeasuredLog log;
        log.summary.headerProblem = failure.what();
        return log;
    }
}

}  // namespace hygrova
