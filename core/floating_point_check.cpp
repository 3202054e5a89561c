#include "floating_point_check.h"

#include "runtime_error.h"

#include <cfenv>

#if defined(__FAST_MATH__)
#error "-ffast-math lets the compiler drop the flag tests; build without it"
#endif

#if defined(__clang__)
#pragma STDC FENV_ACCESS ON
#endif

namespace dbmconv {

FloatingPointCheck::FloatingPointCheck()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void FloatingPointCheck::check() const
{
    if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0) {
        throw RuntimeError(Fault::FloatingPoint);
    }
}

} // namespace dbmconv
