#pragma once

namespace dbmconv {

// Watches the floating-point exception flags over one calculation. Constructing
// it clears them; check() throws RuntimeError(Fault::FloatingPoint) when an
// invalid operation, a division by zero or an overflow has been raised since.
// Underflow and inexact results are ordinary in this arithmetic and pass.
class FloatingPointCheck {
public:
    FloatingPointCheck();
    void check() const;
};

} // namespace dbmconv
