#pragma once

// What the window's actions make of the texts of the moment, asked of the
// actions themselves: the real ConverterForm on a window of plain fields. The
// suites that drive a real window with random events compare it with this.
#include <optional>
#include <string>
#include <string_view>

namespace dbmconv::test {

struct Command1Outcome {
    std::optional<std::u16string> text2;   // what Text2 then shows, where it is written
    std::optional<std::u16string> message; // what a message box says, where one opens
};

[[nodiscard]] Command1Outcome command1Outcome(std::u16string_view combo1Text, std::u16string_view text1Text);

// Label1's caption after a pick that leaves Combo1 showing this text, or
// nothing where the pick leaves the label as it was.
[[nodiscard]] std::optional<std::u16string> label1AfterPick(std::u16string_view combo1Text);

} // namespace dbmconv::test
