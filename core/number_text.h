#pragma once

#include <string>
#include <string_view>

// Numbers to and from text, independent of the C and C++ locales: the decimal
// point is always ".", whatever the user's regional settings say.
namespace dbmconv {

// The value of the number at the start of `text`.
//
// Spaces, tabs and line feeds are ignored wherever they stand ("1 2" is 12).
// The number is an optional "-" or "+", digits with at most one ".", and an
// optional exponent ("e" or "E", an optional sign, digits). Reading stops at the
// first character that cannot continue the number; an exponent without digits
// ends the number before its "e". A text with no number at its start gives 0.
// Runs in time linear in the length of the text.
//
// Throws RuntimeError(Fault::NumberOutOfRange) when the magnitude exceeds the
// largest double; a magnitude below the smallest one reads as zero.
[[nodiscard]] double TextToNumber(std::u16string_view text);

// The decimal text of a finite value: a leading space for zero and above
// (negative zero included), "-" below zero, no "0" before the point when the
// magnitude is below 1, no trailing zeros, at most 15 significant digits.
// Magnitudes that reach 10^15 after rounding to 15 digits are written with an
// exponent: "1E+15", "-5.01187233627273E+17". Smaller ones never are.
//
// Throws RuntimeError(Fault::FloatingPoint) for an infinity or NaN.
[[nodiscard]] std::u16string NumberToText(double value);

// The multiple of 10^-places nearest to the exact binary value of `value`, as the
// nearest double; an exact half goes to the even multiple. `places` is 0 to 15.
// Infinities and NaN come back unchanged.
[[nodiscard]] double RoundToPlaces(double value, int places);

} // namespace dbmconv
