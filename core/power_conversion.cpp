#include "power_conversion.h"

#include "float_evaluation.h"
#include "floating_point_access.h"
#include "floating_point_check.h"
#include "natural_logarithm.h"
#include "number_to_text.h"
#include "power_of_ten.h"
#include "round_to_places.h"
#include "text_ops.h"
#include "text_to_number.h"

namespace dbmconv {

namespace {

constexpr double kDecibelFactor = 10.0;
constexpr double kPowerBase = 10.0;
// The double nearest to 0.001, used as multiplier and divisor: multiplying or
// dividing by a thousand instead would round differently in the last bit.
constexpr double kWattsPerMilliwatt = 0.001;
constexpr double kDisplayThreshold = 1.0;
constexpr int kDecimalPlaces = 4;
constexpr std::u16string_view kLeadingZero = u"0";

} // namespace

// Every step goes through a volatile double: each intermediate is stored as a
// double, and the compiler can neither fold the arithmetic at compile time nor
// move it past the flag checks that follow it.

double ConvertDbmToWatts(std::u16string_view input)
{
    const FloatingPointCheck flags;
    volatile double v = TextToNumber(input);
    v = v / kDecibelFactor;
    flags.check(v);
    static_assert(kPowerBase == 10.0, "the power is computed as a power of ten");
    v = PowerOfTen(v);
    v = v * kWattsPerMilliwatt;
    flags.check(v);
    return v;
}

double ConvertWattsToDbm(std::u16string_view input)
{
    const FloatingPointCheck flags;
    volatile double v = TextToNumber(input);
    v = v / kWattsPerMilliwatt;
    flags.check(v);
    volatile const double a = NaturalLog(v);
    volatile const double b = NaturalLog(kPowerBase);
    v = (a / b) * kDecibelFactor;
    flags.check(v);
    return v;
}

std::u16string ResultText(double value)
{
    const double rounded = RoundToPlaces(value, kDecimalPlaces);
    std::u16string text = TrimSpaces(NumberToText(rounded));
    if (value >= kDisplayThreshold) {
        return text;
    }
    if (FindText(1, text, u".") == 1) {
        return std::u16string(kLeadingZero) + text;
    }
    return text;
}

} // namespace dbmconv
