#pragma once

#include <stdexcept>

namespace dbmconv {

// Why a calculation had to stop. The window turns each kind into its own message,
// so the distinction matters only where the user would be told something different.
enum class Fault {
    NumberOutOfRange,       // a typed number does not fit in a double
    LogarithmOfNonPositive, // the natural logarithm of zero or a negative number
    FloatingPoint,          // invalid operation, division by zero or overflow seen in the flags
};

// A calculation stops by throwing this; nothing after the failing step runs,
// so no control is written with a half-finished result.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(Fault fault);

    [[nodiscard]] Fault fault() const noexcept { return fault_; }

private:
    Fault fault_;
};

} // namespace dbmconv
