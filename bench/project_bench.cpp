// Cost of a design of 200 states and 200 operations: the recomputation after an edit (the
// whole evaluation, as the windows run it after every change), an edit that checks its result
// (adding a mix), and opening the project file (reading, checking and evaluating it).

#include "project/project_evaluation.h"
#include "project/project_file.h"

#include "design200.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

namespace hygrova {
namespace {

void BM_RecomputeAfterEdit(benchmark::State& state)
{
    Project project = Design200();
    if (project.States().size() != 200 || project.Operations().size() != 200) {
        state.SkipWithError("the design is not 200 states and 200 operations");
        return;
    }
    const StateId first = project.States().front().id;
    int n = 0;
    for (auto _ : state) {
        project.RenameState(first, "A" + std::to_string(++n % 2));
        benchmark::DoNotOptimize(EvaluateProject(project));
    }
}
BENCHMARK(BM_RecomputeAfterEdit)->Unit(benchmark::kMillisecond);

void BM_AddMixChecked(benchmark::State& state)
{
    const Project design = Design200();
    const StateId a = design.States()[0].id;
    const StateId b = design.States()[1].id;
    for (auto _ : state) {
        state.PauseTiming();
        Project project = design;
        state.ResumeTiming();
        benchmark::DoNotOptimize(project.AddMix(a, b, {MixBasis::Flows, "2000", "6000"}));
    }
}
BENCHMARK(BM_AddMixChecked)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State& state)
{
    Project project = Design200();
    const std::string path =
        (std::filesystem::temp_directory_path() / "hygrova-bench.hygrova").string();
    if (!SaveProjectFile(path, project).empty()) {
        state.SkipWithError("cannot write the project file");
        return;
    }
    for (auto _ : state) {
        const ProjectReading reading = OpenProjectFile(path);
        benchmark::DoNotOptimize(EvaluateProject(*reading.project));
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hygrova
