#include "converter_form_window.h"

#include "control_font.h"
#include "fixed_size_keeper.h"
#include "input_line_edit.h"
#include "mode_combo_box.h"
#include "qt_text.h"
#include "result_line_edit.h"
#include "window_layout.h"
#include "window_texts.h"

#include <QLabel>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace dbmconv {

namespace {

// A QLineEdit cuts its text at 32767 characters unless told otherwise; these
// boxes take whatever is pasted, however long.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// Names a new control for the code and puts it in place. Screen readers hear
// the text a control shows unless it is given another name.
template <typename Control>
Control* placed(Control* control, const QString& name, layout::TwipsRect twips)
{
    control->setObjectName(name);
    control->setGeometry(layout::toPixels(twips));
    return control;
}

} // namespace

ConverterFormWindow::ConverterFormWindow(QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , form_(*this)
{
    setObjectName(QStringLiteral("ConverterForm"));
    setWindowTitle(toQString(texts::kWindowCaption));
    new FixedSizeKeeper(this, layout::clientSize());
    createControls();
    connectEvents();
}

void ConverterFormWindow::createControls()
{
    const QFont font = controlFont();

    // Created in the designed order; the tab order is set explicitly afterwards.
    command1_ = placed(new QPushButton(toQString(texts::kCalculateCaption), this),
                       QStringLiteral("Command1"), layout::kCommand1);
    command1_->setDefault(false);
    // Enter on the focused button presses it, as on the classic desktops; this
    // makes it no default button of the window.
    command1_->setAutoDefault(true);

    // Named by its buddy Label1, so that the unit is read with the value.
    text2_ = placed(new ResultLineEdit(this), QStringLiteral("Text2"), layout::kText2);
    text2_->setAccessibleDescription(toQString(texts::kResultDescription));
    text2_->setFont(font);
    text2_->setMaxLength(kNoLengthLimit);

    text1_ = placed(new InputLineEdit(this), QStringLiteral("Text1"), layout::kText1);
    text1_->setAccessibleName(toQString(texts::kInputName));
    text1_->setFont(font);
    text1_->setAcceptDrops(false);
    text1_->setMaxLength(kNoLengthLimit);

    combo1_ = placed(new ModeComboBox(this), QStringLiteral("Combo1"), layout::kCombo1);
    combo1_->setFont(font);
    for (const auto mode : texts::kModeList) {
        combo1_->addItem(toQString(mode));
    }
    // the designed height, or the taller one its font asks for
    combo1_->resize(combo1_->width(), std::max(combo1_->height(), combo1_->sizeHint().height()));

    // Read as what it shows, whatever that is at the time.
    label1_ = placed(new QLabel(this), QStringLiteral("Label1"), layout::kLabel1);
    label1_->setFont(font);
    label1_->setTextFormat(Qt::PlainText);
    label1_->setWordWrap(false);
    label1_->setBuddy(text2_);

    // On Linux a combo box is named by its current text and takes its purpose
    // from the label that labels it; the window shows none, so an unseen one
    // carries the purpose for screen readers.
    auto* purpose = new QLabel(toQString(texts::kModeListPurpose), this);
    purpose->setObjectName(QStringLiteral("Combo1Purpose"));
    purpose->setBuddy(combo1_);
    purpose->hide();

    setTabOrder(combo1_, text1_);
    setTabOrder(text1_, text2_);
    setTabOrder(text2_, command1_);
    combo1_->setFocus(Qt::OtherFocusReason);
}

void ConverterFormWindow::connectEvents()
{
    connect(combo1_, &ModeComboBox::picked, this, [this] { form_.Combo1_Click(); });
    connect(command1_, &QPushButton::clicked, this, [this] { form_.Command1_Click(); });
    text1_->setKeyFilter([this](std::int16_t& keyAscii) { form_.Text1_KeyPress(keyAscii); });
}

std::u16string ConverterFormWindow::Combo1Text() const
{
    return toU16(combo1_->currentText());
}

void ConverterFormWindow::SetCombo1Text(std::u16string_view text)
{
    combo1_->setEditText(toQString(text));
}

std::u16string ConverterFormWindow::Text1Text() const
{
    return toU16(text1_->text());
}

void ConverterFormWindow::SetText2Text(std::u16string_view text)
{
    text2_->setText(toQString(text));
    // Long results are read from their sign and leading digits.
    text2_->setCursorPosition(0);
}

void ConverterFormWindow::SetLabel1Caption(std::u16string_view caption)
{
    label1_->setText(toQString(caption));
    label1_->adjustSize();
}

void ConverterFormWindow::ShowReminder(std::u16string_view prompt)
{
    showMessage(MessageKind::Reminder, prompt);
}

void ConverterFormWindow::ShowError(std::u16string_view message)
{
    showMessage(MessageKind::Error, message);
}

void ConverterFormWindow::showMessage(MessageKind kind, std::u16string_view text)
{
    const auto icon = kind == MessageKind::Reminder ? QMessageBox::Information : QMessageBox::Warning;
    QMessageBox box(icon, toQString(texts::kMessageTitle),
                    toQString(text), QMessageBox::Ok, this);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void ConverterFormWindow::FocusInput()
{
    text1_->setFocus(Qt::OtherFocusReason);
}

void ConverterFormWindow::showCentred()
{
    centreFrameOnScreen();
    waitingForFrame_ = true;
    show();
}

void ConverterFormWindow::centreFrameOnScreen()
{
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

void ConverterFormWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (waitingForFrame_ && frameGeometry() != geometry()) {
        waitingForFrame_ = false;
        centreFrameOnScreen();
    }
}

} // namespace dbmconv
