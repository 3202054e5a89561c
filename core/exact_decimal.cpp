#include "exact_decimal.h"

#include "float_bits.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace dbmconv::detail {

namespace {

// An unsigned integer of up to 4096 bits, least significant 32-bit limb first,
// in place (no allocation: the conversions run in every calculation): just the
// operations they need, each exact. The largest they meet is 800 typed digits
// times 5^330, below 3,500 bits.
class BigUnsigned {
public:
    explicit BigUnsigned(std::uint64_t value = 0)
    {
        while (value != 0) {
            limbs_[size_++] = static_cast<std::uint32_t>(value);
            value >>= 32;
        }
    }

    [[nodiscard]] bool isZero() const { return size_ == 0; }

    [[nodiscard]] int bitLength() const
    {
        if (size_ == 0) {
            return 0;
        }
        int bits = static_cast<int>(size_ - 1) * 32;
        for (std::uint32_t top = limbs_[size_ - 1]; top != 0; top >>= 1) {
            ++bits;
        }
        return bits;
    }

    [[nodiscard]] bool bit(int index) const
    {
        const auto limb = static_cast<std::size_t>(index / 32);
        return limb < size_ && ((limbs_[limb] >> (index % 32)) & 1U) != 0;
    }

    // Any of bits [0, count) set.
    [[nodiscard]] bool anyBitBelow(int count) const
    {
        const auto whole = static_cast<std::size_t>(count / 32);
        for (std::size_t i = 0; i < whole && i < size_; ++i) {
            if (limbs_[i] != 0) {
                return true;
            }
        }
        const int part = count % 32;
        return part != 0 && whole < size_ && (limbs_[whole] & ((1U << part) - 1)) != 0;
    }

    // Bits [from, from + 64) as a number.
    [[nodiscard]] std::uint64_t bitsFrom(int from) const
    {
        std::uint64_t value = 0;
        for (int i = 63; i >= 0; --i) {
            value = (value << 1) | (bit(from + i) ? 1U : 0U);
        }
        return value;
    }

    void multiplyAdd(std::uint32_t factor, std::uint32_t addend = 0)
    {
        std::uint64_t carry = addend;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) {
            limbs_[size_++] = static_cast<std::uint32_t>(carry);
        }
        trim();
    }

    // Divides in place; returns the remainder.
    std::uint32_t divide(std::uint32_t divisor)
    {
        std::uint64_t remainder = 0;
        for (std::size_t i = size_; i-- > 0;) {
            const std::uint64_t current = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(current / divisor);
            remainder = current % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(remainder);
    }

    void shiftLeft(int bits)
    {
        if (size_ == 0 || bits == 0) {
            return;
        }
        const auto whole = static_cast<std::size_t>(bits / 32);
        const int part = bits % 32;
        std::uint32_t carry = 0;
        if (part != 0) {
            for (std::size_t i = 0; i < size_; ++i) {
                const std::uint32_t next = limbs_[i] >> (32 - part);
                limbs_[i] = (limbs_[i] << part) | carry;
                carry = next;
            }
        }
        if (carry != 0) {
            limbs_[size_++] = carry;
        }
        if (whole != 0) {
            std::copy_backward(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(size_),
                               limbs_.begin() + static_cast<std::ptrdiff_t>(size_ + whole));
            std::fill_n(limbs_.begin(), whole, 0U);
            size_ += whole;
        }
    }

    void shiftRightByOne()
    {
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint32_t next = i + 1 < size_ ? limbs_[i + 1] : 0U;
            limbs_[i] = (limbs_[i] >> 1) | (next << 31);
        }
        trim();
    }

