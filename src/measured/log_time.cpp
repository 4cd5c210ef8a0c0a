#include "measured/log_time.h"

#include <algorithm>
#include <chrono>

namespace hygrova {
namespace {

// Reads exactly `digits` decimal digits at `at`, moving past them.
std::optional<int> Digits(std::string_view text, std::size_t& at, std::size_t digits)
{
    if (at + digits > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    at += digits;
    return value;
}

bool Skip(std::string_view text, std::size_t& at, std::string_view oneOf)
{
    if (at < text.size() && oneOf.find(text[at]) != std::string_view::npos) {
        ++at;
        return true;
    }
    return false;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<std::int64_t> ReadLogTime(std::string_view text)
{
    text = Trimmed(text);
    std::size_t at = 0;
    const auto year = Digits(text, at, 4);
    if (!year || !Skip(text, at, "-/")) {
        return std::nullopt;
    }
    const auto month = Digits(text, at, 2);
    if (!month || !Skip(text, at, "-/")) {
        return std::nullopt;
    }
    const auto day = Digits(text, at, 2);
    if (!day || !Skip(text, at, "T ")) {
        return std::nullopt;
    }
    const auto hour = Digits(text, at, 2);
    if (!hour || !Skip(text, at, ":")) {
        return std::nullopt;
    }
    const auto minute = Digits(text, at, 2);
    if (!minute) {
        return std::nullopt;
    }
    int second = 0;
    if (Skip(text, at, ":")) {
        const auto seconds = Digits(text, at, 2);
        if (!seconds) {
            return std::nullopt;
        }
        second = *seconds;
        if (Skip(text, at, ".,")) {
            const std::size_t start = at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
                ++at;
            }
            if (at == start) {
                return std::nullopt;
            }
        }
    }
    Skip(text, at, "Z");
    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (at != text.size() || !date.ok() || *hour > 23 || *minute > 59 || second > 60) {
        return std::nullopt;
    }
    const std::int64_t days = std::chrono::sys_days(date).time_since_epoch().count();
    return days * 86400 + *hour * 3600 + *minute * 60 + second;
}

std::vector<float> ReadingDurations(std::span<const std::optional<std::int64_t>> times)
{
    std::vector<float> durations(times.size(), 0.0f);
    // Each timed reading and the next timed one after it.
    std::vector<std::size_t> timed;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (times[i]) {
            timed.push_back(i);
        }
    }
    if (timed.size() < 2) {
        return durations;
    }
    std::vector<std::int64_t> steps;
    steps.reserve(timed.size() - 1);
    for (std::size_t k = 0; k + 1 < timed.size(); ++k) {
        steps.push_back(*times[timed[k + 1]] - *times[timed[k]]);
    }
    std::vector<std::int64_t> sorted = steps;
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    const std::int64_t median = std::max<std::int64_t>(*middle, 0);
    for (std::size_t k = 0; k < steps.size(); ++k) {
        durations[timed[k]] = static_cast<float>(std::clamp<std::int64_t>(steps[k], 0, median));
    }
    durations[timed.back()] = static_cast<float>(median);
    return durations;
}

}  // namespace hygrova
