#include "converter_form.h"
#include "fake_converter_window.h"
#include "text1_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dbmconv {
namespace {

using test::FakeConverterWindow;
using test::utf8;

// A text arriving in one piece goes through the form's own key handler, unit
// by unit: what it drops, Enter and Backspace stay out; Enter calculates.
TEST(TypedIntoText1, KeepsWhatTheKeyHandlerKeepsAndRunsWhatEnterRuns)
{
    struct Case {
        std::u16string arriving;
        std::u16string kept;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {u"", u"", {}},
        {u"x9.5y", u"9.5", {}},
        {u"１2３4五.-", u"24.-", {}},
        {u"1\b2", u"12", {}},
        {u"4\r5", u"45", {"Text2.Text=1"}},
        {u"\r", u"", {"Text2.Text=1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.arriving));
        FakeConverterWindow window;
        window.combo1Text = u"dBm:";
        window.text1Text = u"30";
        ConverterForm form(window);
        const std::u16string kept =
            TypedIntoText1([&form](std::int16_t& keyAscii) { form.Text1_KeyPress(keyAscii); }, c.arriving);
        EXPECT_EQ(utf8(kept), utf8(c.kept));
        EXPECT_EQ(window.log, c.log);
    }
}

// What the handler puts in place of a unit is what is kept.
TEST(TypedIntoText1, KeepsTheCodeTheHandlerLeaves)
{
    const std::u16string kept = TypedIntoText1([](std::int16_t& keyAscii) { keyAscii = u'7'; }, u"ab");
    EXPECT_EQ(utf8(kept), "77");
}

TEST(TypedWithControl, GivesTheControlCharacterOfLettersAndTheFiveSignsAround)
{
    const std::pair<char16_t, char16_t> cases[] = {
        {u'a', 1},  {u'h', 8},   {u'm', 13},  {u'v', 22},  {u'z', 26},  {u'A', 1},   {u'Z', 26},
        {u'@', 0},  {u'[', 27},  {u'_', 31},  {u'`', u'`'}, {u'{', u'{'}, {u'?', u'?'}, {u'1', u'1'},
        {u'-', u'-'}, {u'功', u'功'},
    };
    for (const auto& [key, typed] : cases) {
        EXPECT_EQ(static_cast<int>(TypedWithControl(key)), static_cast<int>(typed)) << static_cast<int>(key);
    }
}

} // namespace
} // namespace dbmconv
