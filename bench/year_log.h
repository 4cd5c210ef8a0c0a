#pragma once

// A year of one-minute readings (525,600 rows) of a timestamp, dry bulb and relative humidity
// as a logger writes them, with daily and seasonal swings, and the log read from memory.

#include "measured/measured_log.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace hygrova::bench {

inline constexpr int kYearRows = 525600;

inline const std::string& YearCsv()
{
    static const std::string text = [] {
        std::string csv = "time,tdb,rh\n";
        csv.reserve(static_cast<std::size_t>(kYearRows) * 32);
        std::mt19937 random(22);
        std::normal_distribution<double> noise(0.0, 1.5);
        char line[64];
        for (int minute = 0; minute < kYearRows; ++minute) {
            const int day = minute / 1440;
            const double season = std::sin((day - 100) * 2 * M_PI / 365);
            const double daily = std::sin((minute % 1440 - 480) * 2 * M_PI / 1440);
            const double tdb = 12 + 14 * season + 5 * daily + noise(random);
            const double rh = std::fmin(100, std::fmax(5, 60 - 15 * daily + 4 * noise(random)));
            const int month = 1 + day * 12 / 365;
            std::snprintf(line, sizeof line, "2026-%02d-%02d %02d:%02d,%.2f,%.1f\n", month,
                          1 + day % 28, minute / 60 % 24, minute % 60, tdb, rh);
            csv += line;
        }
        return csv;
    }();
    return text;
}

inline MeasuredLog ReadYear(unsigned jobs)
{
    const std::string& text = YearCsv();
    LineReader reader(BytesOf(text));
    LogOptions options;
    options.jobs = jobs;
    return ReadMeasuredLog(reader, options);
}

}  // namespace hygrova::bench
