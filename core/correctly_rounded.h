#pragma once

#include "double_double.h"

// The power of ten and the natural logarithm, each correctly rounded to the
// nearest double (ties to even) by the project's own code, so that the same
// argument gives the same bits on every platform whatever its C runtime.
//
// Method: a double-double estimate from a 256-entry table and a short
// polynomial, with a proven error below 2^-90 that is taken as 2^-78; when the
// estimate lies too near the middle between two doubles to decide, the value is
// computed again with 256-bit fixed-point arithmetic (error below 2^-232).
namespace dbmconv {

// 10^x. Overflows like any IEEE operation: +infinity with the overflow flag
// raised. Results below the smallest subnormal are +0.
[[nodiscard]] double PowerOfTen(double x);

// ln x for x > 0; +infinity for +infinity. Zero, negatives and NaN are the
// caller's to refuse.
[[nodiscard]] double NaturalLogarithm(double x);

namespace detail {

// The bound taken for the relative error of the double-double estimates.
inline constexpr double kEstimateRelativeError = 0x1p-78;

// The fast estimates on their own, for testing their error: 10^x is
// value x 2^binaryExponent, for -330 <= x <= 310.
struct ScaledEstimate {
    DoubleDouble value;
    int binaryExponent;
};
[[nodiscard]] ScaledEstimate PowerOfTenEstimate(double x);
[[nodiscard]] DoubleDouble NaturalLogarithmEstimate(double x);

// The slow paths on their own, for testing them where the fast path decides.
[[nodiscard]] double PowerOfTenAccurate(double x);
[[nodiscard]] double NaturalLogarithmAccurate(double x);

} // namespace detail

} // namespace dbmconv
