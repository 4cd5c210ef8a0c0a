// Cost of one call of each property function and solver, cycling through a handful of
// ordinary arguments so that no call can be folded away. The saturation pressure and the
// solvers are timed in their fast forms and in the step-by-step reference forms.

#include "model/properties.h"
#include "model/solvers.h"

#include <array>
#include <cstddef>

#include <benchmark/benchmark.h>

namespace hygrova {
namespace {

constexpr float kStandardPressureHpa = 1013.25f;
constexpr std::array<float, 8> kTemperatures = {-25.0f, -8.5f, 0.0f,  12.0f,
                                                20.0f,  33.3f, 48.0f, 65.0f};
constexpr std::array<float, 8> kMoistures = {0.3f, 1.7f, 3.8f, 8.7f, 14.7f, 22.0f, 35.0f, 44.0f};
constexpr std::array<float, 8> kEnthalpies = {-24.0f, -4.0f, 9.5f,   34.0f,
                                              57.5f,  90.0f, 140.0f, 168.0f};
constexpr std::array<float, 8> kPressures = {0.6f, 1.9f, 6.1f, 14.0f, 23.4f, 51.0f, 112.0f, 250.0f};

// Runs `call` on argument index 0..7 in turn.
template <typename Call>
void Cycle(benchmark::State& state, Call call)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(i));
        i = (i + 1) % kTemperatures.size();
    }
}

void BM_SaturationPressure(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) { return SaturationPressure(kTemperatures[i]); });
}

// The same over a thousand temperatures spread across the chart's span, -40 to 59.9 deg C in
// steps of 0.1: no argument repeats often enough to favour a branch.
template <float (*Ps)(float)>
void BM_SaturationPressureSpread(benchmark::State& state)
{
    static const std::array<float, 1000> temperatures = [] {
        std::array<float, 1000> spread{};
        for (std::size_t i = 0; i < spread.size(); ++i) {
            spread[i] = -40.0f + 0.1f * static_cast<float>(i);
        }
        return spread;
    }();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Ps(temperatures[i]));
        i = (i + 1) % temperatures.size();
    }
}

void BM_EnthalpyOf(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) { return EnthalpyOf(kTemperatures[i], kMoistures[i]); });
}

void BM_TemperatureOf(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) { return TemperatureOf(kEnthalpies[i], kMoistures[i]); });
}

void BM_MoistureContentOf(benchmark::State& state)
{
    Cycle(state,
          [](std::size_t i) { return MoistureContentOf(kPressures[i], kStandardPressureHpa); });
}

void BM_VapourPressureOf(benchmark::State& state)
{
    Cycle(state,
          [](std::size_t i) { return VapourPressureOf(kMoistures[i], kStandardPressureHpa); });
}

void BM_DewPointOf(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) { return DewPointOf(kPressures[i]); });
}

void BM_RelativeHumidityOf(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) { return RelativeHumidityOf(kPressures[i], 311.0f); });
}

void BM_SpecificVolumeOf(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) {
        return SpecificVolumeOf(kTemperatures[i], kMoistures[i], kStandardPressureHpa);
    });
}

void BM_WetBulbMoisture(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) {
        return WetBulbMoisture(kMoistures[i], kTemperatures[i] + 5.0f, kTemperatures[i]);
    });
}

template <float (*Solve)(float, float)>
void BM_SaturationTemperatureForEnthalpy(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) { return Solve(kEnthalpies[i], kStandardPressureHpa); });
}

template <float (*Solve)(float, float, float, float)>
void BM_TemperatureForRhAndEnthalpy(benchmark::State& state)
{
    // Wet-bulb temperature, enthalpy and humidity of ordinary states.
    static constexpr std::array<std::array<float, 3>, 4> kStates = {{
        {13.7f, 38.6f, 0.5f},
        {-5.0f, 0.0f, 0.8f},
        {19.4f, 55.5f, 0.6f},
        {30.0f, 100.0f, 0.3f},
    }};
    Cycle(state, [](std::size_t i) {
        const auto& s = kStates[i % kStates.size()];
        return Solve(s[0], s[1], s[2], kStandardPressureHpa);
    });
}

template <float (*Solve)(float)>
void BM_TemperatureForSaturationPressure(benchmark::State& state)
{
    Cycle(state, [](std::size_t i) { return Solve(kPressures[i]); });
}

BENCHMARK(BM_SaturationPressure);
BENCHMARK(BM_SaturationPressureSpread<SaturationPressure>);
BENCHMARK(BM_SaturationPressureSpread<reference::SaturationPressure>);
BENCHMARK(BM_EnthalpyOf);
BENCHMARK(BM_TemperatureOf);
BENCHMARK(BM_MoistureContentOf);
BENCHMARK(BM_VapourPressureOf);
BENCHMARK(BM_DewPointOf);
BENCHMARK(BM_RelativeHumidityOf);
BENCHMARK(BM_SpecificVolumeOf);
BENCHMARK(BM_WetBulbMoisture);
BENCHMARK(BM_SaturationTemperatureForEnthalpy<SaturationTemperatureForEnthalpy>);
BENCHMARK(BM_SaturationTemperatureForEnthalpy<reference::SaturationTemperatureForEnthalpy>);
BENCHMARK(BM_TemperatureForRhAndEnthalpy<TemperatureForRhAndEnthalpy>);
BENCHMARK(BM_TemperatureForRhAndEnthalpy<reference::TemperatureForRhAndEnthalpy>);
BENCHMARK(BM_TemperatureForSaturationPressure<TemperatureForSaturationPressure>);
BENCHMARK(BM_TemperatureForSaturationPressure<reference::TemperatureForSaturationPressure>);

}  // namespace
}  // namespace hygrova
