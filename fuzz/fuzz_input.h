#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dbmconv::fuzz {

// Turns fuzzer bytes into UTF-16 text. ASCII bytes stand for themselves, so
// seeds and dictionary entries stay readable; a byte of 0xC0 or more takes the
// next byte with it to make any code unit at all, lone surrogates included.
inline std::u16string decodeText(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = data[i];
        if (byte >= 0xC0 && i + 1 < size) {
            text.push_back(static_cast<char16_t>(((byte & 0x3Fu) << 10) | (data[i + 1] << 2) | (byte >> 6)));
            ++i;
        } else {
            text.push_back(static_cast<char16_t>(byte));
        }
    }
    return text;
}

// Aborts with a message, so that libFuzzer keeps the input as a finding.
[[noreturn]] void fail(const std::string& what, const std::u16string& input);

} // namespace dbmconv::fuzz
