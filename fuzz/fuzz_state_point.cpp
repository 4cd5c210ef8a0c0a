// Fuzz target: the state-point calculation behind the query dialog's "确定".
//
// Input layout: byte 0 — the tick boxes (bit i ticks slot i, bits 6 and 7 unused); bytes 1..4
// — the atmospheric pressure, hPa (a float in 500..2000 taken as is, other bits mapped into
// that range, see ByteReader::FloatIn); the rest — the six entry texts in slot order,
// separated by '|' (missing texts are empty; the sixth takes everything after the fifth '|').
//
// Checks, for every input:
//  - no exception escapes; the outcome is a warning, a fault or the eight results;
//  - the selection rules: fewer than two ticks warn "输入参数不得少于两个！" and more than two
//    are a fault, both whatever the texts; the pairs without a calculation chain (wet bulb with
//    enthalpy, moisture content with dew point) warn "计算发生错误，请重试！"; none of these
//    moves the focus;
//  - every warning's message is one of the known messages; an empty-box message names the
//    first ticked slot whose text is the empty string, a range message a ticked slot with a
//    text, and the focus goes to that slot;
//  - a fault carries a description;
//  - a second run with the same inputs gives the same outcome, and so does the step-by-step
//    reference calculation (reference::SolveStatePoint);
//  - every result text but an empty dew point is a displayed number that reads back as a
//    finite value; the dew point is empty only where it is computed and the moisture content
//    is below 0.05 g/kg; the entered values come back as entered (rounded, relative humidity
//    excepted when it is recomputed from the dew point).

#include "common/number_text.h"
#include "model/arithmetic_fault.h"
#include "query/state_point.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fuzz_support.h"

