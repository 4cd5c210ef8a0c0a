#include "cli/state_command.h"

#include "logs/batch_writer.h"
#include "query/quantity_names.h"
#include "query/pressure_rule.h"

#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

// The command line's name of each query slot, as the manual lists them.
const std::string kNames[kQuerySlotCount] = {"tdb", "twb", "rh", "d", "h", "tdp"};
// One ordinary state (25 deg C at 60 %, 1013.25 hPa) as the results window shows it, by slot.
const std::string kStateTexts[kQuerySlotCount] = {"25",     "19.421", "60",
                                                  "11.894", "55.547", "16.716"};
constexpr int kPairCodes[] = {12, 13, 14, 15, 16, 23, 24, 26, 34, 35, 36, 45, 56};

StatePointOutcome SolveArguments(const std::vector<std::string>& assignments,
                                 const std::string& pressurePa = "101325")
{
    const PressureReading pressure = ReadPressurePa(pressurePa);
    EXPECT_EQ(pressure.problem, "");
    const StateArguments arguments = QueryFromAssignments(assignments, pressure.pressureHpa);
    EXPECT_EQ(arguments.problem, "");
    return SolveStatePoint(arguments.query);
}

// Each pair gives the results window's texts: the state command's lines carry them with the
// captions, the batch row without their leading blank.
TEST(StateCommandTest, ThirteenPairsGiveTheResultsWindowTexts)
{
    for (const int code : kPairCodes) {
        SCOPED_TRACE("pair code " + std::to_string(code));
        const int first = code / 10 - 1, second = code % 10 - 1;
        StatePointQuery query;
        query.ticked[first] = query.ticked[second] = true;
        query.texts[first] = kStateTexts[first];
        query.texts[second] = kStateTexts[second];
        const StateTexts expected = std::get<StateTexts>(SolveStatePoint(query));

        const StatePointOutcome outcome = SolveArguments(
            {kNames[second] + "=" + kStateTexts[second], kNames[first] + "=" + kStateTexts[first]});
        ASSERT_TRUE(std::holds_alternative<StateTexts>(outcome));
        EXPECT_EQ(std::get<StateTexts>(outcome), expected);

        std::string lines, row;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            lines += std::string(kQuantityCaptions[i].caption) + "\t" + expected[i] + "\t" +
                     std::string(kQuantityCaptions[i].unit) + "\n";
            row += (expected[i].starts_with(' ') ? expected[i].substr(1) : expected[i]) + ",";
        }
        EXPECT_EQ(StateLines(expected), lines);

        const HeaderReading header = ReadHeader(kNames[first] + "," + kNames[second]);
        ASSERT_EQ(header.problem, "");
        LogReading reading;
        RowSolver solver(header.layout, 1013.25f);
        ASSERT_TRUE(solver.Read(2, kStateTexts[first] + "," + kStateTexts[second], false, reading));
        std::string out;
        AppendOutputRow(reading, header.layout, out);
        EXPECT_EQ(out, row + "\n");
    }
}

// Every range warning and fault of the query reaches the command as the window shows it.
TEST(StateCommandTest, WarningsAndFaultsKeepTheWindowsMessages)
{
    const struct {
        std::vector<std::string> assignments;
        std::string message;
    } cases[] = {
        {{"tdb=70.01", "rh=50"}, "干球温度过大或过小，请重新输入！"},
        {{"tdb=20", "rh=100.001"}, "相对湿度在0~100%之间，请重新输入！"},
        {{"h=170.01", "tdp=3"}, "焓值过大或过小，请重新输入！"},
        {{"twb=46", "d=3"}, "湿球温度过大或过小，请重新输入！"},
        {{"tdb=20", "d=-1"}, "含湿量过大或小于0，请重新输入！"},
        {{"tdb=20", "tdp=-274"}, "露点温度过大或过小，请重新输入！"},
        {{"rh=0", "d=10"}, "除数为零"},
        {{"rh=0", "tdp=-100"}, "除数为零"},
        {{"rh=50", "tdp=-273"}, "无效的浮点运算"},  // a saturation pressure of 0: 0 / 0
        {{"tdb=20", "rh=1e41"}, "计算溢出"},
    };
    for (const auto& c : cases) {
        const StatePointOutcome outcome = SolveArguments(c.assignments);
        EXPECT_EQ(ProblemOf(outcome), c.message) << ::testing::PrintToString(c.assignments);
    }
}

