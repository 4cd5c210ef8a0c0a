#include "logs/csv_fields.h"

#include <cstdint>

namespace hygrova {
namespace {

constexpr std::string_view kUnterminatedQuote = "unterminated quote";
constexpr std::string_view kTextAfterQuote = "text after a closing quote";

// Sets `field` to the quoted field that starts at line[begin] (a quote); returns the index
// just after its closing quote, or npos when the quote is not closed.
std::size_t ReadQuoted(std::string_view line, std::size_t begin, std::string* field)
{
    if (field) {
        field->clear();
    }
    std::size_t i = begin + 1;
    while (true) {
        const std::size_t quote = line.find('"', i);
        if (quote == std::string_view::npos) {
            return std::string_view::npos;
        }
        if (field) {
            field->append(line.substr(i, quote - i));
        }
        if (quote + 1 < line.size() && line[quote + 1] == '"') {
            if (field) {
                field->push_back('"');
            }
            i = quote + 2;
            continue;
        }
        return quote + 1;
    }
}

// Length of the well-formed UTF-8 sequence of two to four bytes at the start of `rest`, or 0
// (an overlong form, a surrogate or a code point beyond U+10FFFF is not well formed).
std::size_t Utf8SequenceLength(std::string_view rest)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(rest[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (rest.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

FieldSplit SplitFields(std::string_view line, char delimiter, std::span<std::string> fields)
{
    FieldSplit split;
    std::size_t begin = 0;
    while (true) {
        std::string* const field = split.count < fields.size() ? &fields[split.count] : nullptr;
        std::size_t end;
        if (begin < line.size() && line[begin] == '"') {
            end = ReadQuoted(line, begin, field);
            if (end == std::string_view::npos) {
                split.problem = kUnterminatedQuote;
                return split;
            }
            if (end < line.size() && line[end] != delimiter) {
                split.problem = kTextAfterQuote;
                return split;
            }
        } else {
            end = line.find(delimiter, begin);
            if (end == std::string_view::npos) {
                end = line.size();
            }
            if (field) {
                field->assign(line.substr(begin, end - begin));
            }
        }
        ++split.count;
        if (end >= line.size()) {
            return split;
        }
        begin = end + 1;
    }
}

std::string_view TrimBlanks(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TextProblem(std::string_view line)
{
    for (std::size_t i = 0; i < line.size();) {
        const auto c = static_cast<std::uint8_t>(line[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F) {
                return "binary data (a control byte) in the line";
            }
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(line.substr(i));
        if (length == 0) {
            return "bytes that are not UTF-8 text in the line";
        }
        i += length;
    }
    return {};
}

}  // namespace hygrova
