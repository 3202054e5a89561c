#pragma once

#include "double_double.h"

#include <cstdint>
#include <cstring>

// Exact manipulations of doubles through their bits, shared by the power and
// the logarithm: no rounding, no library call, no floating-point flag.
namespace dbmconv::detail {

inline constexpr std::uint64_t kMantissaMask = (std::uint64_t{1} << 52) - 1;

// A double's bits and back, as std::bit_cast does; not every standard library
// that builds the core has it (Emscripten's of Debian 12 has not).
inline std::uint64_t bitsOf(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

inline double fromBits(std::uint64_t bits)
{
    double x = 0.0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// 2^k for -1022 <= k <= 1023.
inline double powerOfTwo(int k)
{
    return fromBits(static_cast<std::uint64_t>(k + 1023) << 52);
}

// The binary exponent of a normal double: 2^e <= |x| < 2^(e+1).
inline int binaryExponent(double x)
{
    return static_cast<int>((bitsOf(x) >> 52) & 0x7FF) - 1023;
}

// x x 2^k, exact when the result is a normal double.
inline double scaleByPowerOfTwo(double x, int k)
{
    const int first = k / 2;
    return x * powerOfTwo(first) * powerOfTwo(k - first);
}

// The nearest integer to |x| < 2^51, ties to even, in the default rounding mode.
inline double nearestInteger(double x)
{
    constexpr double kShifter = 0x1.8p52;
    volatile const double shifted = x + kShifter;
    return shifted - kShifter;
}

// True when every number within `relativeError` x |y.hi| of y.hi + y.lo rounds
// to y.hi, y being normalised (|y.lo| at most half a unit in the last place of
// y.hi) and y.hi normal and not zero.
inline bool roundsToHigherPart(DoubleDouble y, double relativeError)
{
    const auto bits = bitsOf(y.hi) & ~(std::uint64_t{1} << 63);
    const double magnitude = fromBits(bits);
    const double error = relativeError * magnitude;
    const double spacingAbove = fromBits(bits + 1) - magnitude;
    const double spacingBelow = magnitude - fromBits(bits - 1);
    const double lo = y.hi < 0.0 ? -y.lo : y.lo;
    return lo + error < 0.5 * spacingAbove && lo - error > -0.5 * spacingBelow;
}

} // namespace dbmconv::detail
