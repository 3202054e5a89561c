#include "wide_fixed.h"

#include "float_bits.h"
#include "two_words.h"

#include <bit>
#include <cstddef>
#include <limits>

namespace dbmconv::detail {

namespace {

using Limbs = WideFixed::Limbs;
constexpr std::size_t kLimbCount = 5;

int compareMagnitudes(const Limbs& a, const Limbs& b)
{
    for (std::size_t i = kLimbCount; i-- > 0;) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

Limbs addMagnitudes(const Limbs& a, const Limbs& b)
{
    Limbs sum{};
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < kLimbCount; ++i) {
        const TwoWords s = plus(plus(TwoWords{0, a[i]}, b[i]), carry);
        sum[i] = s.low;
        carry = s.high;
    }
    return sum;
}

// a - b for a >= b.
Limbs subtractMagnitudes(const Limbs& a, const Limbs& b)
{
    Limbs difference{};
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < kLimbCount; ++i) {
        const std::uint64_t d = a[i] - b[i] - borrow;
        borrow = (a[i] < b[i] || (a[i] == b[i] && borrow != 0)) ? 1 : 0;
        difference[i] = d;
    }
    return difference;
}

Limbs shiftRight(const Limbs& a, int bits)
{
    Limbs out{};
    const auto limbShift = static_cast<std::size_t>(bits / 64);
    const int bitShift = bits % 64;
    for (std::size_t i = 0; i + limbShift < kLimbCount; ++i) {
        const std::uint64_t low = a[i + limbShift];
        const std::uint64_t high = i + limbShift + 1 < kLimbCount ? a[i + limbShift + 1] : 0;
        out[i] = bitShift == 0 ? low : (low >> bitShift) | (high << (64 - bitShift));
    }
    return out;
}

// The bits of a below bit `bits`.
Limbs lowBits(const Limbs& a, int bits)
{
    Limbs out{};
    for (std::size_t i = 0; i < kLimbCount; ++i) {
        const int first = static_cast<int>(i) * 64;
        if (first + 64 <= bits) {
            out[i] = a[i];
        } else if (first < bits) {
            out[i] = a[i] & ((std::uint64_t{1} << (bits - first)) - 1);
        }
    }
    return out;
}

Limbs limbsOfPowerOfTwo(int bit)
{
    Limbs out{};
    out[static_cast<std::size_t>(bit / 64)] = std::uint64_t{1} << (bit % 64);
    return out;
}

int highestBit(const Limbs& a)
{
    for (std::size_t i = kLimbCount; i-- > 0;) {
        if (a[i] != 0) {
            return static_cast<int>(i) * 64 + 63 - std::countl_zero(a[i]);
        }
    }
    return -1;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

} // namespace

WideFixed WideFixed::fromDouble(double x)
{
    const auto bits = bitsOf(x);
    const bool negative = (bits >> 63) != 0;
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = biased - 1075; // x = mantissa x 2^exponent
    if (biased == 0) {
        exponent = -1074;
    } else {
        mantissa |= std::uint64_t{1} << 52;
    }
    // position of the mantissa's lowest bit within the 320-bit number
    const int position = exponent + kFractionBits;
    Limbs limbs{};
    if (position >= 0) {
        const auto limb = static_cast<std::size_t>(position / 64);
        const int shift = position % 64;
        limbs[limb] = mantissa << shift;
        if (shift != 0 && limb + 1 < kLimbCount) {
            limbs[limb + 1] = mantissa >> (64 - shift);
        }
    } else if (position > -53) {
        limbs[0] = mantissa >> -position;
    }
    return WideFixed(negative, limbs);
}

bool WideFixed::isZero() const
{
    return magnitude_ == Limbs{};
}

bool WideFixed::isBelowPowerOfTwo(int negativeExponent) const
{
    return highestBit(magnitude_) < kFractionBits - negativeExponent;
}

WideFixed WideFixed::operator-() const
{
    return WideFixed(!negative_, magnitude_);
}

WideFixed operator+(const WideFixed& a, const WideFixed& b)
{
    if (a.negative_ == b.negative_) {
        return WideFixed(a.negative_, addMagnitudes(a.magnitude_, b.magnitude_));
    }
    if (compareMagnitudes(a.magnitude_, b.magnitude_) >= 0) {
        return WideFixed(a.negative_, subtractMagnitudes(a.magnitude_, b.magnitude_));
    }
    return WideFixed(b.negative_, subtractMagnitudes(b.magnitude_, a.magnitude_));
}

WideFixed operator*(const WideFixed& a, const WideFixed& b)
{
    std::array<std::uint64_t, 2 * kLimbCount> product{};
    for (std::size_t i = 0; i < kLimbCount; ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < kLimbCount; ++j) {
            // at most (2^64 - 1)^2 + 2 (2^64 - 1) = 2^128 - 1: no overflow
            const TwoWords t = plus(plus(multiplyFull(a.magnitude_[i], b.magnitude_[j]), product[i + j]), carry);
            product[i + j] = t.low;
            carry = t.high;
        }
        product[i + kLimbCount] = carry;
    }
    // the product has 512 fraction bits; keep the upper 256 of them
    Limbs limbs{};
    for (std::size_t i = 0; i < kLimbCount; ++i) {
        limbs[i] = product[i + 4];
    }
    return WideFixed(a.negative_ != b.negative_, limbs);
}

