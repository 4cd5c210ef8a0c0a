// Timings of the chart's two hot paths: the display list, rebuilt on every resize of the main
// window, and the cursor readout, recomputed on every pointer movement over the chart.

#include "chart/chart_drawing.h"
#include "chart/chart_mapping.h"
#include "chart/readout.h"
#include "common/app_state.h"

#include <benchmark/benchmark.h>

namespace {

using namespace hygrova;

// A main window 1248 pixels wide at 96 dots per inch (15 twips per pixel), 3 : 4 high.
constexpr float kFormWidth = 18720.0f;
constexpr float kFormHeight = 0.75f * kFormWidth;
constexpr float kTwipsPerPixel = 15.0f;

void BM_BuildChart(benchmark::State& run)
{
    const AppState state;
    const PictureGeometry picture = PictureGeometryFor(kFormWidth, kFormHeight, kTwipsPerPixel);
    for (auto _ : run) {
        ChartDrawing drawing = BuildChart(picture, state);
        benchmark::DoNotOptimize(drawing.segments.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildChart);

void BM_ReadoutAt(benchmark::State& run)
{
    const AppState state;
    const PictureGeometry picture = PictureGeometryFor(kFormWidth, kFormHeight, kTwipsPerPixel);
    const float unit = ChartUnitFor(picture);
    // A room-air state: d = 10 g/kg, h = 50 kJ/kg.
    const ChartPoint pointer = MapToChart(10.0f, 50.0f, unit, picture.height);
    for (auto _ : run) {
        StateTexts texts =
            ReadoutAt(pointer.x, pointer.y, unit, picture.height, state.AtmosphericPressure);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_ReadoutAt);

}  // namespace
