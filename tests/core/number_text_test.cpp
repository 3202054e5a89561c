#include "number_text.h"
#include "runtime_error.h"
#include "support/u16.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.places << " places");
        EXPECT_EQ(RoundToPlaces(c.value, c.places), c.expected);
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
