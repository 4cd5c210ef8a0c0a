// The chart leaving the window (offscreen): the default chart with one mark, captured from
// the main window and made into an SVG, a PDF and a PNG at twice the screen's size.

#include "shell/export/chart_export.h"
#include "shell/export/chart_sheet.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/form1_main_window.h"

#include <functional>

#include <QBuffer>
#include <QTest>

#include "window_bench_main.h"
#include <benchmark/benchmark.h>

namespace hygrova {
namespace {

// The main window as it starts on a 1920 x 1080 screen, with the typical state marked.
Form1& MainWindow()
{
    static Form1* form = [] {
        auto* created = new Form1;
        created->show();
        if (!QTest::qWaitForWindowExposed(created)) {
            std::abort();  // no chart to measure
        }
        const float unit = TheAppState().ChartUnit;
        created->Picture1->SetFillStyle(ChartSurface::FillStyle::Solid);
        created->Picture1->DrawCircle(7.261f * unit, 10 * unit, 0.2f * unit, Rgb{255, 0, 0});
        return created;
    }();
    return *form;
}

void Run(benchmark::State& state, const std::function<qsizetype(const ChartSheet&)>& make)
{
    const Form1& form = MainWindow();
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = make(CaptureChartSheet(form.ShownChart()));
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ChartSvg(benchmark::State& state)
{
    Run(state, [](const ChartSheet& sheet) { return ChartSvg(sheet).size(); });
}
BENCHMARK(BM_ChartSvg)->Unit(benchmark::kMillisecond);

void BM_ChartPdf(benchmark::State& state)
{
    Run(state, [](const ChartSheet& sheet) { return ChartPdf(sheet).size(); });
}
BENCHMARK(BM_ChartPdf)->Unit(benchmark::kMillisecond);

// The image alone, and encoded as the PNG file is.
void BM_ChartImage2x(benchmark::State& state)
{
    Run(state, [](const ChartSheet& sheet) { return ChartImage(sheet, 2).sizeInBytes(); });
}
BENCHMARK(BM_ChartImage2x)->Unit(benchmark::kMillisecond);

void BM_ChartPng2x(benchmark::State& state)
{
    Run(state, [](const ChartSheet& sheet) { return ChartPng(sheet, 2).size(); });
}
BENCHMARK(BM_ChartPng2x)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hygrova

int main(int argc, char* argv[])
{
    return hygrova::bench::RunWindowBenchmarks(argc, argv, 1920, 1080);
}
