#pragma once

namespace dbmconv {

// Watches one calculation for an invalid operation, a division by zero or an
// overflow; underflow and inexact results are ordinary in this arithmetic and
// pass. check() throws RuntimeError(Fault::FloatingPoint) when one of the three
// has happened in a step up to the one that gave `result`.
//
// Where the platform keeps the floating-point exception flags, they decide:
// constructing the check clears them. Where it keeps none (WebAssembly), the
// three are derived from the result itself. Each calculation starts from a
// finite number, and each of the three leaves a result that is no longer
// finite: an overflow or a division by zero an infinity, an invalid operation
// a NaN. No later step turns an infinity or a NaN back into a finite number.
// The suites run both ways on Linux and expect the same of each.
class FloatingPointCheck {
public:
    FloatingPointCheck();
    void check(double result) const;
};

} // namespace dbmconv
