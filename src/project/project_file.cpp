#include "project/project_file.h"

#include "project/atomic_file.h"
#include "query/pressure_rule.h"
#include "query/quantity_names.h"
#include "query/state_point.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <variant>

#include <nlohmann/json.hpp>

namespace hygrova {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// Bounds that keep a hand-made file from costing more than a real project would.
constexpr std::size_t kMaxItems = 10000;   // states, and operations
constexpr std::size_t kMaxText = 256;      // bytes of a typed value or a label
constexpr std::size_t kMaxNote = 4096;     // bytes of a note
constexpr std::size_t kMaxDepth = 8;       // nesting of arrays and objects

// The chart look's fields: key and member, with their allowed values.
struct LookField {
    std::string_view key;
    std::int16_t ChartLook::*member;
    bool spacing;
};
constexpr std::array<LookField, 7> kLookFields = {{
    {"moisture_line_color", &ChartLook::moistureLineColor, false},
    {"enthalpy_line_color", &ChartLook::enthalpyLineColor, false},
    {"rh_line_color", &ChartLook::rhLineColor, false},
    {"isotherm_color", &ChartLook::isothermColor, false},
    {"moisture_line_spacing", &ChartLook::moistureLineSpacing, true},
    {"enthalpy_line_spacing", &ChartLook::enthalpyLineSpacing, true},
    {"isotherm_spacing", &ChartLook::isothermSpacing, true},
}};

// The names a file uses for the choices of the model.
constexpr std::array<std::string_view, 2> kFlowUnits = {"m3/h", "kg/h"};
constexpr std::array<std::string_view, 2> kMixBases = {"mass_ratio", "flows"};
constexpr std::array<std::string_view, 3> kLineEnds = {"rh", "tdb", "dt"};

template <std::size_t N>
std::string_view NameOf(const std::array<std::string_view, N>& names, auto choice)
{
    return names[static_cast<std::size_t>(choice)];
}

// --- Writing -------------------------------------------------------------------------------

OrderedJson StateJson(const ProjectState& state)
{
    OrderedJson json = {{"id", state.id}, {"label", state.label}, {"note", state.note}};
    if (state.known) {
        OrderedJson known;
        known[std::string(NameOfSlot(state.known->firstSlot))] = state.known->firstText;
        known[std::string(NameOfSlot(state.known->secondSlot))] = state.known->secondText;
        json["known"] = known;
    }
    return json;
}

OrderedJson OperationJson(const Operation& operation)
{
    OrderedJson json = {{"id", operation.id}};
    if (const auto* process = std::get_if<ProcessOperation>(&operation.kind)) {
        json["kind"] = "process";
        json["from"] = process->from;
        json["to"] = process->to;
        json["flow"] = process->flow.text;
        json["flow_unit"] = NameOf(kFlowUnits, process->flow.unit);
    } else if (const auto* mix = std::get_if<MixOperation>(&operation.kind)) {
        json["kind"] = "mix";
        json["first"] = mix->first;
        json["second"] = mix->second;
        json["output"] = mix->output;
        json["basis"] = NameOf(kMixBases, mix->amounts.basis);
        json["first_share"] = mix->amounts.firstText;
        json["second_share"] = mix->amounts.secondText;
    } else {
        const auto& line = std::get<EpsilonLineOperation>(operation.kind);
        json["kind"] = "epsilon_line";
        json["from"] = line.from;
        json["output"] = line.output;
        json["epsilon"] = line.line.epsilonText;
        json["end"] = NameOf(kLineEnds, line.line.end);
        json["end_value"] = line.line.endText;
    }
    return json;
}

// --- Reading -------------------------------------------------------------------------------

// Ends the reading with a message naming the place.
struct FileProblem {
    std::string message;
};

[[noreturn]] void Refuse(const std::string& place, const std::string& what)
{
    throw FileProblem{"项目文件有误：" + (place.empty() ? "" : place + "：") + what};
}

std::string Quoted(std::string_view text)
{
    return "“" + std::string(text) + "”";
}

std::string Member(const std::string& place, std::string_view key)
{
    return place.empty() ? std::string(key) : place + "." + std::string(key);
}

// An object whose keys are all among `allowed` and hold every one of `required`.
const Json& ObjectWithKeys(const Json& json, const std::string& place,
                           std::initializer_list<std::string_view> required,
                           std::initializer_list<std::string_view> optional = {})
{
    if (!json.is_object()) {
        Refuse(place, "应为对象 {…}");
    }
    const auto known = [](std::initializer_list<std::string_view> keys, const std::string& key) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    for (const auto& item : json.items()) {
        if (!known(required, item.key()) && !known(optional, item.key())) {
            Refuse(place.empty() ? "顶层" : place, "有未知的键 " + Quoted(item.key()));
        }
    }
    for (const std::string_view key : required) {
        if (!json.contains(key)) {
            Refuse(place.empty() ? "顶层" : place, "缺少键 " + Quoted(key));
        }
    }
    return json;
}

std::string TextAt(const Json& object, std::string_view key, const std::string& place,
                   std::size_t maxBytes = kMaxText)
{
    const Json& value = object.at(key);
    const std::string where = Member(place, key);
    if (!value.is_string()) {
        Refuse(where, "应为文本（带引号）");
    }
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() > maxBytes) {
        Refuse(where, "文本过长（超过 " + std::to_string(maxBytes) + " 字节）");
    }
    return text;
}

