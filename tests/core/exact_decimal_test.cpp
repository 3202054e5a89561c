#include "exact_decimal.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace dbmconv::detail {
namespace {

#if defined(__cpp_lib_to_chars)
// The core's own decimal conversions, which WebAssembly uses, against the
// standard library's, which the other platforms use: the same digits and the
// same doubles for doubles of every magnitude and decimals of every length.
double randomDouble(std::mt19937_64& random)
{
    for (;;) {
        const std::uint64_t bits = random();
        double x = 0.0;
        std::memcpy(&x, &bits, sizeof x);
        if (std::isfinite(x)) {
            return std::fabs(x);
        }
    }
}

TEST(ExactDecimal, GivesTheStandardLibrarysDigitsForDoublesOfEveryMagnitude)
{
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 20'000; ++i) {
        const double x = i < 64 ? std::ldexp(1.0, -1074 + 33 * i) : randomDouble(random);
        std::array<char, 400> buffer{};
        const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                       std::chars_format::scientific, 14);
        const std::string text(buffer.data(), end.ptr);
        std::string digits;
        for (const char c : text.substr(0, text.find('e'))) {
            if (c != '.') {
                digits += c;
            }
        }
        while (digits.size() > 1 && digits.back() == '0') {
            digits.pop_back();
        }
        const Decimal rounded = roundedToSignificant(exactDecimal(x), 15);
        ASSERT_EQ(rounded.digits, digits) << text;
        ASSERT_EQ(rounded.exponent - 1, std::stoi(text.substr(text.find('e') + 1))) << text;

        const int places = i % 16;
        const auto fixed = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::fixed, places);
        double expected = 0.0;
        std::from_chars(buffer.data(), fixed.ptr, expected);
        ASSERT_EQ(nearestDouble(roundedToPlaces(exactDecimal(x), places)), expected) << text << " to " << places;
    }
}

TEST(ExactDecimal, ReadsRandomDecimalsAsTheStandardLibraryDoes)
{
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 20'000; ++i) {
        const int length = i % 100 == 0 ? 1 + static_cast<int>(random() % 800) : 1 + static_cast<int>(random() % 25);
        std::string digits(1, static_cast<char>('1' + random() % 9));
        while (static_cast<int>(digits.size()) < length) {
            digits.push_back(static_cast<char>('0' + random() % 10));
        }
        // half of them near 1, where short digits are read by one division or
        // multiplication
        const int exponent = i % 2 == 0 ? static_cast<int>(random() % 61) - 30 : static_cast<int>(random() % 660) - 340;
        const std::string text = "0." + digits + "e" + std::to_string(exponent);
        double expected = 0.0;
        if (std::from_chars(text.data(), text.data() + text.size(), expected).ec == std::errc::result_out_of_range) {
            expected = exponent > 0 ? HUGE_VAL : 0.0;
        }
        ASSERT_EQ(nearestDouble(Decimal{digits, exponent}), expected) << text.substr(0, 80);
    }
}
#endif

} // namespace
} // namespace dbmconv::detail
