// The whole calculation: a direction byte and an input text go through the
// conversion to the result text. Either the calculation stops with the right
// run-time error for a reason that can be named, or its result text is
// well-formed and reads back to the rounded value. The power or the logarithms
// it takes must have their properties too.
#include "fuzz_input.h"
#include "math_properties.h"
#include "text_to_number.h"
#include "power_conversion.h"
#include "result_text_properties.h"
#include "runtime_error.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace {

using dbmconv::Fault;
using dbmconv::RuntimeError;
using dbmconv::fuzz::fail;

enum class ReadOutcome { Value, OutOfRange };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    // '0' (even) is dBm to watts, '1' (odd) watts to dBm: seeds read as "030", "10.5".
    const bool wattsToDbm = (data[0] & 1u) != 0;
    const std::u16string input = dbmconv::fuzz::decodeText(data + 1, size - 1);

    ReadOutcome read = ReadOutcome::Value;
    double number = 0.0;
    try {
        number = dbmconv::TextToNumber(input);
    } catch (const RuntimeError&) {
        read = ReadOutcome::OutOfRange;
    }

    if (read == ReadOutcome::Value) {
        const std::string problem = wattsToDbm ? dbmconv::fuzz::logarithmProblem(number / 0.001)
                                               : dbmconv::fuzz::powerOfTenProblem(number / 10.0);
        if (!problem.empty()) {
            fail(problem, input);
        }
    }

    double value = 0.0;
    try {
        value = wattsToDbm ? dbmconv::ConvertWattsToDbm(input) : dbmconv::ConvertDbmToWatts(input);
    } catch (const RuntimeError& error) {
        switch (error.fault()) {
        case Fault::NumberOutOfRange:
            if (read != ReadOutcome::OutOfRange) {
                fail("out of range reported for a number that reads", input);
            }
            return 0;
        case Fault::LogarithmOfNonPositive:
            if (!wattsToDbm || read != ReadOutcome::Value || number > 0.0) {
                fail("logarithm fault without a power of zero or less", input);
            }
            return 0;
        case Fault::FloatingPoint: {
            // only a power beyond the range of a double, or a quotient by 0.001 beyond it
            const bool tooLarge = wattsToDbm ? std::fabs(number) > DBL_MAX * 0.00099 : number / 10.0 > 308.2;
            if (read != ReadOutcome::Value || !tooLarge) {
                fail("floating-point fault for a value in range", input);
            }
            return 0;
        }
        }
        fail("unknown fault", input);
    }

    if (read != ReadOutcome::Value) {
        fail("a number out of range was converted", input);
    }
    if (!std::isfinite(value)) {
        fail("conversion returned a value that is not finite", input);
    }
    if (wattsToDbm && !(number > 0.0)) {
        fail("watts of zero or less were converted", input);
    }
    const std::u16string shown = dbmconv::ResultText(value);
    if (const std::string problem = dbmconv::test::resultTextProblem(shown, value); !problem.empty()) {
        fail("result text: " + problem, input);
    }
    return 0;
}
