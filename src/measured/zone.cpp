#include "measured/zone.h"

#include "logs/number_field.h"
#include "model/arithmetic_fault.h"
#include "model/properties.h"

#include <cstdio>
#include <cstdlib>

namespace hygrova {
namespace {

std::optional<double> ReadLimit(std::string_view text)
{
    std::string number;
    if (ReadNumberField(text, DecimalMark::kPoint, number) != NumberProblem::kNone) {
        return std::nullopt;
    }
    return std::strtod(number.c_str(), nullptr);
}

// Points along each edge of an outline; the relative-humidity curves bend gently, so a
// chord every 1/16 of an edge draws them smooth at any window size.
constexpr int kEdgeSteps = 16;

ChartState StateAt(double tdb, double rh, float pressureHpa)
{
    const float t = static_cast<float>(tdb);
    const float pv = static_cast<float>(rh / 100.0) * SaturationPressure(t);
    const float d = MoistureContentOf(pv, pressureHpa);
    return {d, EnthalpyOf(t, d)};
}

// The part of `polygon` with low <= d (keepAbove) or d <= high, Sutherland-Hodgman; the chart
// mapping is affine, so cutting in (d, h) cuts the drawn outline along the d line.
std::vector<ChartState> CutAtMoisture(const std::vector<ChartState>& polygon, double limit,
                                      bool keepAbove)
{
    const auto inside = [&](const ChartState& s) { return keepAbove ? s.d >= limit : s.d <= limit; };
    std::vector<ChartState> cut;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const ChartState& a = polygon[i];
        const ChartState& b = polygon[(i + 1) % polygon.size()];
        if (inside(a)) {
            cut.push_back(a);
        }
        if (inside(a) != inside(b)) {
            const double f = (limit - a.d) / (static_cast<double>(b.d) - a.d);
            cut.push_back({static_cast<float>(limit), static_cast<float>(a.h + f * (b.h - a.h))});
        }
    }
    return cut;
}

}  // namespace

std::optional<ValueRange> ReadValueRange(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<double> low = ReadLimit(text.substr(0, colon));
    const std::optional<double> high = ReadLimit(text.substr(colon + 1));
    if (!low || !high || *low > *high) {
        return std::nullopt;
    }
    return ValueRange{*low, *high};
}

ZoneReading ReadZone(const ZoneDefinition& zone)
{
    const std::optional<ValueRange> tdb = ReadValueRange(zone.tdb);
    if (!tdb) {
        return {std::nullopt, "tdb", zone.tdb};
    }
    const std::optional<ValueRange> rh = ReadValueRange(zone.rh);
    if (!rh) {
        return {std::nullopt, "rh", zone.rh};
    }
    ZoneLimits limits{*tdb, *rh, std::nullopt};
    if (!zone.d.empty()) {
        limits.d = ReadValueRange(zone.d);
        if (!limits.d) {
            return {std::nullopt, "d", zone.d};
        }
    }
    return {limits, {}, {}};
}

ZoneCount CountZone(const MeasuredLog& log, const ZoneLimits& limits)
{
    ZoneCount result;
    result.readings = log.readings.size();
    double seconds = 0;
    for (std::size_t i = 0; i < log.readings.size(); ++i) {
        if (limits.Holds(log.readings[i])) {
            ++result.count;
            seconds += i < log.durations.size() ? log.durations[i] : 0.0f;
        }
    }
    if (result.readings > 0) {
        result.share = static_cast<double>(result.count) / static_cast<double>(result.readings);
    }
    if (log.timed) {
        result.hours = seconds / 3600.0;
    }
    return result;
}

std::vector<ChartState> ZoneOutline(const ZoneLimits& limits, float pressureHpa)
{
    std::vector<ChartState> outline;
    try {
        const auto edge = [&](double t0, double rh0, double t1, double rh1) {
            for (int i = 0; i < kEdgeSteps; ++i) {
                const double f = static_cast<double>(i) / kEdgeSteps;
                outline.push_back(StateAt(t0 + f * (t1 - t0), rh0 + f * (rh1 - rh0), pressureHpa));
            }
        };
        const ValueRange& t = limits.tdb;
        const ValueRange& rh = limits.rh;
        edge(t.low, rh.low, t.high, rh.low);
        edge(t.high, rh.low, t.high, rh.high);
        edge(t.high, rh.high, t.low, rh.high);
        edge(t.low, rh.high, t.low, rh.low);
    } catch (const ArithmeticFault&) {
        return {};
    }
    if (limits.d) {
        outline = CutAtMoisture(CutAtMoisture(outline, limits.d->low, true), limits.d->high, false);
    }
    return outline;
}

std::string ZoneCountText(const ZoneCount& count)
{
    char text[160];
    std::snprintf(text, sizeof text, "count %llu of %llu (%.2f %%)",
                  static_cast<unsigned long long>(count.count),
                  static_cast<unsigned long long>(count.readings), count.share * 100.0);
    std::string line = text;
    if (count.hours) {
        std::snprintf(text, sizeof text, ", %.1f h", *count.hours);
        line += text;
    }
    return line;
}

}  // namespace hygrova
