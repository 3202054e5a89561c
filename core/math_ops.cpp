#include "math_ops.h"

#include "runtime_error.h"

#include <cmath>

namespace dbmconv {

double NaturalLog(double x)
{
    if (!(x > 0.0)) {
        throw RuntimeError(Fault::LogarithmOfNonPositive);
    }
    return std::log(x);
}

double Power(double base, double exponent)
{
    return std::pow(base, exponent);
}

} // namespace dbmconv
