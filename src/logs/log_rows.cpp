#include "logs/log_rows.h"

#include "logs/csv_fields.h"
#include "logs/line_reader.h"
#include "query/pressure_rule.h"

#include <variant>

namespace hygrova {
namespace {

// A line of nothing but blanks and delimiters, as spreadsheets write empty rows.
bool IsBlankLine(std::string_view line, char delimiter)
{
    const char blanks[] = {' ', '\t', delimiter};
    return line.find_first_not_of(std::string_view(blanks, sizeof blanks)) ==
           std::string_view::npos;
}

}  // namespace

std::string ReadingMessage(const LogReading& reading, const LogLayout& layout)
{
    if (reading.Solved() && reading.flags == 0) {
        return {};
    }
    std::string message = "line " + std::to_string(reading.line);
    if (reading.problemColumn) {
        message.append(", column ").append(layout.ColumnName(*reading.problemColumn));
    }
    message.append(": ");
    return message.append(reading.Solved() ? FlagsText(reading.flags, layout.ticked)
                                           : reading.problem);
}

RowSplit SplitRow(std::string_view line, const LogLayout& layout,
                  std::vector<std::string> storage)
{
    RowSplit split;
    split.fields = std::move(storage);
    if (const std::string_view problem = TextProblem(line); !problem.empty()) {
        split.problem = problem;
        split.fields.clear();
        return split;
    }
    if (IsBlankLine(line, layout.delimiter)) {
        split.blank = true;
        split.fields.clear();
        return split;
    }
    const std::size_t columns = layout.names.size();
    split.fields.resize(columns);
    const FieldSplit fields = SplitFields(line, layout.delimiter, split.fields);
    if (!fields.problem.empty()) {
        split.problem = fields.problem;
    } else if (fields.count != columns) {
        split.problem = std::to_string(fields.count) + (fields.count == 1 ? " field" : " fields") +
                        " where the header has " + std::to_string(columns);
    }
    if (!split.problem.empty()) {
        split.fields.clear();
    }
    return split;
}

RowSolver::RowSolver(const LogLayout& layout, float pressureHpa)
    : m_layout(layout), m_pressureHpa(pressureHpa)
{
    m_query.ticked = layout.ticked;
}

bool RowSolver::Read(std::uint64_t number, std::string_view line, bool tooLong,
                     LogReading& reading)
{
    reading.line = number;
    reading.flags = 0;
    reading.problem.clear();
    reading.problemColumn.reset();
    if (tooLong) {
        reading.fields.clear();
        Fail(reading, "line longer than " + std::to_string(kMaxLineBytes) + " bytes");
        return true;
    }
    RowSplit split = SplitRow(line, m_layout, std::move(reading.fields));
    reading.fields = std::move(split.fields);
    if (split.blank) {
        return false;
    }
    if (!split.problem.empty()) {
        Fail(reading, std::move(split.problem));
        return true;
    }
    if (!EnterNumbers(reading)) {
        return true;
    }
    StatePointOutcome outcome = SolveStatePoint(m_query);
    if (auto* texts = std::get_if<StateTexts>(&outcome)) {
        reading.texts = std::move(*texts);
        reading.flags = FlagsOf(m_layout.ticked, reading.texts);
        return true;
    }
    const auto* warning = std::get_if<StatePointWarning>(&outcome);
    const std::optional<int> focus = warning ? warning->focus : std::nullopt;
    Fail(reading, std::string(ProblemOf(outcome)),
         focus ? std::optional(m_layout.columnOfSlot[*focus]) : std::nullopt);
    return true;
}

void RowSolver::Fail(LogReading& reading, std::string problem,
                     std::optional<std::size_t> column) const
{
    for (std::string& text : reading.texts) {
        text.clear();
    }
    reading.problem = std::move(problem);
    reading.problemColumn = column;
}

bool RowSolver::EnterNumbers(LogReading& reading)
{
    const auto read = [&](std::size_t column, std::string& queryText) {
        const std::string& field = reading.fields[column];
        const NumberProblem problem = ReadNumberField(field, m_layout.decimalMark, queryText);
        if (problem != NumberProblem::kNone) {
            Fail(reading, NumberProblemText(problem, field, m_layout.decimalMark), column);
        }
        return problem == NumberProblem::kNone;
    };
    for (int slot = 0; slot < kQuerySlotCount; ++slot) {
        if (m_layout.ticked[slot] && !read(m_layout.columnOfSlot[slot], m_query.texts[slot])) {
            return false;
        }
    }
    m_query.pressure = m_pressureHpa;
    if (const std::optional<std::size_t> column = m_layout.pressureColumn) {
        if (!read(*column, m_pressureText)) {
            return false;
        }
        const PressureReading pressure = ReadPressurePa(m_pressureText);
        if (!pressure.problem.empty()) {
            Fail(reading, std::string(pressure.problem), column);
            return false;
        }
        m_query.pressure = pressure.pressureHpa;
    }
    return true;
}

}  // namespace hygrova
