#pragma once

#include <string>

// Number to text independent of the C and C++ locales: the decimal point is
// always ".", whatever the user's regional settings say.
namespace dbmconv {

// The decimal text of a finite value: a leading space for zero and above
// (negative zero included), "-" below zero, no "0" before the point when the
// magnitude is below 1, no trailing zeros, at most 15 significant digits.
// Magnitudes that reach 10^15 after rounding to 15 digits are written with an
// exponent: "1E+15", "-5.01187233627273E+17". Smaller ones never are.
//
// Throws RuntimeError(Fault::FloatingPoint) for an infinity or NaN.
[[nodiscard]] std::u16string NumberToText(double value);

} // namespace dbmconv
