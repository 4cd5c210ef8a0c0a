#pragma once

// The rows of the `batch` command: the header that names the columns, and one output row
// per data line with the results window's texts or the reason the line gives none.

#include "query/state_point.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hygrova {

// The header's columns: two parameters and, optionally, the pressure p (Pa, per row).
inline constexpr std::size_t kMaxBatchColumns = 3;

struct BatchLayout {
    char delimiter = ',';  // a tab when the header holds one
    std::size_t columnCount = 0;
    std::array<std::size_t, kQuerySlotCount> columnOfSlot{};  // for the ticked slots
    std::array<bool, kQuerySlotCount> ticked{};
    std::optional<std::size_t> pressureColumn;
};

// The header read, or what is wrong with it (then the layout is not to be used).
struct HeaderReading {
    BatchLayout layout;
    std::string problem;
};

// Reads the header line: names of two of the six parameters (as SlotOfName takes them) and
// optionally p, blanks around a name ignored, each name once. A header with fewer or more
// parameters, or with a pair that does not fix a state (the query's "计算发生错误，请重试！"),
// is a problem.
HeaderReading ReadHeader(std::string_view line);

// The first line of the output: the eight result columns and the message.
std::string OutputHeaderLine();

// Solves the data lines of one layout, one after another.
class RowSolver {
public:
    RowSolver(const BatchLayout& layout, float pressureHpa);

    // Appends the output row of one data line to `out`: the eight texts of the results
    // window without their leading blank and an empty message, or eight empty values and the
    // message (the query's warning or fault as the window shows it, the settings dialog's
    // pressure message, or what is wrong with the line). Returns that message, empty when
    // the line was solved; it stays valid until the next call.
    std::string_view AppendRow(std::string_view line, bool tooLong, std::string& out);

private:
    std::string_view LineProblem(std::string_view line, bool tooLong);

    BatchLayout m_layout;
    float m_pressureHpa;
    StatePointQuery m_query;
    std::array<std::string, kMaxBatchColumns> m_fields;
    std::string m_problem;
};

}  // namespace hygrova