namespace hygrova::fuzz {
namespace {

constexpr std::string_view kTooFew = "输入参数不得少于两个！";
constexpr std::string_view kNoChain = "计算发生错误，请重试！";

// Per slot: the message for an empty box, the message for a value out of range, the range
// as entered, the result box (0..7) the entered value is shown in, and the half unit of the
// rounding that box applies, in the unit shown.
struct SlotRule {
    std::string_view emptyMessage;
    std::string_view rangeMessage;
    double low;
    double high;
    std::size_t resultBox;
    double halfUnit;
};

constexpr std::array<SlotRule, kQuerySlotCount> kSlots{{
    {"请输入干球温度！", "干球温度过大或过小，请重新输入！", -30, 70, 0, 0.0005},
    {"请输入湿球温度！", "湿球温度过大或过小，请重新输入！", -30, 45, 1, 0.0005},
    {"请输入相对湿度！", "相对湿度在0~100%之间，请重新输入！", 0, 100, 3, 0.005},
    {"请输入含湿量！", "含湿量过大或小于0，请重新输入！", 0, 45, 4, 0.0005},
    {"请输入焓值！", "焓值过大或过小，请重新输入！", -30, 170, 5, 0.0005},
    {"请输入露点温度！", "露点温度过大或过小，请重新输入！", -273, 45, 2, 0.0005},
}};

StatePointQuery ReadQuery(const std::uint8_t* data, std::size_t size)
{
    ByteReader reader(data, size);
    StatePointQuery query;
    const std::uint8_t ticks = reader.Byte();
    for (int i = 0; i < kQuerySlotCount; ++i) {
        query.ticked[static_cast<std::size_t>(i)] = (ticks >> i) & 1;
    }
    query.pressure = reader.FloatIn(500.0f, 2000.0f);
    std::string_view rest = reader.Rest();
    for (std::size_t i = 0; i < query.texts.size(); ++i) {
        const std::size_t bar = i + 1 < query.texts.size() ? rest.find('|') : rest.npos;
        query.texts[i] = std::string(rest.substr(0, bar));
        rest = bar == rest.npos ? std::string_view() : rest.substr(bar + 1);
    }
    return query;
}

std::string Describe(const StatePointQuery& query)
{
    std::string text = "pressure " + Show(query.pressure) + " hPa;";
    for (std::size_t i = 0; i < query.texts.size(); ++i) {
        text += " [" + std::to_string(i) + (query.ticked[i] ? " ticked" : "") + "] \"" +
                query.texts[i] + "\"";
    }
    return text;
}

// SolveStatePoint, failing on any exception that escapes it.
std::optional<StatePointOutcome> Solve(const StatePointQuery& query)
{
    try {
        return SolveStatePoint(query);
    } catch (const std::exception& e) {
        Fail("SolveStatePoint threw \"" + std::string(e.what()) + "\" for " + Describe(query));
    } catch (...) {
        Fail("SolveStatePoint threw a non-standard exception for " + Describe(query));
    }
}

bool SameOutcome(const StatePointOutcome& a, const StatePointOutcome& b)
{
    if (a.index() != b.index()) {
        return false;
    }
    if (const auto* warning = std::get_if<StatePointWarning>(&a)) {
        const auto& other = std::get<StatePointWarning>(b);
        return warning->message == other.message && warning->focus == other.focus;
    }
    if (const auto* fault = std::get_if<StatePointFault>(&a)) {
        return fault->description == std::get<StatePointFault>(b).description;
    }
    return std::get<StateTexts>(a) == std::get<StateTexts>(b);
}

void CheckWarning(const StatePointQuery& query, const std::vector<int>& ticked,
                  const StatePointWarning& warning, const std::string& context)
{
    const std::string what = context + " -> warning \"" + warning.message + "\"";
    if (ticked.size() < 2) {
        FUZZ_CHECK(warning.message == kTooFew && !warning.focus, what + ": expected too few");
        return;
    }
    const int first = ticked[0];
    const int second = ticked[1];
    if ((first == kWetBulbSlot && second == kEnthalpySlot) ||
        (first == kMoistureSlot && second == kDewPointSlot)) {
        FUZZ_CHECK(warning.message == kNoChain && !warning.focus, what + ": expected no chain");
        return;
    }
    FUZZ_CHECK(warning.message != kTooFew && warning.message != kNoChain,
               what + ": a computable pair of ticks");
    FUZZ_CHECK(warning.focus.has_value(), what + ": an input warning without focus");
    const int focus = *warning.focus;
    FUZZ_CHECK(focus == first || focus == second,
               what + ": focus on an unticked slot " + std::to_string(focus));
    const SlotRule& rule = kSlots[static_cast<std::size_t>(focus)];
    const std::string& focusText = query.texts[static_cast<std::size_t>(focus)];
    if (warning.message == rule.emptyMessage) {
        // Emptiness is checked first, the smaller slot first; a text of blanks is not empty.
        FUZZ_CHECK(focusText.empty(), what + ": empty-box message for a text that is not empty");
        FUZZ_CHECK(focus == first || !query.texts[static_cast<std::size_t>(first)].empty(),
                   what + ": the first slot's empty box was passed over");
        return;
    }
    FUZZ_CHECK(warning.message == rule.rangeMessage,
               what + ": not the message of slot " + std::to_string(focus));
    FUZZ_CHECK(!query.texts[static_cast<std::size_t>(first)].empty() &&
                   !query.texts[static_cast<std::size_t>(second)].empty(),
               what + ": a range message while a ticked box is empty");
}

void CheckResults(const StatePointQuery& query, const std::vector<int>& ticked,
                  const StateTexts& results, const std::string& context)
{
    FUZZ_CHECK(ticked.size() == 2,
               context + " -> results from " + std::to_string(ticked.size()) + " ticks");
    std::array<std::optional<double>, 8> values;
    for (std::size_t box = 0; box < results.size(); ++box) {
        if (box == kQuantityDewPoint && results[box].empty()) {
            continue;
        }
        values[box] =
            CheckedNumberText(results[box], context + " -> result box " + std::to_string(box + 1));
    }
    const bool dewPointEntered = query.ticked[kDewPointSlot];
    if (!values[kQuantityDewPoint]) {
        // The dew point is left out only below d = 0.05 g/kg, never when it was entered; the
        // moisture text is rounded to 0.001, so only a clear margin is judged.
        FUZZ_CHECK(!dewPointEntered, context + " -> the entered dew point is not shown");
        FUZZ_CHECK(*values[kQuantityMoisture] < 0.0505,
                   context + " -> no dew point at d = " + results[kQuantityMoisture]);
    } else if (!dewPointEntered) {
        FUZZ_CHECK(*values[kQuantityMoisture] > 0.0495,
                   context + " -> a dew point at d = " + results[kQuantityMoisture]);
    }
    // The two entered values, as entered after rounding; the relative humidity is recomputed
    // when it comes with the dew point.
    for (const int slot : ticked) {
        if (slot == kRelHumiditySlot && dewPointEntered) {
            continue;
        }
        const SlotRule& rule = kSlots[static_cast<std::size_t>(slot)];
        const double shown = *values[rule.resultBox];
        const double entered =
            static_cast<float>(ParseLeadingNumber(query.texts[static_cast<std::size_t>(slot)]));
        const double slack = rule.halfUnit + 1e-6 * std::fabs(entered);
        FUZZ_CHECK(shown >= rule.low - slack && shown <= rule.high + slack,
                   context + " -> slot " + std::to_string(slot) +
                       " shown out of range: " + results[rule.resultBox]);
        FUZZ_CHECK(std::fabs(shown - entered) <= slack,
                   context + " -> slot " + std::to_string(slot) + " entered as " + Show(entered) +
                       " but shown as " + results[rule.resultBox]);
    }
}

}  // namespace
}  // namespace hygrova::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace hygrova;
    using namespace hygrova::fuzz;
    const StatePointQuery query = ReadQuery(data, size);
    std::vector<int> ticked;
    for (int i = 0; i < kQuerySlotCount; ++i) {
        if (query.ticked[static_cast<std::size_t>(i)]) {
            ticked.push_back(i);
        }
    }
    const std::optional<StatePointOutcome> outcome = Solve(query);
    const std::string context = Describe(query);
    FUZZ_CHECK(!outcome->valueless_by_exception(), context + " -> no outcome");
    FUZZ_CHECK(SameOutcome(*outcome, *Solve(query)), context + " -> a second run differs");
    FUZZ_CHECK(SameOutcome(*outcome, reference::SolveStatePoint(query)),
               context + " -> the reference calculation differs");

    if (const auto* warning = std::get_if<StatePointWarning>(&*outcome)) {
        CheckWarning(query, ticked, *warning, context);
    } else if (const auto* fault = std::get_if<StatePointFault>(&*outcome)) {
        FUZZ_CHECK(!fault->description.empty(), context + " -> a fault without description");
        FUZZ_CHECK(ticked.size() >= 2, context + " -> a fault instead of the too-few warning");
        if (ticked.size() == 2) {
            // Input checks come before the calculation: a fault needs both texts present.
            FUZZ_CHECK(
                !query.texts[static_cast<std::size_t>(ticked[0])].empty() &&
                    !query.texts[static_cast<std::size_t>(ticked[1])].empty(),
                context + " -> fault \"" + fault->description + "\" before the empty-box check");
        }
    } else {
        CheckResults(query, ticked, std::get<StateTexts>(*outcome), context);
    }
    if (ticked.size() > 2) {
        FUZZ_CHECK(std::holds_alternative<StatePointFault>(*outcome),
                   context + " -> three or more ticks are not a fault");
    }
    return 0;
}
