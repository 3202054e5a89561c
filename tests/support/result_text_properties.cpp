#include "result_text_properties.h"

#include "round_to_places.h"
#include "text_to_number.h"

#include <cmath>
#include <string>

namespace dbmconv::test {

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::size_t countDigits(std::u16string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n])) {
        ++n;
    }
    return n;
}

std::string exponentFormProblem(std::u16string_view body)
{
    const auto e = body.find(u'E');
    const auto mantissa = body.substr(0, e);
    const auto exponent = body.substr(e + 1);
    if (mantissa.empty() || !isDigit(mantissa[0]) || mantissa[0] == u'0') {
        return "exponent form needs a mantissa starting with 1-9";
    }
    std::size_t significant = 1;
    if (mantissa.size() > 1) {
        if (mantissa[1] != u'.' || mantissa.size() < 3) {
            return "exponent form mantissa must be d or d.ddd";
        }
        const auto fraction = mantissa.substr(2);
        if (countDigits(fraction) != fraction.size() || fraction.back() == u'0') {
            return "exponent form fraction must be digits without trailing zeros";
        }
        significant += fraction.size();
    }
    if (significant > 15) {
        return "more than 15 significant digits";
    }
    if (exponent.size() < 3 || exponent[0] != u'+') {
        return "exponent must be + and at least two digits";
    }
    const auto digits = exponent.substr(1);
    if (countDigits(digits) != digits.size()) {
        return "exponent must be digits";
    }
    if (std::stoi(std::string(digits.begin(), digits.end())) < 15) {
        return "exponent form below 10^15";
    }
    return {};
}

std::string positionalFormProblem(std::u16string_view body, bool negative)
{
    const auto point = body.find(u'.');
    const auto integer = body.substr(0, point);
    if (countDigits(integer) != integer.size()) {
        return "integer part must be digits";
    }
    if (point == std::u16string_view::npos) {
        if (integer.empty()) {
            return "no digits";
        }
        if (integer.size() > 1 && integer[0] == u'0') {
            return "leading zero before a whole number";
        }
        if (integer.size() > 15) {
            return "more than 15 digits without an exponent";
        }
        if (negative && integer == u"0") {
            return "negative zero";
        }
        return {};
    }
    const auto fraction = body.substr(point + 1);
    if (fraction.empty() || countDigits(fraction) != fraction.size()) {
        return "fraction must be digits";
    }
    if (fraction.size() > 4) {
        return "more than 4 decimals";
    }
    if (fraction.back() == u'0') {
        return "trailing zero";
    }
    if (negative) {
        if (integer == u"0") {
            return "a zero before a negative fraction";
        }
    } else if (integer.empty()) {
        return "no zero before a positive fraction";
    }
    if (integer.size() > 1 && integer[0] == u'0') {
        return "leading zero";
    }
    if (integer.size() + fraction.size() - (integer == u"0" ? 1 : 0) > 15) {
        return "more than 15 significant digits";
    }
    return {};
}

} // namespace

std::string resultTextShapeProblem(std::u16string_view text)
{
    if (text.empty()) {
        return "empty";
    }
    const bool negative = text[0] == u'-';
    const auto body = negative ? text.substr(1) : text;
    return body.find(u'E') != std::u16string_view::npos ? exponentFormProblem(body)
                                                        : positionalFormProblem(body, negative);
}

std::string resultTextProblem(std::u16string_view text, double value)
{
    if (auto problem = resultTextShapeProblem(text); !problem.empty()) {
        return problem;
    }
    const double rounded = RoundToPlaces(value, 4);
    const double read = TextToNumber(text);
    if (std::fabs(rounded) < 1e11) {
        // all 4 decimals fit in the 15 digits: the text is the rounded value exactly
        return read == rounded ? std::string() : "does not read back as the rounded value";
    }
    // 15 significant digits: off by at most half a unit in the 15th digit, plus the
    // rounding of the text itself to the nearest double
    const double magnitude = std::fabs(rounded);
    const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(magnitude)) - 14);
    const double ulp = std::nextafter(magnitude, HUGE_VAL) - magnitude;
    if (std::fabs(read - rounded) > halfUnit + 2 * ulp) {
        return "reads back further than half a unit in the 15th digit from the rounded value";
    }
    return {};
}

} // namespace dbmconv::test
