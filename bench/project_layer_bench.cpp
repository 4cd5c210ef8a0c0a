// The chart's redraw with a design of 200 states and 200 operations on it, on the offscreen
// platform: the chart's clear and paint into the retained image, the layer placed with the
// chart mapping and painted into its own image, as every redraw of the main window does. The
// layer is painted only when it changed: a redraw for new colors or spacings keeps it, a
// change of pressure or size paints both ("ChartAndLayer" runs alternate between the design
// and the design with one more state, so that every iteration paints the layer), and an edit
// of the design paints the layer alone.

#include "chart/chart_drawing.h"
#include "common/app_state.h"
#include "project/project_evaluation.h"
#include "project/project_overlay.h"
#include "query/state_point.h"
#include "shell/platform/twips.h"
#include "shell/widgets/chart_surface.h"
#include "shell/widgets/layer_drawing.h"

#include "design200.h"
#include "window_bench_main.h"

#include <benchmark/benchmark.h>

namespace hygrova {
namespace {

struct Picture {
    ChartSurface surface;
    ChartDrawing chart;
    ChartOverlay overlay;
    ChartOverlay edited;  // the design with one more state
};

void SetUp(Picture& picture, int width)
{
    picture.surface.resize(width, width * 4 / 5);
    const double tpp = TwipsPerPixel(&picture.surface);
    picture.chart = BuildChart({0, 0, static_cast<float>(picture.surface.width() * tpp),
                                static_cast<float>(picture.surface.height() * tpp)},
                               AppState{});
    Project design = Design200();
    picture.overlay = OverlayOf(EvaluateProject(design));
    design.AddTypedState({kDryBulbSlot, "25", kRelHumiditySlot, "50"});
    picture.edited = OverlayOf(EvaluateProject(design));
}

void PlaceAndPaintLayer(Picture& picture, const ChartOverlay& overlay)
{
    picture.surface.SetLayer(PlaceLayer(overlay, picture.chart.unit,
                                        picture.surface.HeightTwips(),
                                        TwipsPerPixel(&picture.surface)));
}

// The whole redraw: chart lines, then the layer; the layer as it was (a change of the
// chart's colors or spacings), or changed too (a change of pressure or size).
void RedrawWithLayer(benchmark::State& state, bool edited)
{
    Picture picture;
    SetUp(picture, static_cast<int>(state.range(0)));
    bool odd = false;
    for (auto _ : state) {
        picture.surface.Clear();
        picture.surface.DrawSegments(picture.chart.segments);
        PlaceAndPaintLayer(picture, edited && odd ? picture.edited : picture.overlay);
        odd = !odd;
        benchmark::DoNotOptimize(picture.surface.Layer().marks.data());
    }
    state.counters["marks"] = static_cast<double>(picture.surface.Layer().marks.size());
    state.counters["lines"] = static_cast<double>(picture.surface.Layer().lines.size());
}
void BM_RedrawWithLayer(benchmark::State& state) { RedrawWithLayer(state, false); }
void BM_RedrawChartAndLayer(benchmark::State& state) { RedrawWithLayer(state, true); }
BENCHMARK(BM_RedrawWithLayer)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawChartAndLayer)->Arg(1000)->Unit(benchmark::kMillisecond);

// The layer alone, as after an edit of the project: the chart's picture stays.
void BM_LayerAfterEdit(benchmark::State& state)
{
    Picture picture;
    SetUp(picture, static_cast<int>(state.range(0)));
    bool odd = false;
    for (auto _ : state) {
        PlaceAndPaintLayer(picture, odd ? picture.edited : picture.overlay);
        odd = !odd;
    }
}
BENCHMARK(BM_LayerAfterEdit)->Arg(1000)->Unit(benchmark::kMillisecond);

// Copying the retained image and the layer to the widget, as its paint event does.
void BM_PaintWidgetWithLayer(benchmark::State& state)
{
    Picture picture;
    SetUp(picture, static_cast<int>(state.range(0)));
    picture.surface.DrawSegments(picture.chart.segments);
    PlaceAndPaintLayer(picture, picture.overlay);
    QImage target(picture.surface.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        picture.surface.render(&target);
    }
}
BENCHMARK(BM_PaintWidgetWithLayer)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hygrova

int main(int argc, char* argv[])
{
    return hygrova::bench::RunWindowBenchmarks(argc, argv, 1920, 1080);
}
