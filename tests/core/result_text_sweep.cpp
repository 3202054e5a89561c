// Writes the result of a seeded stream of typed inputs, one line each: the
// result text, or the fault that stopped the calculation. Built for Linux and
// for WebAssembly, the two must write the same bytes.
// usage: result_text_sweep COUNT SEED OUTPUT-FILE
#include "power_conversion.h"
#include "runtime_error.h"
#include "utf8_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

// A number as someone might type it, built from integers only, so that every
// platform types the same text: a sign, up to 17 digits with a point
// somewhere, and an exponent now and then, near the range's edges too.
std::u16string typedNumber(std::mt19937_64& random)
{
    std::u16string text;
    if (random() % 4 == 0) {
        text += u'-';
    }
    const int digits = 1 + static_cast<int>(random() % 17);
    const int point = static_cast<int>(random() % static_cast<std::uint64_t>(digits + 1));
    for (int i = 0; i < digits; ++i) {
        if (i == point && i != 0) {
            text += u'.';
        }
        text += static_cast<char16_t>(u'0' + random() % 10);
    }
    if (random() % 3 == 0) {
        const int exponent = static_cast<int>(random() % 661) - 330;
        for (const char c : "e" + std::to_string(exponent)) {
            text += static_cast<char16_t>(c);
        }
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: result_text_sweep COUNT SEED OUTPUT-FILE\n", stderr);
        return 2;
    }
    // (a file, not standard output, which Node.js's WebAssembly writes a line at
    // a time through its console)
    std::FILE* const output = std::fopen(argv[3], "w");
    if (output == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    const long count = std::strtol(argv[1], nullptr, 10);
    std::mt19937_64 random(std::strtoull(argv[2], nullptr, 10));
    for (long i = 0; i < count; ++i) {
        const bool toWatts = random() % 2 == 0;
        const std::u16string typed = typedNumber(random);
        std::string line;
        try {
            line = dbmconv::Utf8Of(dbmconv::ResultText(toWatts ? dbmconv::ConvertDbmToWatts(typed)
                                                    : dbmconv::ConvertWattsToDbm(typed)));
        } catch (const dbmconv::RuntimeError& error) {
            line = "fault " + std::to_string(static_cast<int>(error.fault()));
        }
        std::fputs(line.c_str(), output);
        std::fputc('\n', output);
    }
    return std::fclose(output) == 0 ? 0 : 1;
}
