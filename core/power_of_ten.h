#pragma once

#include "double_double.h"

// The power of ten, correctly rounded to the nearest double (ties to even) by
// the project's own code, so that the same argument gives the same bits on
// every platform whatever its C runtime.
//
// Method: a double-double estimate from a 256-entry table and a short
// polynomial, with a proven error below 2^-90 that is taken as 2^-78; when the
// estimate lies too near the middle between two doubles to decide, the value is
// computed again with 256-bit fixed-point arithmetic (error below 2^-232).
namespace dbmconv {

// 10^x. Overflows like any IEEE operation: +infinity with the overflow flag
// raised. Results below the smallest subnormal are +0.
[[nodiscard]] double PowerOfTen(double x);

namespace detail {

// The fast estimate on its own, for testing its error: 10^x is
// value x 2^binaryExponent, for -330 <= x <= 310.
struct ScaledEstimate {
    DoubleDouble value;
    int binaryExponent;
};
[[nodiscard]] ScaledEstimate PowerOfTenEstimate(double x);

// The slow path on its own, for testing it where the fast path decides.
[[nodiscard]] double PowerOfTenAccurate(double x);

} // namespace detail

} // namespace dbmconv
