#include "result_line_edit.h"

#include <QInputMethodEvent>

namespace dbmconv {

ResultLineEdit::ResultLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setReadOnly(true);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QVariant ResultLineEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled) {
        return false;
    }
    return QLineEdit::inputMethodQuery(query);
}

void ResultLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    event->ignore();
}

} // namespace dbmconv
