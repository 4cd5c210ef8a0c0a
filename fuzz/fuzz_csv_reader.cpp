// Fuzz target: hygrova-calc's batch over any bytes — the line reader, the CSV fields, the
// header and the row solving.
//
// Input layout: byte 0 — how many bytes each read hands over (1..256); byte 1 — the longest
// line kept (1..256 bytes, so that runaway lines are reached); the rest — the input file.
//
// Checks, for every input:
//  - no exception escapes;
//  - an input without a usable header writes nothing; otherwise the output is the header
//    line and exactly one row per input line after the first (lines counted here on the raw
//    bytes: line feeds, plus a last line without one);
//  - every row is either eight result values and an empty message, or eight empty values
//    and a message; every value is a displayed number without its leading blank (an empty
//    dew point excepted);
//  - blocks of one line give the same bytes as blocks of many.

#include "logs/batch_run.h"
#include "logs/line_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.h"

namespace hygrova::fuzz {
namespace {

struct Outcome {
    BatchSummary summary;
    std::string output;
};

Outcome Run(std::string_view input, std::size_t readBytes, std::size_t maxLineBytes,
            std::size_t chunkLines)
{
    std::size_t position = 0;
    LineReader reader(
        [&](char* buffer, std::size_t size) {
            const std::size_t count = std::min({size, readBytes, input.size() - position});
            std::memcpy(buffer, input.data() + position, count);
            position += count;
            return count;
        },
        maxLineBytes, 512);
    Outcome outcome;
    BatchOptions options;
    options.chunkLines = chunkLines;
    outcome.summary =
        RunBatch(reader, options, [&](std::string_view bytes) { outcome.output.append(bytes); });
    return outcome;
}

std::uint64_t LineCount(std::string_view input)
{
    const auto feeds = static_cast<std::uint64_t>(std::count(input.begin(), input.end(), '\n'));
    return feeds + (!input.empty() && input.back() != '\n' ? 1 : 0);
}

void CheckRow(std::string_view row)
{
    std::size_t start = 0;
    bool anyValue = false;
    for (int column = 0; column < 8; ++column) {
        const std::size_t comma = row.find(',', start);
        FUZZ_CHECK(comma != std::string_view::npos,
                   "row with too few columns: " + std::string(row));
        const std::string_view value = row.substr(start, comma - start);
        if (!value.empty()) {
            anyValue = true;
            CheckedNumberText(value.front() == '-' ? value : " " + std::string(value),
                              "column " + std::to_string(column));
        } else {
            FUZZ_CHECK(column == 2 || !anyValue,
                       "a solved row with an empty value: " + std::string(row));
        }
        start = comma + 1;
    }
    const bool hasMessage = start < row.size();
    FUZZ_CHECK(anyValue != hasMessage, "values and message disagree: " + std::string(row));
}

}  // namespace
}  // namespace hygrova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace hygrova;
    using namespace hygrova::fuzz;
    ByteReader bytes(data, size);
    const std::size_t readBytes = 1 + bytes.Byte();
    const std::size_t maxLineBytes = 1 + bytes.Byte();
    const std::string_view input = bytes.Rest();

    const Outcome outcome = Run(input, readBytes, maxLineBytes, 4096);
    if (!outcome.summary.headerProblem.empty()) {
        FUZZ_CHECK(outcome.output.empty(), "output after a header problem");
        return 0;
    }
    const std::uint64_t lines = LineCount(input);
    FUZZ_CHECK(
        outcome.summary.rows + 1 == lines,
        std::to_string(lines) + " lines in, " + std::to_string(outcome.summary.rows) + " rows out");
    std::string_view output = outcome.output;
    FUZZ_CHECK(output.starts_with("tdb,twb,tdp,rh,d,h,v,pv,message\n"), "no output header");
    output.remove_prefix(output.find('\n') + 1);
    std::uint64_t rows = 0;
    while (!output.empty()) {
        const std::size_t end = output.find('\n');
        FUZZ_CHECK(end != std::string_view::npos, "a row without a line end");
        CheckRow(output.substr(0, end));
        output.remove_prefix(end + 1);
        ++rows;
    }
    FUZZ_CHECK(rows == outcome.summary.rows, "row count and summary disagree");
    FUZZ_CHECK(Run(input, readBytes, maxLineBytes, 1).output == outcome.output,
               "blocks of one line give other bytes");
    return 0;
}