std::uint32_t IdAt(const Json& object, std::string_view key, const std::string& place)
{
    const Json& value = object.at(key);
    if (!value.is_number_integer() || value.get<std::int64_t>() < 1 ||
        value.get<std::int64_t>() > std::numeric_limits<std::uint32_t>::max()) {
        Refuse(Member(place, key), "应为正整数编号");
    }
    return value.get<std::uint32_t>();
}

template <std::size_t N>
std::size_t ChoiceAt(const Json& object, std::string_view key, const std::string& place,
                     const std::array<std::string_view, N>& names)
{
    const std::string text = TextAt(object, key, place);
    const auto found = std::find(names.begin(), names.end(), text);
    if (found == names.end()) {
        std::string list;
        for (const std::string_view name : names) {
            list += (list.empty() ? "" : "、") + Quoted(name);
        }
        Refuse(Member(place, key), "应为 " + list + " 之一，而不是 " + Quoted(text));
    }
    return static_cast<std::size_t>(found - names.begin());
}

const Json& ArrayAt(const Json& object, std::string_view key)
{
    const Json& value = object.at(key);
    if (!value.is_array()) {
        Refuse(std::string(key), "应为数组 […]");
    }
    if (value.size() > kMaxItems) {
        Refuse(std::string(key), "项数过多（超过 " + std::to_string(kMaxItems) + "）");
    }
    return value;
}

ChartLook ReadLook(const Json& json)
{
    ObjectWithKeys(json, "chart",
                   {kLookFields[0].key, kLookFields[1].key, kLookFields[2].key,
                    kLookFields[3].key, kLookFields[4].key, kLookFields[5].key,
                    kLookFields[6].key});
    ChartLook look;
    for (const LookField& field : kLookFields) {
        const Json& value = json.at(field.key);
        const bool valid =
            value.is_number_integer() &&
            (field.spacing ? (value == 1 || value == 5 || value == 10)
                           : (value.get<std::int64_t>() >= 0 && value.get<std::int64_t>() <= 15));
        if (!valid) {
            Refuse(Member("chart", field.key), field.spacing ? "应为间隔 1、5 或 10"
                                                             : "应为 0~15 的颜色编号");
        }
        look.*field.member = value.get<std::int16_t>();
    }
    return look;
}

KnownPair ReadKnown(const Json& json, const std::string& place)
{
    if (!json.is_object() || json.size() != 2) {
        Refuse(place, "应为含两个已知参数的对象，如 {\"tdb\": \"30\", \"rh\": \"60\"}");
    }
    std::map<int, std::string> texts;
    for (const auto& [name, value] : json.items()) {
        const std::optional<int> slot = SlotOfName(name);
        if (!slot) {
            Refuse(place, "有未知的参数 " + Quoted(name) + "（可用 " +
                              std::string(kParameterList) + "）");
        }
        if (texts.count(*slot)) {
            Refuse(place, "参数 " + Quoted(name) + " 重复");
        }
        texts[*slot] = TextAt(json, name, place);
    }
    const auto first = texts.begin();
    const auto second = std::next(first);
    return {first->first, first->second, second->first, second->second};
}

