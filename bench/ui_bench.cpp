// Painting the chart and the main window's resize, on the offscreen platform.

#include "chart/chart_drawing.h"
#include "common/app_state.h"
#include "shell/widgets/chart_surface.h"
#include "shell/windows/form1_main_window.h"
#include "shell/platform/twips.h"

#include <QTest>

#include "window_bench_main.h"
#include <benchmark/benchmark.h>

namespace hygrova {
namespace {

// Clear plus paint of the default chart into the retained image of a picture of
// width x height pixels, as every redraw does.
void BM_PaintChart(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    ChartSurface surface;
    surface.resize(width, width * 4 / 5);
    const double tpp = TwipsPerPixel(&surface);
    const PictureGeometry picture{0, 0, static_cast<float>(surface.width() * tpp),
                                  static_cast<float>(surface.height() * tpp)};
    const ChartDrawing chart = BuildChart(picture, AppState{});
    for (auto _ : state) {
        surface.Clear();
        surface.DrawSegments(chart.segments);
        benchmark::DoNotOptimize(surface.RetainedImage().constBits());
    }
    state.counters["segments"] = static_cast<double>(chart.segments.size());
}
BENCHMARK(BM_PaintChart)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

// The whole resize of a 1920-pixel-wide main window: shape check, layout, clear, redraw.
void BM_ResizeMainWindow(benchmark::State& state)
{
    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the main window was not exposed");
        return;
    }
    const int frame = form.frameGeometry().width() - form.width();
    int width = 1920 - frame;
    for (auto _ : state) {
        width = width == 1920 - frame ? 1919 - frame : 1920 - frame;
        form.resize(width, width * 3 / 4);
    }
}
BENCHMARK(BM_ResizeMainWindow)->Unit(benchmark::kMillisecond);

// Creating and showing the main window up to its first painted chart.
void BM_StartMainWindow(benchmark::State& state)
{
    for (auto _ : state) {
        Form1 form;
        form.show();
        benchmark::DoNotOptimize(form.grab());
    }
}
BENCHMARK(BM_StartMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hygrova

int main(int argc, char* argv[])
{
    // A screen wide enough for a 1920-pixel window.
    return hygrova::bench::RunWindowBenchmarks(argc, argv, 2560, 1600);
}
