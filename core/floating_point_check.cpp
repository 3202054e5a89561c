#include "floating_point_check.h"

#include "runtime_error.h"

#include <cfenv>
#include <cmath>

#if defined(__FAST_MATH__)
#error "-ffast-math lets the compiler drop the flag tests; build without it"
#endif

// DBMCONV_DERIVED_FLOATING_POINT_CONDITIONS asks for the derived conditions
// where there are flags, so that the suites can prove the two agree.
#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW) \
    && !defined(DBMCONV_DERIVED_FLOATING_POINT_CONDITIONS)
#define DBMCONV_FLOATING_POINT_FLAGS 1
#if defined(__clang__)
#pragma STDC FENV_ACCESS ON
#endif
#endif

namespace dbmconv {

FloatingPointCheck::FloatingPointCheck()
{
#if defined(DBMCONV_FLOATING_POINT_FLAGS)
    std::feclearexcept(FE_ALL_EXCEPT);
#endif
}

void FloatingPointCheck::check([[maybe_unused]] double result) const
{
#if defined(DBMCONV_FLOATING_POINT_FLAGS)
    const bool raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0;
#else
    const bool raised = !std::isfinite(result);
#endif
    if (raised) {
        throw RuntimeError(Fault::FloatingPoint);
    }
}

} // namespace dbmconv
