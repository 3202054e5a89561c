#include "round_to_places.h"

#include "exact_decimal.h"
#include "float_evaluation.h"
#include "two_words.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace dbmconv {

namespace {

constexpr int kMaxPlaces = 15;

// 10^0 to 10^15, each exact as a double and as an integer.
constexpr std::array<double, kMaxPlaces + 1> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Every double is m x 2^-shift exactly; multiplied by 10^places (at most 103
// bits) the product is exact in two 64-bit words, so the nearest integer, ties
// to even, is found without any rounding on the way. Doubles of 2^53 / 10^places
// and more go the longer way through the decimal text.
std::optional<double> roundExactly(double value, int places)
{
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;
    if (shift <= 0) {
        return value; // already a whole number
    }
    const double scale = kPowersOfTen[static_cast<std::size_t>(places)];
    const detail::TwoWords scaled = detail::multiplyFull(mantissa, static_cast<std::uint64_t>(scale));
    std::uint64_t whole = 0;
    // From a shift of 128 on, the product (below 2^103) is less than half a unit: 0.
    if (shift < 128) {
        const detail::TwoWords quotient = detail::shiftedRight(scaled, shift);
        if (quotient.high != 0 || quotient.low >= (std::uint64_t{1} << 53)) {
            return std::nullopt;
        }
        const detail::TwoWords remainder = detail::lowBits(scaled, shift);
        const detail::TwoWords half = detail::TwoWords::powerOfTwo(shift - 1);
        whole = quotient.low;
        if (remainder > half || (remainder == half && (whole & 1U) != 0)) {
            ++whole;
        }
    }
    // Both operands are exact, so the division rounds once: to the double nearest
    // to whole / 10^places.
    const double rounded = static_cast<double>(whole) / scale;
    return std::copysign(rounded, value);
}

} // namespace

double RoundToPlaces(double value, int places)
{
    if (places < 0 || places > kMaxPlaces) {
        throw std::invalid_argument("RoundToPlaces: places must be 0 to 15");
    }
    if (!std::isfinite(value)) {
        return value;
    }
    if (const auto exact = roundExactly(value, places)) {
        return *exact;
    }
    // (the standard library's exact conversions where it has them for doubles:
    // the same digits as the core's own, as its tests prove, and sooner)
#if defined(__cpp_lib_to_chars)
    // The fixed notation of the largest double has 309 digits before the point.
    std::array<char, 330> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, places);
    double rounded = 0.0;
    std::from_chars(buffer.data(), written.ptr, rounded);
    return rounded;
#else
    const double rounded = detail::nearestDouble(detail::roundedToPlaces(detail::exactDecimal(value), places));
    return std::copysign(rounded, value);
#endif
}

} // namespace dbmconv
