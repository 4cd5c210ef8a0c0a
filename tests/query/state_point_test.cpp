#include "query/state_point.h"

#include "common/number_text.h"

#include <cmath>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

namespace hygrova {
namespace {

constexpr float kStandardPressureHpa = 1013.25f;

// The messages of the query, as the user reads them.
const std::string kTooFewMessage = "输入参数不得少于两个！";
const std::string kNoChainMessage = "计算发生错误，请重试！";
const std::string kRangeMessages[kQuerySlotCount] = {
    "干球温度过大或过小，请重新输入！",   "湿球温度过大或过小，请重新输入！",
    "相对湿度在0~100%之间，请重新输入！", "含湿量过大或小于0，请重新输入！",
    "焓值过大或过小，请重新输入！",       "露点温度过大或过小，请重新输入！",
};
const std::string kEmptyMessages[kQuerySlotCount] = {
    "请输入干球温度！", "请输入湿球温度！", "请输入相对湿度！",
    "请输入含湿量！",   "请输入焓值！",     "请输入露点温度！",
};

// Names of the eight quantities for failure messages.
const char* const kBoxNames[kStateQuantityCount] = {"t", "tw", "td", "rh %",
                                                    "d", "h",  "v",  "pv Pa"};
// The result box that shows each enterable parameter.
constexpr StateQuantity kBoxOfSlot[kQuerySlotCount] = {kQuantityDryBulb,     kQuantityWetBulb,
                                                       kQuantityRelHumidity, kQuantityMoisture,
                                                       kQuantityEnthalpy,    kQuantityDewPoint};

struct Entry {
    int slot;
    std::string text;
};

StatePointQuery Query(const std::vector<Entry>& entries, float pressureHpa = kStandardPressureHpa)
{
    StatePointQuery query;
    for (const Entry& entry : entries) {
        query.ticked[entry.slot] = true;
        query.texts[entry.slot] = entry.text;
    }
    query.pressure = pressureHpa;
    return query;
}

std::string Describe(const StatePointOutcome& outcome)
{
    if (const auto* warning = std::get_if<StatePointWarning>(&outcome)) {
        return "warning \"" + warning->message + "\", focus " +
               (warning->focus ? std::to_string(*warning->focus) : "none");
    }
    if (const auto* fault = std::get_if<StatePointFault>(&outcome)) {
        return "fault \"" + fault->description + "\"";
    }
    std::string text = "results";
    for (const std::string& box : std::get<StateTexts>(outcome)) {
        text += " [" + box + "]";
    }
    return text;
}

// The result texts of an outcome that should be results; eight empty texts otherwise.
StateTexts ResultsOf(const StatePointOutcome& outcome)
{
    if (const auto* results = std::get_if<StateTexts>(&outcome)) {
        return *results;
    }
    ADD_FAILURE() << "expected results, got " << Describe(outcome);
    return {};
}

void ExpectWarning(const StatePointOutcome& outcome, const std::string& message,
                   std::optional<int> focus)
{
    const auto* warning = std::get_if<StatePointWarning>(&outcome);
    ASSERT_NE(warning, nullptr) << "expected a warning, got " << Describe(outcome);
    EXPECT_EQ(warning->message, message);
    EXPECT_EQ(warning->focus, focus);
}

void ExpectFault(const StatePointOutcome& outcome)
{
    const auto* fault = std::get_if<StatePointFault>(&outcome);
    ASSERT_NE(fault, nullptr) << "expected a fault, got " << Describe(outcome);
    EXPECT_FALSE(fault->description.empty());
    // The no-chain message is never used for an arithmetic fault.
    EXPECT_NE(fault->description, kNoChainMessage);
}

double Value(const StateTexts& results, StateQuantity box)
{
    return ParseLeadingNumber(results[box]);
}

// |actual - expected| within `unit`, allowing for the binary representation of decimals.
void ExpectWithin(const StateTexts& results, StateQuantity box, double expected, double unit)
{
    EXPECT_NEAR(Value(results, box), expected, unit * (1.0 + 1e-9))
        << kBoxNames[box] << " shown as \"" << results[box] << '"';
}

// A plain number text: blank or minus, then plain decimals or seven-digit exponent form.
bool IsPlainNumberText(const std::string& text)
{
    static const std::regex kPattern(
        R"([ -]((0|[1-9][0-9]*)(\.[0-9]*[1-9])?|[1-9](\.[0-9]*[1-9])?E[+-][0-9]{2,3}))");
    return std::regex_match(text, kPattern);
}

// Every box holds a plain number text that reads back as a finite number; the dew point may
// be empty.
void ExpectReadableResults(const StateTexts& results)
{
    for (int box = 0; box < kStateQuantityCount; ++box) {
        const std::string& text = results[box];
        if (box == kQuantityDewPoint && text.empty()) {
            continue;
        }
        EXPECT_TRUE(IsPlainNumberText(text)) << kBoxNames[box] << " \"" << text << '"';
        EXPECT_TRUE(std::isfinite(ParseLeadingNumber(text))) << kBoxNames[box] << text;
    }
}

// Worked examples at 1013.25 hPa: every value within one unit of the last digit shown.
// Source: the calculation chains of the two pairs carried out by hand with the model's
// formulas (20 deg C at 50 %: the query's typical request; 20 deg C with a 15 deg C wet bulb:
// the wet-bulb relation, d = 8.5775 g/kg from ds = 10.6472 g/kg at 15 deg C). Independently,
// the psychrometric equations of ASHRAE Handbook - Fundamentals 2017, ch. 1, give for 20 deg C
// at 50 %: 7.262 g/kg, dew point 9.27 deg C, 1169.4 Pa, 0.8402 m3/kg, wet bulb 13.78 deg C and
// 38.55 kJ/kg (the model takes the wet bulb as the saturation temperature of the same
// enthalpy, and its enthalpy from kcal constants); for a 15 deg C wet bulb: 8.575 g/kg,
// 58.92 % and dew point 11.73 deg C.
TEST(StatePointTest, WorkedExamples)
{
    const StateTexts rh50 =
        ResultsOf(SolveStatePoint(Query({{kDryBulbSlot, "20"}, {kRelHumiditySlot, "50"}})));
    EXPECT_EQ(rh50[kQuantityDryBulb], " 20");
    EXPECT_EQ(rh50[kQuantityRelHumidity], " 50");
    ExpectWithin(rh50, kQuantityWetBulb, 13.737, 0.001);
    ExpectWithin(rh50, kQuantityDewPoint, 9.28, 0.01);
    ExpectWithin(rh50, kQuantityMoisture, 7.261, 0.001);
    ExpectWithin(rh50, kQuantityEnthalpy, 38.629, 0.001);
    ExpectWithin(rh50, kQuantityVolume, 0.841, 0.001);
    ExpectWithin(rh50, kQuantityVapourPressure, 1169.24, 0.01);

    const StateTexts wet15 =
        ResultsOf(SolveStatePoint(Query({{kDryBulbSlot, "20"}, {kWetBulbSlot, "15"}})));
    EXPECT_EQ(wet15[kQuantityDryBulb], " 20");
    EXPECT_EQ(wet15[kQuantityWetBulb], " 15");
    ExpectWithin(wet15, kQuantityMoisture, 8.577, 0.001);
    ExpectWithin(wet15, kQuantityRelHumidity, 58.94, 0.01);
    ExpectWithin(wet15, kQuantityEnthalpy, 41.97, 0.01);
    ExpectWithin(wet15, kQuantityDewPoint, 11.749, 0.001);

    // The pressure is the caller's: at 850 hPa the same vapour pressure carries more water,
    // d = 622 pv / (B - pv) with pv = 11.6924 hPa fixed by t and rh.
    const StateTexts low =
        ResultsOf(SolveStatePoint(Query({{kDryBulbSlot, "20"}, {kRelHumiditySlot, "50"}}, 850.0f)));
    EXPECT_NEAR(Value(low, kQuantityMoisture) / Value(rh50, kQuantityMoisture),
                (1013.25 - 11.6924) / (850.0 - 11.6924), 1e-3);
    EXPECT_EQ(low[kQuantityVapourPressure], rh50[kQuantityVapourPressure]);
    // Ideal gas at the same temperature: the volume grows as 1013.25 / 850, within the
    // fraction of a percent that the extra water adds.
    EXPECT_NEAR(Value(low, kQuantityVolume) / Value(rh50, kQuantityVolume), 1013.25 / 850.0, 0.01);
}

struct BaseState {
    const char* name;
    const char* t;   // deg C
    const char* td;  // deg C
    float pressureHpa;
};

struct PairCase {
    const char* name;
    int first;
    int second;
    // Codes 12 and 15 take the wet bulb through the psychrometer relation, every other
    // code as the saturation temperature of the same enthalpy.
    bool psychrometric;
};

// Allowed disagreement per result box (t, tw, td, rh %, d, h, v, pv Pa). Inputs shown to
// three or four decimals move the results by a few thousandths. A dew point that is not
// entered comes from its own correlation, which departs from the saturation curve by 0.01 K
// at 20 deg C (20.0103) and by about 0.1 K near 30 deg C. The psychrometer relation leaves
// out the heat of the evaporated water, tw (ds - d) / 1000 kcal/kg, and uses kcal constants
// that differ slightly from the kJ ones: about 0.1 g/kg apart from the enthalpy definition.
constexpr double kTightTolerance[kStateQuantityCount] = {0.005, 0.005, 0.15,  0.02,
                                                         0.005, 0.005, 0.001, 0.2};
constexpr double kPsychrometricTolerance[kStateQuantityCount] = {0.005, 0.005, 0.2,   0.5,
                                                                 0.1,   0.25,  0.002, 15.0};

// A state solved from dry bulb and dew point, fed back to every pair code as two of its own
// shown values, comes out the same.
TEST(StatePointTest, EveryPairCodeAgreesWithTheSameState)
{
    const BaseState bases[] = {
        {"mild", "25", "16.7", kStandardPressureHpa},
        {"cool at altitude, dew point below freezing", "10", "-3", 850.0f},
        {"hot and humid under high pressure", "35", "31", 1200.0f},
    };
    const PairCase pairs[] = {
        {"12 dry bulb, wet bulb", kDryBulbSlot, kWetBulbSlot, true},
        {"13 dry bulb, humidity", kDryBulbSlot, kRelHumiditySlot, false},
        {"14 dry bulb, moisture", kDryBulbSlot, kMoistureSlot, false},
        {"15 dry bulb, enthalpy", kDryBulbSlot, kEnthalpySlot, true},
        {"16 dry bulb, dew point", kDryBulbSlot, kDewPointSlot, false},
        {"23 wet bulb, humidity", kWetBulbSlot, kRelHumiditySlot, false},
        {"24 wet bulb, moisture", kWetBulbSlot, kMoistureSlot, false},
        {"26 wet bulb, dew point", kWetBulbSlot, kDewPointSlot, false},
        {"34 humidity, moisture", kRelHumiditySlot, kMoistureSlot, false},
        {"35 humidity, enthalpy", kRelHumiditySlot, kEnthalpySlot, false},
        {"36 humidity, dew point", kRelHumiditySlot, kDewPointSlot, false},
        {"45 moisture, enthalpy", kMoistureSlot, kEnthalpySlot, false},
        {"56 enthalpy, dew point", kEnthalpySlot, kDewPointSlot, false},
    };
    for (const BaseState& base : bases) {
        const StateTexts reference = ResultsOf(SolveStatePoint(
            Query({{kDryBulbSlot, base.t}, {kDewPointSlot, base.td}}, base.pressureHpa)));
        ExpectReadableResults(reference);
        for (const PairCase& pair : pairs) {
            SCOPED_TRACE(std::string(base.name) + ", " + pair.name);
            const StateTexts results =
                ResultsOf(SolveStatePoint(Query({{pair.first, reference[kBoxOfSlot[pair.first]]},
                                                 {pair.second, reference[kBoxOfSlot[pair.second]]}},
                                                base.pressureHpa)));
            ExpectReadableResults(results);
            // The known values are shown as entered.
            EXPECT_EQ(results[kBoxOfSlot[pair.first]], reference[kBoxOfSlot[pair.first]]);
            EXPECT_EQ(results[kBoxOfSlot[pair.second]], reference[kBoxOfSlot[pair.second]]);
            const double* tolerance =
                pair.psychrometric ? kPsychrometricTolerance : kTightTolerance;
            for (int box = 0; box < kStateQuantityCount; ++box) {
                EXPECT_NEAR(Value(results, StateQuantity(box)),
                            Value(reference, StateQuantity(box)), tolerance[box])
                    << kBoxNames[box] << ": \"" << results[box] << "\" against \"" << reference[box]
                    << '"';
            }
        }
    }
}

struct WarningCase {
    const char* name;
    std::vector<Entry> entries;
    std::string message;
    std::optional<int> focus;
};

// The selection is checked before any text is looked at; then all emptiness checks come
// before all range checks, the smaller index first.
TEST(StatePointTest, WarningsInOrder)
{
    const Entry t20{kDryBulbSlot, "20"}, t99{kDryBulbSlot, "99"}, tEmpty{kDryBulbSlot, ""};
    const Entry rh50{kRelHumiditySlot, "50"}, rh200{kRelHumiditySlot, "200"};
    const Entry rhEmpty{kRelHumiditySlot, ""}, d10{kMoistureSlot, "10"};
    const Entry tw15{kWetBulbSlot, "15"}, h40{kEnthalpySlot, "40"}, td10{kDewPointSlot, "10"};
    const std::optional<int> noFocus;
    const std::vector<WarningCase> cases = {
        {"nothing ticked", {}, kTooFewMessage, noFocus},
        {"one ticked", {t20}, kTooFewMessage, noFocus},
        {"one ticked and empty", {{kDewPointSlot, ""}}, kTooFewMessage, noFocus},
        {"25: wet bulb, enthalpy", {tw15, h40}, kNoChainMessage, noFocus},
        {"25, both empty", {{kWetBulbSlot, ""}, {kEnthalpySlot, ""}}, kNoChainMessage, noFocus},
        {"46: moisture, dew point", {{kMoistureSlot, "1e400"}, td10}, kNoChainMessage, noFocus},
        {"46, letters", {{kMoistureSlot, "abc"}, td10}, kNoChainMessage, noFocus},
        {"dry bulb empty", {tEmpty, rh50}, kEmptyMessages[0], 0},
        {"wet bulb empty", {{kWetBulbSlot, ""}, rh50}, kEmptyMessages[1], 1},
        {"humidity empty", {t20, rhEmpty}, kEmptyMessages[2], 2},
        {"moisture empty", {t20, {kMoistureSlot, ""}}, kEmptyMessages[3], 3},
        {"enthalpy empty", {d10, {kEnthalpySlot, ""}}, kEmptyMessages[4], 4},
        {"dew point empty", {t20, {kDewPointSlot, ""}}, kEmptyMessages[5], 5},
        {"both empty: only the first", {tEmpty, rhEmpty}, kEmptyMessages[0], 0},
        {"first out of range, second empty", {t99, rhEmpty}, kEmptyMessages[2], 2},
        {"first empty, second out of range", {tEmpty, rh200}, kEmptyMessages[0], 0},
        {"both out of range: the first", {t99, rh200}, kRangeMessages[0], 0},
        {"second out of range", {t20, rh200}, kRangeMessages[2], 2},
    };
    for (const WarningCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectWarning(SolveStatePoint(Query(c.entries)), c.message, c.focus);
    }
}

struct EntryCase {
    const char* name;
    Entry entry;
    Entry partner;
    const char* shown;  // text of the parameter's result box when accepted; null: rejected
};

// Entries are read leniently (blanks vanish, trailing junk is ignored, no number reads as 0);
// both range ends are accepted, compared on the value stored in single precision.
TEST(StatePointTest, EntryReadingAndRangeEnds)
{
    const Entry rh50{kRelHumiditySlot, "50"}, t20{kDryBulbSlot, "20"}, d10{kMoistureSlot, "10"};
    const std::vector<EntryCase> cases = {
        {"letters read as 0", {kDryBulbSlot, "abc"}, rh50, " 0"},
        {"a single blank reads as 0", {kDryBulbSlot, " "}, rh50, " 0"},
        {"blanks are not empty", {kRelHumiditySlot, "   "}, t20, " 0"},
        {"trailing letters", {kDryBulbSlot, "25abc"}, rh50, " 25"},
        {"blank inside", {kDryBulbSlot, "2 5"}, rh50, " 25"},
        {"hexadecimal", {kDryBulbSlot, "&H14"}, rh50, " 20"},
        {"dry bulb 70", {kDryBulbSlot, "70"}, rh50, " 70"},
        {"dry bulb -30", {kDryBulbSlot, "-30"}, rh50, "-30"},
        {"dry bulb 70.000001 is 70 in single precision", {kDryBulbSlot, "70.000001"}, rh50, " 70"},
        {"dry bulb 70.01", {kDryBulbSlot, "70.01"}, rh50, nullptr},
        {"dry bulb -30.01", {kDryBulbSlot, "-30.01"}, rh50, nullptr},
        {"dry bulb beyond double", {kDryBulbSlot, "1e400"}, rh50, nullptr},
        {"dry bulb below double", {kDryBulbSlot, "-1e400"}, rh50, nullptr},
        {"dry bulb beyond single", {kDryBulbSlot, "1e39"}, rh50, nullptr},
        {"wet bulb 45", {kWetBulbSlot, "45"}, rh50, " 45"},
        {"wet bulb -30", {kWetBulbSlot, "-30"}, rh50, "-30"},
        {"wet bulb 45.01", {kWetBulbSlot, "45.01"}, rh50, nullptr},
        {"wet bulb -30.01", {kWetBulbSlot, "-30.01"}, rh50, nullptr},
        {"humidity 100", {kRelHumiditySlot, "100"}, t20, " 100"},
        {"humidity 0", {kRelHumiditySlot, "0"}, t20, " 0"},
        {"humidity 100.000001 is 1 in single", {kRelHumiditySlot, "100.000001"}, t20, " 100"},
        {"humidity 100.001", {kRelHumiditySlot, "100.001"}, t20, nullptr},
        {"humidity -0.001", {kRelHumiditySlot, "-0.001"}, t20, nullptr},
        {"humidity beyond double", {kRelHumiditySlot, "1e400"}, t20, nullptr},
        {"moisture 45", {kMoistureSlot, "45"}, t20, " 45"},
        {"moisture 0", {kMoistureSlot, "0"}, t20, " 0"},
        {"moisture 45.01", {kMoistureSlot, "45.01"}, t20, nullptr},
        {"moisture -0.001", {kMoistureSlot, "-0.001"}, t20, nullptr},
        {"enthalpy 170", {kEnthalpySlot, "170"}, d10, " 170"},
        {"enthalpy -30", {kEnthalpySlot, "-30"}, d10, "-30"},
        {"enthalpy 170.01", {kEnthalpySlot, "170.01"}, d10, nullptr},
        {"enthalpy -30.01", {kEnthalpySlot, "-30.01"}, d10, nullptr},
        {"dew point -273", {kDewPointSlot, "-273"}, t20, "-273"},
        {"dew point 45", {kDewPointSlot, "45"}, t20, " 45"},
        {"dew point -273.01", {kDewPointSlot, "-273.01"}, t20, nullptr},
        {"dew point 45.01", {kDewPointSlot, "45.01"}, t20, nullptr},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        const StatePointOutcome outcome = SolveStatePoint(Query({c.entry, c.partner}));
        if (c.shown == nullptr) {
            ExpectWarning(outcome, kRangeMessages[c.entry.slot], c.entry.slot);
        } else {
            EXPECT_EQ(ResultsOf(outcome)[kBoxOfSlot[c.entry.slot]], c.shown);
        }
    }
}

// Very dry air: below 0.05 g/kg there is no dew point.
TEST(StatePointTest, DryAirAndTheDewPoint)
{
    const StateTexts dry =
        ResultsOf(SolveStatePoint(Query({{kDryBulbSlot, "25"}, {kMoistureSlot, "0"}})));
    EXPECT_EQ(dry[kQuantityDewPoint], "");
    EXPECT_EQ(dry[kQuantityRelHumidity], " 0");
    EXPECT_EQ(dry[kQuantityVapourPressure], " 0");

    // 0.05 g/kg is about 0.08 hPa of vapour, saturated between -50 and -40 deg C.
    const StateTexts trace =
        ResultsOf(SolveStatePoint(Query({{kDryBulbSlot, "25"}, {kMoistureSlot, "0.05"}})));
    EXPECT_FALSE(trace[kQuantityDewPoint].empty());
    EXPECT_GT(Value(trace, kQuantityDewPoint), -50.0);
    EXPECT_LT(Value(trace, kQuantityDewPoint), -40.0);

    EXPECT_EQ(ResultsOf(SolveStatePoint(
                  Query({{kDryBulbSlot, "25"}, {kMoistureSlot, "0.0499"}})))[kQuantityDewPoint],
              "");

    // No humidity at all with the dry bulb is an ordinary state.
    const StateTexts none =
        ResultsOf(SolveStatePoint(Query({{kDryBulbSlot, "20"}, {kRelHumiditySlot, "0"}})));
    EXPECT_EQ(none[kQuantityDewPoint], "");
    EXPECT_EQ(none[kQuantityRelHumidity], " 0");
    EXPECT_EQ(none[kQuantityMoisture], " 0");
    EXPECT_EQ(none[kQuantityVapourPressure], " 0");

    // No water at some humidity: the saturation-pressure search ends at its lower end.
    const StateTexts noWater =
        ResultsOf(SolveStatePoint(Query({{kRelHumiditySlot, "50"}, {kMoistureSlot, "0"}})));
    EXPECT_EQ(noWater[kQuantityDryBulb], "-30");

    // A dew point above the dry bulb is shown as entered, with a humidity above 100 %.
    const StateTexts fog =
        ResultsOf(SolveStatePoint(Query({{kDryBulbSlot, "20"}, {kDewPointSlot, "25"}})));
    EXPECT_EQ(fog[kQuantityDewPoint], " 25");
    EXPECT_GT(Value(fog, kQuantityRelHumidity), 100.0);
}

// The error path: a third tick (whatever the texts) and the arithmetic faults that ordinary
// entries reach.
TEST(StatePointTest, ErrorPath)
{
    struct FaultCase {
        const char* name;
        std::vector<Entry> entries;
    };
    const FaultCase cases[] = {
        {"three ticked", {{kDryBulbSlot, "20"}, {kRelHumiditySlot, "50"}, {kMoistureSlot, "7"}}},
        {"three ticked, empty", {{kDryBulbSlot, ""}, {kWetBulbSlot, ""}, {kEnthalpySlot, ""}}},
        {"all ticked",
         {{kDryBulbSlot, "20"},
          {kWetBulbSlot, "15"},
          {kRelHumiditySlot, "50"},
          {kMoistureSlot, "7"},
          {kEnthalpySlot, "40"},
          {kDewPointSlot, "9"}}},
        {"no humidity with moisture", {{kRelHumiditySlot, "0"}, {kMoistureSlot, "5"}}},
        {"no humidity and no moisture", {{kRelHumiditySlot, "0"}, {kMoistureSlot, "0"}}},
        {"no humidity with a dew point", {{kRelHumiditySlot, "0"}, {kDewPointSlot, "5"}}},
        {"dew point with no vapour pressure", {{kRelHumiditySlot, "50"}, {kDewPointSlot, "-273"}}},
        {"humidity beyond single", {{kDryBulbSlot, "20"}, {kRelHumiditySlot, "1e41"}}},
        {"humidity below single", {{kDryBulbSlot, "20"}, {kRelHumiditySlot, "-1e41"}}},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectFault(SolveStatePoint(Query(c.entries)));
    }
}

TEST(StatePointTest, SameInputsGiveTheSameTexts)
{
    for (const auto& entries : {std::vector<Entry>{{kDryBulbSlot, "20"}, {kRelHumiditySlot, "50"}},
                                std::vector<Entry>{{kRelHumiditySlot, "35"}, {kEnthalpySlot, "60"}},
                                std::vector<Entry>{{kWetBulbSlot, "-5"}, {kDewPointSlot, "-12"}}}) {
        const StatePointOutcome first = SolveStatePoint(Query(entries, 960.0f));
        const StatePointOutcome second = SolveStatePoint(Query(entries, 960.0f));
        EXPECT_EQ(ResultsOf(first), ResultsOf(second)) << Describe(first);
    }
}

// An entry text: often a number every parameter accepts, otherwise a few random fragments
// (junk, signs, periods, huge exponents, &H and &O forms, control characters, bytes).
std::string RandomText(std::mt19937& random)
{
    static const char* const kFragments[] = {
        "",     " ",    "\t",           "\n",    "\r",     "abc",  "+",      "-",    ".",   "..",
        "e",    "E5",   "e-3",          "1e400", "-1e400", "1e41", "1e-400", "1e39", "&H",  "&HFF",
        "&h1g", "&O77", "&o9",          "0",     "100",    "45",   "-30",    "-273", "170", "1,5",
        "\x01", "\x7f", "\xe4\xb8\xad",
    };
    if (std::bernoulli_distribution(0.4)(random)) {
        return std::to_string(std::uniform_real_distribution<double>(0.0, 45.0)(random));
    }
    std::uniform_int_distribution<int> pieces(0, 3);
    std::uniform_int_distribution<int> kind(0, 2);
    std::uniform_int_distribution<std::size_t> fragment(0, std::size(kFragments) - 1);
    std::uniform_real_distribution<double> number(-350.0, 350.0);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text;
    for (int i = pieces(random); i > 0; --i) {
        switch (kind(random)) {
            case 0:
                text += kFragments[fragment(random)];
                break;
            case 1:
                text += std::to_string(number(random));
                break;
            default:
                text += static_cast<char>(byte(random));
                break;
        }
    }
    return text;
}

// Whatever is typed and ticked, the outcome is a known warning, a fault or eight readable
// texts, and nothing escapes.
TEST(StatePointTest, ArbitraryInputsKeepToTheThreeOutcomes)
{
    std::mt19937 random(20240611);
    std::bernoulli_distribution tick(0.35);
    std::bernoulli_distribution pairOnly(0.5);
    std::uniform_int_distribution<int> slot(0, kQuerySlotCount - 1);
    std::uniform_real_distribution<float> pressure(500.0f, 2000.0f);
    int resultCount = 0;
    for (int run = 0; run < 4000; ++run) {
        StatePointQuery query;
        if (pairOnly(random)) {
            query.ticked[slot(random)] = true;
            query.ticked[slot(random)] = true;
        } else {
            for (bool& ticked : query.ticked) {
                ticked = tick(random);
            }
        }
        for (std::string& text : query.texts) {
            text = RandomText(random);
        }
        query.pressure = pressure(random);
        int tickedCount = 0;
        for (const bool ticked : query.ticked) {
            tickedCount += ticked ? 1 : 0;
        }
        SCOPED_TRACE("run " + std::to_string(run));

        StatePointOutcome outcome;
        ASSERT_NO_THROW(outcome = SolveStatePoint(query));
        if (const auto* warning = std::get_if<StatePointWarning>(&outcome)) {
            if (warning->focus) {
                const int focus = *warning->focus;
                ASSERT_TRUE(focus >= 0 && focus < kQuerySlotCount);
                EXPECT_TRUE(query.ticked[focus]);
                EXPECT_TRUE(warning->message == kEmptyMessages[focus] ||
                            warning->message == kRangeMessages[focus])
                    << warning->message;
                if (warning->message == kEmptyMessages[focus]) {
                    EXPECT_TRUE(query.texts[focus].empty());
                }
            } else {
                EXPECT_TRUE(warning->message == kTooFewMessage ||
                            warning->message == kNoChainMessage)
                    << warning->message;
                EXPECT_EQ(warning->message == kTooFewMessage, tickedCount < 2);
            }
        } else if (const auto* fault = std::get_if<StatePointFault>(&outcome)) {
            EXPECT_FALSE(fault->description.empty());
        } else {
            ++resultCount;
            EXPECT_EQ(tickedCount, 2);
            ExpectReadableResults(std::get<StateTexts>(outcome));
        }
        if (tickedCount > 2) {
            EXPECT_TRUE(std::holds_alternative<StatePointFault>(outcome)) << Describe(outcome);
        }
    }
    // A fair share of the runs reaches the calculation.
    EXPECT_GT(resultCount, 500);
}

}  // namespace
}  // namespace hygrova
