#pragma once

#include <string_view>

namespace dbmconv {

enum class Mode { DbmToWatts, WattsToDbm, None };

// The direction named by the text of Combo1: its trimmed text compared exactly,
// case-sensitive, with the two mode texts; anything else is Mode::None.
[[nodiscard]] Mode ModeOf(std::u16string_view comboText);

} // namespace dbmconv
