#include "number_text.h"

#include "runtime_error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace dbmconv {

namespace {

// A double needs at most 767 significant decimal digits to round correctly; the
// digits beyond the kept ones only matter through whether any of them is non-zero.
constexpr std::size_t kKeptDigits = 800;

// No double lies at or beyond 10^309 or below 10^-330 (half the smallest subnormal
// is about 2.5e-324), so exponents are saturated well past those bounds.
constexpr std::int64_t kExponentSaturation = 100'000;
constexpr std::int64_t kOverflowExponent = 310;
constexpr std::int64_t kUnderflowExponent = -330;

constexpr int kSignificantDigits = 15;

bool isIgnorable(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the text, stepping over ignorable characters before every look.
class Reader {
public:
    explicit Reader(std::u16string_view text)
        : text_(text)
    {
    }

    // The next meaningful character, or U+0000 at the end (which continues nothing).
    char16_t peek()
    {
        while (pos_ < text_.size() && isIgnorable(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : u'\0';
    }

    void advance() { ++pos_; }

private:
    std::u16string_view text_;
    std::size_t pos_ = 0;
};

// The number as 0.<digits> x 10^exponent, with a flag for dropped non-zero digits.
struct DecimalNumber {
    bool hasDigits = false;
    bool negative = false;
    std::string digits;
    bool droppedNonZero = false;
    std::int64_t exponent = 0;
};

DecimalNumber scanNumber(std::u16string_view text)
{
    DecimalNumber number;
    Reader reader(text);

    if (const char16_t sign = reader.peek(); sign == u'-' || sign == u'+') {
        number.negative = sign == u'-';
        reader.advance();
    }

    bool seenPoint = false;
    for (;;) {
        const char16_t c = reader.peek();
        if (isDigit(c)) {
            number.hasDigits = true;
            if (number.digits.empty() && c == u'0') {
                if (seenPoint) {
                    --number.exponent;
                }
            } else {
                if (!seenPoint) {
                    ++number.exponent;
                }
                if (number.digits.size() < kKeptDigits) {
                    number.digits.push_back(static_cast<char>(c));
                } else if (c != u'0') {
                    number.droppedNonZero = true;
                }
            }
            reader.advance();
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            reader.advance();
        } else {
            break;
        }
    }

    if (!number.hasDigits) {
        return number;
    }
    if (const char16_t e = reader.peek(); e != u'e' && e != u'E') {
        return number;
    }
    reader.advance();
    bool negativeExponent = false;
    if (const char16_t sign = reader.peek(); sign == u'-' || sign == u'+') {
        negativeExponent = sign == u'-';
        reader.advance();
    }
    std::int64_t exponent = 0;
    for (char16_t c = reader.peek(); isDigit(c); c = reader.peek()) {
        exponent = std::min(exponent * 10 + (c - u'0'), kExponentSaturation);
        reader.advance();
    }
    number.exponent += negativeExponent ? -exponent : exponent;
    return number;
}

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

constexpr int kMaxPlaces = 15;

// 10^0 to 10^15, each exact as a double and as an integer.
constexpr std::array<double, kMaxPlaces + 1> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Every double is m x 2^-shift exactly; multiplied by 10^places (at most 103
// bits) the product is exact in 128 bits, so the nearest integer, ties to even,
// is found without any rounding on the way. Doubles of 2^53 / 10^places and
// more go the longer way through the decimal text.
std::optional<double> roundExactly(double value, int places)
{
#if defined(__SIZEOF_INT128__)
    __extension__ using Wide = unsigned __int128;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;
    if (shift <= 0) {
        return value; // already a whole number
    }
    const Wide scaled = Wide{mantissa} * static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(places)]);
    std::uint64_t whole = 0;
    if (shift < 128) {
        const Wide quotient = scaled >> shift;
        const Wide remainder = scaled - (quotient << shift);
        const Wide half = Wide{1} << (shift - 1);
        if (quotient >= (Wide{1} << 53)) {
            return std::nullopt;
        }
        whole = static_cast<std::uint64_t>(quotient);
        if (remainder > half || (remainder == half && (whole & 1U) != 0)) {
            ++whole;
        }
    }
    // Both operands are exact, so the division rounds once: to the double nearest
    // to whole / 10^places.
    const double rounded = static_cast<double>(whole) / kPowersOfTen[static_cast<std::size_t>(places)];
    return std::copysign(rounded, value);
#else
    (void)value;
    (void)places;
    return std::nullopt;
#endif
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

double TextToNumber(std::u16string_view text)
{
    const DecimalNumber number = scanNumber(text);
    if (!number.hasDigits) {
        return 0.0;
    }
    // "-0" and "-1e-400" keep their sign, as any correctly rounded reading does
    const double zero = number.negative ? -0.0 : 0.0;
    if (number.digits.empty() || number.exponent < kUnderflowExponent) {
        return zero;
    }
    if (number.exponent > kOverflowExponent) {
        throw RuntimeError(Fault::NumberOutOfRange);
    }

    std::string canonical = "0." + number.digits;
    if (number.droppedNonZero) {
        canonical += '1';
    }
    canonical += 'e' + std::to_string(number.exponent);

    double magnitude = 0.0;
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        if (number.exponent > 0) {
            throw RuntimeError(Fault::NumberOutOfRange);
        }
        return zero;
    }
    return number.negative ? -magnitude : magnitude;
}

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
    // The fixed notation of the largest double has 309 digits before the point.
    std::array<char, 330> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, places);
    double rounded = 0.0;
    std::from_chars(buffer.data(), written.ptr, rounded);
    return rounded;
}

} // namespace dbmconv
