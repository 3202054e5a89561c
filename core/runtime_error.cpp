#include "runtime_error.h"

namespace dbmconv {

namespace {

const char* describe(Fault fault)
{
    switch (fault) {
    case Fault::NumberOutOfRange:
        return "number out of the range of a double";
    case Fault::LogarithmOfNonPositive:
        return "logarithm of zero or a negative number";
    case Fault::FloatingPoint:
        return "floating-point exception raised";
    }
    return "run-time error";
}

} // namespace

RuntimeError::RuntimeError(Fault fault)
    : std::runtime_error(describe(fault))
    , fault_(fault)
{
}

} // namespace dbmconv
