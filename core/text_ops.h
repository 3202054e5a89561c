#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text operations on UTF-16 text, the form the window's controls hold.
// Every comparison is exact, code unit by code unit; a space is U+0020 only.
namespace dbmconv {

// The text without its leading and trailing U+0020; tabs and other blanks stay.
[[nodiscard]] std::u16string TrimSpaces(std::u16string_view text);

// Position, counted from 1, of the first occurrence of `sought` in `text` at or
// after `start`; 0 when there is none. An empty `sought` is found at `start`
// while `start` lies within the text or just past it.
[[nodiscard]] std::size_t FindText(std::size_t start, std::u16string_view text,
                                   std::u16string_view sought);

// The one-character text for a 16-bit key code. Negative codes stand for the
// upper half of the 16-bit range, so every code yields exactly one code unit.
[[nodiscard]] std::u16string CharFromCode(std::int16_t code);

} // namespace dbmconv
