#include "common/number_text.h"
#include "logs/batch_writer.h"
#include "logs/csv_fields.h"
#include "logs/line_reader.h"
#include "query/quantity_names.h"

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

LineReader ReaderOf(const std::string& input)
{
    return LineReader([&input, position = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min({size, std::size_t{5}, input.size() - position});
        std::memcpy(buffer, input.data() + position, count);
        position += count;
        return count;
    });
}

// The results window's texts, without their leading blank, for "tdb=20 rh=50" as the query
// dialog would take them.
std::vector<std::string> WindowTexts(const std::string& assignments)
{
    StatePointQuery query;
    std::istringstream words(assignments);
    for (std::string word; words >> word;) {
        const int slot = SlotOfName(word.substr(0, word.find('='))).value();
        query.ticked[slot] = true;
        query.texts[slot] = word.substr(word.find('=') + 1);
    }
    const StatePointOutcome outcome = SolveStatePoint(query);
    std::vector<std::string> texts;
    for (const std::string& text : std::get<StateTexts>(outcome)) {
        texts.push_back(text.starts_with(' ') ? text.substr(1) : text);
    }
    return texts;
}

struct ExpectedRow {
    std::vector<std::string> carried;
    std::string state;  // the query's NAME=VALUE pairs whose texts the row holds; "" for none
    std::string message;
};

std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(SplitFields(line, ',', {}).count);
    EXPECT_EQ(SplitFields(line, ',', fields).problem, "") << line;
    return fields;
}

void ExpectRows(const std::string& output, const std::vector<ExpectedRow>& expected)
{
    std::istringstream lines(output);
    std::string line;
    std::getline(lines, line);  // the header
    for (const ExpectedRow& row : expected) {
        ASSERT_TRUE(std::getline(lines, line)) << "missing row " << ::testing::PrintToString(row.carried);
        std::vector<std::string> wanted = row.carried;
        const std::vector<std::string> texts =
            row.state.empty() ? std::vector<std::string>(kStateQuantityCount) : WindowTexts(row.state);
        wanted.insert(wanted.end(), texts.begin(), texts.end());
        wanted.push_back(row.message);
        EXPECT_EQ(CsvFields(line), wanted);
    }
    EXPECT_FALSE(std::getline(lines, line)) << "an extra row: " << line;
}

