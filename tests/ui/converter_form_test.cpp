#include "converter_form.h"
#include "fake_converter_window.h"
#include "support/u16.h"
#include "window_texts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace dbmconv {
namespace {

using test::FakeConverterWindow;
using test::u16;
using test::utf8;
using Log = std::vector<std::string>;

const std::u16string kDbm = u"dBm:";
const std::u16string kWatts = u"功率(W):";

class ConverterFormTest : public testing::Test {
protected:
    FakeConverterWindow window;
    ConverterForm form{window};

    void calculate(const std::u16string& mode, const std::u16string& input)
    {
        window.combo1Text = mode;
        window.text1Text = input;
        window.text2Text = u"previous";
        window.log.clear();
        form.Command1_Click();
    }
};

TEST_F(ConverterFormTest, LoadingSetsTheModeAndItsUnitAndNothingElse)
{
    form.Form_Load();
    EXPECT_EQ(window.log, (Log{"Combo1.Text=dBm:", "Label1.Caption=功率(W)："}));
    EXPECT_EQ(window.text1Text, u"");
    EXPECT_EQ(window.text2Text, u"");
}

TEST_F(ConverterFormTest, PickingAModeSetsTheLabelOnlyForAnExactModeText)
{
    const std::pair<std::string, std::string> cases[] = {
        {"dBm:", "功率(W)："},
        {"功率(W):", "dBm或dB："},
        {"  dBm:  ", "功率(W)："},
        {" 功率(W): ", "dBm或dB："},
        {"dbm:", "unchanged"},
        {"DBM:", "unchanged"},
        {"dBm", "unchanged"},
        {"dBm：", "unchanged"},
        {"功率（W）:", "unchanged"},
        {"\tdBm:", "unchanged"},
        {"\u3000dBm:", "unchanged"},
        {"", "unchanged"},
    };
    for (const auto& [mode, caption] : cases) {
        SCOPED_TRACE("mode \"" + mode + "\"");
        window.combo1Text = u16(mode);
        window.label1Caption = u"unchanged";
        window.text2Text = u"33.0103";
        form.Combo1_Click();
        EXPECT_EQ(utf8(window.label1Caption), caption);
        EXPECT_EQ(window.text2Text, u"33.0103");
    }
}

TEST_F(ConverterFormTest, UpdatingTheLabelReadsTheModeAfreshForEachTest)
{
    window.upcomingCombo1Reads = {kDbm, kWatts};
    form.Combo1_Click();
    EXPECT_EQ(window.log, (Log{"Label1.Caption=功率(W)：", "Label1.Caption=dBm或dB："}));
}

TEST_F(ConverterFormTest, AnEmptyInputBringsTheReminderOfTheModeThenTheFocus)
{
    struct Case {
        std::u16string mode;
        std::u16string input;
        Log log;
    };
    const Case cases[] = {
        {kDbm, u"", {"ShowReminder(请输入dBm或dB的值！)", "FocusInput"}},
        {kDbm, u"     ", {"ShowReminder(请输入dBm或dB的值！)", "FocusInput"}},
        {u"  dBm:  ", u"", {"ShowReminder(请输入dBm或dB的值！)", "FocusInput"}},
        {kWatts, u"", {"ShowReminder(请输入功率值(W)！)", "FocusInput"}},
        {kWatts, u"  ", {"ShowReminder(请输入功率值(W)！)", "FocusInput"}},
        {u"dbm:", u"", {}},
        {u"watts", u" ", {}},
        {u"", u"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode \"" + utf8(c.mode) + "\", input \"" + utf8(c.input) + "\"");
        calculate(c.mode, c.input);
        EXPECT_EQ(window.log, c.log);
        EXPECT_EQ(window.text2Text, u"previous");
    }
}

TEST_F(ConverterFormTest, CalculatingWritesTheResultTextOfTheMode)
{
    struct Case {
        std::u16string mode;
        std::u16string input;
        std::string shown;
    };
    const Case cases[] = {
        {kDbm, u"30", "1"},
        {kDbm, u" 30 ", "1"},
        {u"  dBm:  ", u"33", "1.9953"},
        {kWatts, u"2", "33.0103"},
        {u" 功率(W): ", u"0.0008", "-.9691"},
        // a tab is not a space: the input is not empty and reads as zero
        {kDbm, u"\t", "0.001"},
        // what typing lets through always reads as a number
        {kDbm, u"--1", "0.001"},
        {kDbm, u"1-2", "0.0013"},
        {kDbm, u"1.2.3", "0.0013"},
        // pasted text is not filtered; its leading number counts
        {kDbm, u"20dBm", "0.1"},
        {kDbm, u"abc", "0.001"},
        {kWatts, u"1e-3", "0"},
        {kDbm, u"180", "1E+15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode \"" + utf8(c.mode) + "\", input \"" + utf8(c.input) + "\"");
        calculate(c.mode, c.input);
        EXPECT_EQ(window.log, (Log{"Text2.Text=" + c.shown}));
        EXPECT_EQ(window.text1Text, c.input);
    }
}

TEST_F(ConverterFormTest, AnUnrecognisedModeNeitherCalculatesNorSpeaks)
{
    for (const std::u16string mode : {u"dbm:", u"DBM:", u"dBm", u"功率(w):", u"", u"\tdBm:"}) {
        SCOPED_TRACE(utf8(mode));
        calculate(mode, u"30");
        EXPECT_TRUE(window.log.empty());
        EXPECT_EQ(window.text2Text, u"previous");
    }
}

TEST_F(ConverterFormTest, ARunTimeErrorKeepsText2TellsWhyAndReturnsTheFocus)
{
    struct Case {
        std::u16string mode;
        std::u16string input;
        std::string message;
    };
    const Case cases[] = {
        {kWatts, u"0", "功率值必须大于0！"},
        {kWatts, u"-", "功率值必须大于0！"},
        {kWatts, u".", "功率值必须大于0！"},
        {kWatts, u"-5", "功率值必须大于0！"},
        {kWatts, u"-.", "功率值必须大于0！"},
        {kWatts, u"1e306", "数值超出范围！"},
        {kWatts, u"-1e306", "数值超出范围！"},
        {kWatts, u"1" + std::u16string(400, u'0'), "数值超出范围！"},
        {kDbm, u"1" + std::u16string(400, u'0'), "数值超出范围！"},
        {kDbm, u"4000", "数值超出范围！"},
        {kDbm, u"-1" + std::u16string(400, u'0'), "数值超出范围！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode \"" + utf8(c.mode) + "\", input \"" + utf8(c.input.substr(0, 20)) + "\"");
        calculate(c.mode, c.input);
        EXPECT_EQ(window.log, (Log{"ShowError(" + c.message + ")", "FocusInput"}));
        EXPECT_EQ(window.text2Text, u"previous");
        EXPECT_EQ(window.text1Text, c.input);

        // the window goes on working
        calculate(c.mode, u"1");
        EXPECT_EQ(window.log.size(), 1U);
        EXPECT_NE(window.text2Text, u"previous");
    }
}

TEST_F(ConverterFormTest, TheKeyFilterKeepsDigitsMinusPointAndBackspaceOnly)
{
    window.combo1Text = u"not a mode";
    int kept = 0;
    for (int code = std::numeric_limits<std::int16_t>::min();
         code <= std::numeric_limits<std::int16_t>::max(); ++code) {
        if (code == 13) {
            continue;
        }
        auto keyAscii = static_cast<std::int16_t>(code);
        form.Text1_KeyPress(keyAscii);
        const bool typeable = (code >= '0' && code <= '9') || code == '-' || code == '.' || code == 8;
        ASSERT_EQ(keyAscii, typeable ? code : 0) << "code " << code;
        kept += typeable ? 1 : 0;
    }
    EXPECT_EQ(kept, 13);
    EXPECT_TRUE(window.log.empty());
}

TEST_F(ConverterFormTest, EnterCalculatesAndStaysThirteen)
{
    struct Case {
        std::u16string mode;
        std::u16string input;
        Log log;
    };
    const Case cases[] = {
        {kDbm, u"30", {"Text2.Text=1"}},
        {kWatts, u"0.5", {"Text2.Text=26.9897"}},
        {kDbm, u"", {"ShowReminder(请输入dBm或dB的值！)", "FocusInput"}},
        {kWatts, u"0", {"ShowError(功率值必须大于0！)", "FocusInput"}},
        {u"x", u"30", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode \"" + utf8(c.mode) + "\", input \"" + utf8(c.input) + "\"");
        window.combo1Text = c.mode;
        window.text1Text = c.input;
        window.log.clear();
        std::int16_t keyAscii = 13;
        form.Text1_KeyPress(keyAscii);
        EXPECT_EQ(keyAscii, 13);
        EXPECT_EQ(window.log, c.log);
    }
}

TEST_F(ConverterFormTest, TypingDashDashOneDotTwoDotThreeIsAcceptedKeyByKey)
{
    for (const char c : std::string("--1.2.3")) {
        auto keyAscii = static_cast<std::int16_t>(c);
        form.Text1_KeyPress(keyAscii);
        EXPECT_EQ(keyAscii, c);
    }
}

} // namespace
} // namespace dbmconv
