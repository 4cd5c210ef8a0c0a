#include "logs/batch_writer.h"
#include "logs/line_reader.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

struct BatchRun {
    LogSummary summary;
    std::string output;
};

// Runs the batch over `input`, handed over at most `readBytes` at a time.
BatchRun RunBatchOn(const std::string& input, LogOptions options = {},
                    std::size_t readBytes = 1 << 16)
{
    std::size_t position = 0;
    LineReader reader([&](char* buffer, std::size_t size) {
        const std::size_t count = std::min({size, readBytes, input.size() - position});
        std::memcpy(buffer, input.data() + position, count);
        position += count;
        return count;
    });
    BatchRun run;
    run.summary =
        RunBatch(reader, options, [&](std::string_view bytes) { run.output.append(bytes); });
    return run;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The message column of an output row of eight values ("" for a clean state), unquoted.
std::string MessageOf(const std::string& row)
{
    std::size_t comma = 0;
    for (int i = 0; i < 8; ++i) {
        comma = row.find(',', comma) + 1;
    }
    std::string message = row.substr(comma);
    if (message.starts_with('"')) {
        message = message.substr(1, message.size() - 2);
        for (std::size_t quote = message.find("\"\""); quote != std::string::npos;
             quote = message.find("\"\"", quote + 1)) {
            message.erase(quote, 1);
        }
    }
    return message;
}

const std::string kHeaderOut = "tdb,twb,tdp,rh,d,h,v,pv,message";
const std::string kStateRow = "20,13.737,9.28,50,7.261,38.629,0.841,1169.24,";

// Every data line gives one row, in order: the state, or empty values and what went wrong.
TEST(BatchTest, EveryDataLineGivesOneRowWithItsMessage)
{
    const std::string longLine(3 * 1024 * 1024, '7');
    const struct {
        const char* what;
        std::string input;
        std::vector<std::string> messages;  // per data row
    } cases[] = {
        {"plain", "tdb,rh\n20,50\n", {""}},
        {"no final line end, CRLF, BOM", "\xEF\xBB\xBFtdb,rh\r\n20,50\r\n20,50", {"", ""}},
        {"tabs, names in any case and blanks", " RH \tTdb\n50\t20\n", {""}},
        {"quoted, quotes doubled",
         "\"tdb\",rh\n\"20\",\"50\"\n\"2\"\"0\",50\n",
         {"", "line 3, column \"tdb\": \"2\"0\" is not a number"}},
        {"too few and too many fields",
         "tdb,rh\n20\n20,50,1\n",
         {"line 2: 1 field where the header has 2", "line 3: 3 fields where the header has 2"}},
        {"unterminated quote keeps the next line",
         "tdb,rh\n\"20,50\n20,50\n",
         {"line 2: unterminated quote", ""}},
        {"text after a quote", "tdb,rh\n\"20\"x,50\n", {"line 2: text after a closing quote"}},
        {"binary bytes",
         std::string("tdb,rh\n2\0,50\n\x01\xff,3\n", 18),
         {"line 2: binary data (a control byte) in the line",
          "line 3: binary data (a control byte) in the line"}},
        {"not UTF-8",
         "tdb,rh\n20\xff,50\n20\xe4\xb8,50\n20,50℃\n",
         {"line 2: bytes that are not UTF-8 text in the line",
          "line 3: bytes that are not UTF-8 text in the line",
          "line 4, column \"rh\": \"50℃\" is not a number"}},
        {"a line of megabytes",
         "tdb,rh\n20,50\n" + longLine + "\n20,50\n",
         {"", "line 3: line longer than 65536 bytes", ""}},
        {"a last line of megabytes", "tdb,rh\n" + longLine, {"line 2: line longer than 65536 bytes"}},
        {"query warnings name the column",
         "tdb,rh\n71,50\n20,100.001\n",
         {"line 2, column \"tdb\": 干球温度过大或过小，请重新输入！",
          "line 3, column \"rh\": 相对湿度在0~100%之间，请重新输入！"}},
        {"a fault", "rh,d\n0,10\n", {"line 2: 除数为零"}},
        {"pressure per row",
         "tdb,p,rh\n20,101325,50\n20,40000,50\n20,,50\n20,200001,50\n",
         {"", "line 3, column \"p\": 大气压力过小，请重新输入！", "line 4, column \"p\": no value",
          "line 5, column \"p\": 大气压力过大，请重新输入！"}},
        {"only the header", "tdb,rh\r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::size_t readBytes : {std::size_t{1} << 16, std::size_t{3}}) {
            const BatchRun run = RunBatchOn(c.input, {}, readBytes);
            ASSERT_EQ(run.summary.headerProblem, "");
            EXPECT_EQ(run.summary.blankLines, 0u);
            const std::vector<std::string> rows = Lines(run.output);
            ASSERT_EQ(rows.size(), c.messages.size() + 1);
            EXPECT_EQ(rows[0], kHeaderOut);
            std::uint64_t failed = 0;
            for (std::size_t i = 0; i < c.messages.size(); ++i) {
                const std::string& row = rows[i + 1];
                EXPECT_EQ(MessageOf(row), c.messages[i]) << "row " << i + 1;
                if (c.messages[i].empty()) {
                    EXPECT_TRUE(row == kStateRow || std::count(row.begin(), row.end(), ',') == 8)
                        << row;
                } else {
                    EXPECT_TRUE(row.starts_with(",,,,,,,,")) << row;
                    ++failed;
                }
            }
            EXPECT_EQ(run.summary.rows, c.messages.size());
            EXPECT_EQ(run.summary.failedRows, failed);
        }
    }
    EXPECT_EQ(Lines(RunBatchOn("tdb,rh\n20,50\n").output)[1], kStateRow);
}

TEST(BatchTest, AnInputWithoutAUsableHeaderWritesNothing)
{
    const struct {
        std::string input;
        std::string problem;
    } cases[] = {
        {"", "the input is empty"},
        {"\xEF\xBB\xBF", "the first line is empty"},
        {"\n20,50\n", "the first line is empty"},
        {"tdb\n20\n", "one parameter (tdb): a state needs two"},
        {"tdb,p\n20,101325\n", "one parameter (tdb)"},
        {"p\n", "no parameter"},
        {"tdb,rh,d\n", "3 parameters (tdb, rh, d)"},
        {"twb,h\n15,50\n", "twb and h do not fix a state together"},
        {"d,tdp\n", "d and tdp do not fix a state together"},
        {"tdb,TDB\n", "column \"TDB\" appears twice"},
        {"tdb,rh,P, p \n", "column \"p\" appears twice"},
        {"\"tdb,rh\n", "unterminated quote"},
        {"tdb,\x01rh\n", "binary data"},
        {std::string("\0t\0d\0b\0,\0r\0h\0\n", 14), "UTF-16 without a byte order mark"},
        {std::string(100000, 'x'), "line 1, the header: longer than 65536 bytes"},
    };
    for (const auto& c : cases) {
        const BatchRun run = RunBatchOn(c.input);
        EXPECT_NE(run.summary.headerProblem.find(c.problem), std::string::npos)
            << "input \"" << c.input.substr(0, 40) << "\" gives \"" << run.summary.headerProblem
            << "\"";
        EXPECT_EQ(run.output, "");
    }
}

// Many rows, some failing, handed over in odd pieces: as many rows out as in, the same bytes
// from one thread or several, and the first failed line found.
TEST(BatchTest, ThreadsKeepTheOrderAndEveryRow)
{
    std::string input = "tdb,rh\n";
    constexpr int kRows = 9000;  // three blocks of 4096 lines
    for (int i = 0; i < kRows; ++i) {
        input += std::to_string(i % 91 - 20) + "." + std::to_string(i % 10) + "," +
                 std::to_string(i % 107) + "\n";
    }
    const BatchRun single = RunBatchOn(input);
    ASSERT_EQ(Lines(single.output).size(), kRows + 1u);
    EXPECT_EQ(single.summary.rows, kRows);
    EXPECT_GT(single.summary.failedRows, 0u);  // relative humidities above 100 %
    EXPECT_EQ(single.summary.firstFailure,
              "line 103, column \"rh\": 相对湿度在0~100%之间，请重新输入！");
    for (const unsigned jobs : {2u, 3u}) {
        for (const std::size_t chunkLines : {std::size_t{7}, std::size_t{4096}}) {
            const BatchRun threaded = RunBatchOn(input, {jobs, 1013.25f, chunkLines, {}}, 4093);
            EXPECT_EQ(threaded.output, single.output) << jobs << " jobs, " << chunkLines;
            EXPECT_EQ(threaded.summary.failedRows, single.summary.failedRows);
            EXPECT_EQ(threaded.summary.firstFailure, single.summary.firstFailure);
            EXPECT_EQ(threaded.summary.flaggedRows, single.summary.flaggedRows);
        }
    }
}

}  // namespace
}  // namespace hygrova
