#pragma once

#include <string>
#include <string_view>

namespace dbmconv {

// What the converter's actions see of their window: four control properties and
// the window's services. A real window binds them to its controls; tests bind
// them to plain fields. The list of Combo1 is fixed (texts::kModeList) and is
// filled by whoever creates the control.
class ConverterWindow {
public:
    virtual ~ConverterWindow() = default;

    [[nodiscard]] virtual std::u16string Combo1Text() const = 0;
    virtual void SetCombo1Text(std::u16string_view text) = 0;

    [[nodiscard]] virtual std::u16string Text1Text() const = 0;

    virtual void SetText2Text(std::u16string_view text) = 0;

    virtual void SetLabel1Caption(std::u16string_view caption) = 0;

    // A modal message box with the information icon, one OK button and the title
    // "提示"; returns once the user has dismissed it.
    virtual void ShowReminder(std::u16string_view prompt) = 0;

    // The same for a calculation that had to stop, with the warning icon.
    virtual void ShowError(std::u16string_view message) = 0;

    // Gives the keyboard focus to Text1.
    virtual void FocusInput() = 0;

protected:
    ConverterWindow() = default;
    ConverterWindow(const ConverterWindow&) = default;
    ConverterWindow& operator=(const ConverterWindow&) = default;
};

} // namespace dbmconv
