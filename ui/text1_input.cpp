#include "text1_input.h"

namespace dbmconv {

namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kBackspace = 8;

} // namespace

std::u16string TypedIntoText1(const KeyPressHandler& keyPress, std::u16string_view arriving)
{
    std::u16string kept;
    kept.reserve(arriving.size());
    for (const char16_t unit : arriving) {
        auto keyAscii = static_cast<std::int16_t>(unit);
        keyPress(keyAscii);
        if (keyAscii != 0 && keyAscii != kEnter && keyAscii != kBackspace) {
            kept.push_back(static_cast<char16_t>(keyAscii));
        }
    }
    return kept;
}

char16_t TypedWithControl(char16_t key)
{
    if (key >= u'a' && key <= u'z') {
        return static_cast<char16_t>(key - u'a' + 1);
    }
    if (key >= u'@' && key <= u'_') {
        return static_cast<char16_t>(key - u'@');
    }
    return key;
}

} // namespace dbmconv
