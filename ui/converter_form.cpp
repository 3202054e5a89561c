#include "converter_form.h"

#include "converter_window.h"
#include "mode.h"
#include "power_conversion.h"
#include "runtime_error.h"
#include "text_ops.h"
#include "window_texts.h"

#include <string>

namespace dbmconv {

namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kBackspace = 8;

std::u16string_view MessageFor(Fault fault)
{
    return fault == Fault::LogarithmOfNonPositive ? texts::kErrorPowerNotPositive
                                                  : texts::kErrorOutOfRange;
}

// Runs one conversion of Text1 into Text2. A run-time error stops it before Text2
// is written; the user is told why and gets the input box back to correct it.
bool ShowConversion(ConverterWindow& window, double (*convert)(std::u16string_view))
{
    std::u16string shown;
    try {
        shown = ResultText(convert(window.Text1Text()));
    } catch (const RuntimeError& error) {
        window.ShowError(MessageFor(error.fault()));
        window.FocusInput();
        return false;
    }
    window.SetText2Text(shown);
    return true;
}

} // namespace

ConverterForm::ConverterForm(ConverterWindow& window)
    : window_(window)
{
}

void ConverterForm::Form_Load()
{
    window_.SetCombo1Text(texts::kModeDbmToWatts);
    window_.SetLabel1Caption(texts::kCaptionWatts);
}

void ConverterForm::Combo1_Click()
{
    UpdateResultLabel();
}

void ConverterForm::UpdateResultLabel()
{
    if (ModeOf(window_.Combo1Text()) == Mode::DbmToWatts) {
        window_.SetLabel1Caption(texts::kCaptionWatts);
    }
    if (ModeOf(window_.Combo1Text()) == Mode::WattsToDbm) {
        window_.SetLabel1Caption(texts::kCaptionDbm);
    }
}

void ConverterForm::Command1_Click()
{
    if (TrimSpaces(window_.Text1Text()).empty()) {
        if (ModeOf(window_.Combo1Text()) == Mode::DbmToWatts) {
            window_.ShowReminder(texts::kReminderDbm);
            window_.FocusInput();
        } else if (ModeOf(window_.Combo1Text()) == Mode::WattsToDbm) {
            window_.ShowReminder(texts::kReminderWatts);
            window_.FocusInput();
        }
        return;
    }

    if (ModeOf(window_.Combo1Text()) == Mode::DbmToWatts
        && !ShowConversion(window_, ConvertDbmToWatts)) {
        return;
    }
    if (ModeOf(window_.Combo1Text()) == Mode::WattsToDbm) {
        ShowConversion(window_, ConvertWattsToDbm);
    }
}

void ConverterForm::Text1_KeyPress(std::int16_t& KeyAscii)
{
    if (KeyAscii == kEnter) {
        Command1_Click();
        return;
    }
    // (Backspace beside the typeable characters without a text made for each
    // key: a pasted megabyte passes here a million times.)
    const bool accepted =
        KeyAscii == kBackspace || FindText(1, texts::kTypeableCharacters, CharFromCode(KeyAscii)) != 0;
    KeyAscii = accepted ? KeyAscii : std::int16_t{0};
}

} // namespace dbmconv
