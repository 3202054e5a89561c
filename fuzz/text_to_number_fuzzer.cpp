// Reading a number from any text: the value must be the correctly rounded value
// of the number at the start of the text (checked against the C library's own
// reader on the same number, found independently here), spaces must not matter,
// and the time taken must grow linearly with the length of the text. The power
// of ten and the logarithm of the value read must have their properties too.
#include "fuzz_input.h"
#include "math_properties.h"
#include "runtime_error.h"
#include "text_to_number.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using dbmconv::Fault;
using dbmconv::RuntimeError;
using dbmconv::TextToNumber;
using dbmconv::fuzz::fail;

bool ignorable(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The number at the start of the text in the C library's syntax, by a scanner
// written for this check alone: [+-] digits [. digits] [(e|E) [+-] digits].
std::string numberPrefix(const std::u16string& text)
{
    std::u16string meaningful;
    for (const char16_t c : text) {
        if (!ignorable(c)) {
            meaningful.push_back(c);
        }
    }
    std::string number;
    std::size_t i = 0;
    if (i < meaningful.size() && (meaningful[i] == u'-' || meaningful[i] == u'+')) {
        number.push_back(static_cast<char>(meaningful[i++]));
    }
    std::size_t digits = 0;
    while (i < meaningful.size() && digit(meaningful[i])) {
        number.push_back(static_cast<char>(meaningful[i++]));
        ++digits;
    }
    if (i < meaningful.size() && meaningful[i] == u'.') {
        number.push_back('.');
        ++i;
        while (i < meaningful.size() && digit(meaningful[i])) {
            number.push_back(static_cast<char>(meaningful[i++]));
            ++digits;
        }
    }
    if (digits == 0) {
        return "0";
    }
    if (i < meaningful.size() && (meaningful[i] == u'e' || meaningful[i] == u'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < meaningful.size() && (meaningful[j] == u'-' || meaningful[j] == u'+')) {
            exponent.push_back(static_cast<char>(meaningful[j++]));
        }
        if (j < meaningful.size() && digit(meaningful[j])) {
            while (j < meaningful.size() && digit(meaningful[j])) {
                exponent.push_back(static_cast<char>(meaningful[j++]));
            }
            number += exponent;
        }
    }
    return number;
}

bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// One input in 1024, picked by its bytes, also runs the costly linear-time
// check, so that the shapes it sees vary as widely as the inputs do.
bool rarelyChosen(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t hash = 2166136261U;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619U;
    }
    return (hash & 1023U) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text = dbmconv::fuzz::decodeText(data, size);

    const std::string prefix = numberPrefix(text);
    errno = 0;
    const double expected = std::strtod(prefix.c_str(), nullptr);
    const bool overflows = errno == ERANGE && std::isinf(expected);

    double value = 0.0;
    try {
        value = TextToNumber(text);
    } catch (const RuntimeError& error) {
        if (error.fault() != Fault::NumberOutOfRange) {
            fail("reading raised a fault other than out of range", text);
        }
        if (!overflows) {
            fail("reading reported out of range for " + prefix.substr(0, 80), text);
        }
        return 0;
    }
    if (overflows) {
        fail("reading accepted a number beyond the range of a double", text);
    }
    if (!sameDouble(value, expected)) {
        fail("read a different value than the C library for " + prefix.substr(0, 80), text);
    }

    // Spaces, tabs and line feeds anywhere change nothing.
    std::u16string spaced;
    for (const char16_t c : text) {
        spaced.push_back(c);
        spaced.push_back(u' ');
    }
    if (!sameDouble(TextToNumber(u"\t" + spaced + u"\n"), value)) {
        fail("spaces changed the value", text);
    }

    for (const std::string& problem :
         {dbmconv::fuzz::powerOfTenProblem(value), dbmconv::fuzz::logarithmProblem(std::fabs(value))}) {
        if (!problem.empty()) {
            fail(problem + " at " + prefix.substr(0, 80), text);
        }
    }

    // Linear time: the text repeated to 16 K code units must read in far less
    // time than a quadratic reader would need (seconds).
    if (!text.empty() && rarelyChosen(data, size)) {
        std::u16string longer;
        while (longer.size() < 16384) {
            longer += text;
        }
        const auto start = std::chrono::steady_clock::now();
        try {
            (void)TextToNumber(longer);
        } catch (const RuntimeError&) {
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (elapsed > std::chrono::milliseconds(200)) {
            fail("reading 16 K code units took over 200 ms", text);
        }
    }
    return 0;
}