    [[nodiscard]] friend int compare(const BigUnsigned& a, const BigUnsigned& b)
    {
        if (a.size_ != b.size_) {
            return a.size_ < b.size_ ? -1 : 1;
        }
        for (std::size_t i = a.size_; i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) {
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
            }
        }
        return 0;
    }

    // Requires *this >= other.
    void subtract(const BigUnsigned& other)
    {
        std::uint32_t borrow = 0;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t taken = std::uint64_t{i < other.size_ ? other.limbs_[i] : 0U} + borrow;
            borrow = std::uint64_t{limbs_[i]} < taken ? 1U : 0U;
            limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - taken);
        }
        trim();
    }

    // All its decimal digits, most significant first.
    [[nodiscard]] std::string decimalDigits() const
    {
        BigUnsigned rest = *this;
        std::string reversed;
        while (!rest.isZero()) {
            std::uint32_t chunk = rest.divide(1'000'000'000U);
            for (int i = 0; i < 9; ++i) {
                reversed.push_back(static_cast<char>('0' + chunk % 10));
                chunk /= 10;
            }
        }
        // the zeros the last chunk was padded with, before the first digit
        while (!reversed.empty() && reversed.back() == '0') {
            reversed.pop_back();
        }
        return {reversed.rbegin(), reversed.rend()};
    }

private:
    void trim()
    {
        while (size_ != 0 && limbs_[size_ - 1] == 0) {
            --size_;
        }
    }

    std::array<std::uint32_t, 128> limbs_{};
    std::size_t size_ = 0;
};

void multiplyByPowerOfFive(BigUnsigned& number, int power)
{
    // 5^13 is the largest power of five below 2^32
    constexpr std::uint32_t kFiveToThe13 = 1'220'703'125U;
    for (; power >= 13; power -= 13) {
        number.multiplyAdd(kFiveToThe13);
    }
    for (; power > 0; --power) {
        number.multiplyAdd(5U);
    }
}

// Keeps the first `kept` digits (kept >= 0), rounding the rest off, ties to even.
Decimal roundedAt(Decimal number, int kept)
{
    const auto size = static_cast<int>(number.digits.size());
    if (kept >= size) {
        return number;
    }
    if (kept < 0) {
        return {};
    }
    const char first = number.digits[static_cast<std::size_t>(kept)];
    const bool restBeyondHalf = std::any_of(number.digits.begin() + kept + 1, number.digits.end(),
                                            [](char digit) { return digit != '0'; });
    const bool lastOdd = kept > 0 && (number.digits[static_cast<std::size_t>(kept) - 1] - '0') % 2 == 1;
    const bool up = first > '5' || (first == '5' && (restBeyondHalf || lastOdd));
    number.digits.resize(static_cast<std::size_t>(kept));
    if (up) {
        auto digit = number.digits.rbegin();
        while (digit != number.digits.rend() && *digit == '9') {
            *digit++ = '0';
        }
        if (digit == number.digits.rend()) {
            number.digits.insert(number.digits.begin(), '1');
            ++number.exponent;
        } else {
            ++*digit;
        }
    }
    while (!number.digits.empty() && number.digits.back() == '0') {
        number.digits.pop_back();
    }
    if (number.digits.empty()) {
        number.exponent = 0;
    }
    return number;
}

} // namespace

Decimal exactDecimal(double magnitude)
{
    magnitude = std::fabs(magnitude);
    if (magnitude == 0.0) {
        return {};
    }
    const std::uint64_t bits = bitsOf(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & kMantissaMask) | (biased != 0 ? std::uint64_t{1} << 52 : 0U);
    // magnitude = mantissa x 2^power
    const int power = (biased != 0 ? biased : 1) - 1075;
    BigUnsigned whole(mantissa);
    if (power >= 0) {
        whole.shiftLeft(power);
    } else {
        // m / 2^p = m x 5^p / 10^p
        multiplyByPowerOfFive(whole, -power);
    }
    Decimal number;
    number.digits = whole.decimalDigits();
    number.exponent = static_cast<int>(number.digits.size()) + std::min(power, 0);
    while (number.digits.back() == '0') {
        number.digits.pop_back();
    }
    return number;
}

Decimal roundedToSignificant(Decimal number, int count)
{
    return roundedAt(std::move(number), count);
}

Decimal roundedToPlaces(Decimal number, int places)
{
    if (number.exponent + places < 0) {
        // below half of the last place even at its largest
        return {};
    }
    return roundedAt(std::move(number), number.exponent + places);
}