ProjectState ReadState(const Json& json, const std::string& place)
{
    ObjectWithKeys(json, place, {"id", "label", "note"}, {"known"});
    ProjectState state;
    state.id = IdAt(json, "id", place);
    state.label = TextAt(json, "label", place);
    if (state.label.empty()) {
        Refuse(Member(place, "label"), "名称不能为空");
    }
    state.note = TextAt(json, "note", place, kMaxNote);
    if (json.contains("known")) {
        state.known = ReadKnown(json.at("known"), Member(place, "known"));
    }
    return state;
}

Operation ReadOperation(const Json& json, const std::string& place)
{
    if (!json.is_object() || !json.contains("kind")) {
        ObjectWithKeys(json, place, {"id", "kind"});
    }
    const std::string kind = TextAt(json, "kind", place);
    Operation operation;
    if (kind == "process") {
        ObjectWithKeys(json, place, {"id", "kind", "from", "to", "flow", "flow_unit"});
        ProcessOperation process{IdAt(json, "from", place), IdAt(json, "to", place), {}};
        process.flow.text = TextAt(json, "flow", place);
        process.flow.unit = static_cast<FlowUnit>(ChoiceAt(json, "flow_unit", place, kFlowUnits));
        operation.kind = process;
    } else if (kind == "mix") {
        ObjectWithKeys(json, place,
                       {"id", "kind", "first", "second", "output", "basis", "first_share",
                        "second_share"});
        MixOperation mix{IdAt(json, "first", place), IdAt(json, "second", place),
                         IdAt(json, "output", place), {}};
        mix.amounts.basis = static_cast<MixBasis>(ChoiceAt(json, "basis", place, kMixBases));
        mix.amounts.firstText = TextAt(json, "first_share", place);
        mix.amounts.secondText = TextAt(json, "second_share", place);
        operation.kind = mix;
    } else if (kind == "epsilon_line") {
        ObjectWithKeys(json, place, {"id", "kind", "from", "output", "epsilon", "end", "end_value"});
        EpsilonLineOperation line{IdAt(json, "from", place), IdAt(json, "output", place), {}};
        line.line.epsilonText = TextAt(json, "epsilon", place);
        line.line.end = static_cast<LineEnd>(ChoiceAt(json, "end", place, kLineEnds));
        line.line.endText = TextAt(json, "end_value", place);
        operation.kind = line;
    } else {
        Refuse(Member(place, "kind"), "应为 “process”、“mix” 或 “epsilon_line”，而不是 " +
                                          Quoted(kind));
    }
    operation.id = IdAt(json, "id", place);
    return operation;
}

std::string Indexed(std::string_view list, std::size_t index)
{
    return std::string(list) + "[" + std::to_string(index) + "]";
}

