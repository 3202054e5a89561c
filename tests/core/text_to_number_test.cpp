#include "text_to_number.h"
#include "runtime_error.h"
#include "support/u16.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace dbmconv {
namespace {

using test::utf8;

struct ReadCase {
    std::u16string text;
    double expected;
};

void expectReads(const ReadCase& c)
{
    SCOPED_TRACE("text \"" + utf8(c.text.substr(0, 60)) + "\"");
    const double read = TextToNumber(c.text);
    EXPECT_EQ(read, c.expected);
    EXPECT_EQ(std::signbit(read), std::signbit(c.expected));
}

TEST(TextToNumber, ReadsTheNumberAtTheStartAndStopsWhereItCannotContinue)
{
    const ReadCase cases[] = {
        {u"", 0.0},
        {u"0", 0.0},
        {u"30", 30.0},
        {u"-13", -13.0},
        {u"0.5", 0.5},
        {u".5", 0.5},
        {u"5.", 5.0},
        {u"-.25", -0.25},
        {u"0.1", 0.1},
        {u"0.0008", 0.0008},
        {u"007", 7.0},
        {u"-0", -0.0},
        // a text with no number at its start reads as zero
        {u"-", 0.0},
        {u".", 0.0},
        {u"-.", 0.0},
        {u"--1", 0.0},
        {u"abc", 0.0},
        {u"a1", 0.0},
        {u"e5", 0.0},
        {u".e5", 0.0},
        {u"-e5", 0.0},
        // stops at the first character that cannot continue the number
        {u"1-2", 1.0},
        {u"1.2.3", 1.2},
        {u"--1.2", 0.0},
        {u"12abc", 12.0},
        {u"1,5", 1.0},
        {u"1+1", 1.0},
        // no radix prefixes
        {u"0x10", 0.0},
        {u"&H10", 0.0},
        // characters that only look like digits or blanks end it too
        {u"\uFF11", 0.0},
        {u"1\uFF12", 1.0},
        {u"\r1", 0.0},
        {u"1\r2", 1.0},
        {u"\u00A01", 0.0},
        {u"\u30001", 0.0},
        {std::u16string(u"1\0" u"2", 3), 1.0},
    };
    for (const auto& c : cases) {
        expectReads(c);
    }
}

TEST(TextToNumber, IgnoresSpacesTabsAndLineFeedsAnywhere)
{
    const ReadCase cases[] = {
        {u"1 2", 12.0},
        {u"  30  ", 30.0},
        {u"\t\n30\n", 30.0},
        {u"- 1 . 5", -1.5},
        {u"1 . 2 . 3", 1.2},
        {u"1 e 3", 1000.0},
        {u"1e - 3", 0.001},
        {u"1\te\n+\t2", 100.0},
        {u" \t\n", 0.0},
    };
    for (const auto& c : cases) {
        expectReads(c);
    }
}

TEST(TextToNumber, AcceptsAPlusSignAndExponents)
{
    const ReadCase cases[] = {
        {u"+5", 5.0},
        {u"+-5", 0.0},
        {u"-+5", 0.0},
        {u"++5", 0.0},
        {u"1e3", 1000.0},
        {u"1E3", 1000.0},
        {u"1e-3", 0.001},
        {u"1e+3", 1000.0},
        {u"-2.5e2", -250.0},
        {u".5e1", 5.0},
        {u"5.e1", 50.0},
        {u"1e03", 1000.0},
        // an exponent without digits ends the number before its "e"
        {u"1e", 1.0},
        {u"1e+", 1.0},
        {u"1e-", 1.0},
        {u"1ex", 1.0},
        {u"1e.5", 1.0},
        {u"1e-x3", 1.0},
        // the exponent takes digits only, and one sign
        {u"1e2.5", 100.0},
        {u"1e--2", 1.0},
        {u"1e2e3", 100.0},
    };
    for (const auto& c : cases) {
        expectReads(c);
    }
}

TEST(TextToNumber, RoundsToTheNearestDoubleAtTheEdgesOfItsRange)
{
    const ReadCase cases[] = {
        {u"1.7976931348623157e308", DBL_MAX},
        {u"-1.7976931348623157e308", -DBL_MAX},
        {u"2.2250738585072014e-308", DBL_MIN},
        {u"2.2250738585072011e-308", std::nextafter(DBL_MIN, 0.0)},
        {u"4.9406564584124654e-324", std::nextafter(0.0, 1.0)},
        {u"2.4703282292062328e-324", std::nextafter(0.0, 1.0)},
        // below half the smallest subnormal: zero, keeping the sign
        {u"2e-324", 0.0},
        {u"1e-400", 0.0},
        {u"-1e-400", -0.0},
        {u"1e-99999999999999999999999", 0.0},
        {u"123456789012345678901234567890", 123456789012345678901234567890.0},
    };
    for (const auto& c : cases) {
        expectReads(c);
    }
}


TEST(TextToNumber, DigitsPastEightHundredStillDecideAnExactHalf)
{
    // 1 + 2^-53 lies exactly halfway between 1 and the next double; ties go to even.
    const std::u16string half = u"1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(TextToNumber(half), 1.0);

    const double next = std::nextafter(1.0, 2.0);
    const std::u16string zeros(900, u'0');
    EXPECT_EQ(TextToNumber(half + zeros + u"1"), next);
    EXPECT_EQ(TextToNumber(half + zeros + u"0"), 1.0);
    EXPECT_EQ(TextToNumber(half + zeros + u"1.5"), next);
}

TEST(TextToNumber, LongDigitsAndTheirExponentMakeOneExactPowerOfTen)
{
    const std::u16string zeros(150000, u'0');
    const ReadCase cases[] = {
        // the digits' own offset and the written exponent, in both directions
        {u"0." + zeros + u"1e150001", 1.0},
        {u"1" + zeros + u"e-150000", 1.0},
        {u"-0." + zeros + u"25e150001", -2.5},
        {u"4" + zeros + u"e-150001", 0.4},
        // around the old saturation of written exponents, from both sides
        {u"0." + std::u16string(99999, u'0') + u"1e100000", 1.0},
        {u"0." + std::u16string(100000, u'0') + u"1e100001", 1.0},
        {u"1" + std::u16string(100000, u'0') + u"e-100000", 1.0},
        // written exponents far past any text's length stay out of range
        {u"1" + zeros + u"e-99999999999999999999", 0.0},
        {u"0." + zeros + u"1e-9223372036854775807", 0.0},
    };
    for (const auto& c : cases) {
        expectReads(c);
    }
    EXPECT_THROW((void)TextToNumber(u"0." + zeros + u"1e99999999999999999999"), RuntimeError);
}

TEST(TextToNumber, ReadsNothingPastTheEndOfItsView)
{
    // the views end inside a number; what lies beyond them must not count
    const std::u16string_view text = u"12.5e3 4";
    const ReadCase cases[] = {
        {std::u16string(text.substr(0, 1)), 1.0},
        {std::u16string(text.substr(0, 3)), 12.0},
        {std::u16string(text.substr(0, 5)), 12.5},
        {std::u16string(text.substr(0, 7)), 12500.0},
    };
    for (const auto& c : cases) {
        expectReads(c);
    }
    for (std::size_t length = 0; length <= text.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(TextToNumber(text.substr(0, length)), TextToNumber(std::u16string(text.substr(0, length))));
    }
    EXPECT_EQ(TextToNumber(std::u16string_view(u"12", 1)), 1.0);
    EXPECT_EQ(TextToNumber(std::u16string_view(u"1 2", 2)), 1.0);
}

TEST(TextToNumber, NumbersBeyondTheRangeOfADoubleAreARunTimeError)
{
    const std::u16string tooLarge[] = {
        u"1e309",
        u"-1e309",
        u"1.8e308",
        u"1.797693134862315808e308",
        u"1" + std::u16string(400, u'0'),
        u"-" + std::u16string(350, u'9'),
        u"1 " + std::u16string(310, u'0') + u".5",
        u"0." + std::u16string(10, u'0') + u"1e320",
        u"1e99999999999999999999999",
    };
    for (const auto& text : tooLarge) {
        SCOPED_TRACE(utf8(text.substr(0, 40)));
        try {
            (void)TextToNumber(text);
            ADD_FAILURE() << "no run-time error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.fault(), Fault::NumberOutOfRange);
        }
    }
}

TEST(TextToNumber, MegabytesOfInputReadAsTheirShortForms)
{
    // Each reads as the few characters that decide it; how fast is the long
    // input benchmark's business (bench/long_input_bench.cpp).
    const std::size_t size = std::size_t{4} << 20;
    EXPECT_EQ(TextToNumber(std::u16string(size, u'-')), 0.0);
    EXPECT_EQ(TextToNumber(std::u16string(size, u' ') + u"7"), 7.0);
    EXPECT_EQ(TextToNumber(std::u16string(size, u'.')), 0.0);
    EXPECT_EQ(TextToNumber(u"1." + std::u16string(size, u'0')), 1.0);
    EXPECT_EQ(TextToNumber(u"0." + std::u16string(size, u'0') + u"1"), 0.0);
    EXPECT_EQ(TextToNumber(u"1e-" + std::u16string(size, u'9')), 0.0);

    std::u16string repeated;
    for (std::size_t i = 0; i < size / 2; ++i) {
        repeated += u"1.";
    }
    EXPECT_EQ(TextToNumber(repeated), 1.1);

    EXPECT_THROW((void)TextToNumber(std::u16string(size, u'1')), RuntimeError);
    EXPECT_THROW((void)TextToNumber(u"1e" + std::u16string(size, u'9')), RuntimeError);
}

} // namespace
} // namespace dbmconv
