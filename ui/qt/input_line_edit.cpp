#include "input_line_edit.h"

#include "qt_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

#include <utility>

namespace dbmconv {

namespace {

bool carriesNoCharacter(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return key >= Qt::Key_F1 && key <= Qt::Key_F35;
    }
}

// The character a key press types. Some platforms deliver Ctrl+A as the
// letter, others already as its control character.
char16_t typedCharacter(const QKeyEvent& event)
{
    const char16_t first = event.text().at(0).unicode();
    return event.modifiers().testFlag(Qt::ControlModifier) ? TypedWithControl(first) : first;
}

} // namespace

InputLineEdit::InputLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void InputLineEdit::setKeyFilter(KeyPressHandler filter)
{
    filter_ = std::move(filter);
}

std::int16_t InputLineEdit::filtered(char16_t character)
{
    auto code = static_cast<std::int16_t>(character);
    if (filter_) {
        filter_(code);
    }
    return code;
}

void InputLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (carriesNoCharacter(event->key()) || event->text().isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char16_t typed = typedCharacter(*event);
    const std::int16_t code = filtered(typed);
    event->accept();
    if (code == 0 || code == '\r') {
        // Dropped; or Enter, whose work the filter has done: a single-line box adds nothing.
        return;
    }
    if (static_cast<char16_t>(code) == typed && typed == event->text().at(0).unicode()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString replacement(QChar(static_cast<char16_t>(code)));
    QKeyEvent changed(event->type(), code == '\b' ? Qt::Key_Backspace : Qt::Key_unknown,
                      Qt::NoModifier, replacement, event->isAutoRepeat());
    QLineEdit::keyPressEvent(&changed);
}

void InputLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString kept = filter_ ? toQString(TypedIntoText1(filter_, toU16(committed))) : committed;
    QInputMethodEvent changed(event->preeditString(), event->attributes());
    changed.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&changed);
}

void InputLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        action->setText(action->text().section(QLatin1Char('\t'), 0, 0));
    }
    menu->popup(event->globalPos());
}

} // namespace dbmconv
