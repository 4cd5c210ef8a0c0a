// Throughput of hygrova-calc's batch: 200,000 rows of a logger's timestamp, dry bulb and
// relative humidity read from memory, solved on one or two threads and formatted, against
// SolveStatePoint alone on the same rows. The difference per row is what the batch adds:
// reading, splitting, checking the numbers, carrying the timestamp through, formatting and
// handing blocks to threads. The real executable on a file is measured with
// /usr/bin/time -v (see the README).

#include "logs/batch_writer.h"
#include "logs/line_reader.h"
#include "query/state_point.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace hygrova {
namespace {

constexpr int kRows = 200000;

struct Row {
    std::string timestamp;
    std::string dryBulb;
    std::string relativeHumidity;
};

// Logged measurements a minute apart: -20..60 deg C with two decimals, 0..100 % with one.
const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = [] {
        std::mt19937 random(14);
        std::uniform_real_distribution<double> dryBulb(-20.0, 60.0), humidity(0.0, 100.0);
        std::vector<Row> generated(kRows);
        char text[32];
        int minute = 0;
        for (Row& row : generated) {
            std::snprintf(text, sizeof text, "2026-%02d-%02dT%02d:%02d:00", 1 + minute / 44640,
                          1 + minute / 1440 % 31, minute / 60 % 24, minute % 60);
            row.timestamp = text;
            ++minute;
            std::snprintf(text, sizeof text, "%.2f", dryBulb(random));
            row.dryBulb = text;
            std::snprintf(text, sizeof text, "%.1f", humidity(random));
            row.relativeHumidity = text;
        }
        return generated;
    }();
    return rows;
}

const std::string& CsvFile()
{
    static const std::string file = [] {
        std::string text = "time,tdb,rh\n";
        for (const Row& row : Rows()) {
            text += row.timestamp + "," + row.dryBulb + "," + row.relativeHumidity + "\n";
        }
        return text;
    }();
    return file;
}

void BM_Batch(benchmark::State& state)
{
    const std::string& file = CsvFile();
    LogOptions options;
    options.jobs = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        std::size_t position = 0;
        LineReader reader([&](char* buffer, std::size_t size) {
            const std::size_t count = std::min(size, file.size() - position);
            std::memcpy(buffer, file.data() + position, count);
            position += count;
            return count;
        });
        std::size_t written = 0;
        const LogSummary summary =
            RunBatch(reader, options, [&](std::string_view bytes) { written += bytes.size(); });
        if (summary.rows != kRows || summary.failedRows != 0) {
            state.SkipWithError("rows lost or failed");
            return;
        }
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Batch)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// SolveStatePoint alone on the same rows, one thread: the fast form and the reference.
template <StatePointOutcome (*Solve)(const StatePointQuery&)>
void BM_SolveOnly(benchmark::State& state)
{
    StatePointQuery query;
    query.ticked[kDryBulbSlot] = query.ticked[kRelHumiditySlot] = true;
    for (auto _ : state) {
        for (const Row& row : Rows()) {
            query.texts[kDryBulbSlot] = row.dryBulb;
            query.texts[kRelHumiditySlot] = row.relativeHumidity;
            benchmark::DoNotOptimize(Solve(query));
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SolveOnly<SolveStatePoint>)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SolveOnly<reference::SolveStatePoint>)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace hygrova
