// Deep check: the fast forms of the core give exactly what their step-by-step references give.
// Not a unit test (it runs for minutes); scripts/check-deep.sh runs it on an optimised build.
//
//  saturation  SaturationPressure == reference::SaturationPressure, bit for bit, on every
//              float of [-100, 200] deg C (where the fast form runs; elsewhere it is the
//              reference), and the reference raises no fault there;
//  text        PlainNumberText == reference::PlainNumberText on every one of the 2^32 floats;
//  rounding    RoundToDecimals == reference::RoundToDecimals (3 and 4 places) on every float
//              of magnitude 2^-14 to 2^20 and on every 61st float elsewhere;
//  solvers     the three solvers against their reference forms on dense grids;
//  chains      SolveStatePoint == reference::SolveStatePoint (same texts, same warning and
//              focus, same fault) for all thirteen pairs on dense grids of entries, in and
//              beyond range, at five pressures, and for the pairs without a chain.
// Arguments: the sections to run (all when none). Exit status 1 on any difference.

#include "common/decimal_rounding.h"
#include "common/number_text.h"
#include "model/arithmetic_fault.h"
#include "model/properties.h"
#include "model/solvers.h"
#include "query/state_point.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

namespace hygrova {
namespace {

std::mutex gPrintMutex;
std::atomic<int> gPrinted{0};

// Prints the first few differences only.
void Report(const std::string& line)
{
    if (gPrinted.fetch_add(1) < 20) {
        const std::lock_guard lock(gPrintMutex);
        std::fprintf(stderr, "  DIFFERENCE %s\n", line.c_str());
    }
}

// Runs body(i) for every i in [begin, end) on all cores, in chunks; body returns true for a
// difference. Returns the number of differences.
std::uint64_t CountDifferences(std::uint64_t begin, std::uint64_t end,
                               const std::function<bool(std::uint64_t)>& body)
{
    constexpr std::uint64_t kChunk = 1 << 16;
    std::atomic<std::uint64_t> next{begin};
    std::atomic<std::uint64_t> differences{0};
    const auto work = [&] {
        for (;;) {
            const std::uint64_t first = next.fetch_add(kChunk);
            if (first >= end) {
                return;
            }
            const std::uint64_t last = std::min(end, first + kChunk);
            std::uint64_t found = 0;
            for (std::uint64_t i = first; i < last; ++i) {
                found += body(i) ? 1 : 0;
            }
            differences += found;
        }
    };
    std::vector<std::thread> workers;
    const unsigned count = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned k = 0; k < count; ++k) {
        workers.emplace_back(work);
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return differences;
}

float FloatOfBits(std::uint64_t bits)
{
    return std::bit_cast<float>(static_cast<std::uint32_t>(bits));
}

std::uint32_t Bits(float f)
{
    return std::bit_cast<std::uint32_t>(f);
}

std::string Show(float f)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.9g (0x%08x)", static_cast<double>(f), Bits(f));
    return text;
}

// A float result or the fault kind raised instead.
using FloatOutcome = std::variant<float, FaultKind>;

template <typename F>
FloatOutcome Outcome(F call)
{
    try {
        return call();
    } catch (const ArithmeticFault& fault) {
        return fault.kind();
    }
}

bool Same(const FloatOutcome& a, const FloatOutcome& b)
{
    if (a.index() != b.index()) {
        return false;
    }
    if (const auto* fa = std::get_if<float>(&a)) {
        return Bits(*fa) == Bits(std::get<float>(b));
    }
    return std::get<FaultKind>(a) == std::get<FaultKind>(b);
}

std::string Show(const FloatOutcome& outcome)
{
    if (const auto* f = std::get_if<float>(&outcome)) {
        return Show(*f);
    }
    return "fault " + std::to_string(static_cast<int>(std::get<FaultKind>(outcome)));
}

std::uint64_t CheckSaturation()
{
    // Every float of [-100, 200]: the non-negative ones up to 200, then the negative ones
    // from -0 down to -100, as one index range.
    const std::uint64_t positives = std::uint64_t{Bits(200.0f)} + 1;
    const std::uint64_t negatives = std::uint64_t{Bits(-100.0f)} - 0x80000000u + 1;
    std::printf("saturation: %llu floats of [-100, 200]\n",
                static_cast<unsigned long long>(positives + negatives));
    return CountDifferences(0, positives + negatives, [positives](std::uint64_t i) {
        const float t = i < positives ? FloatOfBits(i) : FloatOfBits(0x80000000u + (i - positives));
        float reference = 0.0f;
        try {
            reference = reference::SaturationPressure(t);
        } catch (const ArithmeticFault&) {
            Report("SaturationPressure reference faults at t = " + Show(t));
            return true;
        }
        const float fast = SaturationPressure(t);
        if (Bits(fast) != Bits(reference)) {
            Report("SaturationPressure(" + Show(t) + ") = " + Show(fast) + ", reference " +
                   Show(reference));
            return true;
        }
        return false;
    });
}

std::uint64_t CheckText()
{
    std::printf("text: all 4294967296 floats\n");
    return CountDifferences(0, std::uint64_t{1} << 32, [](std::uint64_t i) {
        const float value = FloatOfBits(i);
        const std::string fast = PlainNumberText(value);
        const std::string reference = reference::PlainNumberText(value);
        if (fast != reference) {
            Report("PlainNumberText(" + Show(value) + ") = \"" + fast + "\", reference \"" +
                   reference + "\"");
            return true;
        }
        return false;
    });
}

std::uint64_t CheckRounding()
{
    // Every float of magnitude [2^-14, 2^20) of both signs, then every 61st bit pattern.
    const std::uint64_t low = Bits(0x1p-14f);
    const std::uint64_t high = Bits(0x1p20f);
    const std::uint64_t dense = high - low;
    const std::uint64_t sparse = (std::uint64_t{1} << 32) / 61;
    std::printf("rounding: %llu floats densely, %llu sparsely, 3 and 4 places\n",
                static_cast<unsigned long long>(2 * dense),
                static_cast<unsigned long long>(sparse));
    return CountDifferences(0, 2 * dense + sparse, [=](std::uint64_t i) {
        float x = 0.0f;
        if (i < 2 * dense) {
            const std::uint64_t bits = low + i / 2;
            x = FloatOfBits(i % 2 == 0 ? bits : bits | 0x80000000u);
        } else {
            x = FloatOfBits((i - 2 * dense) * 61);
        }
        bool differs = false;
        for (const int decimals : {3, 4}) {
            const float fast = RoundToDecimals(x, decimals);
            const float reference = reference::RoundToDecimals(x, decimals);
            if (Bits(fast) != Bits(reference) && !(fast != fast && reference != reference)) {
                Report("RoundToDecimals(" + Show(x) + ", " + std::to_string(decimals) +
                       ") = " + Show(fast) + ", reference " + Show(reference));
                differs = true;
            }
        }
        return differs;
    });
}

constexpr float kPressures[] = {500.0f, 700.0f, 850.0f, 1013.25f, 1200.0f};

// A float of [low, high] for step i of n, evenly spread.
float Spread(float low, float high, std::uint64_t i, std::uint64_t n)
{
    return static_cast<float>(low + (static_cast<double>(high) - low) * static_cast<double>(i) /
                                        static_cast<double>(n - 1));
}

std::uint64_t CheckSolvers()
{
    constexpr std::uint64_t kSteps = 200'000;
    std::printf("solvers: %llu arguments each, 5 pressures\n",
                static_cast<unsigned long long>(kSteps));
    const auto compare = [](const char* name, const std::string& args, const FloatOutcome& fast,
                            const FloatOutcome& reference) {
        if (Same(fast, reference)) {
            return false;
        }
        Report(std::string(name) + "(" + args + ") = " + Show(fast) + ", reference " +
               Show(reference));
        return true;
    };
    return CountDifferences(0, kSteps, [&](std::uint64_t i) {
        bool differs = false;
        const float p = Spread(-1.0f, 400.0f, i, kSteps);
        differs |= compare("TemperatureForSaturationPressure", Show(p),
                           Outcome([p] { return TemperatureForSaturationPressure(p); }),
                           Outcome([p] { return reference::TemperatureForSaturationPressure(p); }));
        const float b = kPressures[i % std::size(kPressures)];
        const float h = Spread(-40.0f, 480.0f, i, kSteps);
        differs |=
            compare("SaturationTemperatureForEnthalpy", Show(h) + ", " + Show(b),
                    Outcome([=] { return SaturationTemperatureForEnthalpy(h, b); }),
                    Outcome([=] { return reference::SaturationTemperatureForEnthalpy(h, b); }));
        const float tw = Spread(-31.0f, 46.0f, i, kSteps);
        const float phi = Spread(0.0f, 1.0f, (i * 7919) % kSteps, kSteps);
        const float hr = Spread(-30.0f, 170.0f, (i * 104729) % kSteps, kSteps);
        differs |= compare(
            "TemperatureForRhAndEnthalpy",
            Show(tw) + ", " + Show(hr) + ", " + Show(phi) + ", " + Show(b),
            Outcome([=] { return TemperatureForRhAndEnthalpy(tw, hr, phi, b); }),
            Outcome([=] { return reference::TemperatureForRhAndEnthalpy(tw, hr, phi, b); }));
        return differs;
    });
}

// The entry range of each slot, widened so that range warnings are crossed too.
struct SlotSpan {
    float low;
    float high;
};
constexpr SlotSpan kSpans[kQuerySlotCount] = {
    {-31.0f, 71.0f}, {-31.0f, 46.0f},  {-1.0f, 101.0f},
    {-1.0f, 46.0f},  {-31.0f, 171.0f}, {-274.0f, 46.0f},
};

std::string Describe(const StatePointOutcome& outcome)
{
    if (const auto* warning = std::get_if<StatePointWarning>(&outcome)) {
        return "warning \"" + warning->message + "\" focus " +
               (warning->focus ? std::to_string(*warning->focus) : "none");
    }
    if (const auto* fault = std::get_if<StatePointFault>(&outcome)) {
        return "fault \"" + fault->description + "\"";
    }
    std::string text = "texts";
    for (const std::string& box : std::get<StateTexts>(outcome)) {
        text += " [" + box + "]";
    }
    return text;
}

bool SameOutcome(const StatePointOutcome& a, const StatePointOutcome& b)
{
    if (a.index() != b.index()) {
        return false;
    }
    if (const auto* wa = std::get_if<StatePointWarning>(&a)) {
        const auto& wb = std::get<StatePointWarning>(b);
        return wa->message == wb.message && wa->focus == wb.focus;
    }
    if (const auto* fa = std::get_if<StatePointFault>(&a)) {
        return fa->description == std::get<StatePointFault>(b).description;
    }
    return std::get<StateTexts>(a) == std::get<StateTexts>(b);
}

// Entry text k of n for a slot: plain numbers across the widened range, with every 97th
// entry written with a different number of decimals, and a few special texts.
std::string EntryText(int slot, std::uint64_t k, std::uint64_t n)
{
    switch (k % 997) {
        case 0:
            return "0";
        case 1:
            return "";
        case 2:
            return "abc";
        case 3:
            return std::to_string(kSpans[slot].low + 1.0f);
        default:
            break;
    }
    const float value = Spread(kSpans[slot].low, kSpans[slot].high, k, n);
    if (k % 97 == 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
        return text;
    }
    return PlainNumberText(value);
}

std::uint64_t CheckChains()
{
    // Per pair: a grid of side x side entries, spread so that each axis sees every value.
    constexpr std::uint64_t kSide = 600;
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < kQuerySlotCount; ++i) {
        for (int j = i + 1; j < kQuerySlotCount; ++j) {
            pairs.emplace_back(i, j);
        }
    }
    std::printf("chains: %zu pairs x %llu entries\n", pairs.size(),
                static_cast<unsigned long long>(kSide * kSide));
    return CountDifferences(0, pairs.size() * kSide * kSide, [&](std::uint64_t n) {
        const auto [first, second] = pairs[n / (kSide * kSide)];
        const std::uint64_t cell = n % (kSide * kSide);
        StatePointQuery query;
        query.ticked[first] = true;
        query.ticked[second] = true;
        query.texts[first] = EntryText(first, cell / kSide, kSide);
        query.texts[second] = EntryText(second, (cell * 7 + cell / kSide) % kSide, kSide);
        query.pressure = kPressures[cell % std::size(kPressures)];
        const StatePointOutcome fast = SolveStatePoint(query);
        const StatePointOutcome reference = reference::SolveStatePoint(query);
        if (SameOutcome(fast, reference)) {
            return false;
        }
        Report("pair " + std::to_string(first) + std::to_string(second) + " \"" +
               query.texts[first] + "\", \"" + query.texts[second] + "\" at " +
               Show(query.pressure) + ": " + Describe(fast) + "; reference " + Describe(reference));
        return true;
    });
}

struct Section {
    const char* name;
    std::uint64_t (*run)();
};

constexpr Section kSections[] = {
    {"saturation", CheckSaturation}, {"text", CheckText},     {"rounding", CheckRounding},
    {"solvers", CheckSolvers},       {"chains", CheckChains},
};

}  // namespace
}  // namespace hygrova

int main(int argc, char* argv[])
{
    using namespace hygrova;
    std::vector<std::string_view> chosen(argv + 1, argv + argc);
    std::uint64_t differences = 0;
    for (const Section& section : kSections) {
        if (!chosen.empty() &&
            std::find(chosen.begin(), chosen.end(), section.name) == chosen.end()) {
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        std::fflush(stdout);
        const std::uint64_t found = section.run();
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %s: %llu differences (%.0f s)\n", section.name,
                    static_cast<unsigned long long>(found), seconds);
        std::fflush(stdout);
        differences += found;
    }
    std::printf(differences == 0 ? "Fast forms identical to their references.\n"
                                 : "Fast forms DIFFER from their references.\n");
    return differences == 0 ? 0 : 1;
}
