#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dbmconv {

// Text1_KeyPress, or a window's guard around it: sees a character's code before
// Text1 takes it, and may replace it or drop it with 0.
using KeyPressHandler = std::function<void(std::int16_t& keyAscii)>;

// What Text1 takes of a text that typing brings in one piece (an input method's
// committed text, a screen keyboard's word): each UTF-16 code unit handed to
// `keyPress` in order, as if typed one after another, and kept as the handler
// leaves it. Left out: what the handler drops, Enter, whose calculation has run
// by then and which a single-line box does not take as text, and Backspace,
// which deletes when it is a key of its own but is no text inside a word.
[[nodiscard]] std::u16string TypedIntoText1(const KeyPressHandler& keyPress, std::u16string_view arriving);

// The character that a key types with Ctrl held, as the classic desktops'
// keyboard drivers make it: a letter, "@", "[", "\", "]", "^" or "_" its control
// character (Ctrl+A is 1, Ctrl+H is Backspace, Ctrl+M is Enter, Ctrl+V is 22),
// any other key itself. Passed on to Text1_KeyPress, the clipboard shortcuts
// that arrive so do nothing in Text1.
[[nodiscard]] char16_t TypedWithControl(char16_t key);

} // namespace dbmconv
