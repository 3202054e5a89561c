#include "power_conversion.h"
#include "result_text_properties.h"
#include "support/u16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace dbmconv {
namespace {

using test::resultTextProblem;
using test::resultTextShapeProblem;
using test::utf8;

TEST(ResultTextProperties, HoldForValuesOfEveryMagnitudeAndSign)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-8.0, 40.0);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = mantissa(random) * std::pow(10.0, std::floor(exponent(random)));
        const double value = (i % 2 == 0) ? magnitude : -magnitude;
        const std::u16string shown = ResultText(value);
        const std::string problem = resultTextProblem(shown, value);
        ASSERT_TRUE(problem.empty()) << problem << ": " << value << " shown as " << utf8(shown);
    }
}

TEST(ResultTextProperties, HoldForFormerFuzzerFindings)
{
    // a level whose power lies half a unit in the 15th digit from its text
    const double power = ConvertDbmToWatts(u"1090.00000000994");
    EXPECT_EQ(resultTextProblem(ResultText(power), power), "");
}

TEST(ResultTextProperties, RejectMalformedTexts)
{
    const std::u16string bad[] = {
        u"", u"-", u".5", u"0.50", u"-0.5", u"-0", u"00.1", u"01", u"1.", u"1.23456",
        u"1e+15", u"1E15", u"1E+5", u"1.0E+15", u"12E+15", u"1E+", u"+1", u" 1", u"1,5",
        u"1234567890123456", u"1.234567890123456E+20",
    };
    for (const auto& text : bad) {
        EXPECT_NE(resultTextShapeProblem(text), "") << utf8(text);
    }
    const std::u16string good[] = {
        u"0", u"1", u"0.1", u"-.9691", u"-10", u"0.0001", u"1E+15", u"5.01187233627271E+17",
        u"123456789012.346", u"999999999999999",
    };
    for (const auto& text : good) {
        EXPECT_EQ(resultTextShapeProblem(text), "") << utf8(text);
    }
}

} // namespace
} // namespace dbmconv
