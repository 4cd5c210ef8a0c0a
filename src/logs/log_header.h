#pragma once

// The first line of a measurement log: how its fields are separated, which columns hold the
// two known parameters and the pressure, and which are carried through unchanged (a
// timestamp, a sensor's name, readings of other quantities).

#include "logs/number_field.h"
#include "query/state_point.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrova {

// A column picked by the user for a parameter or the pressure, as `--columns` names it.
struct ColumnPick {
    std::optional<int> slot;  // the parameter's QuerySlot; none for the pressure p
    std::string column;       // the column's name in the header
};

struct ColumnPicksReading {
    std::vector<ColumnPick> picks;
    std::string problem;  // empty when the text was read
};

// Reads NAME=COLUMN pairs separated by commas ("tdb=T_out,rh=RH_out"): NAME is a parameter
// name (as SlotOfName takes them) or p, each named once. Blanks around either side are
// ignored.
ColumnPicksReading ReadColumnPicks(std::string_view text);

// What the user tells about a log beyond its header.
struct LogFormat {
    std::vector<ColumnPick> picks;
    std::optional<DecimalMark> decimalMark;  // none: a comma in semicolon-separated logs
};

struct LogLayout {
    char delimiter = ',';  // a tab, a comma or a semicolon, as the header is best split
    DecimalMark decimalMark = DecimalMark::kPoint;
    std::vector<std::string> names;  // every column's name as the header writes it
    std::array<bool, kQuerySlotCount> ticked{};              // the two parameters given
    std::array<std::size_t, kQuerySlotCount> columnOfSlot{};  // for the ticked slots
    std::optional<std::size_t> pressureColumn;  // p, Pa, per row
    std::vector<std::size_t> carriedColumns;    // the others, in their order

    // A column for messages: its name in quotes, or its number from 1 when it has none.
    std::string ColumnName(std::size_t column) const;
};

struct HeaderReading {
    LogLayout layout;
    std::string problem;  // empty when the layout can be used
};

// Reads the header line. Names match the parameters' names and p without regard to letter
// case or surrounding blanks; `format.picks` choose columns by name first, and only
// parameters not picked are then looked for by name. Exactly two parameters that fix a state
// together must result; every other column is carried through.
HeaderReading ReadHeader(std::string_view line, const LogFormat& format = {});

// Why the parameters ticked in `ticked` do not fix a state: fewer or more than two, or a
// pair of which either follows from the other. Empty for a pair that fixes a state.
std::string ParameterPairProblem(const std::array<bool, kQuerySlotCount>& ticked);

}  // namespace hygrova
