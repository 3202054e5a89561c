#include "text_ops.h"

namespace dbmconv {

std::u16string TrimSpaces(std::u16string_view text)
{
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}

std::size_t FindText(std::size_t start, std::u16string_view text, std::u16string_view sought)
{
    if (start == 0 || start > text.size() + 1) {
        return 0;
    }
    const auto found = text.find(sought, start - 1);
    return found == std::u16string_view::npos ? 0 : found + 1;
}

std::u16string CharFromCode(std::int16_t code)
{
    // Braces would make this the two-character string {1, code}.
    return std::u16string(1, static_cast<char16_t>(static_cast<std::uint16_t>(code))); // NOLINT(modernize-return-braced-init-list)
}

} // namespace dbmconv
