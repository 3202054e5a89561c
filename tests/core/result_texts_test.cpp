// A table of inputs in both directions with the texts the Linux build shows for
// them (or the reason it stops), checked here on every platform the suite runs
// on, so that the same input shows the same text everywhere. Run with
// DBMCONV_WRITE_RESULT_TEXTS=1 to write the table afresh from this build.
#include "power_conversion.h"
#include "result_texts_table.h"
#include "runtime_error.h"
#include "support/u16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace dbmconv {
namespace {

using test::u16;
using test::utf8;

struct Row {
    std::string direction; // "dBm" (dBm to watts) or "W" (watts to dBm)
    std::string input;
    std::string shown;     // the result text, or "!" and the fault that stopped it
};

std::string outcome(const std::string& direction, const std::string& input)
{
    try {
        const double value = direction == "dBm" ? ConvertDbmToWatts(u16(input)) : ConvertWattsToDbm(u16(input));
        return utf8(ResultText(value));
    } catch (const RuntimeError& error) {
        switch (error.fault()) {
        case Fault::NumberOutOfRange:
            return "!out-of-range";
        case Fault::LogarithmOfNonPositive:
            return "!not-positive";
        case Fault::FloatingPoint:
            return "!floating-point";
        }
    }
    return "!unknown";
}

std::vector<Row> parse(const std::string& table)
{
    std::vector<Row> rows;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const auto first = line.find('\t');
        const auto second = line.find('\t', first + 1);
        rows.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
    }
    return rows;
}

std::string decimal(double value, int places)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

std::string significant(double value, int digits)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    return buffer;
}

// The inputs of the table: everyday values, random ones over the whole range
// with 0 to 6 decimals, the exponent form, inputs whose result lies within a
// hair of a 4-place rounding boundary, and the inputs that stop.
std::vector<std::pair<std::string, std::string>> inputs()
{
    std::vector<std::pair<std::string, std::string>> all;
    std::mt19937_64 generator(20261208);
    for (const char* text : {"0", "20", "30", "33", "47", "-13", "-20", "  30  ", "1-2", "1.2.3", "-", ".", "-.",
                             "180", "207", "208", "397.75", "1027", "838.099257", "2477.44", "2163.6", "3080",
                             "3083", "3090", "-3300", "1e10"}) {
        all.emplace_back("dBm", text);
    }
    all.emplace_back("dBm", "1" + std::string(400, '0'));
    for (const char* text : {"1", "0.5", "2", "0.001", "0.0001", "0.0008", "0", "-5", "-", "1e-400", "1e305",
                             "1e306", "-1e306", "4.9406564584124654e-324", "1.7976931348623157e308"}) {
        all.emplace_back("W", text);
    }
    for (int i = 0; i < 1500; ++i) {
        const double level = std::uniform_real_distribution<double>(-3000.0, 3080.0)(generator);
        all.emplace_back("dBm", decimal(level, static_cast<int>(generator() % 7)));
    }
    for (int i = 0; i < 1000; ++i) {
        const double watts = std::ldexp(std::uniform_real_distribution<double>(1.0, 2.0)(generator),
                                        static_cast<int>(generator() % 2000) - 1000);
        all.emplace_back("W", significant(watts, 1 + static_cast<int>(generator() % 17)));
    }
    for (int i = 0; i < 400; ++i) {
        // watts of k + 1/2 ten-thousandths, and levels of k + 1/2 ten-thousandths dBm
        const double boundary = (static_cast<double>(generator() % 2'000'000) + 0.5) / 1e4;
        all.emplace_back("dBm", significant(10.0 * std::log10(boundary / 0.001), 17));
        const double level = (static_cast<double>(generator() % 1'000'000) - 500'000 + 0.5) / 1e4;
        all.emplace_back("W", significant(0.001 * std::pow(10.0, level / 10.0), 17));
    }
    return all;
}

TEST(ResultTexts, EveryInputShowsTheTextOfTheTable)
{
    if (std::getenv("DBMCONV_WRITE_RESULT_TEXTS") != nullptr) {
        std::ofstream out(DBMCONV_RESULT_TEXTS_PATH, std::ios::binary);
        out << "# direction\tinput\tresult text, or ! and why the calculation stops\n";
        for (const auto& [direction, input] : inputs()) {
            out << direction << '\t' << input << '\t' << outcome(direction, input) << '\n';
        }
        GTEST_SKIP() << "wrote " << DBMCONV_RESULT_TEXTS_PATH;
    }
    const std::vector<Row> rows = parse(kResultTextsTable);
    ASSERT_GT(rows.size(), 3000U);
    int differences = 0;
    for (const Row& row : rows) {
        const std::string shown = outcome(row.direction, row.input);
        if (shown != row.shown && ++differences <= 20) {
            ADD_FAILURE() << row.direction << " \"" << row.input << "\" shows " << shown << ", the table says "
                          << row.shown;
        }
    }
    EXPECT_EQ(differences, 0) << "of " << rows.size() << " inputs";
}

} // namespace
} // namespace dbmconv
