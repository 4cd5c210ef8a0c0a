#include "model/checked_math.h"

#include <cmath>
#include <limits>

#include "model/arithmetic_fault.h"

namespace hygrova {

double Checked(double v)
{
    if (std::isnan(v)) {
        throw ArithmeticFault(FaultKind::InvalidOperation);
    }
    if (std::isinf(v)) {
        throw ArithmeticFault(FaultKind::Overflow);
    }
    return v;
}

float Single(double v)
{
    const auto single = static_cast<float>(Checked(v));
    if (std::isinf(single)) {
        throw ArithmeticFault(FaultKind::Overflow);
    }
    return single;
}

float SingleOrInfinity(double v)
{
    // Rounding to nearest: from halfway past the largest float on, the result is infinite.
    constexpr double kLargest = std::numeric_limits<float>::max();
    constexpr double kHalfwayPastLargest = 0x1.ffffffp127;
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (std::fabs(v) >= kHalfwayPastLargest) {
        return std::signbit(v) ? -kInfinity : kInfinity;
    }
    if (std::fabs(v) > kLargest) {
        return static_cast<float>(std::signbit(v) ? -kLargest : kLargest);
    }
    return static_cast<float>(v);
}

double Divide(double a, double b)
{
    if (b == 0.0) {
        throw ArithmeticFault(a == 0.0 || std::isnan(a) ? FaultKind::InvalidOperation
                                                        : FaultKind::DivisionByZero);
    }
    return Checked(a / b);
}

double Ln(double a)
{
    if (!(a > 0.0)) {
        throw ArithmeticFault(FaultKind::InvalidArgument);
    }
    return Checked(std::log(a));
}

double Pow10(double e)
{
    return Checked(std::pow(10.0, Checked(e)));
}

}  // namespace hygrova
