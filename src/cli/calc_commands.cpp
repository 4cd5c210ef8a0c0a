#include "cli/calc_commands.h"

#include "cli/state_command.h"
#include "logs/batch_writer.h"
#include "logs/state_reading.h"
#include "query/pressure_rule.h"

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

// The --pressure option: a number (ReadNumberField), then within the settings dialog's
// limits (ReadPressurePa). A status other than 0 has been told on the standard error.
struct PressureOption {
    float pressureHpa = 0;
    int status = 0;
};

PressureOption ReadPressureOption(const std::string& pressurePa)
{
    std::string text;
    const NumberProblem problem = ReadNumberField(pressurePa, DecimalMark::kPoint, text);
    if (problem != NumberProblem::kNone) {
        PrintProblem("hygrova-calc: --pressure: " +
                     NumberProblemText(problem, pressurePa, DecimalMark::kPoint));
        return {0, kExitUnusable};
    }
    const PressureReading pressure = ReadPressurePa(text);
    if (!pressure.problem.empty()) {
        PrintProblem(pressure.problem);
        return {0, kExitProblem};
    }
    return {pressure.pressureHpa, 0};
}

// What the last failed write of the output tells.
std::string CannotWrite()
{
    return std::string("cannot write the output: ") + std::strerror(errno);
}

// Failures of the input and of the output, told apart by their exit statuses.
struct ReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct WriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What the standard error tells after a batch: the failed rows, the flagged ones and the
// blank lines skipped, each counted with the first of them; nothing for a clean log.
void PrintSummary(const LogSummary& summary)
{
    const std::string rows = " of " + std::to_string(summary.rows) + " rows ";
    if (summary.failedRows > 0) {
        PrintProblem("hygrova-calc: " + std::to_string(summary.failedRows) + rows +
                     "failed; the first: " + summary.firstFailure);
    }
    if (summary.flaggedRows > 0) {
        PrintProblem("hygrova-calc: " + std::to_string(summary.flaggedRows) + rows +
                     "flagged; the first: " + summary.firstFlagged);
    }
    if (summary.blankLines > 0) {
        PrintProblem("hygrova-calc: " + std::to_string(summary.blankLines) +
                     (summary.blankLines == 1 ? " blank line" : " blank lines") + " skipped");
    }
}

}  // namespace

int PrintOutput(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0) {
        PrintProblem("hygrova-calc: " + CannotWrite());
        return kExitUnwritable;
    }
    return 0;
}

int RunStateCommand(const StateCommand& command)
{
    const PressureOption pressure = ReadPressureOption(command.pressurePa);
    if (pressure.status != 0) {
        return pressure.status;
    }
    const StateArguments arguments =
        QueryFromAssignments(command.assignments, pressure.pressureHpa, command.decimalMark);
    if (!arguments.problem.empty()) {
        PrintProblem("hygrova-calc: " + arguments.problem);
        return kExitUnusable;
    }
    const StatePointOutcome outcome = SolveStatePoint(arguments.query);
    const auto* results = std::get_if<StateTexts>(&outcome);
    if (!results) {
        PrintProblem(ProblemOf(outcome));
        return kExitProblem;
    }
    if (const int status = PrintOutput(command.json ? StateJson(*results) : StateLines(*results));
        status != 0) {
        return status;
    }
    const StateFlags flags = FlagsOf(arguments.query.ticked, *results);
    if (flags != 0) {
        PrintProblem("hygrova-calc: " + FlagsText(flags, arguments.query.ticked));
    }
    return 0;
}

int RunBatchCommand(const BatchCommand& command)
{
    const PressureOption pressure = ReadPressureOption(command.pressurePa);
    if (pressure.status != 0) {
        return pressure.status;
    }
    LogOptions options;
    options.jobs = command.jobs;
    options.pressureHpa = pressure.pressureHpa;
    options.format.decimalMark = command.decimalMark;
    if (!command.columns.empty()) {
        ColumnPicksReading picks = ReadColumnPicks(command.columns);
        if (!picks.problem.empty()) {
            PrintProblem("hygrova-calc: " + picks.problem);
            return kExitUnusable;
        }
        options.format.picks = std::move(picks.picks);
    }
    std::FILE* const file =
        command.input == "-" ? stdin : std::fopen(command.input.c_str(), "rb");
    if (!file) {
        PrintProblem("hygrova-calc: cannot open " + command.input + ": " + std::strerror(errno));
        return kExitUnusable;
    }
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);  // rows leave in large writes
    ProgressLine progress(file);
    LineReader reader([&](char* buffer, std::size_t size) {
        const std::size_t count = std::fread(buffer, 1, size, file);
        if (count == 0 && std::ferror(file)) {
            throw ReadError("cannot read " + command.input + ": " + std::strerror(errno));
        }
        progress.AddBytesRead(count);
        return count;
    });
    const auto write = [](std::string_view bytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
            throw WriteError(CannotWrite());
        }
    };
    LogSummary summary;
    int status = 0;
    try {
        summary = RunBatch(reader, options, write,
                           [&](std::uint64_t rows) { progress.Report(rows); });
        if (std::fflush(stdout) != 0) {
            throw WriteError(CannotWrite());
        }
    } catch (const ReadError& error) {
        PrintProblem(std::string("hygrova-calc: ") + error.what());
        status = kExitUnusable;
    } catch (const WriteError& error) {
        PrintProblem(std::string("hygrova-calc: ") + error.what());
        status = kExitUnwritable;
    }
    progress.Finish(summary.rows);
    if (file != stdin) {
        std::fclose(file);
    }
    if (status != 0) {
        return status;
    }
    if (!summary.headerProblem.empty()) {
        PrintProblem("hygrova-calc: " + summary.headerProblem);
        return kExitUnusable;
    }
    PrintSummary(summary);
    return summary.failedRows > 0 ? kExitProblem : 0;
}

}  // namespace hygrova
