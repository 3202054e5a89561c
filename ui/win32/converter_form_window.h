#pragma once

#include "control_fonts.h"
#include "converter_form.h"
#include "converter_window.h"
#include "dpi_functions.h"
#include "key_filter.h"
#include "program_icons.h"

#include <windows.h>

#include <memory>
#include <string>

namespace dbmconv::win32 {

// The converter's one window on Windows: the standard controls laid out from
// twips at the window's DPI, bound to the window model, each control event
// forwarded to the action of the same name. All arithmetic and text logic lives
// in the actions, none here.
class ConverterFormWindow final : public ConverterWindow {
    // Only create() makes a window: one that it has checked.
    class Passkey {
        friend class ConverterFormWindow;
        Passkey() = default;
    };

public:
    // The longest text Text1 and Combo1's field take. An edit control spends
    // time that grows with the square of the length of its line on every paste,
    // key, selection and repaint: under Wine 0.5 s at 20,000 characters, 1 s at
    // 30,000, 4 s at 60,000, a quarter of an hour at a million. At this length
    // every action stays near half a second; a longer paste is cut here. A
    // number that a double can hold has far fewer characters: the cut changes
    // only a number that 20,000 spaces or zeros come before, which no longer
    // reaches the box.
    static constexpr int kLongestTypedText = 20000;

    // The window with its controls, or nothing when the system refuses to
    // create them; `failure` then says why, in the system's words.
    [[nodiscard]] static std::unique_ptr<ConverterFormWindow> create(HINSTANCE instance, std::wstring& failure);

    ConverterFormWindow(HINSTANCE instance, Passkey);
    ~ConverterFormWindow() override;
    ConverterFormWindow(const ConverterFormWindow&) = delete;
    ConverterFormWindow& operator=(const ConverterFormWindow&) = delete;

    // The actions, for the entry point to run Form_Load before the first show.
    [[nodiscard]] ConverterForm& form() { return form_; }
    [[nodiscard]] HWND handle() const { return window_; }

    // Shows the window centred, frame and all, on the work area of its monitor,
    // with the focus in Combo1.
    void showCentred(int showCommand);

    // ConverterWindow
    [[nodiscard]] std::u16string Combo1Text() const override;
    void SetCombo1Text(std::u16string_view text) override;
    [[nodiscard]] std::u16string Text1Text() const override;
    void SetText2Text(std::u16string_view text) override;
    void SetLabel1Caption(std::u16string_view caption) override;
    void ShowReminder(std::u16string_view prompt) override;
    void ShowError(std::u16string_view message) override;
    void FocusInput() override;

private:
    [[nodiscard]] bool createWindow(std::wstring& failure);

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam, LPARAM lParam);
    [[nodiscard]] bool takesActions() const;
    [[nodiscard]] bool createControls();
    void useDpi(UINT dpi);
    void useFontsAndIcons();
    void useIcons();
    void fitLabel(const std::wstring& caption);
    void restoreFocus();
    void showMessage(std::u16string_view text, UINT icon);
    [[nodiscard]] SIZE frameSize(UINT dpi) const;

    ConverterForm form_;
    KeyPressHandler keyFilter_;
    HINSTANCE instance_;
    DpiFunctions dpiFunctions_;
    HWND window_ = nullptr;
    HWND command1_ = nullptr;
    HWND text2_ = nullptr;
    HWND text1_ = nullptr;
    HWND combo1_ = nullptr;
    HWND label1_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    Font controlFont_;
    Font messageFont_;
    Icon bigIcon_;
    Icon smallIcon_;
    HWND lastFocus_ = nullptr;
    bool shown_ = false;
    bool withSimSun_ = true;
};

} // namespace dbmconv::win32