// The references between states and operations: unique ids, existing states, one producing
// operation for every state without a typed pair and none for a typed one, no state
// depending on itself.
void CheckReferences(const std::vector<ProjectState>& states,
                     const std::vector<Operation>& operations)
{
    std::map<std::uint32_t, std::size_t> stateIndex;
    std::set<std::uint32_t> ids;
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (!ids.insert(states[i].id).second) {
            Refuse(Member(Indexed("states", i), "id"), "编号 " + std::to_string(states[i].id) + " 重复");
        }
        stateIndex[states[i].id] = i;
    }
    std::map<StateId, std::size_t> producer;
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const Operation& operation = operations[i];
        const std::string place = Indexed("operations", i);
        if (!ids.insert(operation.id).second) {
            Refuse(Member(place, "id"), "编号 " + std::to_string(operation.id) + " 重复");
        }
        const std::vector<StateId> used = InputsOf(operation);
        for (const StateId id : used) {
            if (!stateIndex.count(id)) {
                Refuse(place, "引用了不存在的状态点编号 " + std::to_string(id));
            }
        }
        if (used.size() == 2 && used[0] == used[1]) {
            Refuse(place, "两端是同一个状态点");
        }
        if (const StateId output = OutputOf(operation)) {
            const auto found = stateIndex.find(output);
            if (found == stateIndex.end()) {
                Refuse(Member(place, "output"), "引用了不存在的状态点编号 " + std::to_string(output));
            }
            if (Reads(operation, output)) {
                Refuse(place, "输出的状态点也是它的输入");
            }
            if (states[found->second].known) {
                Refuse(Member(place, "output"), "状态点 " + std::to_string(output) +
                                                    " 已有已知参数，不能再由操作得出");
            }
            if (!producer.emplace(output, i).second) {
                Refuse(Member(place, "output"), "状态点 " + std::to_string(output) +
                                                    " 已由另一操作得出");
            }
        }
    }
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (!states[i].known && !producer.count(states[i].id)) {
            Refuse(Indexed("states", i), "既没有已知参数（known），也没有得出它的操作");
        }
    }
    // No produced state may depend on itself: a depth-first walk from each produced state
    // through the operations that produce its inputs meets no state still on its path.
    enum class Mark { Unseen, OnPath, Done };
    std::map<StateId, Mark> marks;
    for (const auto& entry : producer) {
        const StateId root = entry.first;
        if (marks[root] != Mark::Unseen) {
            continue;
        }
        // Each entry: a produced state and how many of its inputs were walked so far.
        std::vector<std::pair<StateId, std::size_t>> path = {{root, 0}};
        marks[root] = Mark::OnPath;
        while (!path.empty()) {
            auto& [state, next] = path.back();
            const std::size_t operation = producer.at(state);
            const std::vector<StateId> inputs = InputsOf(operations[operation]);
            if (next == inputs.size()) {
                marks[state] = Mark::Done;
                path.pop_back();
                continue;
            }
            const StateId input = inputs[next++];
            if (!producer.count(input) || marks[input] == Mark::Done) {
                continue;
            }
            if (marks[input] == Mark::OnPath) {
                Refuse(Indexed("operations", operation), "状态点之间循环引用");
            }
            marks[input] = Mark::OnPath;
            path.push_back({input, 0});
        }
    }
}

// A zone: its name and the texts of its limits, each a range as ReadValueRange takes it;
// "d" may be empty for no moisture limits.
ZoneDefinition ReadZoneJson(const Json& json, const std::string& place)
{
    ObjectWithKeys(json, place, {"label", "tdb", "rh", "d"});
    ZoneDefinition zone{TextAt(json, "label", place), TextAt(json, "tdb", place),
                        TextAt(json, "rh", place), TextAt(json, "d", place)};
    if (const ZoneReading reading = ReadZone(zone); !reading.limits) {
        Refuse(Member(place, reading.badField),
               "应为“下限:上限”，如 " + Quoted("20:26") + "，而不是 " + Quoted(reading.badText));
    }
    return zone;
}

Project ReadProject(const Json& json)
{
    if (!json.is_object() || !json.contains("format") || json.at("format") != kProjectFormatName) {
        throw FileProblem{"这不是 Hygrova 项目文件（缺少 \"format\": \"hygrova-project\"）"};
    }
    if (!json.contains("version") || !json.at("version").is_number_integer() ||
        json.at("version").get<std::int64_t>() < 1) {
        Refuse("version", "应为正整数的格式版本");
    }
    const auto version = json.at("version").get<std::int64_t>();
    if (version > kProjectFormatVersion) {
        throw FileProblem{"该项目文件的格式版本为 " + std::to_string(version) +
                          "，由较新的 Hygrova 写成；本程序只能打开版本 " +
                          std::to_string(kProjectFormatVersion) + " 及以前的项目文件"};
    }
    // Version 2 adds the optional zones; a version 1 file has none.
    if (version >= kProjectZonesVersion) {
        ObjectWithKeys(json, "", {"format", "version", "pressure_pa", "chart", "states", "operations"},
                       {"zones"});
    } else {
        ObjectWithKeys(json, "", {"format", "version", "pressure_pa", "chart", "states", "operations"});
    }
    const std::string pressureText = TextAt(json, "pressure_pa", "");
    const PressureReading pressure = ReadPressurePa(pressureText);
    if (!pressure.problem.empty()) {
        Refuse("pressure_pa", std::string(pressure.problem));
    }
    const ChartLook look = ReadLook(json.at("chart"));
    std::vector<ProjectState> states;
    const Json& stateArray = ArrayAt(json, "states");
    for (std::size_t i = 0; i < stateArray.size(); ++i) {
        states.push_back(ReadState(stateArray[i], Indexed("states", i)));
    }
    std::vector<Operation> operations;
    const Json& operationArray = ArrayAt(json, "operations");
    for (std::size_t i = 0; i < operationArray.size(); ++i) {
        operations.push_back(ReadOperation(operationArray[i], Indexed("operations", i)));
    }
    CheckReferences(states, operations);
    std::vector<ZoneDefinition> zones;
    if (json.contains("zones")) {
        const Json& zoneArray = ArrayAt(json, "zones");
        for (std::size_t i = 0; i < zoneArray.size(); ++i) {
            zones.push_back(ReadZoneJson(zoneArray[i], Indexed("zones", i)));
        }
    }
    return Project::FromParts(pressureText, pressure.pressureHpa, look, std::move(states),
                              std::move(operations), std::move(zones));
}

