#include "number_to_text.h"

#include "exact_decimal.h"
#include "float_evaluation.h"
#include "runtime_error.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace dbmconv {

namespace {

constexpr int kSignificantDigits = 15;

std::u16string widen(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// Digits and decimal exponent of a value rounded to 15 significant digits,
// trailing zeros removed: 1234.5 gives {"12345", 3}.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};

// The standard library's exact conversions where it has them for doubles (they
// give the same digits as the core's own, as the core's tests prove, and in a
// fraction of the time); the core's own where it has not (WebAssembly).
#if defined(__cpp_lib_to_chars)
SignificantDigits significantDigits(double magnitude)
{
    // d.dddddddddddddde+XXX at most
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const auto e = text.find('e');

    SignificantDigits out;
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            out.digits.push_back(c);
        }
    }
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    const std::string_view exponentText = text.substr(e + 1);
    const auto digitsStart = exponentText.front() == '+' ? 1 : 0;
    std::from_chars(exponentText.data() + digitsStart, exponentText.data() + exponentText.size(),
                    out.exponent);
    return out;
}
#else
SignificantDigits significantDigits(double magnitude)
{
    const detail::Decimal rounded =
        detail::roundedToSignificant(detail::exactDecimal(magnitude), kSignificantDigits);
    if (rounded.digits.empty()) {
        return {"0", 0};
    }
    return {rounded.digits, rounded.exponent - 1};
}
#endif

std::string exponentForm(const SignificantDigits& number)
{
    std::string text(1, number.digits.front());
    if (number.digits.size() > 1) {
        text += '.';
        text.append(number.digits, 1);
    }
    text += number.exponent < 0 ? "E-" : "E+";
    const std::string exponent = std::to_string(std::abs(number.exponent));
    if (exponent.size() < 2) {
        text += '0';
    }
    return text + exponent;
}

std::string positionalForm(const SignificantDigits& number)
{
    const auto& digits = number.digits;
    std::string text;
    if (number.exponent < 0) {
        text.push_back('.');
        text.append(static_cast<std::size_t>(-number.exponent - 1), '0');
        text.append(digits);
        return text;
    }
    const auto integerDigits = static_cast<std::size_t>(number.exponent) + 1;
    if (digits.size() <= integerDigits) {
        text.append(digits);
        text.append(integerDigits - digits.size(), '0');
        return text;
    }
    text.append(digits, 0, integerDigits);
    text.push_back('.');
    text.append(digits, integerDigits);
    return text;
}

// The text of a value that is a whole number of ten-thousandths below 10^11, as
// every rounded result is: its 15 significant digits are exactly those
// ten-thousandths, so they are written from the integer directly.
std::optional<std::u16string> shortDecimalText(double value)
{
    constexpr double kScale = 1e4;
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e11)) {
        return std::nullopt;
    }
    const double scaled = std::round(magnitude * kScale);
    if (scaled / kScale != magnitude) {
        return std::nullopt;
    }
    const auto units = static_cast<std::uint64_t>(scaled);
    const std::uint64_t whole = units / 10000;
    std::uint64_t fraction = units % 10000;

    std::array<char, 32> buffer{};
    char* out = buffer.data();
    *out++ = value < 0.0 ? '-' : ' ';
    if (whole != 0) {
        out = std::to_chars(out, buffer.data() + buffer.size(), whole).ptr;
    }
    if (fraction != 0) {
        int decimals = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --decimals;
        }
        *out++ = '.';
        char* end = out + decimals;
        for (char* digit = end; digit != out; fraction /= 10) {
            *--digit = static_cast<char>('0' + fraction % 10);
        }
        out = end;
    }
    return widen(std::string_view(buffer.data(), static_cast<std::size_t>(out - buffer.data())));
}

} // namespace

std::u16string NumberToText(double value)
{
    if (!std::isfinite(value)) {
        throw RuntimeError(Fault::FloatingPoint);
    }
    if (value == 0.0) {
        return u" 0";
    }
    if (auto text = shortDecimalText(value)) {
        return std::move(*text);
    }
    const SignificantDigits number = significantDigits(std::fabs(value));
    const std::string body =
        number.exponent >= kSignificantDigits ? exponentForm(number) : positionalForm(number);
    return widen((value < 0.0 ? "-" : " ") + body);
}

} // namespace dbmconv
