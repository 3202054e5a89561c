#include "power_conversion.h"
#include "runtime_error.h"
#include "support/u16.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>

namespace dbmconv {
namespace {

using test::utf8;

enum class Direction { DbmToWatts, WattsToDbm };

double convert(Direction direction, std::u16string_view input)
{
    return direction == Direction::DbmToWatts ? ConvertDbmToWatts(input) : ConvertWattsToDbm(input);
}

struct WorkedValue {
    std::u16string input;
    Direction direction;
    double value;
    std::u16string shown;
};

TEST(PowerConversion, WorkedValuesComeOutExactlyAsShown)
{
    const WorkedValue cases[] = {
        {u"0", Direction::DbmToWatts, 0.001, u"0.001"},
        {u"20", Direction::DbmToWatts, 0.1, u"0.1"},
        {u"30", Direction::DbmToWatts, 1.0, u"1"},
        {u"33", Direction::DbmToWatts, 1.99526231496888, u"1.9953"},
        {u"47", Direction::DbmToWatts, 50.1187233627273, u"50.1187"},
        {u"-13", Direction::DbmToWatts, 0.0000501187233627273, u"0.0001"},
        {u"-20", Direction::DbmToWatts, 0.00001, u"0"},
        {u"1", Direction::WattsToDbm, 30.0, u"30"},
        {u"0.5", Direction::WattsToDbm, 26.9897000433602, u"26.9897"},
        {u"2", Direction::WattsToDbm, 33.0102999566398, u"33.0103"},
        {u"0.001", Direction::WattsToDbm, 0.0, u"0"},
        {u"0.0001", Direction::WattsToDbm, -10.0, u"-10"},
        {u"0.0008", Direction::WattsToDbm, -0.96910013008056, u"-.9691"},
        // spaces around the input change nothing
        {u"  30  ", Direction::DbmToWatts, 1.0, u"1"},
        {u" 1 ", Direction::WattsToDbm, 30.0, u"30"},
        // exponent forms and the exponent text of large results
        {u"1e-3", Direction::WattsToDbm, 0.0, u"0"},
        {u"180", Direction::DbmToWatts, 1e15, u"1E+15"},
        {u"207", Direction::DbmToWatts, 5.011872336272715e17, u"5.01187233627271E+17"},
        {u"208", Direction::DbmToWatts, 6.309573444801943e17, u"6.30957344480194E+17"},
        // underflow is not a fault: the power simply becomes zero
        {u"-3300", Direction::DbmToWatts, 0.0, u"0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.input) + (c.direction == Direction::DbmToWatts ? " dBm" : " W"));
        const double value = convert(c.direction, c.input);
        EXPECT_NEAR(value, c.value, std::fabs(c.value) * 1e-14 + 1e-300);
        EXPECT_EQ(utf8(ResultText(value)), utf8(c.shown));
    }
}

TEST(PowerConversion, OneWattIsThirtyByTheQuotientOfNaturalLogarithms)
{
    // ln 1000 / ln 10 is a little below 3; a base-10 logarithm would give 3 exactly.
    const double level = ConvertWattsToDbm(u"1");
    EXPECT_LE(level, 30.0);
    EXPECT_GE(level, 30.0 - 4 * (30.0 - std::nextafter(30.0, 0.0)));
    EXPECT_EQ(utf8(ResultText(level)), "30");
}

TEST(ResultText, PutsAZeroBeforePositiveFractionsOnly)
{
    const std::pair<double, std::u16string> cases[] = {
        {0.99996, u"1"},
        {0.99994, u"0.9999"},
        {1.0, u"1"},
        {1.00004, u"1"},
        {0.1, u"0.1"},
        {0.0001, u"0.0001"},
        {0.00005, u"0.0001"},
        {0.000049999, u"0"},
        {0.0, u"0"},
        {-0.00001, u"0"},
        {-0.00004999, u"0"},
        {-0.00005001, u"-.0001"},
        {-0.96910013008056, u"-.9691"},
        {-10.0, u"-10"},
        {-1234.56789, u"-1234.5679"},
        {0.03125, u"0.0312"},
        {0.09375, u"0.0938"},
        {1.03125, u"1.0312"},
        {-0.03125, u"-.0312"},
        {0.00015, u"0.0001"},
        {123456789012.34567, u"123456789012.346"},
        {999999999999999.9, u"1E+15"},
    };
    for (const auto& [value, shown] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(utf8(ResultText(value)), utf8(shown));
    }
}

struct FaultCase {
    std::u16string input;
    Direction direction;
    Fault fault;
};

TEST(PowerConversion, EachFailureStopsTheCalculationWithItsOwnFault)
{
    const FaultCase cases[] = {
        {u"1" + std::u16string(400, u'0'), Direction::DbmToWatts, Fault::NumberOutOfRange},
        {u"1" + std::u16string(400, u'0'), Direction::WattsToDbm, Fault::NumberOutOfRange},
        {u"0", Direction::WattsToDbm, Fault::LogarithmOfNonPositive},
        {u"-", Direction::WattsToDbm, Fault::LogarithmOfNonPositive},
        {u".", Direction::WattsToDbm, Fault::LogarithmOfNonPositive},
        {u"-.", Direction::WattsToDbm, Fault::LogarithmOfNonPositive},
        {u"-5", Direction::WattsToDbm, Fault::LogarithmOfNonPositive},
        {u"-0", Direction::WattsToDbm, Fault::LogarithmOfNonPositive},
        {u"1e-400", Direction::WattsToDbm, Fault::LogarithmOfNonPositive},
        // the power overflows; only the flag check after the product can tell
        {u"3090", Direction::DbmToWatts, Fault::FloatingPoint},
        {u"3083", Direction::DbmToWatts, Fault::FloatingPoint},
        {u"1e10", Direction::DbmToWatts, Fault::FloatingPoint},
        // the division by 0.001 overflows
        {u"1e306", Direction::WattsToDbm, Fault::FloatingPoint},
        {u"1.7976931348623157e308", Direction::WattsToDbm, Fault::FloatingPoint},
        // negative, but the division overflows first: the check after it stops the calculation
        {u"-1e306", Direction::WattsToDbm, Fault::FloatingPoint},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.input.substr(0, 30)) + (c.direction == Direction::DbmToWatts ? " dBm" : " W"));
        try {
            const double value = convert(c.direction, c.input);
            ADD_FAILURE() << "no run-time error; returned " << value;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.fault(), c.fault);
        }
    }
}

