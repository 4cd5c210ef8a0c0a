#include "logs/log_header.h"

#include "logs/csv_fields.h"
#include "query/quantity_names.h"

#include <variant>

namespace hygrova {
namespace {

constexpr std::string_view kPressureName = "p";
constexpr char kDelimiters[] = {'\t', ',', ';'};  // preferred in this order on a tie

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names are the same without regard to ASCII letter case or surrounding blanks.
bool SameName(std::string_view a, std::string_view b)
{
    a = TrimBlanks(a);
    b = TrimBlanks(b);
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// The named parameters in slot order, for messages: "tdb, twb, rh".
std::string TickedNames(const std::array<bool, kQuerySlotCount>& ticked,
                        std::string_view separator = ", ")
{
    std::string names;
    for (int slot = 0; slot < kQuerySlotCount; ++slot) {
        if (ticked[slot]) {
            names.append(names.empty() ? "" : separator).append(NameOfSlot(slot));
        }
    }
    return names;
}

// The delimiter that splits the header cleanly into the most fields.
char ChooseDelimiter(std::string_view line)
{
    char best = ',';
    std::size_t bestCount = 0;
    for (const char delimiter : kDelimiters) {
        const FieldSplit split = SplitFields(line, delimiter, {});
        if (split.problem.empty() && split.count > bestCount) {
            best = delimiter;
            bestCount = split.count;
        }
    }
    return best;
}

// The only column named `name`, or what is wrong: none or several.
std::variant<std::size_t, std::string> ColumnNamed(const std::vector<std::string>& names,
                                                   std::string_view name)
{
    std::optional<std::size_t> found;
    for (std::size_t column = 0; column < names.size(); ++column) {
        if (!SameName(names[column], name)) {
            continue;
        }
        if (found) {
            return "column " + Quoted(TrimBlanks(name)) + " appears twice";
        }
        found = column;
    }
    if (!found) {
        return "no column " + Quoted(TrimBlanks(name));
    }
    return *found;
}

// Places the user's picks, then the columns named as parameters that are not picked, then a
// column named p unless one is picked. Returns what is wrong.
std::string PlaceColumns(const std::vector<ColumnPick>& picks, LogLayout& layout)
{
    std::vector<bool> used(layout.names.size(), false);
    const auto place = [&](const std::optional<int>& slot, std::size_t column) {
        used[column] = true;
        if (slot) {
            layout.ticked[*slot] = true;
            layout.columnOfSlot[*slot] = column;
        } else {
            layout.pressureColumn = column;
        }
    };
    for (const ColumnPick& pick : picks) {
        const auto column = ColumnNamed(layout.names, pick.column);
        if (const auto* problem = std::get_if<std::string>(&column)) {
            return "--columns: " + *problem;
        }
        if (used[std::get<std::size_t>(column)]) {
            return "--columns: column " + Quoted(pick.column) + " picked twice";
        }
        place(pick.slot, std::get<std::size_t>(column));
    }
    const std::array<bool, kQuerySlotCount> picked = layout.ticked;
    const bool pressurePicked = layout.pressureColumn.has_value();
    for (std::size_t column = 0; column < layout.names.size(); ++column) {
        const std::string_view name = TrimBlanks(layout.names[column]);
        const std::optional<int> slot = SlotOfName(name);
        const bool takenByName =
            slot ? !picked[*slot] : SameName(name, kPressureName) && !pressurePicked;
        if (used[column] || !takenByName) {
            continue;
        }
        if (slot ? layout.ticked[*slot] : layout.pressureColumn.has_value()) {
            return "column " + Quoted(name) + " appears twice";
        }
        place(slot, column);
    }
    for (std::size_t column = 0; column < layout.names.size(); ++column) {
        if (!used[column]) {
            layout.carriedColumns.push_back(column);
        }
    }
    return ParameterPairProblem(layout.ticked);
}

}  // namespace

ColumnPicksReading ReadColumnPicks(std::string_view text)
{
    ColumnPicksReading reading;
    std::array<bool, kQuerySlotCount + 1> named{};  // the slots, then p
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view pair = text.substr(0, comma);
        const std::size_t equals = pair.find('=');
        const std::string_view name = TrimBlanks(pair.substr(0, equals));
        const std::string_view column =
            equals == std::string_view::npos ? "" : TrimBlanks(pair.substr(equals + 1));
        const std::optional<int> slot = SlotOfName(name);
        if (column.empty()) {
            reading.problem = "--columns: expected NAME=COLUMN, got " + Quoted(pair);
        } else if (!slot && !SameName(name, kPressureName)) {
            reading.problem = "--columns: unknown name " + Quoted(name) + "; the names are " +
                              std::string(kParameterList) + " and p";
        } else if (named[slot.value_or(kQuerySlotCount)]) {
            reading.problem = "--columns: " + std::string(name) + " picked twice";
        }
        if (!reading.problem.empty()) {
            reading.picks.clear();
            return reading;
        }
        named[slot.value_or(kQuerySlotCount)] = true;
        reading.picks.push_back({slot, std::string(column)});
        if (comma == std::string_view::npos) {
            return reading;
        }
        text.remove_prefix(comma + 1);
    }
}

std::string LogLayout::ColumnName(std::size_t column) const
{
    const std::string_view name = column < names.size() ? TrimBlanks(names[column]) : "";
    return name.empty() ? std::to_string(column + 1) : Quoted(name);
}

HeaderReading ReadHeader(std::string_view line, const LogFormat& format)
{
    HeaderReading reading;
    LogLayout& layout = reading.layout;
    const auto problem = [&](std::string_view what) {
        reading.problem = "line 1, the header: " + std::string(what);
        return reading;
    };
    if (line.find('\0') != std::string_view::npos) {
        return problem("it holds NUL bytes: UTF-16 without a byte order mark? Save the log as "
                       "UTF-8, or as UTF-16 with a byte order mark");
    }
    if (const std::string_view text = TextProblem(line); !text.empty()) {
        return problem(text);
    }
    if (TrimBlanks(line).empty()) {
        return problem("the first line is empty; it names the columns");
    }
    layout.delimiter = ChooseDelimiter(line);
    layout.decimalMark = format.decimalMark.value_or(
        layout.delimiter == ';' ? DecimalMark::kComma : DecimalMark::kPoint);
    layout.names.resize(SplitFields(line, layout.delimiter, {}).count);
    const FieldSplit split = SplitFields(line, layout.delimiter, layout.names);
    if (!split.problem.empty()) {
        return problem(split.problem);
    }
    if (const std::string placing = PlaceColumns(format.picks, layout); !placing.empty()) {
        return problem(placing + (format.picks.empty()
                                      ? "; name two of " + std::string(kParameterList) +
                                            " (and optionally p, Pa) in the first line, or "
                                            "pick columns with --columns tdb=NAME,rh=NAME"
                                      : ""));
    }
    return reading;
}

std::string ParameterPairProblem(const std::array<bool, kQuerySlotCount>& ticked)
{
    int count = 0;
    for (const bool isTicked : ticked) {
        count += isTicked ? 1 : 0;
    }
    if (count == 0) {
        return "no parameter: a state needs two";
    }
    if (count != 2) {
        return (count == 1 ? "one parameter (" : std::to_string(count) + " parameters (") +
               TickedNames(ticked) + "): a state needs two";
    }
    // SolveStatePoint warns of a pair without a calculation chain before it looks at any
    // text, and without a box to focus.
    StatePointQuery query;
    query.ticked = ticked;
    const StatePointOutcome outcome = SolveStatePoint(query);
    const auto* warning = std::get_if<StatePointWarning>(&outcome);
    if (warning && !warning->focus) {
        return TickedNames(ticked, " and ") +
               " do not fix a state together: either follows from the other";
    }
    return {};
}

}  // namespace hygrova
