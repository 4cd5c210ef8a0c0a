#include "query/pressure_text.h"

#include "common/number_text.h"
#include "model/checked_math.h"

namespace hygrova {
namespace {

// The limits of the settings dialog's "应用", Pa.
constexpr float kMinimumPa = 50000;
constexpr float kMaximumPa = 200000;

}  // namespace

PressureReading ReadPressurePa(std::string_view textPa)
{
    const double typedPa = ParseLeadingNumber(textPa);
    const float pressurePa = SingleOrInfinity(typedPa);
    if (pressurePa > kMaximumPa) {
        return {0, "大气压力过大，请重新输入！"};
    }
    if (pressurePa < kMinimumPa) {
        return {0, "大气压力过小，请重新输入！"};
    }
    return {SingleOrInfinity(typedPa / 100.0), {}};
}

}  // namespace hygrova
