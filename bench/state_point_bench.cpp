// Cost of one press of "确定": SolveStatePoint for each of the thirteen pair codes, fed two
// values of the same ordinary state (25 deg C at 60 %, 1013.25 hPa).

#include "common/decimal_rounding.h"
#include "common/number_text.h"
#include "query/state_point.h"

#include <string>
#include <variant>

#include <benchmark/benchmark.h>

namespace hygrova {
namespace {

// The state's values as the query would show them, by slot.
const std::string kStateTexts[kQuerySlotCount] = {"25",     "19.421", "60",
                                                  "11.894", "55.547", "16.716"};

void BM_SolveStatePoint(benchmark::State& state)
{
    const auto code = static_cast<int>(state.range(0));
    StatePointQuery query;
    for (const int slot : {code / 10 - 1, code % 10 - 1}) {
        query.ticked[slot] = true;
        query.texts[slot] = kStateTexts[slot];
    }
    if (!std::holds_alternative<StateTexts>(SolveStatePoint(query))) {
        state.SkipWithError("the query gives no results");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolveStatePoint(query));
    }
}

BENCHMARK(BM_SolveStatePoint)
    ->ArgName("code")
    ->Arg(12)
    ->Arg(13)
    ->Arg(14)
    ->Arg(15)
    ->Arg(16)
    ->Arg(23)
    ->Arg(24)
    ->Arg(26)
    ->Arg(34)
    ->Arg(35)
    ->Arg(36)
    ->Arg(45)
    ->Arg(56);

// The text and rounding steps of one query, each on the eight values of the state above.
constexpr float kStateValues[8] = {25.0f,     19.4213f, 16.7162f, 60.0f,
                                   11.89431f, 55.5472f, 0.8623f,  1901.42f};

void BM_ParseLeadingNumber(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseLeadingNumber(kStateTexts[i]));
        i = (i + 1) % kQuerySlotCount;
    }
}

void BM_RoundToDecimals(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RoundToDecimals(kStateValues[i], 3));
        i = (i + 1) % 8;
    }
}

void BM_PlainNumberText(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlainNumberText(kStateValues[i]));
        i = (i + 1) % 8;
    }
}

BENCHMARK(BM_ParseLeadingNumber);
BENCHMARK(BM_RoundToDecimals);
BENCHMARK(BM_PlainNumberText);

}  // namespace
}  // namespace hygrova
