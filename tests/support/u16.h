#pragma once

#include "utf8_text.h"

#include <string>
#include <string_view>

namespace dbmconv::test {

// Test tables are easier to read in UTF-8; the code under test works in UTF-16.
// Only the characters the tables use need to round-trip: ASCII and the BMP.
inline std::u16string u16(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        char32_t code = byte;
        std::size_t length = 1;
        if (byte >= 0xE0) {
            code = byte & 0x0Fu;
            length = 3;
        } else if (byte >= 0xC0) {
            code = byte & 0x1Fu;
            length = 2;
        }
        for (std::size_t k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        out.push_back(static_cast<char16_t>(code));
        i += length;
    }
    return out;
}

inline std::string utf8(std::u16string_view text)
{
    return Utf8Of(text);
}

} // namespace dbmconv::test
