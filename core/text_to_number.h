#pragma once

#include <string_view>

// Text to number independent of the C and C++ locales: the decimal point is
// always ".", whatever the user's regional settings say.
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

} // namespace dbmconv
