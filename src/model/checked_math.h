#pragma once

// The one checked-arithmetic vocabulary of the core: the property model, the state-point
// query and the chart's geometry all compute through these steps. Each step raises an
// ArithmeticFault instead of letting an infinity or a NaN through: a result that is not
// finite is an overflow, a NaN an invalid operation, a zero divisor a division by zero
// (0/0: invalid operation) and the logarithm of a value <= 0 an invalid argument. Underflow
// is not a fault. Two families:
//  - double steps (Checked, Divide, Ln, Pow10), rounded to single precision by Single where
//    the model stores a value;
//  - single steps (Add, Sub, Mul, Div on floats), one operation in single precision. For
//    float operands these give the same float as the double step rounded by Single: the
//    double result of one operation on two floats rounds to the same float as the single
//    operation does.
// The helpers are inline: they run at every step, inside every solver iteration and for
// tens of thousands of chart points per draw.

#include "model/arithmetic_fault.h"

#include <cmath>

namespace hygrova {

// Raises the fault; kept out of line so that the checks stay small.
[[noreturn]] void RaiseFault(FaultKind kind);

// v itself; throws if v is not finite.
inline double Checked(double v)
{
    if (!std::isfinite(v)) [[unlikely]] {
        RaiseFault(std::isnan(v) ? FaultKind::InvalidOperation : FaultKind::Overflow);
    }
    return v;
}

// v rounded to single precision; throws if v, or its rounding, is not finite.
inline float Single(double v)
{
    const auto single = static_cast<float>(Checked(v));
    if (!std::isfinite(single)) [[unlikely]] {
        RaiseFault(FaultKind::Overflow);
    }
    return single;
}

// v rounded to single precision without a check: beyond the single range an infinity of the
// same sign (a typed number too large for a float is stored as infinite and then fails its
// range check).
float SingleOrInfinity(double v);

// a / b; throws on a zero divisor or a non-finite quotient.
inline double Divide(double a, double b)
{
    if (b == 0.0) [[unlikely]] {
        RaiseFault(a == 0.0 || std::isnan(a) ? FaultKind::InvalidOperation
                                             : FaultKind::DivisionByZero);
    }
    return Checked(a / b);
}

// Natural logarithm; throws for a <= 0.
inline double Ln(double a)
{
    if (!(a > 0.0)) [[unlikely]] {
        RaiseFault(FaultKind::InvalidArgument);
    }
    return Checked(std::log(a));
}

// 10 raised to e; throws when the power overflows.
inline double Pow10(double e)
{
    return Checked(std::pow(10.0, Checked(e)));
}

// v itself; throws if v is not finite.
inline float Checked(float v)
{
    if (!std::isfinite(v)) [[unlikely]] {
        RaiseFault(std::isnan(v) ? FaultKind::InvalidOperation : FaultKind::Overflow);
    }
    return v;
}

inline float Add(float a, float b)
{
    return Checked(a + b);
}
inline float Sub(float a, float b)
{
    return Checked(a - b);
}
inline float Mul(float a, float b)
{
    return Checked(a * b);
}

// a / b in single precision, with the fault kinds of Divide.
inline float Div(float a, float b)
{
    if (b == 0.0f) [[unlikely]] {
        RaiseFault(a == 0.0f || std::isnan(a) ? FaultKind::InvalidOperation
                                              : FaultKind::DivisionByZero);
    }
    return Checked(a / b);
}

}  // namespace hygrova
