#pragma once

// Checked arithmetic for the property model. Each helper performs one step in double
// precision (or rounds a double to single precision) and raises an ArithmeticFault instead
// of letting an infinity or a NaN through: a result that is not finite is an overflow, a
// NaN an invalid operation, a zero divisor a division by zero (0/0: invalid operation) and
// the logarithm of a value <= 0 an invalid argument. Underflow is not a fault.

namespace hygrova {

// v itself; throws if v is not finite.
double Checked(double v);

// v rounded to single precision; throws if v, or its rounding, is not finite.
float Single(double v);

// v rounded to single precision without a check: beyond the single range an infinity of the
// same sign (a typed number too large for a float is stored as infinite and then fails its
// range check).
float SingleOrInfinity(double v);

// a / b; throws on a zero divisor or a non-finite quotient.
double Divide(double a, double b);

// Natural logarithm; throws for a <= 0.
double Ln(double a);

// 10 raised to e; throws when the power overflows.
double Pow10(double e);

}  // namespace hygrova
