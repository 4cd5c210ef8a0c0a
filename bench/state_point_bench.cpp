// Cost of one press of "确定": SolveStatePoint for each of the thirteen pair codes, fed two
// values of the same ordinary state (25 deg C at 60 %, 1013.25 hPa).

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

}  // namespace
}  // namespace hygrova
