#include "text_ops.h"

#include <gtest/gtest.h>

#include <string>

namespace dbmconv {
namespace {

TEST(TrimSpaces, RemovesOnlyU0020FromBothEnds)
{
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"", u""},
        {u"   ", u""},
        {u"  dBm:  ", u"dBm:"},
        {u"a b", u"a b"},
        {u"\tdBm:\t", u"\tdBm:\t"},
        {u" \u3000x\u00A0 ", u"\u3000x\u00A0"},
        {u"\n ", u"\n"},
    };
    for (const auto& [text, trimmed] : cases) {
        EXPECT_EQ(TrimSpaces(text), trimmed);
    }
}

TEST(FindText, CountsFromOneAndAnswersZeroWhenAbsent)
{
    struct Case {
        std::size_t start;
        std::u16string text;
        std::u16string sought;
        std::size_t position;
    };
    const Case cases[] = {
        {1, u"-.0123456789", u"-", 1},
        {1, u"-.0123456789", u"9", 12},
        {1, u"-.0123456789", u"a", 0},
        {2, u"abcabc", u"a", 4},
        {5, u"abcabc", u"a", 0},
        {1, u"abc", u"", 1},
        {4, u"abc", u"", 4},
        {5, u"abc", u"", 0},
        {0, u"abc", u"a", 0},
        {1, u"", u"a", 0},
        {1, u"\u529F\u7387", u"\u7387", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.start, c.text, c.sought), c.position);
    }
}

TEST(CharFromCode, GivesOneCodeUnitForEverySixteenBitCode)
{
    EXPECT_EQ(CharFromCode(0), std::u16string(1, u'\0'));
    EXPECT_EQ(CharFromCode(8), u"\b");
    EXPECT_EQ(CharFromCode(45), u"-");
    EXPECT_EQ(CharFromCode(-1), u"\uFFFF");
    EXPECT_EQ(CharFromCode(-32768), u"\u8000");
    EXPECT_EQ(CharFromCode(-30164), u"\u8A2C");
}

} // namespace
} // namespace dbmconv
