#include "web_converter_window.h"

#include "window_texts.h"

#include <emscripten.h>

// The page's side, in JavaScript: each control by its number in kControlNames,
// each text passed as UTF-16 code units straight from and into the WebAssembly
// memory (no helper of Emscripten's own: they change between its versions).
// clang-format off
EM_JS(int, dbmconv_page_text_length, (int control), {
    return document.getElementById(dbmconvPage.controls[control]).value.length;
});
EM_JS(void, dbmconv_page_copy_text, (int control, char16_t* out), {
    const text = document.getElementById(dbmconvPage.controls[control]).value;
    for (let i = 0; i < text.length; ++i) {
        HEAPU16[(out >> 1) + i] = text.charCodeAt(i);
    }
});
EM_JS(void, dbmconv_page_set_text, (int control, const char16_t* text, int length), {
    dbmconvPage.setText(dbmconvPage.controls[control], dbmconvPage.textAt(text, length));
});
EM_JS(void, dbmconv_page_add_list_entry, (const char16_t* text, int length), {
    dbmconvPage.addListEntry(dbmconvPage.textAt(text, length));
});
EM_JS(void, dbmconv_page_show_message, (const char16_t* text, int length, int warning), {
    dbmconvPage.showMessage(dbmconvPage.textAt(text, length), warning !== 0);
});
EM_JS(void, dbmconv_page_focus_input, (), {
    dbmconvPage.focusInput();
});
// clang-format on

namespace dbmconv::web {

namespace {

// The page's controls, numbered as in its dbmconvPage.controls.
enum Control : int { Combo1, Text1, Text2, Label1 };

std::u16string textOf(Control control)
{
    std::u16string text(static_cast<std::size_t>(dbmconv_page_text_length(control)), u'\0');
    dbmconv_page_copy_text(control, text.data());
    return text;
}

void setText(Control control, std::u16string_view text)
{
    dbmconv_page_set_text(control, text.data(), static_cast<int>(text.size()));
}

} // namespace

WebConverterWindow::WebConverterWindow()
    : form_(*this)
{
    for (const auto mode : texts::kModeList) {
        dbmconv_page_add_list_entry(mode.data(), static_cast<int>(mode.size()));
    }
}

std::u16string WebConverterWindow::Combo1Text() const
{
    return textOf(Combo1);
}

void WebConverterWindow::SetCombo1Text(std::u16string_view text)
{
    setText(Combo1, text);
}

std::u16string WebConverterWindow::Text1Text() const
{
    return textOf(Text1);
}

void WebConverterWindow::SetText2Text(std::u16string_view text)
{
    setText(Text2, text);
}

void WebConverterWindow::SetLabel1Caption(std::u16string_view caption)
{
    setText(Label1, caption);
}

void WebConverterWindow::ShowReminder(std::u16string_view prompt)
{
    dbmconv_page_show_message(prompt.data(), static_cast<int>(prompt.size()), 0);
}

void WebConverterWindow::ShowError(std::u16string_view message)
{
    dbmconv_page_show_message(message.data(), static_cast<int>(message.size()), 1);
}

void WebConverterWindow::FocusInput()
{
    dbmconv_page_focus_input();
}

} // namespace dbmconv::web
