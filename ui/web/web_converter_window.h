#pragma once

#include "converter_form.h"
#include "converter_window.h"

namespace dbmconv::web {

// The converter's window on a web page: the page's five controls, found by
// their names, bound to the window model. The page's script only passes the
// controls' events in (see page.html); every decision is the actions'.
//
// A page cannot wait for its message box: the box is shown and the action goes
// on. Nothing can happen behind the box meanwhile (it is modal), and the only
// thing an action does after a box is to give Text1 the focus, which the page
// does when the box is closed.
class WebConverterWindow : public ConverterWindow {
public:
    WebConverterWindow();

    [[nodiscard]] ConverterForm& form() { return form_; }

    [[nodiscard]] std::u16string Combo1Text() const override;
    void SetCombo1Text(std::u16string_view text) override;
    [[nodiscard]] std::u16string Text1Text() const override;
    void SetText2Text(std::u16string_view text) override;
    void SetLabel1Caption(std::u16string_view caption) override;
    void ShowReminder(std::u16string_view prompt) override;
    void ShowError(std::u16string_view message) override;
    void FocusInput() override;

private:
    ConverterForm form_;
};

} // namespace dbmconv::web
