#pragma once

#include <string>
#include <string_view>

namespace dbmconv {

// The program's texts, which are all of the Basic Multilingual Plane, in UTF-8:
// for the tools and tests that print or compare them as bytes.
[[nodiscard]] inline std::string Utf8Of(std::u16string_view text)
{
    std::string out;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

} // namespace dbmconv
