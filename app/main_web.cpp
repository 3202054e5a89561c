// The web page's entry point: one window for the page's whole life, and the
// functions through which the page passes its controls' events to its actions.
#include "text1_input.h"
#include "web_converter_window.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

dbmconv::web::WebConverterWindow& pageWindow()
{
    static dbmconv::web::WebConverterWindow window;
    return window;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void dbmconv_form_load()
{
    pageWindow().form().Form_Load();
}

EMSCRIPTEN_KEEPALIVE void dbmconv_combo1_click()
{
    pageWindow().form().Combo1_Click();
}

EMSCRIPTEN_KEEPALIVE void dbmconv_command1_click()
{
    pageWindow().form().Command1_Click();
}

// A UTF-16 code unit about to go into Text1, as the desktop windows pass it:
// the code the actions leave (0: dropped).
EMSCRIPTEN_KEEPALIVE int dbmconv_text1_keypress(int codeUnit)
{
    auto keyAscii = static_cast<std::int16_t>(static_cast<std::uint16_t>(codeUnit));
    pageWindow().form().Text1_KeyPress(keyAscii);
    return static_cast<std::uint16_t>(keyAscii);
}

// A text that typing brings into Text1 in one piece (a screen keyboard's word,
// an input method's committed text), written over in place with what Text1
// takes of it (TypedIntoText1). Returns the length kept.
EMSCRIPTEN_KEEPALIVE int dbmconv_text1_typed(char16_t* text, int length)
{
    const std::u16string kept = dbmconv::TypedIntoText1(
        [](std::int16_t& keyAscii) { pageWindow().form().Text1_KeyPress(keyAscii); },
        std::u16string_view(text, static_cast<std::size_t>(length)));
    std::copy(kept.begin(), kept.end(), text);
    return static_cast<int>(kept.size());
}

// The character a key types with Ctrl held (TypedWithControl).
EMSCRIPTEN_KEEPALIVE int dbmconv_typed_with_control(int key)
{
    return dbmconv::TypedWithControl(static_cast<char16_t>(key));
}

} // extern "C"
