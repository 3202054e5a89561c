#include "natural_logarithm.h"

#include "float_bits.h"
#include "floating_point_access.h"
#include "runtime_error.h"
#include "wide_fixed.h"

#include <array>
#include <cfloat>
#include <cstdint>

namespace dbmconv {

namespace detail {

namespace {

// x = m 2^e; ln x = e ln 2 - ln c + ln(1 + r) with r = m c - 1, where c is a
// table value near 1/m chosen by the top 8 bits of m, so |r| < 2^-8; ln(1 + r)
// from its series to r^12. Mantissas above sqrt(2) count as m/2 with e + 1, so
// that every x near 1 has e = 0 and no cancellation between the terms.
constexpr int kLogTableBits = 8;
constexpr int kLogTableSize = 1 << kLogTableBits;
constexpr int kFirstHalvedIndex = 106; // 1 + 106/256 is just above sqrt(2)
constexpr double kLn10RoundedToNearest = 0x1.26bb1bbb55516p+1;
constexpr DoubleDouble kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DoubleDouble kOneThird{0x1.5555555555555p-2, 0x1.5555555555555p-56};
constexpr DoubleDouble kOneFifth{0x1.999999999999ap-3, -0x1.999999999999ap-57};

struct TableEntry {
    double c;
    DoubleDouble minusLnC; // -ln c, or -ln 2c for the halved mantissas
    int exponentAdjustment;
};
using LogTable = std::array<TableEntry, kLogTableSize>;

const LogTable& logTable()
{
    static const LogTable table = [] {
        LogTable t{};
        for (int i = 0; i < kLogTableSize; ++i) {
            TableEntry& entry = t[static_cast<std::size_t>(i)];
            const bool halved = i >= kFirstHalvedIndex;
            entry.exponentAdjustment = halved ? 1 : 0;
            if (i == 0 || i == kLogTableSize - 1) {
                // r = m - 1 or m/2 - 1 exactly: ln x for x near 1 has no table term at all
                entry.c = i == 0 ? 1.0 : 0.5;
                entry.minusLnC = {0.0, 0.0};
                continue;
            }
            const double centre = 1.0 + (i + 0.5) / kLogTableSize;
            entry.c = 1.0 / centre;
            const double reciprocal = halved ? 2.0 * entry.c : entry.c;
            entry.minusLnC = toDoubleDouble(-wideLn(WideFixed::fromDouble(reciprocal), WideFixed()));
        }
        return t;
    }();
    return table;
}

struct Decomposed {
    double m; // in [1, 2)
    int e;
};

Decomposed decompose(double x)
{
    auto bits = bitsOf(x);
    int e = static_cast<int>(bits >> 52) - 1023;
    if ((bits >> 52) == 0) {
        // subnormal: make it normal by an exact product with 2^54
        bits = bitsOf(x * 0x1p54);
        e = static_cast<int>(bits >> 52) - 1023 - 54;
    }
    return {fromBits((bits & kMantissaMask) | (std::uint64_t{1023} << 52)), e};
}

// ln(1 + r) for |r| < 2^-8, r exact as a double-double. The terms from r^6 on are
// below 2^-50 and need only a double.
DoubleDouble lnOnePlus(DoubleDouble r)
{
    const double t = r.hi;
    const double tail = -1.0 / 6 + t * (1.0 / 7 + t * (-1.0 / 8 + t * (1.0 / 9 + t * (-1.0 / 10 + t * (1.0 / 11 + t * (-1.0 / 12))))));
    DoubleDouble p = add(kOneFifth, multiply(r, tail));
    p = add(multiply(r, p), -0.25);
    p = add(kOneThird, multiply(r, p));
    p = add(multiply(r, p), -0.5);
    p = add(multiply(r, p), 1.0);
    return multiply(r, p);
}

struct LogEstimate {
    Decomposed x;               // with the exponent adjusted for halved mantissas
    double mantissaScale;       // 1, or 1/2 for halved mantissas
    DoubleDouble lnOfMantissa;  // ln(m x mantissaScale)
    DoubleDouble value;
};

LogEstimate estimate(double x)
{
    Decomposed d = decompose(x);
    const auto index = static_cast<std::size_t>((bitsOf(d.m) >> (52 - kLogTableBits)) & (kLogTableSize - 1));
    const TableEntry& entry = logTable()[index];
    d.e += entry.exponentAdjustment;

    const DoubleDouble product = twoProduct(d.m, entry.c);
    const DoubleDouble r = twoSum(product.hi - 1.0, product.lo);
    const DoubleDouble lnMantissa = add(entry.minusLnC, lnOnePlus(r));

    const auto e = static_cast<double>(d.e);
    const DoubleDouble eLn2 = add(twoProduct(e, kLn2.hi), e * kLn2.lo);
    return {d, entry.exponentAdjustment == 1 ? 0.5 : 1.0, lnMantissa, add(eLn2, lnMantissa)};
}

double accurate(const LogEstimate& fast)
{
    const WideFixed m = WideFixed::fromDouble(fast.x.m * fast.mantissaScale);
    const WideFixed start = WideFixed::fromDouble(fast.lnOfMantissa.hi) + WideFixed::fromDouble(fast.lnOfMantissa.lo);
    // The fixed-point error, below 2^-232, is not known to leave the rounding of
    // any double in doubt; the value is rounded as it stands.
    return *roundToDouble(wideLn2().times(fast.x.e) + wideLn(m, start), 0, 0);
}

} // namespace

DoubleDouble NaturalLogarithmEstimate(double x)
{
    return estimate(x).value;
}

double NaturalLogarithmAccurate(double x)
{
    return accurate(estimate(x));
}

} // namespace detail

double NaturalLogarithm(double x)
{
    using namespace detail;
    if (x == 1.0) {
        return 0.0;
    }
    if (x == 10.0) {
        // every watts-to-dBm conversion divides by ln 10: its rounding is known
        return kLn10RoundedToNearest;
    }
    if (!(x <= DBL_MAX)) {
        return x; // +infinity, or NaN passed on
    }
    const LogEstimate fast = estimate(x);
    const DoubleDouble& y = fast.value;
    if (roundsToHigherPart(y, kEstimateRelativeError)) {
        return y.hi;
    }
    return accurate(fast);
}

double NaturalLog(double x)
{
    if (!(x > 0.0)) {
        throw RuntimeError(Fault::LogarithmOfNonPositive);
    }
    return NaturalLogarithm(x);
}

} // namespace dbmconv
