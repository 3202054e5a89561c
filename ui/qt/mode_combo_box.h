#pragma once

#include <QComboBox>

namespace dbmconv {

// An editable combo box that tells a pick from its list apart from typing.
//
// QComboBox also "activates" an entry when the typed text happens to match one
// and editing ends (Enter, or the focus leaving). Here only a pick with the
// mouse, the wheel or the arrow keys counts: picked() follows it, after the
// entry has become the text. Typing never adds entries, and nothing completes
// what is typed.
class ModeComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ModeComboBox(QWidget* parent);

signals:
    void picked();

protected:
    bool event(QEvent* event) override;

private:
    bool endingAnEdit_ = false;
};

} // namespace dbmconv
