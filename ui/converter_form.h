#pragma once

#include <cstdint>

namespace dbmconv {

class ConverterWindow;

// The converter window's behaviour: one handler per event, each reading the
// controls afresh and writing its results back. It keeps no state of its own.
class ConverterForm {
public:
    explicit ConverterForm(ConverterWindow& window);

    // The window has been created and is not yet shown.
    void Form_Load();

    // An entry of Combo1's list has been picked and has become its text.
    void Combo1_Click();

    // Command1 has been pressed, or Enter typed into Text1.
    void Command1_Click();

    // A character is about to go into Text1. Set KeyAscii to 0 to drop it.
    void Text1_KeyPress(std::int16_t& KeyAscii);

private:
    void UpdateResultLabel();

    ConverterWindow& window_;
};

} // namespace dbmconv
