#include "query/pressure_rule.h"

#include "common/standard_pressure.h"

#include <string_view>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr std::string_view kTooLarge = "大气压力过大，请重新输入！";
constexpr std::string_view kTooSmall = "大气压力过小，请重新输入！";

// Each button's limits hold both ends; "确定" refuses what only "应用" admits.
TEST(PressureRuleTest, EachButtonKeepsToItsLimits)
{
    const struct {
        std::string_view text;
        const PressureLimits& limits;
        std::string_view problem;
        float pressureHpa;
    } rows[] = {
        {"70000", kOkPressureLimits, "", 700.0f},
        {"150000", kOkPressureLimits, "", 1500.0f},
        {"69999", kOkPressureLimits, kTooSmall, 0},
        {"150001", kOkPressureLimits, kTooLarge, 0},
        {"60000", kApplyPressureLimits, "", 600.0f},
        {"180000", kApplyPressureLimits, "", 1800.0f},
        {"60000", kOkPressureLimits, kTooSmall, 0},
        {"180000", kOkPressureLimits, kTooLarge, 0},
    };
    for (const auto& row : rows) {
        const PressureReading reading = ReadPressurePa(row.text, row.limits);
        EXPECT_EQ(reading.problem, row.problem) << row.text;
        EXPECT_EQ(reading.pressureHpa, row.pressureHpa) << row.text;
    }
}

// The pressure box's standard text is the standard pressure the program starts with.
TEST(PressureRuleTest, StandardTextReadsAsTheStandardPressure)
{
    EXPECT_EQ(ReadPressurePa(kStandardPressureText, kOkPressureLimits).pressureHpa,
              kStandardPressureHpa);
}

}  // namespace
}  // namespace hygrova
