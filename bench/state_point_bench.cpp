// Cost of one press of "确定": SolveStatePoint for each of the thirteen pair codes, fed two
// values of the same ordinary state (25 deg C at 60 %, 1013.25 hPa), and its text steps; each
// in its fast form and in the step-by-step reference form.

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

template <StatePointOutcome (*Solve)(const StatePointQuery&)>
void BM_SolveStatePoint(benchmark::State& state)
{
    const auto code = static_cast<int>(state.range(0));
    StatePointQuery query;
    for (const int slot : {code / 10 - 1, code % 10 - 1}) {
        query.ticked[slot] = true;
        query.texts[slot] = kStateTexts[slot];
    }
    if (!std::holds_alternative<StateTexts>(Solve(query))) {
        state.SkipWithError("the query gives no results");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Solve(query));
    }
}

// The thirteen pair codes that have a calculation chain.
void EveryPairCode(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("code");
    for (const int code : {12, 13, 14, 15, 16, 23, 24, 26, 34, 35, 36, 45, 56}) {
        benchmark->Arg(code);
    }
}

BENCHMARK(BM_SolveStatePoint<SolveStatePoint>)->Apply(EveryPairCode);
BENCHMARK(BM_SolveStatePoint<reference::SolveStatePoint>)->Apply(EveryPairCode);

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

template <float (*Round)(float, int)>
void BM_RoundToDecimals(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Round(kStateValues[i], 3));
        i = (i + 1) % 8;
    }
}

template <std::string (*Text)(float)>
void BM_PlainNumberText(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Text(kStateValues[i]));
        i = (i + 1) % 8;
    }
}

BENCHMARK(BM_ParseLeadingNumber);
BENCHMARK(BM_RoundToDecimals<RoundToDecimals>);
BENCHMARK(BM_RoundToDecimals<reference::RoundToDecimals>);
BENCHMARK(BM_PlainNumberText<PlainNumberText>);
BENCHMARK(BM_PlainNumberText<reference::PlainNumberText>);

}  // namespace
}  // namespace hygrova
