#include "project/typed_amounts.h"

#include "common/number_text.h"
#include "query/state_point.h"

#include <cmath>

namespace hygrova {
namespace {

// An amount's range (both ends included unless excluded) and its messages.
struct AmountRule {
    double low;
    double high;
    bool lowExcluded;
    std::string_view emptyMessage;
    std::string_view rangeMessage;
};

constexpr AmountRule kFlowRule = {0, 1e9, true, "请输入风量！", "风量应大于0且不超过1e9，请重新输入！"};
constexpr AmountRule kRatioRule = {0, 1e9, false, "请输入混合比！",
                                   "混合比在0~1e9之间，请重新输入！"};
constexpr AmountRule kMixFlowRule = {0, 1e9, false, "请输入风量！",
                                     "风量在0~1e9 m3/h之间，请重新输入！"};
constexpr AmountRule kEpsilonRule = {-1e6, 1e6, false, "请输入热湿比！",
                                     "热湿比在-1000000~1000000 kJ/kg之间（或∞），请重新输入！"};
constexpr AmountRule kTemperatureChangeRule = {-100, 100, false, "请输入温差！",
                                               "温差在-100~100 ℃之间且不为0，请重新输入！"};
constexpr std::string_view kNoMixMessage = "两股空气的混合比不能都为0，请重新输入！";

AmountReading ReadWithRule(const std::string& text, const AmountRule& rule)
{
    if (text.empty()) {
        return {0, rule.emptyMessage};
    }
    const double value = ParseLeadingNumber(text);
    const bool aboveLow = rule.lowExcluded ? value > rule.low : value >= rule.low;
    if (!aboveLow || !(value <= rule.high)) {
        return {0, rule.rangeMessage};
    }
    return {value, {}};
}

bool IsInfinitySign(std::string_view text)
{
    constexpr std::string_view kInfinity = "∞";
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    return first != std::string_view::npos && text.substr(first, last - first + 1) == kInfinity;
}

}  // namespace

AmountReading ReadAirFlow(const std::string& text)
{
    return ReadWithRule(text, kFlowRule);
}

AmountReading ReadMixShare(MixBasis basis, const std::string& text)
{
    return ReadWithRule(text, basis == MixBasis::MassRatio ? kRatioRule : kMixFlowRule);
}

std::string_view MixSharesProblem(const MixAmounts& amounts)
{
    const AmountReading first = ReadMixShare(amounts.basis, amounts.firstText);
    if (!first.problem.empty()) {
        return first.problem;
    }
    const AmountReading second = ReadMixShare(amounts.basis, amounts.secondText);
    if (!second.problem.empty()) {
        return second.problem;
    }
    return first.value + second.value > 0 ? std::string_view{} : kNoMixMessage;
}

AmountReading ReadEpsilon(const std::string& text)
{
    if (IsInfinitySign(text)) {
        return {INFINITY, {}};
    }
    return ReadWithRule(text, kEpsilonRule);
}

AmountReading ReadLineEnd(LineEnd end, const std::string& text)
{
    if (end == LineEnd::TemperatureChange) {
        AmountReading reading = ReadWithRule(text, kTemperatureChangeRule);
        if (reading.problem.empty() && reading.value == 0) {
            return {0, kTemperatureChangeRule.rangeMessage};
        }
        return reading;
    }
    const int slot = end == LineEnd::RelHumidity ? kRelHumiditySlot : kDryBulbSlot;
    const EntryReading entry = ReadEntry(slot, text);
    return {entry.value, entry.problem};
}

}  // namespace hygrova
