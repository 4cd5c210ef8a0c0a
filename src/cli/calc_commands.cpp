#include "cli/calc_commands.h"

#include "logs/batch_run.h"
#include "query/pressure_rule.h"
#include "cli/state_command.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

namespace hygrova {
namespace {

void PrintProblem(std::string_view message)
{
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

// A progress line on a terminal, for inputs that take more than a second: rows written and,
// for a regular file, the share of its bytes read.
class ProgressLine {
public:
    explicit ProgressLine(std::FILE* input) : m_enabled(isatty(STDERR_FILENO) == 1)
    {
        struct stat status {};
        if (fstat(fileno(input), &status) == 0 && S_ISREG(status.st_mode)) {
            m_totalBytes = static_cast<std::uint64_t>(status.st_size);
        }
    }
    void AddBytesRead(std::size_t count) { m_bytesRead += count; }

    void Report(std::uint64_t rows)
    {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point now = Clock::now();
        if (!m_enabled || now - m_start < std::chrono::seconds(1) ||
            now - m_lastShown < std::chrono::milliseconds(200)) {
            return;
        }
        m_lastShown = now;
        Show(rows);
    }

    // Ends a progress line that was shown with the final count, so that what follows starts
    // on a line of its own.
    void Finish(std::uint64_t rows)
    {
        if (m_shown) {
            Show(rows);
            std::fputc('\n', stderr);
            m_shown = false;
        }
    }

private:
    void Show(std::uint64_t rows)
    {
        m_shown = true;
        if (m_totalBytes > 0) {
            std::fprintf(stderr, "\rhygrova-calc: %llu rows, %llu%% read",
                         static_cast<unsigned long long>(rows),
                         static_cast<unsigned long long>(100 * m_bytesRead / m_totalBytes));
        } else {
            std::fprintf(stderr, "\rhygrova-calc: %llu rows",
                         static_cast<unsigned long long>(rows));
        }
    }

    bool m_enabled;
    bool m_shown = false;
    std::uint64_t m_totalBytes = 0;
    std::uint64_t m_bytesRead = 0;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point m_lastShown{};
};

}  // namespace

int RunStateCommand(const std::vector<std::string>& assignments, const std::string& pressurePa,
                    bool json)
{
    const PressureReading pressure = ReadPressurePa(pressurePa);
    if (!pressure.problem.empty()) {
        PrintProblem(pressure.problem);
        return kExitProblem;
    }
    const StateArguments arguments = QueryFromAssignments(assignments, pressure.pressureHpa);
    if (!arguments.problem.empty()) {
        PrintProblem("hygrova-calc: " + arguments.problem);
        return kExitUnusable;
    }
    const StatePointOutcome outcome = SolveStatePoint(arguments.query);
    if (const auto* results = std::get_if<StateTexts>(&outcome)) {
        const std::string text = json ? StateJson(*results) : StateLines(*results);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : kExitUnusable;
    }
    PrintProblem(ProblemOf(outcome));
    return kExitProblem;
}

int RunBatchCommand(const std::string& input, unsigned jobs, const std::string& pressurePa)
{
    const PressureReading pressure = ReadPressurePa(pressurePa);
    if (!pressure.problem.empty()) {
        PrintProblem(pressure.problem);
        return kExitProblem;
    }
    std::FILE* const file = input == "-" ? stdin : std::fopen(input.c_str(), "rb");
    if (!file) {
        PrintProblem("hygrova-calc: cannot open " + input + ": " + std::strerror(errno));
        return kExitUnusable;
    }
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);  // rows leave in large writes
    ProgressLine progress(file);
    LineReader reader([&](char* buffer, std::size_t size) {
        const std::size_t count = std::fread(buffer, 1, size, file);
        if (count == 0 && std::ferror(file)) {
            throw std::runtime_error("cannot read " + input + ": " + std::strerror(errno));
        }
        progress.AddBytesRead(count);
        return count;
    });
    const auto write = [](std::string_view bytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
            throw std::runtime_error(std::string("cannot write the output: ") +
                                     std::strerror(errno));
        }
    };
    BatchSummary summary;
    try {
        summary = RunBatch(reader, {jobs, pressure.pressureHpa}, write,
                           [&](std::uint64_t rows) { progress.Report(rows); });
        if (std::fflush(stdout) != 0) {
            throw std::runtime_error(std::string("cannot write the output: ") +
                                     std::strerror(errno));
        }
    } catch (const std::runtime_error& error) {
        progress.Finish(summary.rows);
        PrintProblem(std::string("hygrova-calc: ") + error.what());
        return kExitUnusable;
    }
    progress.Finish(summary.rows);
    if (file != stdin) {
        std::fclose(file);
    }
    if (!summary.headerProblem.empty()) {
        PrintProblem("hygrova-calc: " + summary.headerProblem);
        return kExitUnusable;
    }
    if (summary.failedRows > 0) {
        PrintProblem("hygrova-calc: " + std::to_string(summary.failedRows) + " of " +
                     std::to_string(summary.rows) + " rows failed; the first on line " +
                     std::to_string(summary.firstFailedLine) + ": " + summary.firstProblem);
        return kExitProblem;
    }
    return 0;
}

}  // namespace hygrova
