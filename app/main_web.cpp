// The web page's entry point: one window for the page's whole life, and the
// functions through which the page passes its controls' events to its actions.
#include "web_converter_window.h"

#include <emscripten.h>

#include <cstdint>

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

// A text about to go into Text1 (typed, pasted, dropped or composed), each code
// unit passed as above; what the actions drop, and Enter and Backspace, which a
// single-line box does not take as text, are left out in place. Returns the
// length kept.
EMSCRIPTEN_KEEPALIVE int dbmconv_text1_filter(char16_t* text, int length)
{
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        const int code = dbmconv_text1_keypress(text[i]);
        if (code != 0 && code != '\r' && code != '\b') {
            text[kept++] = static_cast<char16_t>(code);
        }
    }
    return kept;
}

} // extern "C"
