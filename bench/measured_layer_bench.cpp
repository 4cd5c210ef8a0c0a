// Redrawing the main window's chart with a year of measured readings and a zone under it,
// at a 1920x1080 window, on the offscreen platform.

#include "common/app_state.h"
#include "shell/windows/form1_main_window.h"
#include "shell/windows/measured_layer.h"
#include "year_log.h"

#include <QTest>

#include "window_bench_main.h"
#include <benchmark/benchmark.h>

namespace hygrova::bench {
namespace {

// Shows `form` at 1920x1080 with its frame; false (and the benchmark skipped) when it is not
// exposed.
bool ShowAt1920(Form1& form, benchmark::State& state)
{
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the main window was not exposed");
        return false;
    }
    const QSize frame = form.frameGeometry().size() - form.size();
    form.resize(QSize(1920, 1080) - frame);
    QTest::qWait(20);
    return true;
}

const std::vector<ZoneDefinition> kComfort = {{"comfort", "20:26", "30:60", ""}};

void BM_RedrawChartWithYear(benchmark::State& state)
{
    Form1 form;
    if (!ShowAt1920(form, state)) {
        return;
    }
    if (state.range(0) != 0) {
        form.Measured->Show(std::make_shared<const MeasuredLog>(ReadYear(2)));
        form.Measured->SetZones(kComfort);
    }
    for (auto _ : state) {
        form.RedrawChart();
    }
}
BENCHMARK(BM_RedrawChartWithYear)->ArgName("layer")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The year's layer made anew, as at the end of its import: the density grid, its image and
// the zone's count, then the layer painted under the chart's lines.
void BM_ShowYear(benchmark::State& state)
{
    Form1 form;
    if (!ShowAt1920(form, state)) {
        return;
    }
    const auto log = std::make_shared<const MeasuredLog>(ReadYear(2));
    form.Measured->SetZones(kComfort);
    for (auto _ : state) {
        form.Measured->Show(log);
    }
}
BENCHMARK(BM_ShowYear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hygrova::bench

int main(int argc, char* argv[])
{
    return hygrova::bench::RunWindowBenchmarks(argc, argv, 2560, 1600);
}
