#pragma once

#include <QLineEdit>

namespace dbmconv {

// The read-only result box. The user can focus it, select and copy, but never
// change it: besides keys, that includes text an input method commits, which a
// read-only QLineEdit would otherwise still take.
class ResultLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit ResultLineEdit(QWidget* parent);

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
};

} // namespace dbmconv
