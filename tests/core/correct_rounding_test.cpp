// The power of ten and the natural logarithm against MPFR's correctly rounded
// results: random arguments over the whole domain the conversions reach, the
// edges of that domain, published hard-to-round arguments, and the fast
// estimates' error against the bound the rounding test relies on.
// DBMCONV_MPFR_ARGUMENTS sets how many random arguments the whole-domain test
// draws (default 1,000,000; scripts/test.sh --long takes 50,000,000).
#include "natural_logarithm.h"
#include "power_of_ten.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace dbmconv {
namespace {

enum class Function { PowerOfTen, NaturalLogarithm };

// MPFR with the exponent range and subnormals of a double, so that its result
// is rounded once, as IEEE rounds.
class Reference {
public:
    Reference()
    {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        mpfr_inits2(53, argument_, result_, static_cast<mpfr_ptr>(nullptr));
        mpfr_inits2(400, wideArgument_, wideResult_, estimate_, static_cast<mpfr_ptr>(nullptr));
    }
    ~Reference()
    {
        mpfr_clears(argument_, result_, wideArgument_, wideResult_, estimate_, static_cast<mpfr_ptr>(nullptr));
        mpfr_free_cache();
    }
    Reference(const Reference&) = delete;
    Reference& operator=(const Reference&) = delete;

    double rounded(Function function, double x)
    {
        mpfr_set_d(argument_, x, MPFR_RNDN);
        const int ternary = function == Function::PowerOfTen ? mpfr_exp10(result_, argument_, MPFR_RNDN)
                                                             : mpfr_log(result_, argument_, MPFR_RNDN);
        mpfr_subnormalize(result_, ternary, MPFR_RNDN);
        return mpfr_get_d(result_, MPFR_RNDN);
    }

