#include "mode_combo_box.h"

#include <QLineEdit>

namespace dbmconv {

ModeComboBox::ModeComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // Our own line edit, so that our handlers on editingFinished are connected
    // before and after the combo box's own; slots run in connection order.
    auto* edit = new QLineEdit(this);
    connect(edit, &QLineEdit::editingFinished, this, [this] { editingEnds_ = true; });
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { editingEnds_ = false; });

    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);

    connect(this, &QComboBox::activated, this, [this] {
        if (!editingEnds_) {
            emit picked();
        }
    });
}

} // namespace dbmconv
