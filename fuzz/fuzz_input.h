#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dbmconv::fuzz {

// Turns fuzzer bytes into UTF-16 text. Bytes stand for themselves (ASCII and
// Latin-1), so seeds and dictionary entries stay readable; 0xFF takes the next
// two bytes with it to make any code unit at all, lone surrogates included.
inline std::u16string decodeText(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            text.push_back(static_cast<char16_t>((data[i + 1] << 8) | data[i + 2]));
            i += 2;
        } else {
            text.push_back(static_cast<char16_t>(data[i]));
        }
    }
    return text;
}

// Aborts with a message, so that libFuzzer keeps the input as a finding.
[[noreturn]] void fail(const std::string& what, const std::u16string& input);

} // namespace dbmconv::fuzz
