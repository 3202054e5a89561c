#pragma once

#include <compare>
#include <cstdint>

// Unsigned integers of two 64-bit words, for the core's exact steps, in plain
// C++: 32-bit compilers have no 128-bit integer type, and one path for every
// platform is the path that every platform's tests check.
namespace dbmconv::detail {

struct TwoWords {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    // 2^bit, for bit from 0 to 127.
    static constexpr TwoWords powerOfTwo(int bit)
    {
        return bit < 64 ? TwoWords{0, std::uint64_t{1} << bit} : TwoWords{std::uint64_t{1} << (bit - 64), 0};
    }

    friend constexpr auto operator<=>(const TwoWords&, const TwoWords&) = default;
};

// a x b, exactly: four products of 32-bit halves.
constexpr TwoWords multiplyFull(std::uint64_t a, std::uint64_t b)
{
    constexpr std::uint64_t kHalf = 0xFFFFFFFFU;
    const std::uint64_t aLow = a & kHalf;
    const std::uint64_t aHigh = a >> 32;
    const std::uint64_t bLow = b & kHalf;
    const std::uint64_t bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t highHigh = aHigh * bHigh;
    // the middle column, with the carry out of the low one; cannot overflow
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & kHalf) + (highLow & kHalf);
    return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32), (middle << 32) | (lowLow & kHalf)};
}

// a + b; the caller knows that the sum fits in two words.
constexpr TwoWords plus(TwoWords a, std::uint64_t b)
{
    const std::uint64_t low = a.low + b;
    return {a.high + (low < b ? 1U : 0U), low};
}

// a / 2^bits, for bits from 0 to 127.
constexpr TwoWords shiftedRight(TwoWords a, int bits)
{
    if (bits == 0) {
        return a;
    }
    if (bits < 64) {
        return {a.high >> bits, (a.low >> bits) | (a.high << (64 - bits))};
    }
    return {0, a.high >> (bits - 64)};
}

// The bits of a below bit `bits`, for bits from 0 to 128.
constexpr TwoWords lowBits(TwoWords a, int bits)
{
    if (bits >= 128) {
        return a;
    }
    if (bits >= 64) {
        return {bits == 64 ? 0 : a.high & ((std::uint64_t{1} << (bits - 64)) - 1), a.low};
    }
    return {0, bits == 0 ? 0 : a.low & ((std::uint64_t{1} << bits) - 1)};
}

} // namespace dbmconv::detail
