#include "logs/batch_rows.h"

#include "query/quantity_names.h"
#include "logs/csv_fields.h"
#include "logs/line_reader.h"
#include "query/pressure_rule.h"
#include "cli/state_command.h"

#include <variant>
#include <vector>

namespace hygrova {
namespace {

constexpr std::string_view kPressureName = "p";

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string HeaderProblem(std::string_view what)
{
    return "header: " + std::string(what) + "; name two of " + std::string(kParameterList) +
           " and optionally p (Pa)";
}

// The message of a pair without a calculation chain, as SolveStatePoint gives it before it
// looks at any text; empty for a pair that fixes a state.
std::string NoChainMessage(const std::array<bool, kQuerySlotCount>& ticked)
{
    StatePointQuery query;
    query.ticked = ticked;
    const StatePointOutcome outcome = SolveStatePoint(query);
    const auto* warning = std::get_if<StatePointWarning>(&outcome);
    return warning && !warning->focus ? warning->message : std::string();
}

// Places the header's column names into `layout`; returns what is wrong with them.
std::string PlaceColumns(const std::vector<std::string>& names, BatchLayout& layout)
{
    std::string named;  // the parameters, in column order
    int parameterCount = 0;
    for (std::size_t column = 0; column < names.size(); ++column) {
        const std::string_view name = TrimBlanks(names[column]);
        const std::optional<int> slot = SlotOfName(name);
        if (!slot && name != kPressureName) {
            return HeaderProblem("unknown column \"" + std::string(name) + "\"");
        }
        if (slot ? layout.ticked[*slot] : layout.pressureColumn.has_value()) {
            return HeaderProblem("column \"" + std::string(name) + "\" appears twice");
        }
        if (!slot) {
            layout.pressureColumn = column;
            continue;
        }
        layout.ticked[*slot] = true;
        layout.columnOfSlot[*slot] = column;
        named.append(parameterCount++ == 0 ? "" : " ").append(NameOfSlot(*slot));
    }
    layout.columnCount = names.size();
    if (parameterCount == 0) {
        return HeaderProblem("names no parameter");
    }
    if (parameterCount != 2) {
        return HeaderProblem(parameterCount == 1 ? "names one parameter: " + named
                                                 : "names " + std::to_string(parameterCount) +
                                                       " parameters: " + named);
    }
    if (const std::string noChain = NoChainMessage(layout.ticked); !noChain.empty()) {
        return "header: " + named + " do not fix a state together: " + noChain;
    }
    return {};
}

void AppendField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (const char c : text) {
        out.append(c == '"' ? "\"\"" : std::string_view(&c, 1));
    }
    out.push_back('"');
}

}  // namespace

HeaderReading ReadHeader(std::string_view line)
{
    HeaderReading reading;
    BatchLayout& layout = reading.layout;
    if (const std::string_view problem = TextProblem(line); !problem.empty()) {
        reading.problem = HeaderProblem(problem);
        return reading;
    }
    if (TrimBlanks(line).empty()) {
        reading.problem = HeaderProblem("the first line is empty");
        return reading;
    }
    layout.delimiter = line.find('\t') != std::string_view::npos ? '\t' : ',';
    std::vector<std::string> names(SplitFields(line, layout.delimiter, {}).count);
    const FieldSplit split = SplitFields(line, layout.delimiter, names);
    reading.problem =
        split.problem.empty() ? PlaceColumns(names, layout) : HeaderProblem(split.problem);
    return reading;
}

std::string OutputHeaderLine()
{
    std::string line;
    for (const QuantityCaption& column : kQuantityCaptions) {
        line.append(column.name).push_back(',');
    }
    return line.append("message\n");
}

RowSolver::RowSolver(const BatchLayout& layout, float pressureHpa)
    : m_layout(layout), m_pressureHpa(pressureHpa)
{
    m_query.ticked = layout.ticked;
}

std::string_view RowSolver::AppendRow(std::string_view line, bool tooLong, std::string& out)
{
    std::string_view problem = LineProblem(line, tooLong);
    if (problem.empty()) {
        m_query.pressure = m_pressureHpa;
        if (m_layout.pressureColumn) {
            const PressureReading pressure = ReadPressurePa(m_fields[*m_layout.pressureColumn]);
            problem = pressure.problem;
            m_query.pressure = pressure.pressureHpa;
        }
    }
    if (problem.empty()) {
        for (int slot = 0; slot < kQuerySlotCount; ++slot) {
            if (m_layout.ticked[slot]) {
                m_query.texts[slot].swap(m_fields[m_layout.columnOfSlot[slot]]);
            }
        }
        const StatePointOutcome outcome = SolveStatePoint(m_query);
        if (const auto* results = std::get_if<StateTexts>(&outcome)) {
            for (const std::string& text : *results) {
                out.append(text.empty() || text.front() != ' ' ? text
                                                               : std::string_view(text).substr(1));
                out.push_back(',');
            }
            out.push_back('\n');
            return {};
        }
        m_problem.assign(ProblemOf(outcome));
        problem = m_problem;
    }
    out.append(kQuantityCaptions.size(), ',');
    AppendField(out, problem);
    out.push_back('\n');
    return problem;
}

std::string_view RowSolver::LineProblem(std::string_view line, bool tooLong)
{
    if (tooLong) {
        m_problem = "line longer than " + std::to_string(kMaxLineBytes) + " bytes";
        return m_problem;
    }
    if (line.empty()) {
        return "empty line";
    }
    if (const std::string_view problem = TextProblem(line); !problem.empty()) {
        return problem;
    }
    const FieldSplit split = SplitFields(line, m_layout.delimiter, m_fields);
    if (!split.problem.empty()) {
        return split.problem;
    }
    if (split.count != m_layout.columnCount) {
        m_problem = std::to_string(split.count) + (split.count == 1 ? " field" : " fields") +
                    " where the header has " + std::to_string(m_layout.columnCount);
        return m_problem;
    }
    return {};
}

}  // namespace hygrova
