#pragma once

// The data lines of a measurement log, each read into a LogReading: its line number, its
// fields, and the state solved from its two parameters (the results window's texts, which
// also give their numbers, and flags) or why the line gives none.

#include "logs/log_header.h"
#include "logs/state_reading.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

struct LogReading {
    std::uint64_t line = 0;            // in the input, from 1 (the header is line 1)
    std::vector<std::string> fields;   // the header's columns; none when the line does not split into them
    StateTexts texts;                  // the results window's texts; all empty for a failed line
    StateFlags flags = 0;              // for a solved line
    std::string problem;               // why the line gives no state; empty when it gives one
    std::optional<std::size_t> problemColumn;  // the column at fault, where one is

    bool Solved() const { return problem.empty(); }
    // A result as a number (ValueOfText); NaN for a failed line or an absent dew point.
    float Value(StateQuantity quantity) const { return ValueOfText(texts[quantity]); }
};

// The message of a reading, naming its line and the column at fault: "line 7, column "rh":
// no value" for a failed line, "line 7: " and the flags' texts for a flagged state; empty for
// a state without flags.
std::string ReadingMessage(const LogReading& reading, const LogLayout& layout);

// A data line split into the header's columns.
struct RowSplit {
    std::vector<std::string> fields;  // as many as the header has columns, unless a problem
    std::string problem;              // what keeps the line from being split into them
    bool blank = false;               // nothing but blanks and delimiters: no row at all
};

// Splits `line` by the layout's delimiter. `storage` lends its strings' room to the fields,
// so that a caller reading line after line allocates nothing.
RowSplit SplitRow(std::string_view line, const LogLayout& layout,
                  std::vector<std::string> storage = {});

// Reads the data lines of one layout, one after another; the layout must outlive it.
class RowSolver {
public:
    RowSolver(const LogLayout& layout, float pressureHpa);

    // Reads line `number` into `reading`, reusing its room. Each parameter field and the
    // pressure field must be a number as ReadNumberField takes it; the numbers then go to
    // SolveStatePoint as typed texts, at the row's pressure (ReadPressurePa) or
    // `pressureHpa`. Returns false for a blank line, which gives no reading.
    bool Read(std::uint64_t number, std::string_view line, bool tooLong, LogReading& reading);

private:
    void Fail(LogReading& reading, std::string problem,
              std::optional<std::size_t> column = std::nullopt) const;
    // Enters the layout's numbers into m_query; false when one is not a number.
    bool EnterNumbers(LogReading& reading);

    const LogLayout& m_layout;
    float m_pressureHpa;
    StatePointQuery m_query;
    std::string m_pressureText;
};

}  // namespace hygrova
