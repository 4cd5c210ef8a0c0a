// A year of one-minute readings on the chart: the import (read, solved, made into records,
// one and two threads), a zone count over the year and the density grid of a 1920x1080
// window's picture. The real executable's import is timed with /usr/bin/time (see the
// README).

#include "measured/density_grid.h"
#include "measured/zone.h"
#include "year_log.h"

#include <benchmark/benchmark.h>

namespace hygrova::bench {
namespace {

void BM_ImportYear(benchmark::State& state)
{
    YearCsv();
    for (auto _ : state) {
        const MeasuredLog log = ReadYear(static_cast<unsigned>(state.range(0)));
        if (log.readings.size() != static_cast<std::size_t>(kYearRows)) {
            state.SkipWithError("readings lost");
            return;
        }
        benchmark::DoNotOptimize(log.readings.data());
    }
    state.SetItemsProcessed(state.iterations() * kYearRows);
}
BENCHMARK(BM_ImportYear)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ZoneCountYear(benchmark::State& state)
{
    const MeasuredLog log = ReadYear(2);
    const ZoneLimits limits = *ReadZone({"comfort", "20:26", "30:60", "0:12"}).limits;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountZone(log, limits));
    }
}
BENCHMARK(BM_ZoneCountYear)->Unit(benchmark::kMillisecond);

// The picture of a 1920x1080 main window (0.8 x 1920 pixels wide, 5:4), cells of 4 pixels.
void BM_DensityGridYear(benchmark::State& state)
{
    const MeasuredLog log = ReadYear(2);
    const float width = 1536 * 15.0f;
    const float height = 1229 * 15.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildDensityGrid(log.readings, width / 45, width, height, 60));
    }
}
BENCHMARK(BM_DensityGridYear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hygrova::bench
