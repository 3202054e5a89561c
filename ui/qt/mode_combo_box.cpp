#include "mode_combo_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace dbmconv {

namespace {

// The events with which an edit of the text field ends: Enter (either key), and
// the keyboard focus leaving, to another control or another window. The line
// edit takes its focus and keys through the combo box, its focus proxy.
bool endsAnEdit(const QEvent& event)
{
    if (event.type() == QEvent::FocusOut) {
        return true;
    }
    if (event.type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent&>(event).key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ModeComboBox::ModeComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setLineEdit(new QLineEdit(this));
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);

    connect(this, &QComboBox::activated, this, [this] {
        if (!endingAnEdit_) {
            emit picked();
        }
    });
}

// An activation that happens while an edit is ending is QComboBox matching the
// typed text, whatever the order in which it wires its own line edit; a pick
// arrives from the list, the wheel or the arrow keys, never inside these events.
bool ModeComboBox::event(QEvent* event)
{
    const QScopedValueRollback ending(endingAnEdit_, endingAnEdit_ || endsAnEdit(*event));
    return QComboBox::event(event);
}

} // namespace dbmconv
