#pragma once

#include <string>

// Exact conversions between doubles and decimal digits, ties to even, in
// standard C++ without <charconv>'s floating-point functions: the core's
// reading and writing of numbers where the standard library lacks those
// (WebAssembly). Elsewhere the standard library's are used, being faster; the
// core's tests prove the two give the same digits and the same doubles.
namespace dbmconv::detail {

// 0.d1d2d3... x 10^exponent; no leading zeros; no digits at all is zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// Every digit of a finite double's magnitude (at most 767 of them).
[[nodiscard]] Decimal exactDecimal(double magnitude);

// `number` rounded, ties to even, to `count` significant digits.
[[nodiscard]] Decimal roundedToSignificant(Decimal number, int count);

// `number` rounded, ties to even, to `places` digits after the decimal point.
[[nodiscard]] Decimal roundedToPlaces(Decimal number, int places);

// The double nearest to `number`, ties to even: +infinity above the largest
// double, and a subnormal or zero below the smallest normal one.
[[nodiscard]] double nearestDouble(const Decimal& number);

} // namespace dbmconv::detail
