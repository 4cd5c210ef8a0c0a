#pragma once

#include <stdexcept>
#include <string>

namespace hygrova {

// The kinds of floating-point fault the property model detects.
enum class FaultKind {
    Overflow,          // a result too large for its type (single precision included)
    DivisionByZero,    // a non-zero value divided by zero
    InvalidOperation,  // 0/0, inf - inf and other results that are not a number
    InvalidArgument,   // the logarithm of zero or of a negative value
};

// Raised by every checked arithmetic step of the property model and its solvers. The
// description is the short Chinese text the state-point query shows in its warning box.
class ArithmeticFault : public std::runtime_error {
public:
    explicit ArithmeticFault(FaultKind kind);

    FaultKind kind() const { return m_kind; }

private:
    FaultKind m_kind;
};

// Short Chinese description of a fault kind, e.g. "除数为零" for a division by zero.
std::string FaultDescription(FaultKind kind);

}  // namespace hygrova
