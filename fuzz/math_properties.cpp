#include "math_properties.h"

#include "natural_logarithm.h"
#include "power_of_ten.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#if defined(DBMCONV_FUZZ_WITH_MPFR)
#include <mpfr.h>
#endif

namespace dbmconv::fuzz {

namespace {

constexpr double kLowestExponent = -330.0;
constexpr double kHighestExponent = 310.0;
constexpr double kLn10 = 2.302585092994046;

bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

#if defined(DBMCONV_FUZZ_WITH_MPFR)
// MPFR with a double's exponent range and subnormals: one rounding, as IEEE does.
double reference(double x, bool power)
{
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    mpfr_t argument;
    mpfr_t result;
    mpfr_init2(argument, 53);
    mpfr_init2(result, 53);
    mpfr_set_d(argument, x, MPFR_RNDN);
    const int ternary = power ? mpfr_exp10(result, argument, MPFR_RNDN) : mpfr_log(result, argument, MPFR_RNDN);
    mpfr_subnormalize(result, ternary, MPFR_RNDN);
    const double rounded = mpfr_get_d(result, MPFR_RNDN);
    mpfr_clear(argument);
    mpfr_clear(result);
    return rounded;
}
#endif

} // namespace

std::string powerOfTenProblem(double x)
{
    if (!(x >= kLowestExponent && x <= kHighestExponent)) {
        return {};
    }
    const double power = PowerOfTen(x);
    if (PowerOfTen(std::nextafter(x, HUGE_VAL)) < power || PowerOfTen(std::nextafter(x, -HUGE_VAL)) > power) {
        return "10^x is not monotonic";
    }
#if defined(DBMCONV_FUZZ_WITH_MPFR)
    if (!sameDouble(power, reference(x, true))) {
        return "10^x differs from MPFR";
    }
#endif
    if (power >= DBL_MIN && power <= DBL_MAX) {
        // ln(10^x) / ln 10 gives x back, up to the roundings of the three steps
        const double back = NaturalLogarithm(power) / kLn10;
        if (std::fabs(back - x) > (std::fabs(x) + 1.0) * 0x1p-50) {
            return "ln(10^x) / ln 10 is not x";
        }
    }
    return {};
}

std::string logarithmProblem(double y)
{
    if (!(y > 0.0 && y <= DBL_MAX)) {
        return {};
    }
    const double logarithm = NaturalLogarithm(y);
    const double above = std::nextafter(y, HUGE_VAL);
    const double below = std::nextafter(y, 0.0);
    if ((above <= DBL_MAX && NaturalLogarithm(above) < logarithm) || (below > 0.0 && NaturalLogarithm(below) > logarithm)) {
        return "ln is not monotonic";
    }
#if defined(DBMCONV_FUZZ_WITH_MPFR)
    if (!sameDouble(logarithm, reference(y, false))) {
        return "ln differs from MPFR";
    }
#endif
    if (y >= DBL_MIN && y <= DBL_MAX / 2) {
        // 10^(ln y / ln 10) gives y back, up to the roundings of the three steps
        const double back = PowerOfTen(logarithm / kLn10);
        if (std::fabs(back - y) > y * (std::fabs(logarithm) + 1.0) * 0x1p-50) {
            return "10^(ln y / ln 10) is not y";
        }
    }
    return {};
}

} // namespace dbmconv::fuzz
