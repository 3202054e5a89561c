#pragma once

#include <string>

namespace dbmconv::fuzz {

// Properties of the power of ten at x and of the natural logarithm at y > 0,
// for any finite x and y the fuzzer reaches: each function is monotonic, each is
// the inverse of the other within rounding, and, where the fuzzing build has
// MPFR, each equals MPFR's correctly rounded result. Returns what is violated,
// or an empty text.
[[nodiscard]] std::string powerOfTenProblem(double x);
[[nodiscard]] std::string logarithmProblem(double y);

} // namespace dbmconv::fuzz
