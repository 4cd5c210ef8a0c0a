#include "query/pressure_rule.h"

#include "common/number_text.h"
#include "model/checked_math.h"

namespace hygrova {

PressureReading ReadPressurePa(std::string_view textPa, const PressureLimits& limits)
{
    const double typedPa = ParseLeadingNumber(textPa);
    const float pressurePa = SingleOrInfinity(typedPa);
    if (pressurePa > limits.maximumPa) {
        return {0, "大气压力过大，请重新输入！"};
    }
    if (pressurePa < limits.minimumPa) {
        return {0, "大气压力过小，请重新输入！"};
    }
    return {SingleOrInfinity(typedPa / 100.0), {}};
}

}  // namespace hygrova
