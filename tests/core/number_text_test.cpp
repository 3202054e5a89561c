#include "number_to_text.h"
#include "round_to_places.h"
#include "runtime_error.h"
#include "support/u16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <limits>
#include <stdexcept>
#include <string>

namespace dbmconv {
namespace {

using test::utf8;

struct TextCase {
    double value;
    std::u16string text;
};

TEST(NumberToText, WritesTheShortDecimalForm)
{
    const TextCase cases[] = {
        {0.0, u" 0"},
        {-0.0, u" 0"},
        {30.0, u" 30"},
        {0.5, u" .5"},
        {-0.25, u"-.25"},
        {-0.9691, u"-.9691"},
        {1.9953, u" 1.9953"},
        {-10.0, u"-10"},
        {0.0001, u" .0001"},
        {1e-5, u" .00001"},
        {1.5e-10, u" .00000000015"},
        {100.0, u" 100"},
        {1e14, u" 100000000000000"},
        {0.1 + 0.2, u" .3"},
        {1.0 / 3.0, u" .333333333333333"},
        {2.0 / 3.0, u" .666666666666667"},
        {-2.0 / 3.0, u"-.666666666666667"},
        {123456789012.3457, u" 123456789012.346"},
        {99999999999999.99, u" 100000000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(utf8(NumberToText(c.value)), utf8(c.text));
    }
}

TEST(NumberToText, SwitchesToTheExponentFormFromTenToTheFifteenth)
{
    const TextCase cases[] = {
        {1e15, u" 1E+15"},
        {-1e15, u"-1E+15"},
        {5.01187233627273e17, u" 5.01187233627273E+17"},
        {999999999999999.9, u" 1E+15"},
        {999999999999999.0, u" 999999999999999"},
        {1.5e20, u" 1.5E+20"},
        {1e100, u" 1E+100"},
        {DBL_MAX, u" 1.79769313486232E+308"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(utf8(NumberToText(c.value)), utf8(c.text));
    }
}

TEST(NumberToText, RefusesValuesThatHaveNoDecimalText)
{
    for (const double value : {std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW((void)NumberToText(value), RuntimeError) << value;
    }
}

TEST(RoundToPlaces, JudgesTheExactBinaryValueAndSendsExactHalvesToEven)
{
    struct Case {
        double value;
        int places;
        double expected;
    };
    const Case cases[] = {
        {2.5, 0, 2.0},
        {3.5, 0, 4.0},
        {-2.5, 0, -2.0},
        // exact halves at the fourth place: 1/32, 3/32, 1 + 1/32
        {0.03125, 4, 0.0312},
        {0.09375, 4, 0.0938},
        {1.03125, 4, 1.0312},
        {-0.03125, 4, -0.0312},
        // near halves go by the double's exact value, not by a shortened decimal text
        {0.00015, 4, 0.0001},
        {0.00025, 4, 0.0003},
        {0.00035, 4, 0.0003},
        {0.00005, 4, 0.0001},
        {0.99996, 4, 1.0},
        {1.99526231496888, 4, 1.9953},
        {-0.96910013008056, 4, -0.9691},
        {123456789012.34567, 4, 123456789012.3457},
        {1e300, 4, 1e300},
        {DBL_MAX, 4, DBL_MAX},
        {0.123456789, 15, 0.123456789},
        // tiny values, around the widest shift of the exact path (2^-76 is 2^52 x 2^-128)
        {0x1p-75, 0, 0.0},
        {0x1p-76, 0, 0.0},
        {0x1p-77, 0, 0.0},
        {-0x1p-76, 15, -0.0},
        {0x1p-40, 15, 0.000000000000909},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.places << " places");
        EXPECT_EQ(RoundToPlaces(c.value, c.places), c.expected);
    }
}

TEST(RoundToPlaces, TakesZeroToFifteenPlacesAndRefusesAnyOther)
{
    constexpr std::array<double, 6> kRounded = {1235.0, 1234.6, 1234.57, 1234.568, 1234.5679, 1234.56789};
    for (int places = 0; places <= 15; ++places) {
        SCOPED_TRACE(places);
        EXPECT_EQ(RoundToPlaces(0.5, places), places == 0 ? 0.0 : 0.5);
        EXPECT_EQ(RoundToPlaces(1234.56789, places), kRounded[static_cast<std::size_t>(std::min(places, 5))]);
    }
    for (const int places : {-1, 16, -100, 100}) {
        SCOPED_TRACE(places);
        EXPECT_THROW((void)RoundToPlaces(0.5, places), std::invalid_argument);
    }
}

TEST(RoundToPlaces, KeepsTheSignOfZeroAndPassesNonFiniteValuesThrough)
{
    EXPECT_TRUE(std::signbit(RoundToPlaces(-0.00001, 4)));
    EXPECT_EQ(RoundToPlaces(-0.00001, 4), 0.0);
    EXPECT_EQ(RoundToPlaces(std::numeric_limits<double>::infinity(), 4),
              std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(RoundToPlaces(std::numeric_limits<double>::quiet_NaN(), 4)));
}

} // namespace
} // namespace dbmconv

namespace dbmconv {
namespace {

#if defined(__cpp_lib_to_chars)
// Independent references, through the standard library's exact decimal
// conversions where it has them: the rounding and the 15-digit text must agree
// with them for every value, whichever way the code under test takes to get
// there.
double referenceRound(double value, int places)
{
    std::array<char, 400> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, places).ptr;
    double rounded = 0.0;
    std::from_chars(buffer.data(), end, rounded);
    return rounded;
}

std::string referenceText(double value)
{
    std::array<char, 64> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                   std::chars_format::scientific, 14).ptr;
    const std::string scientific(buffer.data(), end);
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, 14);
    const int exponent = std::stoi(scientific.substr(17));
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string body;
    if (exponent >= 15) {
        body = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "E+"
            + std::to_string(exponent);
    } else if (exponent < 0) {
        body = "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (digits.size() <= static_cast<std::size_t>(exponent) + 1) {
        body = digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        body = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "."
            + digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    return (value < 0 ? "-" : " ") + body;
}

TEST(RoundToPlaces, AgreesWithTheExactDecimalExpansionForRandomValues)
{
    std::mt19937_64 random(8);
    std::uniform_real_distribution<double> exponent(-20.0, 25.0);
    std::uniform_int_distribution<int> places(0, 15);
    for (int i = 0; i < 300000; ++i) {
        const double value = std::pow(10.0, exponent(random)) * (i % 2 == 0 ? 1 : -1);
        const int p = places(random);
        ASSERT_EQ(RoundToPlaces(value, p), referenceRound(value, p)) << value << " to " << p;
    }
    // exact halves of every kind: k + 1/2 at the last place, as dyadic values
    for (std::uint64_t k = 0; k < 20000; ++k) {
        const double value = (static_cast<double>(k) + 0.5) / 16.0;
        ASSERT_EQ(RoundToPlaces(value, 4), referenceRound(value, 4)) << value;
    }
}

TEST(NumberToText, AgreesWithTheFifteenDigitExpansionForRandomValues)
{
    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> exponent(-12.0, 30.0);
    std::uniform_int_distribution<std::int64_t> units(1, 999'999'999'999'999);
    for (int i = 0; i < 200000; ++i) {
        const double sign = i % 2 == 0 ? 1.0 : -1.0;
        const double anyValue = sign * std::pow(10.0, exponent(random));
        const double tenThousandths = sign * static_cast<double>(units(random) >> (i % 40)) / 1e4;
        for (const double value : {anyValue, tenThousandths}) {
            ASSERT_EQ(utf8(NumberToText(value)), referenceText(value)) << value;
        }
    }
}

#endif

} // namespace
} // namespace dbmconv