std::string Utf16(const std::u16string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

const std::string kNumberText = "tdb=20.5 rh=50";
const std::string kClean = "time,tdb,rh,site\n1,20.5,50,a\n";
const std::u16string kUtf16 = u"time,tdb,rh,site\r\n1,20.5,50,\u6e29\u5ba4 \U0001F321\r\n";

// Files as loggers and spreadsheets write them, with the rows they give.
TEST(LoggerRowsTest, LogsGiveTheirRows)
{
    const std::string notANumber = " is not a number";
    const struct {
        const char* what;
        std::string input;
        LogFormat format;
        std::string header;
        std::vector<ExpectedRow> rows;
        std::uint64_t blankLines = 0;
    } cases[] = {
        {"missing readings are no numbers", "time,tdb,rh,site\n"
         "1,NaN,50,a\n2,20.5,N/A,b\n3,--,50,c\n4,#VALUE!,50,d\n5,inf,50,e\n6,0x14,50,f\n"
         "7,&H14,50,g\n8,20 °C,50,h\n9,1e999,50,i\n10,1e-999,50,j\n11, ,50,k\n12,\"20,5\",50,l\n"
         "13, 20.5 ,+5e1,m\n14,2 0,50,n\n",
         {}, "time,site,tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{"1", "a"}, "", "line 2, column \"tdb\": \"NaN\"" + notANumber},
          {{"2", "b"}, "", "line 3, column \"rh\": \"N/A\"" + notANumber},
          {{"3", "c"}, "", "line 4, column \"tdb\": \"--\"" + notANumber},
          {{"4", "d"}, "", "line 5, column \"tdb\": \"#VALUE!\"" + notANumber},
          {{"5", "e"}, "", "line 6, column \"tdb\": \"inf\"" + notANumber},
          {{"6", "f"}, "", "line 7, column \"tdb\": \"0x14\"" + notANumber},
          {{"7", "g"}, "", "line 8, column \"tdb\": \"&H14\"" + notANumber},
          {{"8", "h"}, "", "line 9, column \"tdb\": \"20 °C\"" + notANumber},
          {{"9", "i"}, "", "line 10, column \"tdb\": \"1e999\" is out of range"},
          {{"10", "j"}, "", "line 11, column \"tdb\": \"1e-999\" is out of range"},
          {{"11", "k"}, "", "line 12, column \"tdb\": no value"},
          {{"12", "l"}, "", "line 13, column \"tdb\": \"20,5\"" + notANumber +
                                ": the decimal mark is a point here (--decimal-comma reads a comma)"},
          {{"13", "m"}, kNumberText, ""},
          {{"14", "n"}, "", "line 15, column \"tdb\": \"2 0\"" + notANumber}}},
        {"semicolons and decimal commas", "time;tdb;rh;site\n1;20,5;50;Halle 1, Nord\n2;20.5;50;x\n",
         {}, "time,site,tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{"1", "Halle 1, Nord"}, kNumberText, ""},
          {{"2", "x"}, "", "line 3, column \"tdb\": \"20.5\"" + notANumber +
                               ": the decimal mark is a comma here (--decimal-point reads a point)"}}},
        {"a decimal comma asked for", "tdb\trh\n\"20,5\"\t50\n", {{}, DecimalMark::kComma},
         "tdb,twb,tdp,rh,d,h,v,pv,message", {{{}, kNumberText, ""}}},
        {"states the formulas cannot stand behind", "tdb,rh\n-25,50\n65,90\n",
         {}, "tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{}, "tdb=-25 rh=50", "line 2: wet bulb at the limit of its solver (-20 to 60 °C): the "
                                "true value lies beyond; dry bulb outside the chart's -20 to 70 °C"},
          {{}, "tdb=65 rh=90", "line 3: wet bulb at the limit of its solver (-20 to 60 °C): the "
                               "true value lies beyond"}}},
        {"beyond saturation", "tdb,tdp\n20,25\n", {}, "tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{}, "tdb=20 tdp=25",
           "line 2: relative humidity above 100 %: the state lies beyond saturation"}}},
        {"a dry bulb at its solver's limit", "rh,d\n50,0\n", {}, "tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{}, "rh=50 d=0",
           "line 2: wet bulb at the limit of its solver (-20 to 60 °C): the true value lies "
           "beyond; dry bulb at the limit of its solver (-30 to 70 °C): the true value lies "
           "beyond"}}},
        {"a dry bulb far off the chart", "twb,d\n-30,40\n", {}, "tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{}, "twb=-30 d=40",
           "line 2: relative humidity above 100 %: the state lies beyond saturation; dry bulb "
           "outside the chart's -20 to 70 °C; wet bulb outside the chart's -20 to 70 °C"}}},
        {"columns picked by name, p by its name", " Time ,T_in,RH_in,T_out,RH_out, P \n"
         "1,20,50,20.5,50,101325\n2,20,50,20.5,50,40000\n",
         {{{kDryBulbSlot, "t_out"}, {kRelHumiditySlot, "RH_OUT"}}, std::nullopt},
         " Time ,T_in,RH_in,tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{"1", "20", "50"}, kNumberText, ""},
          {{"2", "20", "50"}, "", "line 3, column \"P\": 大气压力过小，请重新输入！"}}},
        {"blank lines are skipped", "tdb,rh\n\n20.5,50\n  \n,\n\t,  \n20.5,50\n\n", {},
         "tdb,twb,tdp,rh,d,h,v,pv,message", {{{}, kNumberText, ""}, {{}, kNumberText, ""}}, 5},
        {"UTF-16, little endian", Utf16(kUtf16, false), {}, "time,site,tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{"1", "温室 🌡"}, kNumberText, ""}}},
        {"UTF-16, big endian", Utf16(kUtf16, true), {}, "time,site,tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{"1", "温室 🌡"}, kNumberText, ""}}},
        {"UTF-16, a lone surrogate", Utf16(u"tdb,rh\n20.5,50\xD800\n", false), {},
         "tdb,twb,tdp,rh,d,h,v,pv,message",
         {{{}, "", "line 2, column \"rh\": \"50\xEF\xBF\xBD\"" + notANumber}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string output;
        LineReader reader = ReaderOf(c.input);
        LogOptions options;
        options.format = c.format;
        const LogSummary summary =
            RunBatch(reader, options, [&](std::string_view bytes) { output.append(bytes); });
        ASSERT_EQ(summary.headerProblem, "");
        EXPECT_EQ(output.substr(0, output.find('\n')), c.header);
        ExpectRows(output, c.rows);
        EXPECT_EQ(summary.rows, c.rows.size());
        EXPECT_EQ(summary.blankLines, c.blankLines);
    }
}

TEST(LoggerRowsTest, HeadersThatCannotBeUsedAreRefused)
{
    const struct {
        std::string input;
        std::string picks;
        std::string problem;
    } cases[] = {
        {"time,T_in,T_out\n", "", "no parameter: a state needs two; name two of"},
        {"tdb,rh,twb\n", "", "3 parameters (tdb, twb, rh)"},
        {"tdb,rh,T\n", "tdb=t,rh=T", "--columns: column \"T\" picked twice"},
        {"tdb,rh\n", "tdb=T_out,rh=rh", "--columns: no column \"T_out\""},
        {"T,T,rh\n", "tdb=T", "--columns: column \"T\" appears twice"},
    };
    for (const auto& c : cases) {
        LogOptions options;
        if (!c.picks.empty()) {
            const ColumnPicksReading picks = ReadColumnPicks(c.picks);
            ASSERT_EQ(picks.problem, "") << c.picks;
            options.format.picks = picks.picks;
        }
        LineReader reader = ReaderOf(c.input);
        const LogSummary summary = RunBatch(reader, options, [](std::string_view) {});
        EXPECT_NE(summary.headerProblem.find(c.problem), std::string::npos)
            << c.input << " gives " << summary.headerProblem;
    }
    for (const std::string text : {"tdb", "tdb=", "t=T", "rh=a,RH=b", "p=a,P=b"}) {
        EXPECT_NE(ReadColumnPicks(text).problem, "") << text;
    }
}

// A first line without end is refused once it passes the line limit, not read on.
TEST(LoggerRowsTest, AFirstLineWithoutEndIsNotReadOn)
{
    std::size_t given = 0;
    LineReader reader([&](char* buffer, std::size_t size) {
        if (given > 16 * kMaxLineBytes) {
            throw std::runtime_error("read on");
        }
        std::memset(buffer, 'x', size);
        given += size;
        return size;
    });
    const LogSummary summary = RunBatch(reader, {}, [](std::string_view) {});
    EXPECT_EQ(summary.headerProblem, "line 1, the header: longer than 65536 bytes");
}

// What another front end takes from the log: line numbers, numbers and flags, in order
// whether one thread solves the blocks or several.
TEST(LoggerRowsTest, ReadingsCarryTheirLineAndNumbers)
{
    class Collector : public LogConsumer {
    public:
        void Start(const LogLayout& layout) override { carried = layout.carriedColumns; }
        void Take(const LogBlock& block) override
        {
            for (const LogReading& reading : block.Readings()) {
                readings.push_back(reading);
            }
        }
        std::vector<std::size_t> carried;
        std::vector<LogReading> readings;
    };
    std::string input = "stamp,tdb,rh\n";
    for (int i = 0; i < 300; ++i) {
        input += std::to_string(i) + "," + std::to_string(i % 100 - 30) + ",50\n" +
                 (i % 7 == 0 ? "\n" : "");
    }
    std::vector<LogReading> previous;
    for (const unsigned jobs : {1u, 2u}) {
        Collector collector;
        LineReader reader = ReaderOf(input);
        ReadLog(reader, {jobs, 1013.25f, 16, {}}, collector);
        ASSERT_EQ(collector.readings.size(), 300u);
        EXPECT_EQ(collector.carried, std::vector<std::size_t>{0});
        for (const LogReading& reading : collector.readings) {
            const int i = std::stoi(reading.fields[0]);
            EXPECT_EQ(reading.line, 2 + i + (i + 6) / 7);
            if (!reading.Solved()) {
                EXPECT_TRUE(std::isnan(reading.Value(kQuantityEnthalpy)));
                continue;
            }
            for (const StateQuantity q : {kQuantityDryBulb, kQuantityMoisture, kQuantityEnthalpy,
                                          kQuantityVapourPressure}) {  // as "描点" reads them
                EXPECT_EQ(reading.Value(q), static_cast<float>(ParseLeadingNumber(reading.texts[q])));
            }
            EXPECT_EQ(reading.flags != 0, reading.Value(kQuantityDryBulb) <= -20);
        }
        if (!previous.empty()) {
            for (std::size_t i = 0; i < previous.size(); ++i) {
                EXPECT_EQ(collector.readings[i].texts, previous[i].texts);
            }
        }
        previous = collector.readings;
    }
}

// A result text reads back as the results window's "描点" reads it: the leading-number parse
// stored in single precision, for texts of every magnitude and both forms.
TEST(LoggerRowsTest, ResultTextsReadBackAsTheWindowReadsThem)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-12.0, 12.0);
    for (int i = 0; i < 100000; ++i) {
        const auto value = static_cast<float>((i % 2 ? -1 : 1) * std::pow(10.0, exponent(random)));
        const std::string text = PlainNumberText(value);
        ASSERT_EQ(ValueOfText(text), static_cast<float>(ParseLeadingNumber(text))) << text;
    }
    EXPECT_TRUE(std::isnan(ValueOfText("")));
}

}  // namespace
}  // namespace hygrova
