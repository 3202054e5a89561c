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

} // namespace
} // namespace dbmconv::detail
