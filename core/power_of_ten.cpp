#include "power_of_ten.h"

#include "float_bits.h"
#include "floating_point_access.h"
#include "wide_fixed.h"

#include <array>
#include <cfloat>
#include <cstdint>

namespace dbmconv {

namespace detail {

namespace {

// 10^x = 2^(n/256) x 10^r with n the integer nearest to 256 x log2(10):
// 2^(j/256) comes from a table and 10^r = e^(r ln 10), |r ln 10| <= ln 2 / 512,
// from a polynomial of degree 8.
constexpr int kTableBits = 8;
constexpr int kTableSize = 1 << kTableBits;
constexpr double kTableSizeTimesLog2Of10 = 0x1.a934f0979a371p+9;
constexpr DoubleDouble kLog10Of2OverTableSize{0x1.34413509f79ffp-10, -0x1.9dc1da994fd21p-67};
constexpr DoubleDouble kLn10{0x1.26bb1bbb55516p+1, -0x1.f48ad494ea3e9p-53};
constexpr DoubleDouble kOneSixth{0x1.5555555555555p-3, 0x1.5555555555555p-57};

// Beyond these 10^x is certainly above the largest double or below half the
// smallest subnormal.
constexpr double kAlwaysOverflows = 310.0;
constexpr double kAlwaysZero = -330.0;

using PowerTable = std::array<DoubleDouble, kTableSize>;

// 2^(j/256) to 106 bits, computed once with the fixed-point arithmetic.
const PowerTable& powersOfTwo()
{
    static const PowerTable table = [] {
        PowerTable t{};
        for (int j = 0; j < kTableSize; ++j) {
            t[static_cast<std::size_t>(j)] = toDoubleDouble(wideExp(wideLn2().times(j).shiftedRight(kTableBits)));
        }
        return t;
    }();
    return table;
}

double overflow()
{
    volatile const double largest = DBL_MAX;
    return largest * 2.0;
}

// 10^n for 0 <= n <= 27, rounded from the exact integer 5^n (below 2^63) times
// 2^n: 10^23 lies exactly halfway between two doubles, which no approximation
// can settle.
double exactPowerOfTen(int n)
{
    std::uint64_t five = 1;
    for (int i = 0; i < n; ++i) {
        five *= 5;
    }
    return *roundToDouble(WideFixed(false, {0, 0, 0, 0, five}), n, 0);
}

// Rounds y x 2^exponent, below the smallest normal, to a count of 2^-1074.
std::optional<double> roundSubnormal(DoubleDouble y, int exponent)
{
    const double scale = powerOfTwo(exponent + 1074);
    const DoubleDouble z{y.hi * scale, y.lo * scale}; // 0 <= z.hi < 2^52
    constexpr double kShifter = 0x1p52;
    volatile const double shifted = z.hi + kShifter;
    const double whole = shifted - kShifter;
    const double fraction = (z.hi - whole) + z.lo;
    const double error = kEstimateRelativeError * z.hi;
    if (!(fraction + error < 0.5 && fraction - error > -0.5)) {
        return std::nullopt;
    }
    return fromBits(static_cast<std::uint64_t>(whole));
}

} // namespace

ScaledEstimate PowerOfTenEstimate(double x)
{
    const double n = nearestInteger(x * kTableSizeTimesLog2Of10);
    // r = x - n log10(2) / 256, the product taken exactly
    const DoubleDouble nLog = twoProduct(n, kLog10Of2OverTableSize.hi);
    DoubleDouble r = twoSum(x, -nLog.hi);
    r = add(r, -(nLog.lo + n * kLog10Of2OverTableSize.lo));
    const DoubleDouble s = multiply(r, kLn10);

    // e^s: the terms from s^4 on are below 2^-42 and need only a double
    const double t = s.hi;
    const double tail = 1.0 / 24 + t * (1.0 / 120 + t * (1.0 / 720 + t * (1.0 / 5040 + t * (1.0 / 40320))));
    DoubleDouble e = add(kOneSixth, multiply(s, tail));
    e = add(multiply(s, e), 0.5);
    e = add(multiply(s, e), 1.0);
    e = add(multiply(s, e), 1.0);

    const auto whole = static_cast<std::int64_t>(n);
    const std::int64_t j = whole & (kTableSize - 1);
    const auto q = static_cast<int>((whole - j) / kTableSize);
    return {multiply(powersOfTwo()[static_cast<std::size_t>(j)], e), q};
}

double PowerOfTenAccurate(double x)
{
    const WideFixed t = wideLn10() * WideFixed::fromDouble(x);
    const auto k = static_cast<std::int64_t>(nearestInteger(x * (kTableSizeTimesLog2Of10 / kTableSize)));
    const WideFixed f = t - wideLn2().times(k);
    // The fixed-point error, below 2^-232, is not known to leave the rounding of
    // any double in doubt; the value is rounded as it stands.
    const double result = *roundToDouble(wideExp(f), static_cast<int>(k), 0);
    return result > DBL_MAX ? overflow() : result;
}

} // namespace detail

double PowerOfTen(double x)
{
    using namespace detail;
    if (x != x) {
        return x + x;
    }
    if (x > kAlwaysOverflows) {
        return overflow();
    }
    if (x < kAlwaysZero) {
        return 0.0;
    }
    if (x >= 0.0 && x <= 27.0 && nearestInteger(x) == x) {
        return exactPowerOfTen(static_cast<int>(x));
    }

    const ScaledEstimate estimate = PowerOfTenEstimate(x);
    const DoubleDouble& y = estimate.value;
    const int exponent = binaryExponent(y.hi) + estimate.binaryExponent;
    if (exponent < -1022) {
        if (const auto result = roundSubnormal(y, estimate.binaryExponent)) {
            return *result;
        }
        return PowerOfTenAccurate(x);
    }
    if (!roundsToHigherPart(y, kEstimateRelativeError)) {
        return PowerOfTenAccurate(x);
    }
    if (exponent > 1023) {
        return overflow();
    }
    return scaleByPowerOfTwo(y.hi, estimate.binaryExponent);
}

} // namespace dbmconv
