#pragma once

#include "double_double.h"

// The natural logarithm, correctly rounded to the nearest double (ties to
// even) by the project's own code, so that the same argument gives the same
// bits on every platform whatever its C runtime.
//
// Method: a double-double estimate from a 256-entry table and a short
// polynomial, with a proven error below 2^-90 that is taken as 2^-78; when the
// estimate lies too near the middle between two doubles to decide, the value is
// computed again with 256-bit fixed-point arithmetic (error below 2^-232).
namespace dbmconv {

// ln x for x > 0; +infinity for +infinity. Zero, negatives and NaN are the
// caller's to refuse.
[[nodiscard]] double NaturalLogarithm(double x);

// The same, refusing what has no logarithm: throws
// RuntimeError(Fault::LogarithmOfNonPositive) for zero, a negative argument or
// NaN instead of returning -inf or NaN.
[[nodiscard]] double NaturalLog(double x);

namespace detail {

// The fast estimate on its own, for testing its error.
[[nodiscard]] DoubleDouble NaturalLogarithmEstimate(double x);

// The slow path on its own, for testing it where the fast path decides.
[[nodiscard]] double NaturalLogarithmAccurate(double x);

} // namespace detail

} // namespace dbmconv
