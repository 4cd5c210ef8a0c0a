#pragma once

// A zone of the chart: limits of dry bulb and relative humidity, and optionally of moisture
// content, each inclusive. Readings inside are counted, with their share of the log and, for
// a log with times, the hours they stand for. Zones are kept as typed ("20:26"), so that a
// project file gives back what the user wrote.

#include "chart/chart_mapping.h"
#include "measured/measured_log.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

// A closed interval, low <= high, in the unit of its quantity.
struct ValueRange {
    double low = 0;
    double high = 0;

    bool Holds(double value) const { return value >= low && value <= high; }
};

// Reads "LOW:HIGH": two numbers as a log's fields are read (ReadNumberField, decimal point),
// LOW not above HIGH. None for anything else.
std::optional<ValueRange> ReadValueRange(std::string_view text);

// A zone as typed: its name and the texts of its limits; `d` empty for no moisture limits.
struct ZoneDefinition {
    std::string label;
    std::string tdb;  // deg C, "LOW:HIGH"
    std::string rh;   // %, "LOW:HIGH"
    std::string d;    // g/kg dry air, "LOW:HIGH" or empty

    friend bool operator==(const ZoneDefinition&, const ZoneDefinition&) = default;
};

struct ZoneLimits {
    ValueRange tdb;
    ValueRange rh;
    std::optional<ValueRange> d;

    bool Holds(const MeasuredReading& reading) const
    {
        return tdb.Holds(reading.tdb) && rh.Holds(reading.rh) && (!d || d->Holds(reading.d));
    }
};

// The limits of a zone as typed, or which of its texts ("tdb", "rh" or "d") is not a range.
struct ZoneReading {
    std::optional<ZoneLimits> limits;
    std::string badField;
    std::string badText;  // that field's text
};
ZoneReading ReadZone(const ZoneDefinition& zone);

struct ZoneCount {
    std::uint64_t readings = 0;  // solved readings of the log
    std::uint64_t count = 0;     // of them inside the zone
    double share = 0;            // count / readings; 0 for a log without readings
    std::optional<double> hours; // the durations of those inside, for a log with times
};

// Counts the log's readings inside `limits`. Hours: the sum of their durations (see
// ReadingDurations) / 3600, given when the log is timed.
ZoneCount CountZone(const MeasuredLog& log, const ZoneLimits& limits);

// The zone's outline on the chart, a closed polygon of states (d, h) at `pressureHpa`: the
// curves of its two relative humidities between its dry bulbs and the isotherms between the
// curves, cut by its moisture limits. Empty where a state cannot be formed (a fault).
std::vector<ChartState> ZoneOutline(const ZoneLimits& limits, float pressureHpa);

// The zone's figures on one line, for the command line and the clipboard:
// "count 123 of 8760 (1.40 %), 123.0 h" (the hours only for a timed log).
std::string ZoneCountText(const ZoneCount& count);

}  // namespace hygrova
