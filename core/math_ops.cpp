#include "math_ops.h"

#include "correctly_rounded.h"
#include "runtime_error.h"

namespace dbmconv {

double NaturalLog(double x)
{
    if (!(x > 0.0)) {
        throw RuntimeError(Fault::LogarithmOfNonPositive);
    }
    return NaturalLogarithm(x);
}

} // namespace dbmconv
