#include "measured/measured_log.h"

#include "measured/log_time.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace hygrova {
namespace {

struct Cancelled {};

struct ReadFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Makes each solved reading into a MeasuredReading on the thread that solves it. The records
// travel to the delivering thread as the bytes of the block's text (MeasuredReading is
// trivially copyable), which keeps the numbers' reading on the solving threads.
class MeasuredConsumer : public LogConsumer {
public:
    MeasuredConsumer(MeasuredLog& log, const ReadControl& control) : m_log(log), m_control(control) {}

    void Start(const LogLayout& layout) override { m_layout = &layout; }

    void Prepare(const LogReading& reading, LogBlock& block) const override
    {
        if (!reading.Solved()) {
            return;
        }
        MeasuredReading record{reading.Value(kQuantityMoisture), reading.Value(kQuantityEnthalpy),
                               reading.Value(kQuantityDryBulb),
                               reading.Value(kQuantityRelHumidity), std::nullopt};
        for (const std::size_t column : m_layout->carriedColumns) {
            if (column < reading.fields.size()) {
                if ((record.time = ReadLogTime(reading.fields[column]))) {
                    break;
                }
            }
        }
        block.text.append(reinterpret_cast<const char*>(&record), sizeof record);
    }

    void Take(const LogBlock& block) override
    {
        const std::size_t count = block.text.size() / sizeof(MeasuredReading);
        const std::size_t first = m_log.readings.size();
        m_log.readings.resize(first + count);
        std::memcpy(static_cast<void*>(m_log.readings.data() + first), block.text.data(),
                    count * sizeof(MeasuredReading));
        for (const LogReading& reading : block.Readings()) {
            if (m_log.failures.size() == kKeptFailures) {
                break;
            }
            if (!reading.Solved()) {
                m_log.failures.push_back(ReadingMessage(reading, *m_layout));
            }
        }
        m_rows += block.count;
        if (m_control.progress) {
            m_control.progress(m_rows);
        }
        if (m_control.cancel && m_control.cancel->load()) {
            throw Cancelled{};
        }
    }

private:
    MeasuredLog& m_log;
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
    MeasuredConsumer consumer(log, control);
    try {
        log.summary = ReadLog(reader, options, consumer);
    } catch (const Cancelled&) {
        log.cancelled = true;
        return log;
    }
    std::vector<std::optional<std::int64_t>> times;
    times.reserve(log.readings.size());
    for (const MeasuredReading& reading : log.readings) {
        times.push_back(reading.time);
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
