#pragma once

#include "converter_window.h"
#include "u16.h"

#include <deque>
#include <string>
#include <vector>

namespace dbmconv::test {

// A window model made of plain fields. Every service call and every write is
// logged in order, so a test sees what the user would have seen, and when.
class FakeConverterWindow final : public ConverterWindow {
public:
    std::u16string combo1Text;
    std::u16string text1Text;
    std::u16string text2Text;
    std::u16string label1Caption;
    bool text2Written = false;
    std::u16string lastMessage; // of a reminder or an error
    std::vector<std::string> log;

    // Texts that successive reads of Combo1.Text return before combo1Text does:
    // shows whether a handler reads the control afresh for each test it makes.
    mutable std::deque<std::u16string> upcomingCombo1Reads;

    std::u16string Combo1Text() const override
    {
        if (upcomingCombo1Reads.empty()) {
            return combo1Text;
        }
        std::u16string next = upcomingCombo1Reads.front();
        upcomingCombo1Reads.pop_front();
        return next;
    }
    void SetCombo1Text(std::u16string_view text) override
    {
        combo1Text = text;
        log.push_back("Combo1.Text=" + utf8(text));
    }
    std::u16string Text1Text() const override { return text1Text; }
    void SetText2Text(std::u16string_view text) override
    {
        text2Text = text;
        text2Written = true;
        log.push_back("Text2.Text=" + utf8(text));
    }
    void SetLabel1Caption(std::u16string_view caption) override
    {
        label1Caption = caption;
        log.push_back("Label1.Caption=" + utf8(caption));
    }
    void ShowReminder(std::u16string_view prompt) override
    {
        lastMessage = prompt;
        log.push_back("ShowReminder(" + utf8(prompt) + ")");
    }
    void ShowError(std::u16string_view message) override
    {
        lastMessage = message;
        log.push_back("ShowError(" + utf8(message) + ")");
    }
    void FocusInput() override { log.push_back("FocusInput"); }
};

} // namespace dbmconv::test
