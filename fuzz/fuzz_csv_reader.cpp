// Fuzz target: hygrova-calc's batch over any bytes — the text decoding, the line reader, the
// CSV fields, the header with its column picks and decimal mark, the strict numbers and the
// row solving.
//
// Input layout: byte 0 — how many bytes each read hands over (1..256); byte 1 — the longest
// line kept (1..256 bytes, so that runaway lines are reached); byte 2 — the options: bits 0-1
// the decimal mark (1 a point, 2 a comma, otherwise as the delimiter implies), bit 2 set when
// the bytes up to the first 0x1F are a --columns text; the rest — the input file.
//
// Checks, for every input:
//  - no exception escapes; a --columns text is either read or refused with a message;
//  - an input without a usable header writes nothing; otherwise the output is the header
//    line and exactly one row per input line after the first that is not blank (lines counted
//    here on the decoded text: line feeds, plus a last line without one);
//  - every row holds the carried columns, then either eight result values (an empty dew
//    point allowed) and a message that is empty or flags the state, or eight empty values and
//    a message; every value is a displayed number without its leading blank; every message
//    names its line, and the lines rise from row to row;
//  - blocks of one line give the same bytes as blocks of many.

#include "logs/batch_writer.h"
#include "logs/csv_fields.h"
#include "logs/line_reader.h"
#include "logs/text_decoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"

namespace hygrova::fuzz {
namespace {

constexpr char kPicksEnd = '\x1F';

struct Outcome {
    LogSummary summary;
    std::string output;
};

ReadBytes ReaderOf(std::string_view input, std::size_t readBytes)
{
    return [input, readBytes, position = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min({size, readBytes, input.size() - position});
        std::memcpy(buffer, input.data() + position, count);
        position += count;
        return count;
    };
}

Outcome Run(std::string_view input, std::size_t readBytes, std::size_t maxLineBytes,
            LogOptions options)
{
    LineReader reader(ReaderOf(input, readBytes), maxLineBytes, 512);
    Outcome outcome;
    outcome.summary =
        RunBatch(reader, options, [&](std::string_view bytes) { outcome.output.append(bytes); });
    return outcome;
}

// The input as the line reader sees it: UTF-16 with a byte order mark decoded.
std::string Decoded(std::string_view input)
{
    TextDecoder decoder(ReaderOf(input, input.size() + 1));
    std::string text;
    char buffer[256];
    for (std::size_t count; (count = decoder.Read(buffer, sizeof buffer)) > 0;) {
        text.append(buffer, count);
    }
    return text;
}

std::uint64_t LineCount(std::string_view text)
{
    const auto feeds = static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
    return feeds + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// Checks one output row; returns the line its message names, 0 for none.
std::uint64_t CheckRow(std::string_view row, std::size_t carried)
{
    std::vector<std::string> fields(carried + 9);
    const FieldSplit split = SplitFields(row, ',', fields);
    FUZZ_CHECK(split.problem.empty() && split.count == fields.size(),
               "a row of another shape: " + std::string(row));
    std::size_t values = 0;
    for (std::size_t column = 0; column < 8; ++column) {
        const std::string& value = fields[carried + column];
        if (!value.empty()) {
            ++values;
            CheckedNumberText(value.front() == '-' ? value : " " + value,
                              "column " + std::to_string(column));
        }
    }
    const bool solved = values == 8 || (values == 7 && fields[carried + 2].empty());
    FUZZ_CHECK(solved || values == 0, "a row with some values empty: " + std::string(row));
    const std::string& message = fields.back();
    FUZZ_CHECK(solved || !message.empty(), "a row without values or message: " + std::string(row));
    if (message.empty()) {
        return 0;
    }
    FUZZ_CHECK(message.starts_with("line "), "a message without its line: " + message);
    return std::stoull(message.substr(5));
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
    const std::uint8_t flags = bytes.Byte();
    std::string_view input = bytes.Rest();

    LogOptions options;
    if ((flags & 3) == 1 || (flags & 3) == 2) {
        options.format.decimalMark = (flags & 3) == 1 ? DecimalMark::kPoint : DecimalMark::kComma;
    }
    if (flags & 4) {
        const std::size_t end = std::min(input.find(kPicksEnd), input.size());
        const ColumnPicksReading picks = ReadColumnPicks(input.substr(0, end));
        FUZZ_CHECK(picks.problem.empty() != picks.picks.empty(), "picks and problem disagree");
        options.format.picks = picks.picks;
        input.remove_prefix(std::min(end + 1, input.size()));
    }

    const Outcome outcome = Run(input, readBytes, maxLineBytes, options);
    if (!outcome.summary.headerProblem.empty()) {
        FUZZ_CHECK(outcome.output.empty(), "output after a header problem");
        return 0;
    }
    const std::uint64_t lines = LineCount(Decoded(input));
    FUZZ_CHECK(outcome.summary.rows + outcome.summary.blankLines + 1 == lines,
               std::to_string(lines) + " lines in, " + std::to_string(outcome.summary.rows) +
                   " rows and " + std::to_string(outcome.summary.blankLines) + " blank out");
    std::string_view output = outcome.output;
    const std::size_t headerEnd = output.find('\n');
    FUZZ_CHECK(headerEnd != std::string_view::npos, "no output header");
    const std::string_view header = output.substr(0, headerEnd);
    FUZZ_CHECK(header.ends_with("tdb,twb,tdp,rh,d,h,v,pv,message"), "an output header without the results");
    const std::size_t carried = SplitFields(header, ',', {}).count - 9;
    output.remove_prefix(headerEnd + 1);
    std::uint64_t rows = 0, lastLine = 1;
    while (!output.empty()) {
        const std::size_t end = output.find('\n');
        FUZZ_CHECK(end != std::string_view::npos, "a row without a line end");
        const std::uint64_t line = CheckRow(output.substr(0, end), carried);
        FUZZ_CHECK(line == 0 || line > lastLine, "a message names line " + std::to_string(line));
        lastLine = std::max(lastLine, line);
        output.remove_prefix(end + 1);
        ++rows;
    }
    FUZZ_CHECK(rows == outcome.summary.rows, "row count and summary disagree");
    options.chunkLines = 1;
    FUZZ_CHECK(Run(input, readBytes, maxLineBytes, options).output == outcome.output,
               "blocks of one line give other bytes");
    return 0;
}
