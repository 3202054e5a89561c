#pragma once

#include "text1_input.h"

#include <QLineEdit>

#include <cstdint>

namespace dbmconv {

// A line edit that hands every typed character to a key filter before taking it,
// the way the classic key-press event does: the filter sees the character's code
// and may replace it, or drop it with 0. Keys that carry no character (arrows,
// Home, End, Delete, Tab, function keys) keep their usual meaning and are not
// shown to the filter. Text committed by an input method goes through the
// filter as typing does (TypedIntoText1). A paste from the box's own context
// menu is not typing and goes in unfiltered; that menu names no shortcuts,
// since the filter drops them.
class InputLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit InputLineEdit(QWidget* parent);

    void setKeyFilter(KeyPressHandler filter);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The code the filter left, or 0 when it dropped the character.
    std::int16_t filtered(char16_t character);

    KeyPressHandler filter_;
};

} // namespace dbmconv
