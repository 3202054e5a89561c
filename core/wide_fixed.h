#pragma once

#include "double_double.h"

#include <array>
#include <cstdint>
#include <optional>

// A signed fixed-point number with 64 integer bits and 256 fraction bits: the
// slow, sure arithmetic behind the correctly rounded power and logarithm, used
// where double-double arithmetic cannot decide the rounding (and to build the
// tables of the fast path). Every operation truncates toward zero, so each
// leaves an error below one unit of 2^-256.
namespace dbmconv::detail {

class WideFixed {
public:
    static constexpr int kFractionBits = 256;
    // Least significant limb first; limb 4 is the integer part.
    using Limbs = std::array<std::uint64_t, 5>;

    constexpr WideFixed() = default;
    constexpr WideFixed(bool negative, Limbs magnitude)
        : magnitude_(magnitude)
        , negative_(negative)
    {
    }

    // Exact for |x| < 2^64 that are multiples of 2^-256; smaller bits are cut off.
    [[nodiscard]] static WideFixed fromDouble(double x);
    [[nodiscard]] static WideFixed one() { return WideFixed(false, {0, 0, 0, 0, 1}); }

    [[nodiscard]] bool isNegative() const { return negative_; }
    [[nodiscard]] bool isZero() const;
    [[nodiscard]] const Limbs& magnitude() const { return magnitude_; }
    // True when the magnitude is below 2^-bits (bits a multiple of 64 or not).
    [[nodiscard]] bool isBelowPowerOfTwo(int negativeExponent) const;

    [[nodiscard]] WideFixed operator-() const;
    friend WideFixed operator+(const WideFixed& a, const WideFixed& b);
    friend WideFixed operator-(const WideFixed& a, const WideFixed& b) { return a + -b; }
    friend WideFixed operator*(const WideFixed& a, const WideFixed& b);

    [[nodiscard]] WideFixed times(std::int64_t factor) const;
    [[nodiscard]] WideFixed dividedBy(std::uint32_t divisor) const;
    [[nodiscard]] WideFixed shiftedRight(int bits) const;

private:
    Limbs magnitude_{};
    bool negative_ = false;
};

// ln 2 and ln 10, each within 2^-256.
[[nodiscard]] WideFixed wideLn2();
[[nodiscard]] WideFixed wideLn10();

// e^f for |f| <= 1, with a relative error below 2^-238.
[[nodiscard]] WideFixed wideExp(const WideFixed& f);

// ln m for 0.5 <= m <= 2, by Newton's iteration on wideExp from `estimate`
// (any value within 0.5 of the result), with an error below 2^-236.
[[nodiscard]] WideFixed wideLn(const WideFixed& m, const WideFixed& estimate);

// The double nearest to value x 2^binaryExponent, when every number within
// `errorUnits` units of 2^-256 of value rounds to that same double; nothing when
// that is not certain. With errorUnits 0 the value is taken as exact and always
// rounded, an exact half to even. Beyond the largest double it is an infinity,
// below the smallest subnormal zero, both with the value's sign.
[[nodiscard]] std::optional<double> roundToDouble(const WideFixed& value, int binaryExponent,
                                                  std::uint64_t errorUnits);

// The nearest double-double: the nearest double, and the nearest to what remains.
[[nodiscard]] DoubleDouble toDoubleDouble(const WideFixed& value);

} // namespace dbmconv::detail