    // |estimate - exact| / |exact|, the estimate being (hi + lo) x 2^exponent.
    double relativeError(Function function, double x, detail::DoubleDouble estimate, int exponent)
    {
        mpfr_set_d(wideArgument_, x, MPFR_RNDN);
        if (function == Function::PowerOfTen) {
            mpfr_exp10(wideResult_, wideArgument_, MPFR_RNDN);
        } else {
            mpfr_log(wideResult_, wideArgument_, MPFR_RNDN);
        }
        mpfr_set_d(estimate_, estimate.hi, MPFR_RNDN);
        mpfr_add_d(estimate_, estimate_, estimate.lo, MPFR_RNDN);
        mpfr_mul_2si(estimate_, estimate_, exponent, MPFR_RNDN);
        mpfr_sub(estimate_, estimate_, wideResult_, MPFR_RNDN);
        mpfr_div(estimate_, estimate_, wideResult_, MPFR_RNDN);
        return std::fabs(mpfr_get_d(estimate_, MPFR_RNDN));
    }

private:
    mpfr_t argument_;
    mpfr_t result_;
    mpfr_t wideArgument_;
    mpfr_t wideResult_;
    mpfr_t estimate_;
};

long argumentsPerCase()
{
    const char* text = std::getenv("DBMCONV_MPFR_ARGUMENTS");
    return text != nullptr ? std::atol(text) : 1'000'000;
}

double compute(Function function, double x)
{
    return function == Function::PowerOfTen ? PowerOfTen(x) : NaturalLogarithm(x);
}

double bitsToDouble(std::uint64_t bits)
{
    double x = 0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

struct Domain {
    const char* name;
    Function function;
    std::function<double(std::mt19937_64&)> draw;
};

// log10 of the largest double, 308.2547..., and of half the smallest subnormal.
constexpr double kOverflowEdge = 308.25471555991675;
constexpr double kUnderflowEdge = -323.60629952;

std::vector<Domain> domains()
{
    auto uniform = [](double low, double high) {
        return [low, high](std::mt19937_64& g) { return std::uniform_real_distribution<double>(low, high)(g); };
    };
    return {
        {"10^x, x uniform in [-330, 310]", Function::PowerOfTen, uniform(-330.0, 310.0)},
        {"10^x, x within 1e-3 of the overflow edge", Function::PowerOfTen, uniform(kOverflowEdge - 1e-3, kOverflowEdge + 1e-3)},
        {"10^x, x within 0.5 of the underflow edge", Function::PowerOfTen, uniform(kUnderflowEdge - 0.5, kUnderflowEdge + 0.5)},
        {"10^x, the subnormal results", Function::PowerOfTen, uniform(-323.7, -307.6)},
        {"10^x, |x| from 2^-70 to 1", Function::PowerOfTen,
         [](std::mt19937_64& g) {
             const double magnitude = std::ldexp(1.0 + std::uniform_real_distribution<double>(0, 1)(g),
                                                 std::uniform_int_distribution<int>(-70, -1)(g));
             return (g() & 1) != 0 ? magnitude : -magnitude;
         }},
        {"ln x, every positive finite bit pattern", Function::NaturalLogarithm,
         [](std::mt19937_64& g) { return bitsToDouble(1 + g() % (0x7FF0000000000000ULL - 1)); }},
        {"ln x, x within 2^-10 of 1", Function::NaturalLogarithm,
         [](std::mt19937_64& g) { return 1.0 + std::uniform_real_distribution<double>(-0x1p-10, 0x1p-10)(g); }},
        {"ln x, x within 2^-40 of 1", Function::NaturalLogarithm,
         [](std::mt19937_64& g) { return 1.0 + std::uniform_real_distribution<double>(-0x1p-40, 0x1p-40)(g); }},
        {"ln x, subnormal x", Function::NaturalLogarithm,
         [](std::mt19937_64& g) { return bitsToDouble(1 + g() % ((1ULL << 52) - 1)); }},
    };
}

TEST(CorrectRounding, MatchesMpfrOverTheWholeDomain)
{
    Reference reference;
    const auto all = domains();
    const long perDomain = argumentsPerCase() / static_cast<long>(all.size()) + 1;
    long compared = 0;
    for (const Domain& domain : all) {
        std::mt19937_64 generator(20261208);
        long mismatches = 0;
        for (long i = 0; i < perDomain; ++i) {
            const double x = domain.draw(generator);
            const double expected = reference.rounded(domain.function, x);
            const double actual = compute(domain.function, x);
            if (std::memcmp(&expected, &actual, sizeof expected) != 0 && ++mismatches <= 5) {
                ADD_FAILURE() << domain.name << ": " << std::hexfloat << x << " gives " << actual
                              << ", correctly rounded " << expected;
            }
        }
        compared += perDomain;
        EXPECT_EQ(mismatches, 0) << domain.name;
    }
    std::printf("compared %ld arguments with MPFR\n", compared);
}

TEST(CorrectRounding, EveryWholeExponentAndTheRangeEdges)
{
    Reference reference;
    std::vector<double> arguments;
    for (int n = -330; n <= 310; ++n) {
        arguments.push_back(n);
        arguments.push_back(n + 0.5);
        arguments.push_back(n / 10.0);
    }
    for (const double edge : {kOverflowEdge, kUnderflowEdge, -307.6526555685888 /* smallest normal */}) {
        double x = edge;
        for (int i = 0; i < 64; ++i) {
            x = std::nextafter(x, -HUGE_VAL);
        }
        for (int i = 0; i < 128; ++i, x = std::nextafter(x, HUGE_VAL)) {
            arguments.push_back(x);
        }
    }
    for (const double x : arguments) {
        SCOPED_TRACE(x);
        const double expected = reference.rounded(Function::PowerOfTen, x);
        const double actual = PowerOfTen(x);
        EXPECT_EQ(std::memcmp(&expected, &actual, sizeof expected), 0) << std::hexfloat << actual << " vs " << expected;
    }
    for (const double x : {DBL_MIN, DBL_MAX, 0x1p-1074, 10.0, 2.0, 0.5, 1.0 + 0x1p-52, 1.0 - 0x1p-53, 1000.0}) {
        EXPECT_EQ(NaturalLogarithm(x), reference.rounded(Function::NaturalLogarithm, x)) << std::hexfloat << x;
    }
}

// Arguments whose exact result lies extremely close to the middle between two
// doubles (45 to 64 identical bits after the rounding bit), from the published
// tables of hard-to-round cases by V. Lefevre and J.-M. Muller.
constexpr double kHardPowerOfTen[] = {
    0x1.00292f9da115p-15, 0x1.003bd6aafe8bp-46, 0x1.007316b43215bp-1, 0x1.00bea13da863p-7,
    0x1.00c7609b9bdeep-7, 0x1.00e15215c5d84p+2, 0x1.00fb68f2aee3cp-17, 0x1.0100ef3187947p-2,
    0x1.010ad90a2e06ap-1, 0x1.011a3283a7c63p-49, 0x1.012febb3b4c75p+5, 0x1.0130e76a83686p+3,
    0x1.01b5157a97043p+8, 0x1.01f88e5c50f94p-46, 0x1.01fe5b6ee1262p-23, 0x1.021bca2d4d969p-3,
    0x1.026e9db63bf6ep+1, 0x1.027c20f30a465p+2, 0x1.02f6e97ed78bbp+2, 0x1.033492c1c4dc5p+2,
    0x1.0335bd5d09a5ap-2, 0x1.035f0467630bap+5, 0x1.0394c088ab269p-23, 0x1.03b5460da3678p-46,
    0x1.03fe0e71ee3ep-1, 0x1.042eabcaec62ap-1, 0x1.043b094df6d65p-39, 0x1.044fad7a5c129p+8,
    0x1.0562c7fb539c1p+4, 0x1.0587729969898p+6, 0x1.097ff010215d3p+7, 0x1.09c51cc7949a1p+8,
    0x1.0b4a265438ccdp+7, 0x1.0c23ed524565ap+7, 0x1.0dcbb424d3601p+8, 0x1.0e49ae4e28919p+7,
    0x1.190141dde536p+8, 0x1.1b4219e7d0b4ap+8, 0x1.1fda1ddb25bd8p+8, 0x1.2ccdbcf94cd54p+8,
    0x1.2dbb582bb84f7p+8, 0x1.2dd300c59e46ap+8, 0x1.8520bb282086ap-52, 0x1.69554012f9a17p-51,
    0x1.3fa407733f49bp-50, 0x1.773afd9d8d13ap-50, 0x1.38b128adf59p-49, 0x1.2acb6b23621d9p-49,
};
constexpr double kHardNaturalLogarithm[] = {
    0x1.a6ae5142326b5p+0, 0x1.a6ba95b1520f9p+0, 0x1.a702b2ce91b3p+0, 0x1.a775c6c1d8d3ep+0,
    0x1.b072ab04ee9bfp+0, 0x1.c877cba59d0acp+0, 0x1.bbfff9457d5c3p+0, 0x1.bdfbc244c2cfep+0,
    0x1.befeb75414206p+0, 0x1.c19bdd1656c31p+0, 0x1.c9f6ad292698fp+0, 0x1.b188600086feep+0,
    0x1.ca3665f2edf3dp+0, 0x1.d2e75daa7d786p+0, 0x1.c47c00242ae49p+0, 0x1.1e852e6951306p+1,
    0x1.1f1f3da2014bbp+1, 0x1.21e133699fd0fp+1, 0x1.dafdb40362537p+0, 0x1.dd17c2931712fp+0,
    0x1.000976581ce4ep+1, 0x1.009ea32637a95p+1, 0x1.01387a8e4eb77p+1, 0x1.03e90f7831304p+1,
    0x1.a455a70c31d8p+13, 0x1.a6a59254f6aa6p+13, 0x1.f63e8a05c6055p+14, 0x1.467cb238723a1p+15,
    0x1.5106c15d1fc3fp+22, 0x1.8992bd496d364p+25, 0x1.70945ecdc0194p+28, 0x1.187473f1019f6p+31,
    0x1.8e27f4f0e6c74p+34, 0x1.deab16bf0cba3p+37, 0x1.f9bd207cafe2fp+38, 0x1.c3b1ebb677eabp+39,
    0x1.f432ceabc9bfp+41, 0x1.e55c5ebe0bfa1p+42, 0x1.a6004162f2b8cp+45, 0x1.131425b692c14p+46,
};

TEST(CorrectRounding, PublishedHardCases)
{
    Reference reference;
    for (const double x : kHardPowerOfTen) {
        for (const double signedX : {x, -x}) {
            EXPECT_EQ(PowerOfTen(signedX), reference.rounded(Function::PowerOfTen, signedX)) << std::hexfloat << signedX;
        }
    }
    for (const double x : kHardNaturalLogarithm) {
        EXPECT_EQ(NaturalLogarithm(x), reference.rounded(Function::NaturalLogarithm, x)) << std::hexfloat << x;
    }
}

TEST(CorrectRounding, TheFixedPointPathAloneIsCorrectlyRounded)
{
    Reference reference;
    std::mt19937_64 generator(42);
    for (long i = 0; i < argumentsPerCase() / 200; ++i) {
        const double exponent = std::uniform_real_distribution<double>(-330.0, 310.0)(generator);
        EXPECT_EQ(detail::PowerOfTenAccurate(exponent), reference.rounded(Function::PowerOfTen, exponent))
            << std::hexfloat << exponent;
        const double x = bitsToDouble(1 + generator() % (0x7FF0000000000000ULL - 1));
        EXPECT_EQ(detail::NaturalLogarithmAccurate(x), reference.rounded(Function::NaturalLogarithm, x))
            << std::hexfloat << x;
    }
}

TEST(CorrectRounding, EstimatesStayFarInsideTheirErrorBound)
{
    Reference reference;
    std::mt19937_64 generator(7);
    double worstPower = 0;
    double worstLogarithm = 0;
    for (long i = 0; i < argumentsPerCase() / 20; ++i) {
        const double exponent = std::uniform_real_distribution<double>(-330.0, 310.0)(generator);
        const auto power = detail::PowerOfTenEstimate(exponent);
        worstPower = std::max(worstPower, reference.relativeError(Function::PowerOfTen, exponent, power.value,
                                                                  power.binaryExponent));
        const double x = i % 2 == 0 ? bitsToDouble(1 + generator() % (0x7FF0000000000000ULL - 1))
                                    : 1.0 + std::uniform_real_distribution<double>(-0x1p-8, 0x1p-8)(generator);
        if (x != 1.0) {
            worstLogarithm = std::max(worstLogarithm, reference.relativeError(Function::NaturalLogarithm, x,
                                                                              detail::NaturalLogarithmEstimate(x), 0));
        }
    }
    std::printf("worst relative error: power 2^%.1f, logarithm 2^%.1f (bound 2^%.0f)\n", std::log2(worstPower),
                std::log2(worstLogarithm), std::log2(detail::kEstimateRelativeError));
    // a margin of 2^8 under the bound the rounding decision takes for granted
    EXPECT_LT(worstPower, detail::kEstimateRelativeError / 256);
    EXPECT_LT(worstLogarithm, detail::kEstimateRelativeError / 256);
}

} // namespace
} // namespace dbmconv
