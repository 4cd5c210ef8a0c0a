#include "model/arithmetic_fault.h"

namespace hygrova {

std::string FaultDescription(FaultKind kind)
{
    switch (kind) {
        case FaultKind::Overflow:
            return "计算溢出";
        case FaultKind::DivisionByZero:
            return "除数为零";
        case FaultKind::InvalidOperation:
            return "无效的浮点运算";
        case FaultKind::InvalidArgument:
            return "无效的函数参数";
    }
    return "计算错误";
}

ArithmeticFault::ArithmeticFault(FaultKind kind)
    : std::runtime_error(FaultDescription(kind)), m_kind(kind)
{
}

}  // namespace hygrova