TEST(PowerConversion, LargestInputsJustInsideTheRangeStillConvert)
{
    EXPECT_EQ(utf8(ResultText(ConvertDbmToWatts(u"3080"))), "1E+305");
    EXPECT_NEAR(ConvertWattsToDbm(u"1e305"), 3080.0, 1e-9);
    EXPECT_NEAR(ConvertWattsToDbm(u"4.9406564584124654e-324"), -3203.0620, 1e-3);
}

#if defined(FE_OVERFLOW) && defined(FE_DIVBYZERO) && defined(FE_INVALID)
TEST(PowerConversion, FlagsLeftFromEarlierWorkDoNotFailALaterCalculation)
{
    for (const Direction direction : {Direction::DbmToWatts, Direction::WattsToDbm}) {
        std::feraiseexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID);
        EXPECT_NO_THROW((void)convert(direction, u"30"));
    }
}
#endif

TEST(PowerConversion, AFailedCalculationLeavesTheNextOneUnharmed)
{
    EXPECT_THROW((void)ConvertDbmToWatts(u"5000"), RuntimeError);
    EXPECT_EQ(utf8(ResultText(ConvertDbmToWatts(u"30"))), "1");
    EXPECT_THROW((void)ConvertWattsToDbm(u"0"), RuntimeError);
    EXPECT_EQ(utf8(ResultText(ConvertWattsToDbm(u"2"))), "33.0103");
}

} // namespace
} // namespace dbmconv
