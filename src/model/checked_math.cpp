#include "model/checked_math.h"

#include "model/arithmetic_fault.h"

#include <cmath>
#include <limits>

namespace hygrova {

void RaiseFault(FaultKind kind)
{
    throw ArithmeticFault(kind);
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

}  // namespace hygrova
