#include "cli/project_texts.h"

#include "cli/state_command.h"
#include "common/state_texts.h"

#include <sstream>

#include <nlohmann/json.hpp>

namespace hygrova {
namespace {

using Json = nlohmann::ordered_json;

// A shown number as JSON: its text without the leading blank is a JSON number; an empty text
// (an absent dew point, a figure without a flow) and "∞" are null.
Json NumberValue(const std::string& text)
{
    Json value = Json::parse(text, nullptr, false);
    return value.is_number() ? value : Json();
}

Json FiguresObject(const ProcessTexts& figures)
{
    Json json = Json::object();
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (!figures[i].empty()) {
            json[std::string(kFigureColumns[i].name)] = NumberValue(figures[i]);
        }
    }
    return json;
}

}  // namespace

PairArgument PairFromArgument(const std::string& argument, float pressureHpa)
{
    std::istringstream words(argument);
    std::vector<std::string> assignments;
    for (std::string word; words >> word;) {
        assignments.push_back(word);
    }
    PairArgument result;
    const StateArguments arguments = QueryFromAssignments(assignments, pressureHpa);
    if (!arguments.problem.empty()) {
        result.problem = arguments.problem;
        return result;
    }
    if (const std::optional<KnownPair> pair = KnownPairOf(arguments.query)) {
        result.pair = *pair;
    } else {
        result.warning = ProblemOf(SolveStatePoint(arguments.query));
    }
    return result;
}

std::optional<std::pair<std::string, std::string>> SplitShares(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || text.find(':', colon + 1) != std::string::npos) {
        return std::nullopt;
    }
    return std::pair{text.substr(0, colon), text.substr(colon + 1)};
}

std::string ProcessLines(const ProcessTexts& figures)
{
    std::string lines;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (!figures[i].empty()) {
            lines.append(kFigureColumns[i].caption).append("\t").append(figures[i]).append("\t");
            lines.append(kFigureColumns[i].unit).append("\n");
        }
    }
    return lines;
}

std::string ProcessJson(const ProcessTexts& figures)
{
    return FiguresObject(figures).dump() + "\n";
}

std::string EvaluationJson(const Project& project, const ProjectEvaluation& evaluation)
{
    Json states = Json::array();
    for (const StateRow& row : evaluation.states) {
        Json state = {{"label", row.label}, {"note", row.note}, {"definition", row.origin}};
        for (std::size_t i = 0; i < row.texts.size(); ++i) {
            state[std::string(kQuantityCaptions[i].name)] = NumberValue(row.texts[i]);
        }
        state["problem"] = row.problem;
        state["remark"] = row.remark;
        states.push_back(state);
    }
    Json operations = Json::array();
    for (const OperationRow& row : evaluation.operations) {
        operations.push_back({{"title", row.title},
                              {"kind", row.kindName},
                              {"definition", row.definition},
                              {"figures", FiguresObject(row.figures)},
                              {"problem", row.problem}});
    }
    const Json json = {{"pressure_pa", project.PressureText()},
                       {"states", states},
                       {"operations", operations}};
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace hygrova
