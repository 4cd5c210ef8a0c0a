#include "model/checked_math.h"

#include <cmath>

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