// Line and column (1-based) of a byte position in the text.
std::string LineAndColumn(std::string_view text, std::size_t byte)
{
    byte = std::min(byte, text.size());
    const std::string_view before = text.substr(0, byte);
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column = byte - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

struct TooDeep {
    std::size_t depth;
};

}  // namespace

std::string ProjectJson(const Project& project)
{
    OrderedJson chart;
    for (const LookField& field : kLookFields) {
        chart[std::string(field.key)] = project.Look().*field.member;
    }
    OrderedJson states = OrderedJson::array();
    for (const ProjectState& state : project.States()) {
        states.push_back(StateJson(state));
    }
    OrderedJson operations = OrderedJson::array();
    for (const Operation& operation : project.Operations()) {
        operations.push_back(OperationJson(operation));
    }
    // A project without zones is written as version 1, which older programs still open.
    const bool zoned = !project.Zones().empty();
    OrderedJson json = {{"format", kProjectFormatName},
                        {"version", zoned ? kProjectZonesVersion : 1},
                        {"pressure_pa", project.PressureText()},
                        {"chart", chart},
                        {"states", states},
                        {"operations", operations}};
    if (zoned) {
        OrderedJson zones = OrderedJson::array();
        for (const ZoneDefinition& zone : project.Zones()) {
            zones.push_back({{"label", zone.label}, {"tdb", zone.tdb}, {"rh", zone.rh}, {"d", zone.d}});
        }
        json["zones"] = zones;
    }
    // Texts come from the windows as UTF-8; a stray invalid byte is written as U+FFFD
    // rather than failing the save.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

ProjectReading ReadProjectJson(std::string_view text)
{
    ProjectReading reading;
    try {
        const Json json = Json::parse(
            text.begin(), text.end(), [](int depth, Json::parse_event_t, Json&) {
                if (static_cast<std::size_t>(depth) > kMaxDepth) {
                    throw TooDeep{static_cast<std::size_t>(depth)};
                }
                return true;
            });
        reading.project = ReadProject(json);
    } catch (const Json::parse_error& error) {
        const bool atEnd = error.byte >= text.size();
        reading.problem = "项目文件有误：" + LineAndColumn(text, error.byte == 0 ? 0 : error.byte - 1) +
                          (atEnd ? "处意外结束，文件可能不完整" : "处不是有效的 JSON，文件可能被改坏");
    } catch (const Json::out_of_range&) {
        // A number beyond the range of double, such as 1e999.
        reading.problem = "项目文件有误：有数值超出可读的范围，文件可能被改坏";
    } catch (const TooDeep&) {
        reading.problem = "项目文件有误：嵌套层数过多，不是 Hygrova 项目文件";
    } catch (const FileProblem& problem) {
        reading.problem = problem.message;
    }
    return reading;
}

std::string SaveProjectFile(const std::string& path, Project& project)
{
    const std::string problem = WriteFileAtomically(path, ProjectJson(project));
    if (!problem.empty()) {
        return "无法保存项目 " + path + "：" + problem;
    }
    project.MarkSaved();
    return {};
}

ProjectReading OpenProjectFile(const std::string& path)
{
    const FileReading file = ReadWholeFile(path, kMaxProjectFileBytes);
    if (!file.problem.empty()) {
        return {std::nullopt, "无法打开项目 " + path + "：" + file.problem};
    }
    ProjectReading reading = ReadProjectJson(file.bytes);
    if (!reading.problem.empty()) {
        reading.problem = path + "：" + reading.problem;
    }
    return reading;
}

}  // namespace hygrova
