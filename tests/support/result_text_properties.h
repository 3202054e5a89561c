#pragma once

#include <string>
#include <string_view>

// Properties every shown result must have, checked by the fuzzers, the monkey
// test and the unit tests alike.
namespace dbmconv::test {

// Empty when `text` is a well-formed result text for `value`; else what is wrong.
//
// Well-formed: an optional "-", then either digits with at most one "." and at
// most 4 digits after it, no trailing zeros, a "0" before a positive fraction and
// none before a negative one; or, for magnitudes of 10^15 and more, the exponent
// form d[.ddd]E+dd with at most 15 significant digits. It must read back to the
// value rounded to 4 places (exactly while the 15 digits hold all 4 decimals,
// else to 15 significant digits).
[[nodiscard]] std::string resultTextProblem(std::u16string_view text, double value);

// The same for a text alone, without the value it was made from.
[[nodiscard]] std::string resultTextShapeProblem(std::u16string_view text);

} // namespace dbmconv::test