double nearestDouble(const Decimal& number)
{
    if (number.digits.empty()) {
        return 0.0;
    }
    // Beyond these the double is infinite or zero whatever the digits.
    constexpr int kAboveLargest = 310;
    constexpr int kBelowSmallest = -330;
    if (number.exponent > kAboveLargest) {
        return HUGE_VAL;
    }
    if (number.exponent < kBelowSmallest) {
        return 0.0;
    }
    // value = digits x 10^scale
    const int scale = number.exponent - static_cast<int>(number.digits.size());
#if FLT_EVAL_METHOD == 0
    // Short digits and a small power are both exact doubles, and one division
    // or multiplication of exact operands rounds correctly (Clinger's fast
    // path): most typed numbers and every rounded result take it.
    constexpr int kExactDigits = 15;   // below 2^53
    constexpr int kExactPowerOfTen = 22; // 5^22 below 2^53
    if (number.digits.size() <= kExactDigits && scale >= -kExactPowerOfTen && scale <= kExactPowerOfTen) {
        std::uint64_t whole = 0;
        for (const char digit : number.digits) {
            whole = whole * 10 + static_cast<std::uint64_t>(digit - '0');
        }
        double power = 1.0;
        for (int i = 0; i < std::abs(scale); ++i) {
            power *= 10.0; // exact all the way
        }
        return scale < 0 ? static_cast<double>(whole) / power : static_cast<double>(whole) * power;
    }
#endif
    BigUnsigned digits;
    for (const char digit : number.digits) {
        digits.multiplyAdd(10U, static_cast<std::uint32_t>(digit - '0'));
    }
    // value = quotient x 2^binary (+ sticky), quotient of at least 66 bits
    BigUnsigned quotient;
    int binary = 0;
    bool sticky = false;
    if (scale >= 0) {
        multiplyByPowerOfFive(digits, scale);
        quotient = digits;
        binary = scale;
    } else {
        BigUnsigned divisor(1);
        multiplyByPowerOfFive(divisor, -scale);
        // a quotient of about 68 bits: the dividend or the divisor is scaled
        // by a power of two, which goes into the binary exponent
        const int shift = 68 - (digits.bitLength() - divisor.bitLength());
        if (shift >= 0) {
            digits.shiftLeft(shift);
        } else {
            divisor.shiftLeft(-shift);
        }
        binary = scale - shift;
        // long division, a bit at a time: the quotient has below 70 bits
        const int top = digits.bitLength() - divisor.bitLength() + 1;
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        divisor.shiftLeft(top);
        for (int i = top; i >= 0; --i, divisor.shiftRightByOne()) {
            const bool fits = compare(divisor, digits) <= 0;
            if (fits) {
                digits.subtract(divisor);
            }
            high = (high << 1) | (low >> 63);
            low = (low << 1) | (fits ? 1U : 0U);
        }
        sticky = !digits.isZero();
        // quotient = high x 2^64 + low, a limb at a time
        quotient = BigUnsigned(high);
        for (const int part : {32, 0}) {
            quotient.shiftLeft(32);
            quotient.multiplyAdd(1U, static_cast<std::uint32_t>(low >> part));
        }
    }
    // value = quotient x 2^binary: keep 53 bits, or fewer below the normals
    const int length = quotient.bitLength();
    const int exponentOfTop = length - 1 + binary;
    if (exponentOfTop > 1023) {
        return HUGE_VAL;
    }
    const int kept = exponentOfTop >= -1022 ? 53 : 53 - (-1022 - exponentOfTop);
    if (kept <= 0) {
        // below half the smallest subnormal, or at most half of it
        const bool aboveHalf = kept == 0 && (quotient.anyBitBelow(length - 1) || sticky);
        return aboveHalf ? std::ldexp(1.0, -1074) : 0.0;
    }
    const int dropped = length - kept;
    std::uint64_t mantissa = 0;
    if (dropped <= 0) {
        mantissa = quotient.bitsFrom(0);
        return std::ldexp(static_cast<double>(mantissa), binary);
    }
    mantissa = quotient.bitsFrom(dropped) & ((std::uint64_t{1} << kept) - 1);
    const bool half = quotient.bit(dropped - 1);
    const bool rest = sticky || quotient.anyBitBelow(dropped - 1);
    if (half && (rest || (mantissa & 1U) != 0)) {
        ++mantissa; // may carry to 2^kept: still exact as a double
    }
    return std::ldexp(static_cast<double>(mantissa), binary + dropped);
}

} // namespace dbmconv::detail
