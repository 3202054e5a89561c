#include "form_oracle.h"

#include "converter_form.h"
#include "fake_converter_window.h"

namespace dbmconv::test {

Command1Outcome command1Outcome(std::u16string_view combo1Text, std::u16string_view text1Text)
{
    FakeConverterWindow window;
    window.combo1Text = combo1Text;
    window.text1Text = text1Text;
    ConverterForm(window).Command1_Click();
    Command1Outcome outcome;
    if (window.text2Written) {
        outcome.text2 = window.text2Text;
    }
    if (!window.lastMessage.empty()) {
        outcome.message = window.lastMessage;
    }
    return outcome;
}

std::optional<std::u16string> label1AfterPick(std::u16string_view combo1Text)
{
    FakeConverterWindow window;
    window.combo1Text = combo1Text;
    ConverterForm(window).Combo1_Click();
    if (window.log.empty()) {
        return std::nullopt;
    }
    return window.label1Caption;
}

} // namespace dbmconv::test
