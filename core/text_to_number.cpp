#include "text_to_number.h"

#include "exact_decimal.h"
#include "float_evaluation.h"
#include "runtime_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace dbmconv {

namespace {

// A double needs at most 767 significant decimal digits to round correctly; the
// digits beyond the kept ones only matter through whether any of them is non-zero.
constexpr std::size_t kKeptDigits = 800;

// No double lies at or beyond 10^309 or below 10^-330 (half the smallest subnormal
// is about 2.5e-324). A written exponent is held at about 10^18 (never past
// 10^18 + 9, so it cannot overflow), where no text can bring it back into that
// range: the digits before and after the point move it by at most the length of
// the text, and no text is 10^15 characters long. The value that results is
// therefore decided exactly, whatever the lengths.
constexpr std::int64_t kExponentSaturation = 1'000'000'000'000'000'000;
constexpr std::int64_t kOverflowExponent = 310;
constexpr std::int64_t kUnderflowExponent = -330;

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
        exponent = std::min(exponent, kExponentSaturation / 10) * 10 + (c - u'0');
        reader.advance();
    }
    number.exponent += negativeExponent ? -exponent : exponent;
    return number;
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

    // (the standard library's exact reading where it has one for doubles: the
    // same double as the core's own, as its tests prove, and sooner)
#if defined(__cpp_lib_to_chars)
    std::string canonical = "0." + number.digits;
    if (number.droppedNonZero) {
        canonical += '1';
    }
    canonical += 'e' + std::to_string(number.exponent);
    double magnitude = 0.0;
    const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        if (number.exponent > 0) {
            throw RuntimeError(Fault::NumberOutOfRange);
        }
        return zero;
    }
#else
    detail::Decimal decimal{number.digits, static_cast<int>(number.exponent)};
    if (number.droppedNonZero) {
        decimal.digits += '1';
    }
    const double magnitude = detail::nearestDouble(decimal);
    if (std::isinf(magnitude)) {
        throw RuntimeError(Fault::NumberOutOfRange);
    }
#endif
    return number.negative ? -magnitude : magnitude;
}

} // namespace dbmconv
