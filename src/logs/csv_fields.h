#pragma once

// The fields of one CSV line. A line is one record: a quoted field may hold the delimiter and
// doubled quotes but not a line end, so a stray quote never swallows the lines after it.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace hygrova {

// The outcome of splitting a line: how many fields it has (all of them, also those beyond
// the room given), or what is wrong with it.
struct FieldSplit {
    std::size_t count = 0;
    std::string_view problem;  // empty when the line splits cleanly
};

// Splits `line` at `delimiter` into fields[0..], as many as there is room for; a field that
// begins with '"' is quoted up to the next single '"' ("" stands for one quote) and must be
// followed by the delimiter or the end of the line. Problems: an unterminated quote, text
// after a closing quote.
FieldSplit SplitFields(std::string_view line, char delimiter, std::span<std::string> fields);

// `text` without the blanks (spaces and tabs) around it.
std::string_view TrimBlanks(std::string_view text);

// What makes `line` unfit to be read as text: a control byte other than the tab, or bytes
// that are not UTF-8. Empty for a clean line.
std::string_view TextProblem(std::string_view line);

}  // namespace hygrova
