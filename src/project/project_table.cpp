#include "project/project_table.h"

#include "common/state_texts.h"

#include <string_view>
#include <vector>

namespace hygrova {
namespace {

using Row = std::vector<std::string>;

std::string Number(const std::string& text)
{
    return !text.empty() && text.front() == ' ' ? text.substr(1) : text;
}

// A free text as a spreadsheet takes it without running it as a formula.
std::string Inert(const std::string& text)
{
    if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos) {
        return "'" + text;
    }
    return text;
}

std::vector<Row> TableRows(const ProjectEvaluation& evaluation)
{
    std::vector<Row> rows;
    Row header = {"状态点"};
    for (const QuantityCaption& column : kQuantityCaptions) {
        header.emplace_back(column.caption);
    }
    header.insert(header.end(), {"定义", "备注", "说明"});
    rows.push_back(header);
    for (const StateRow& state : evaluation.states) {
        Row row = {Inert(state.label)};
        for (const std::string& text : state.texts) {
            row.push_back(Number(text));
        }
        row.insert(row.end(), {Inert(state.origin), Inert(state.note),
                               state.problem.empty() ? state.remark : state.problem});
        rows.push_back(row);
    }
    rows.push_back({});
    header = {"操作", "类型", "定义"};
    for (const FigureColumn& column : kFigureColumns) {
        header.emplace_back(column.caption);
    }
    header.emplace_back("说明");
    rows.push_back(header);
    for (const OperationRow& operation : evaluation.operations) {
        Row row = {Inert(operation.title), operation.kindName, Inert(operation.definition)};
        for (const std::string& text : operation.figures) {
            row.push_back(Number(text));
        }
        row.push_back(operation.problem);
        rows.push_back(row);
    }
    return rows;
}

std::string TsvField(std::string text)
{
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string Joined(const ProjectEvaluation& evaluation, char separator, std::string_view lineEnd,
                   std::string (*field)(const std::string&))
{
    std::string text;
    for (const Row& row : TableRows(evaluation)) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                text += separator;
            }
            text += field(row[i]);
        }
        text += lineEnd;
    }
    return text;
}

}  // namespace

std::string ProjectTableTsv(const ProjectEvaluation& evaluation)
{
    return Joined(evaluation, '\t', "\n", [](const std::string& text) { return TsvField(text); });
}

std::string ProjectTableCsv(const ProjectEvaluation& evaluation)
{
    return "\xEF\xBB\xBF" + Joined(evaluation, ',', "\r\n", CsvField);
}

}  // namespace hygrova
