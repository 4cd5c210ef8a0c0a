#include "cli/state_command.h"

#include "logs/log_header.h"
#include "query/quantity_names.h"

namespace hygrova {

StateArguments QueryFromAssignments(const std::vector<std::string>& assignments,
                                    float pressureHpa, DecimalMark mark)
{
    StateArguments arguments;
    StatePointQuery& query = arguments.query;
    query.pressure = pressureHpa;
    std::array<std::string_view, kQuerySlotCount> values;
    for (const std::string& assignment : assignments) {
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos) {
            arguments.problem = "expected NAME=VALUE, got \"" + assignment + "\"";
            return arguments;
        }
        const std::string_view name = std::string_view(assignment).substr(0, equals);
        const std::optional<int> slot = SlotOfName(name);
        if (!slot) {
            arguments.problem = "unknown parameter \"" + std::string(name) + "\"; the names are " +
                                std::string(kParameterList) +
                                (name == "p" || name == "P" ? "; the pressure is --pressure PA" : "");
            return arguments;
        }
        if (query.ticked[*slot]) {
            arguments.problem = "parameter " + std::string(NameOfSlot(*slot)) + " given twice";
            return arguments;
        }
        query.ticked[*slot] = true;
        values[*slot] = std::string_view(assignment).substr(equals + 1);
    }
    arguments.problem = ParameterPairProblem(query.ticked);
    for (int slot = 0; slot < kQuerySlotCount && arguments.problem.empty(); ++slot) {
        if (!query.ticked[slot]) {
            continue;
        }
        const NumberProblem problem = ReadNumberField(values[slot], mark, query.texts[slot]);
        if (problem != NumberProblem::kNone) {
            arguments.problem = std::string(NameOfSlot(slot)) + ": " +
                                NumberProblemText(problem, values[slot], mark);
        }
    }
    return arguments;
}

std::string StateLines(const StateTexts& results)
{
    std::string lines;
    for (std::size_t i = 0; i < results.size(); ++i) {
        lines.append(kQuantityCaptions[i].caption).append("\t").append(results[i]).append("\t");
        lines.append(kQuantityCaptions[i].unit).append("\n");
    }
    return lines;
}

std::string StateJson(const StateTexts& results)
{
    // A result text is a blank or a minus sign and a decimal number, possibly with an
    // exponent: without its blank it is a JSON number as it stands.
    std::string json = "{";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const std::string_view text = results[i];
        json.append(i == 0 ? "\"" : ",\"").append(kQuantityCaptions[i].name).append("\":");
        if (text.empty()) {
            json.append("null");
        } else {
            json.append(text.front() == ' ' ? text.substr(1) : text);
        }
    }
    json.append("}\n");
    return json;
}

}  // namespace hygrova
