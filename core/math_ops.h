#pragma once

namespace dbmconv {

// The natural logarithm. Throws RuntimeError(Fault::LogarithmOfNonPositive) for
// zero, a negative argument or NaN instead of returning -inf or NaN.
[[nodiscard]] double NaturalLog(double x);

// base raised to exponent. An overflow is not reported here: it stays in the
// floating-point flags for the caller's check to find.
[[nodiscard]] double Power(double base, double exponent);

} // namespace dbmconv