WideFixed WideFixed::times(std::int64_t factor) const
{
    const std::uint64_t magnitude =
        factor < 0 ? 0 - static_cast<std::uint64_t>(factor) : static_cast<std::uint64_t>(factor);
    Limbs limbs{};
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < kLimbCount; ++i) {
        const TwoWords t = plus(multiplyFull(magnitude_[i], magnitude), carry);
        limbs[i] = t.low;
        carry = t.high;
    }
    return WideFixed(negative_ != (factor < 0), limbs);
}

WideFixed WideFixed::dividedBy(std::uint32_t divisor) const
{
    // Long division by 32-bit digits: a remainder below the divisor and the next
    // digit make at most 64 bits.
    Limbs limbs{};
    std::uint64_t remainder = 0;
    for (std::size_t i = kLimbCount; i-- > 0;) {
        const std::uint64_t high = (remainder << 32) | (magnitude_[i] >> 32);
        remainder = high % divisor;
        const std::uint64_t low = (remainder << 32) | (magnitude_[i] & 0xFFFFFFFFU);
        remainder = low % divisor;
        limbs[i] = ((high / divisor) << 32) | (low / divisor);
    }
    return WideFixed(negative_, limbs);
}

WideFixed WideFixed::shiftedRight(int bits) const
{
    return WideFixed(negative_, shiftRight(magnitude_, bits));
}

WideFixed wideLn2()
{
    return WideFixed(false, {0x8a0d175b8baafa2b, 0x40f343267298b62d, 0xc9e3b39803f2f6af,
                             0xb17217f7d1cf79ab, 0x0});
}

WideFixed wideLn10()
{
    return WideFixed(false, {0x0f187a0807c0b5ca, 0x8a3fb3e76977e43a, 0xa95b58ae0b4c28a3,
                             0x4d763776aaa2b05b, 0x2});
}

WideFixed wideExp(const WideFixed& f)
{
    // e^f = (e^(f/256))^256: the series converges in about 20 terms for |f/256| < 2^-8,
    // and eight squarings cost the result no more than eight bits of its 256.
    constexpr int kHalvings = 8;
    const WideFixed g = f.shiftedRight(kHalvings);
    WideFixed sum = WideFixed::one();
    WideFixed term = WideFixed::one();
    for (std::uint32_t n = 1; !term.isZero(); ++n) {
        term = (term * g).dividedBy(n);
        sum = sum + term;
    }
    for (int i = 0; i < kHalvings; ++i) {
        sum = sum * sum;
    }
    return sum;
}

WideFixed wideLn(const WideFixed& m, const WideFixed& estimate)
{
    // z <- z + m e^-z - 1 squares the error of z at each step.
    constexpr int kConverged = 118;
    constexpr int kMostSteps = 12;
    WideFixed z = estimate;
    for (int step = 0; step < kMostSteps; ++step) {
        const WideFixed correction = m * wideExp(-z) - WideFixed::one();
        z = z + correction;
        if (correction.isBelowPowerOfTwo(kConverged)) {
            break;
        }
    }
    return z;
}

std::optional<double> roundToDouble(const WideFixed& value, int binaryExponent,
                                    std::uint64_t errorUnits)
{
    const double zero = value.isNegative() ? -0.0 : 0.0;
    const Limbs& magnitude = value.magnitude();
    const int top = highestBit(magnitude);
    if (top < 0) {
        return zero;
    }
    int exponent = top - WideFixed::kFractionBits + binaryExponent; // value in [2^exponent, 2^(exponent+1))
    if (exponent > 1023) {
        return value.isNegative() ? -kInfinity : kInfinity;
    }
    const int precision = exponent >= -1022 ? 53 : exponent + 1075;
    if (precision < 0) {
        return zero;
    }
    const int cut = top + 1 - precision; // bits below the last one kept
    std::uint64_t kept = 0;
    if (cut < 1) {
        // no more bits than a double holds: the value is one as it stands
        if (errorUnits > 0) {
            return std::nullopt; // too few bits to know anything about the rounding
        }
        kept = magnitude[0] << -cut;
    } else {
        const Limbs remainder = lowBits(magnitude, cut);
        const Limbs half = limbsOfPowerOfTwo(cut - 1);
        const int order = compareMagnitudes(remainder, half);
        const Limbs distance =
            order >= 0 ? subtractMagnitudes(remainder, half) : subtractMagnitudes(half, remainder);
        const bool distanceFitsOneLimb = distance[1] == 0 && distance[2] == 0 && distance[3] == 0 && distance[4] == 0;
        if (errorUnits > 0 && distanceFitsOneLimb && distance[0] <= errorUnits) {
            return std::nullopt;
        }
        kept = shiftRight(magnitude, cut)[0];
        if (order > 0 || (order == 0 && (kept & 1U) != 0)) {
            ++kept; // up, or to even from an exact half
        }
    }
    std::uint64_t bits = 0;
    if (precision == 53) {
        if (kept == std::uint64_t{1} << 53) {
            kept >>= 1;
            ++exponent;
        }
        if (exponent > 1023) {
            return value.isNegative() ? -kInfinity : kInfinity;
        }
        bits = (static_cast<std::uint64_t>(exponent + 1023) << 52) | (kept & ((std::uint64_t{1} << 52) - 1));
    } else {
        bits = kept; // a count of 2^-1074; 2^52 of them is the smallest normal double
    }
    const double magnitudeAsDouble = fromBits(bits);
    return value.isNegative() ? -magnitudeAsDouble : magnitudeAsDouble;
}

DoubleDouble toDoubleDouble(const WideFixed& value)
{
    const double hi = *roundToDouble(value, 0, 0);
    const double lo = *roundToDouble(value - WideFixed::fromDouble(hi), 0, 0);
    return {hi, lo};
}

} // namespace dbmconv::detail
