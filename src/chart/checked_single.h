#pragma once

#include "model/arithmetic_fault.h"

#include <cmath>

// Single-precision arithmetic with the property model's fault checks, for the chart's
// geometry. Each helper performs its one operation in single precision and throws
// ArithmeticFault instead of returning an infinity or a NaN, with the kinds the model uses:
// a result beyond single precision is an overflow, a NaN an invalid operation, a zero
// divisor a division by zero (0 / 0: invalid operation). Kept inline: the chart runs tens
// of thousands of them per draw.

namespace hygrova::checked {

inline float Finite(float result)
{
    if (!std::isfinite(result)) [[unlikely]] {
        throw ArithmeticFault(std::isnan(result) ? FaultKind::InvalidOperation
                                                 : FaultKind::Overflow);
    }
    return result;
}

inline float Add(float a, float b)
{
    return Finite(a + b);
}
inline float Sub(float a, float b)
{
    return Finite(a - b);
}
inline float Mul(float a, float b)
{
    return Finite(a * b);
}

inline float Div(float a, float b)
{
    if (b == 0.0f) [[unlikely]] {
        throw ArithmeticFault(a == 0.0f || std::isnan(a) ? FaultKind::InvalidOperation
                                                         : FaultKind::DivisionByZero);
    }
    return Finite(a / b);
}

}  // namespace hygrova::checked
