#pragma once

// The time of a logged reading, read from a logger's timestamp field, and how long each
// reading stands for when zones count hours.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace hygrova {

// Reads a date and time "YYYY-MM-DD HH:MM[:SS[.fraction]]" (or 'T' between date and time,
// '/' between the date's parts, a trailing 'Z'; blanks around it ignored) as seconds since
// 1970-01-01 00:00 of the same clock; the fraction is dropped. None for anything else,
// including a day or time out of range. No time zone is applied: a log keeps one clock.
std::optional<std::int64_t> ReadLogTime(std::string_view text);

// Seconds each reading stands for, in log order: the step to the next reading that has a
// time, but no more than the median of those steps, so that a gap in the log (the logger
// off) counts no more than a regular step; the last timed reading stands for the median
// step. A reading without a time, or followed by an earlier one, stands for 0. All 0 when
// fewer than two readings have a time. times: seconds, or none.
std::vector<float> ReadingDurations(std::span<const std::optional<std::int64_t>> times);

}  // namespace hygrova