TEST(StateCommandTest, PressureFollowsTheSettingsDialogsApplyLimits)
{
    const struct {
        std::string text;
        std::string problem;
        float pressureHpa;
    } cases[] = {
        {"101325", "", 1013.25f},
        {"50000", "", 500.0f},
        {"200000", "", 2000.0f},
        {"101325abc", "", 1013.25f},
        {"49999", "大气压力过小，请重新输入！", 0},
        {"", "大气压力过小，请重新输入！", 0},
        {"200001", "大气压力过大，请重新输入！", 0},
        {"1e999", "大气压力过大，请重新输入！", 0},
    };
    for (const auto& c : cases) {
        const PressureReading reading = ReadPressurePa(c.text);
        EXPECT_EQ(reading.problem, c.problem) << c.text;
        EXPECT_EQ(reading.pressureHpa, c.pressureHpa) << c.text;
    }
    // The pressure reaches the calculation: the same state at a lower pressure holds more
    // water per kilogram of dry air.
    const auto moisture = [](const std::string& pressurePa) {
        return std::get<StateTexts>(SolveArguments({"tdb=20", "rh=50"}, pressurePa))[4];
    };
    EXPECT_NE(moisture("60000"), moisture("101325"));
}

// Mistakes of the command line are told before any calculation, naming what is wrong.
TEST(StateCommandTest, UsageMistakesAreRefused)
{
    const struct {
        std::vector<std::string> assignments;
        std::string problem;
    } cases[] = {
        {{"tdb20", "rh=5"}, "expected NAME=VALUE, got \"tdb20\""},
        {{"t=20", "rh=5"}, "unknown parameter \"t\"; the names are tdb, twb, tdp, rh, d, h"},
        {{"tdb=20", "p=90000"}, "unknown parameter \"p\"; the names are tdb, twb, tdp, rh, d, h; "
                                "the pressure is --pressure PA"},
        {{"tdb=20", "tdb=5"}, "parameter tdb given twice"},
        {{}, "no parameter: a state needs two"},
        {{"tdb=20"}, "one parameter (tdb): a state needs two"},
        {{"rh=50", "tdb=20", "twb=15"}, "3 parameters (tdb, twb, rh): a state needs two"},
        {{"twb=15", "h=50"}, "twb and h do not fix a state together: either follows from the other"},
        {{"d=5", "TDP=3"}, "d and tdp do not fix a state together: either follows from the other"},
        {{"tdb=", "rh=50"}, "tdb: no value"},
        {{"tdb=20", "rh=N/A"}, "rh: \"N/A\" is not a number"},
        {{"tdb=20,5", "rh=50"}, "tdb: \"20,5\" is not a number: the decimal mark is a point "
                                "here (--decimal-comma reads a comma)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QueryFromAssignments(c.assignments, 1013.25f).problem, c.problem)
            << ::testing::PrintToString(c.assignments);
    }
    const StateArguments comma =
        QueryFromAssignments({"tdb= 20,5 ", "rh=50"}, 1013.25f, DecimalMark::kComma);
    EXPECT_EQ(comma.problem, "");
    EXPECT_EQ(comma.query.texts[kDryBulbSlot], "20.5");
}

TEST(StateCommandTest, JsonHoldsTheNumbersAndNullForAnAbsentDewPoint)
{
    const auto results = std::get<StateTexts>(SolveArguments({"tdb=-25.5", "d=0"}));
    ASSERT_EQ(results[2], "");
    std::string expected = "{";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const std::string number = i == 2 ? "null" : results[i].substr(results[i][0] == ' ');
        expected += (i ? ",\"" : "\"") + std::string(kQuantityCaptions[i].name) + "\":" + number;
    }
    EXPECT_EQ(StateJson(results), expected + "}\n");
    EXPECT_EQ(results[0], "-25.5");
}

}  // namespace
}  // namespace hygrova
