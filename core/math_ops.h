#pragma once

namespace dbmconv {

// The natural logarithm, correctly rounded. Throws
// RuntimeError(Fault::LogarithmOfNonPositive) for zero, a negative argument or
// NaN instead of returning -inf or NaN.
[[nodiscard]] double NaturalLog(double x);

} // namespace dbmconv
