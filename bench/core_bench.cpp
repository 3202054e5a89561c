// The calculation per call: read the text, convert, write the result text; and,
// on the same inputs, a floor made of the C library alone: strtod, pow or log,
// snprintf("%.15G"). The bench script reports the ratio of the two.
#include "power_conversion.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Input {
    std::string text;
    bool wattsToDbm;
};

// A fixed mix: the everyday values of both directions, long fractions, exponents.
const std::vector<Input>& inputs()
{
    static const std::vector<Input> mix = [] {
        std::vector<Input> all;
        for (const char* dbm : {"0", "20", "30", "33", "47", "-13", "-20", "12.5", "-3.0103",
                                "60", "-100", "7.77", "180", "207", "0.001", "43.01029995664"}) {
            all.push_back({dbm, false});
        }
        for (const char* watts : {"1", "0.5", "2", "0.001", "0.0001", "0.0008", "100", "1000",
                                  "0.25", "3.14159", "1e-3", "75", "0.000001", "12345.678",
                                  "0.0125", "1500"}) {
            all.push_back({watts, true});
        }
        return all;
    }();
    return mix;
}

std::vector<std::u16string> wideTexts()
{
    std::vector<std::u16string> texts;
    for (const auto& input : inputs()) {
        texts.emplace_back(input.text.begin(), input.text.end());
    }
    return texts;
}

void BM_Calculation(benchmark::State& state)
{
    const auto& mix = inputs();
    const auto texts = wideTexts();
    std::size_t i = 0;
    for (auto _ : state) {
        const double value = mix[i].wattsToDbm ? dbmconv::ConvertWattsToDbm(texts[i])
                                               : dbmconv::ConvertDbmToWatts(texts[i]);
        std::u16string shown = dbmconv::ResultText(value);
        benchmark::DoNotOptimize(shown);
        i = (i + 1) % mix.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Calculation);

void BM_Floor(benchmark::State& state)
{
    const auto& mix = inputs();
    char buffer[64];
    std::size_t i = 0;
    for (auto _ : state) {
        const double v = std::strtod(mix[i].text.c_str(), nullptr);
        const double result = mix[i].wattsToDbm ? std::log(v / 0.001) / std::log(10.0) * 10.0
                                                : std::pow(10.0, v / 10.0) * 0.001;
        std::snprintf(buffer, sizeof buffer, "%.15G", result);
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
        i = (i + 1) % mix.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Floor);

} // namespace

BENCHMARK_MAIN();
