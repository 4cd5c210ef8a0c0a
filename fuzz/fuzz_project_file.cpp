// Fuzz target: the project-file reader behind "打开项目…" and `hygrova-calc project`.
//
// Input layout: the whole input is the file's bytes.
//
// Checks, for every input:
//  - no exception escapes the reader; it gives a project or a message, never both, and the
//    message is one of the reader's kinds (a file problem with its place, not a project file,
//    a newer version);
//  - a project read evaluates without an exception; every state has eight texts or a problem,
//    every operation figures or a problem; the table and the chart layer are built;
//  - the project written again reads back to the same project, and its evaluation gives the
//    same texts (the round trip the windows rely on), and writing that gives the same bytes.

#include "project/project_evaluation.h"
#include "project/project_file.h"
#include "project/project_overlay.h"
#include "project/project_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"

namespace hygrova::fuzz {
namespace {

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

void CheckEvaluation(const Project& project, const ProjectEvaluation& evaluation)
{
    FUZZ_CHECK(evaluation.states.size() == project.States().size(), "a state row is missing");
    for (const StateRow& row : evaluation.states) {
        const bool hasTexts = !row.texts[kQuantityDryBulb].empty();
        FUZZ_CHECK(hasTexts != !row.problem.empty(),
                   "state " + row.label + ": texts and problem \"" + row.problem + "\"");
        FUZZ_CHECK(hasTexts == row.place.has_value(), "state " + row.label + ": place");
    }
    for (const OperationRow& row : evaluation.operations) {
        if (row.kind != OperationKind::Mix) {
            const bool hasFigures = !row.figures[kFigureTemperatureChange].empty();
            FUZZ_CHECK(hasFigures != !row.problem.empty(), "operation " + row.title);
        }
    }
}

}  // namespace
}  // namespace hygrova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace hygrova;
    using namespace hygrova::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ProjectReading reading = ReadProjectJson(text);
    if (!reading.project) {
        FUZZ_CHECK(StartsWith(reading.problem, "项目文件有误：") ||
                       StartsWith(reading.problem, "这不是 Hygrova 项目文件") ||
                       StartsWith(reading.problem, "该项目文件的格式版本为 "),
                   "unexpected message: " + reading.problem);
        return 0;
    }
    FUZZ_CHECK(reading.problem.empty(), "a project with a message: " + reading.problem);
    const Project& project = *reading.project;
    FUZZ_CHECK(!project.IsModified(), "a project just read is modified");
    const ProjectEvaluation evaluation = EvaluateProject(project);
    CheckEvaluation(project, evaluation);
    ProjectTableTsv(evaluation);
    ProjectTableCsv(evaluation);
    OverlayOf(evaluation);

    const std::string written = ProjectJson(project);
    const ProjectReading again = ReadProjectJson(written);
    FUZZ_CHECK(again.project.has_value(), "the written project does not read: " + again.problem);
    FUZZ_CHECK(again.project->States() == project.States() &&
                   again.project->Operations() == project.Operations() &&
                   again.project->Look() == project.Look() &&
                   again.project->PressureText() == project.PressureText(),
               "the written project reads back differently");
    const ProjectEvaluation evaluatedAgain = EvaluateProject(*again.project);
    for (std::size_t i = 0; i < evaluation.states.size(); ++i) {
        FUZZ_CHECK(evaluatedAgain.states[i].texts == evaluation.states[i].texts,
                   "state " + evaluation.states[i].label + " shows other texts after a round trip");
    }
    FUZZ_CHECK(ProjectJson(*again.project) == written, "writing again gives other bytes");
    return 0;
}
