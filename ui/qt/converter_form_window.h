#pragma once

#include "converter_form.h"
#include "converter_window.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;

namespace dbmconv {

class InputLineEdit;
class ResultLineEdit;
class ModeComboBox;

// The converter's one window: its five controls laid out as designed, bound to
// the window model, with each control event forwarded to the action of the same
// name. All arithmetic and text logic lives in the actions, none here.
class ConverterFormWindow : public QWidget, public ConverterWindow {
    Q_OBJECT

public:
    explicit ConverterFormWindow(QWidget* parent = nullptr);

    // The actions, for the entry point to run Form_Load before the first show.
    [[nodiscard]] ConverterForm& form() { return form_; }

    // Shows the window centred on its screen. The frame a window manager adds
    // arrives after the window is mapped, so the centring is redone once then.
    void showCentred();

    // ConverterWindow
    [[nodiscard]] std::u16string Combo1Text() const override;
    void SetCombo1Text(std::u16string_view text) override;
    [[nodiscard]] std::u16string Text1Text() const override;
    void SetText2Text(std::u16string_view text) override;
    void SetLabel1Caption(std::u16string_view caption) override;
    void ShowReminder(std::u16string_view prompt) override;
    void ShowError(std::u16string_view message) override;
    void FocusInput() override;

protected:
    void moveEvent(QMoveEvent* event) override;

private:
    void createControls();
    void connectEvents();
    void centreFrameOnScreen();
    enum class MessageKind { Reminder, Error };
    void showMessage(MessageKind kind, std::u16string_view text);

    ConverterForm form_;
    QPushButton* command1_ = nullptr;
    ResultLineEdit* text2_ = nullptr;
    InputLineEdit* text1_ = nullptr;
    ModeComboBox* combo1_ = nullptr;
    QLabel* label1_ = nullptr;
    bool waitingForFrame_ = false;
};

} // namespace dbmconv
