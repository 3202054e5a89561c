#pragma once

#include <string>
#include <string_view>

// Windows' wide characters are UTF-16 code units, as the actions' texts are, so
// these copy them as they are.
namespace dbmconv {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

inline std::wstring toWide(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

inline std::u16string toU16(std::wstring_view text)
{
    return {text.begin(), text.end()};
}

} // namespace dbmconv
