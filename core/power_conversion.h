#pragma once

#include <string>
#include <string_view>

// The arithmetic of the converter. Each conversion either returns a finite value
// or throws RuntimeError; it never hands an infinity or NaN on.
namespace dbmconv {

// The power in watts for a level in dBm typed as `input`: 10^(dBm / 10) x 0.001.
[[nodiscard]] double ConvertDbmToWatts(std::u16string_view input);

// The level in dBm for a power in watts typed as `input`: (ln(W / 0.001) / ln 10) x 10.
[[nodiscard]] double ConvertWattsToDbm(std::u16string_view input);

// The text shown for a converted value: rounded to 4 places, no trailing zeros,
// a "0" before a positive fraction, none before a negative one ("-.9691").
[[nodiscard]] std::u16string ResultText(double value);

} // namespace dbmconv
