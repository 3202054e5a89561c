#include "two_words.h"
#include "wide_fixed.h"

#include <gtest/gtest.h>

#include <optional>

namespace dbmconv::detail {
namespace {

// 1 + k x 2^-53: the doubles next to 1 are 2^-52 apart, so odd k lie halfway.
WideFixed onePlusHalfUnits(std::uint64_t k)
{
    return WideFixed::one() + WideFixed(false, {0, 0, 0, k << 11, 0});
}

TEST(WideFixed, RoundsAnExactHalfToEvenAndDoubtsItWhenTheValueHasAnError)
{
    EXPECT_EQ(roundToDouble(onePlusHalfUnits(1), 0, 0), std::optional<double>(1.0));
    EXPECT_EQ(roundToDouble(onePlusHalfUnits(3), 0, 0), std::optional<double>(1.0 + 0x1p-51));
    EXPECT_EQ(roundToDouble(onePlusHalfUnits(1), 0, 1), std::nullopt);
    EXPECT_EQ(roundToDouble(onePlusHalfUnits(1) + WideFixed(false, {2, 0, 0, 0, 0}), 0, 1),
              std::optional<double>(1.0 + 0x1p-52));
    // scaled into the subnormals: a count of 2^-1074, and below half of one, zero
    EXPECT_EQ(roundToDouble(WideFixed::one(), -1074, 0), std::optional<double>(0x1p-1074));
    EXPECT_EQ(roundToDouble(WideFixed::one(), -1076, 0), std::optional<double>(0.0));
}

TEST(TwoWords, MultipliesExactlyAcrossTheHalves)
{
    struct Row {
        std::uint64_t a;
        std::uint64_t b;
        TwoWords product;
    };
    constexpr Row kRows[] = {
        {0xffffffffffffffff, 0xffffffffffffffff, {0xfffffffffffffffe, 0x1}},
        {0x100000000, 0x100000000, {0x1, 0x0}},
        {0xffffffff, 0xffffffff, {0x0, 0xfffffffe00000001}},
        {0x123456789abcdef0, 0xfedcba987654321, {0x121fa00ad77d742, 0x2236d88fe5618cf0}},
        {0xffffffffffffffff, 0x1, {0x0, 0xffffffffffffffff}},
        {0x8000000000000001, 0xffffffff00000001, {0x7fffffff80000001, 0x7fffffff00000001}},
    };
    for (const Row& row : kRows) {
        EXPECT_EQ(multiplyFull(row.a, row.b), row.product) << std::hex << row.a << " x " << row.b;
    }
    EXPECT_EQ(plus({0, 0xffffffffffffffff}, 1), (TwoWords{1, 0}));
}

TEST(TwoWords, ShiftsAndMasksAtEveryWordBoundary)
{
    struct Row {
        int bits;
        TwoWords shifted;
        TwoWords below;
    };
    constexpr TwoWords kValue{0xfedcba9876543210, 0x0123456789abcdef};
    constexpr Row kRows[] = {
        {0, kValue, {0x0, 0x0}},
        {1, {0x7f6e5d4c3b2a1908, 0x0091a2b3c4d5e6f7}, {0x0, 0x1}},
        {63, {0x1, 0xfdb97530eca86420}, {0x0, 0x0123456789abcdef}},
        {64, {0x0, 0xfedcba9876543210}, {0x0, 0x0123456789abcdef}},
        {65, {0x0, 0x7f6e5d4c3b2a1908}, {0x0, 0x0123456789abcdef}},
        {127, {0x0, 0x1}, {0x7edcba9876543210, 0x0123456789abcdef}},
    };
    for (const Row& row : kRows) {
        EXPECT_EQ(shiftedRight(kValue, row.bits), row.shifted) << row.bits;
        EXPECT_EQ(lowBits(kValue, row.bits), row.below) << row.bits;
    }
    EXPECT_EQ(lowBits(kValue, 128), kValue);
}

TEST(WideFixed, DividesEveryLimbByThirtyTwoBitDivisors)
{
    const WideFixed value(false, {0xffffffffffffffff, 0xfffffffffffffffe, 0xfffffffffffffffd,
                                  0xfffffffffffffffc, 0xfffffffffffffffb});
    EXPECT_EQ(value.dividedBy(3).magnitude(),
              (WideFixed::Limbs{0xffffffffffffffff, 0x5555555555555554, 0xffffffffffffffff,
                                0xfffffffffffffffe, 0x5555555555555553}));
    EXPECT_EQ(value.dividedBy(0xffffffff).magnitude(),
              (WideFixed::Limbs{0xfffffff6fffffff6, 0xfffffff7fffffff7, 0xfffffff9fffffff9,
                                0xfffffffcfffffffc, 0x100000000}));
}

} // namespace
} // namespace dbmconv::detail
