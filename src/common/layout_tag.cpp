#include "common/layout_tag.h"

#include <charconv>
#include <cmath>

namespace hygrova {

std::string FormatLayoutTag(const LayoutRecord& record)
{
    std::string tag;
    for (const double value : record) {
        char buffer[400];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        tag.append(buffer, result.ptr);
        tag.push_back(' ');
    }
    return tag;
}

std::optional<LayoutRecord> ParseLayoutTag(std::string_view tag)
{
    LayoutRecord record{};
    std::size_t position = 0;
    for (double& value : record) {
        const std::size_t blank = tag.find(' ', position);
        if (blank == std::string_view::npos) {
            value = 0.0;
            continue;
        }
        const std::string_view piece = tag.substr(position, blank - position);
        const char* first = piece.data();
        const char* last = piece.data() + piece.size();
        if (first != last && *first == '+') {
            return std::nullopt;
        }
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc() || end != last) {
            return std::nullopt;
        }
        position = blank + 1;
    }
    return record;
}

long RoundHalfEven(double x)
{
    return std::lrint(x);  // the default rounding mode is to nearest, ties to even
}

}  // namespace hygrova
