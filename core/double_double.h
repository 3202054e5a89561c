#pragma once

#include "float_evaluation.h"

// Double-double arithmetic: a value held as the unevaluated sum hi + lo of two
// doubles, about 106 bits of precision from plain IEEE 754 operations. Every
// platform with IEEE doubles in round-to-nearest gets the same bits from these,
// which is the point: no C runtime is involved.
//
// Only for code built with -ffp-contract=off: a fused multiply-add that the
// compiler slips in would break the error-free transformations below.

namespace dbmconv::detail {

// The bound taken for the relative error of the power's and the logarithm's
// double-double estimates (each proven below 2^-90).
inline constexpr double kEstimateRelativeError = 0x1p-78;

struct DoubleDouble {
    double hi;
    double lo;
};

// hi + lo == a + b exactly, hi the rounded sum.
inline DoubleDouble twoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
}

// The same when |a| >= |b| (or a is zero), in three operations.
inline DoubleDouble fastTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// Veltkamp's split: hi carries the upper 26 bits of a, lo the rest, both exact.
inline DoubleDouble split(double a)
{
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    const double c = kSplitter * a;
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// hi + lo == a * b exactly (Dekker), for products far from overflow and underflow.
inline DoubleDouble twoProduct(double a, double b)
{
    const double p = a * b;
    const DoubleDouble x = split(a);
    const DoubleDouble y = split(b);
    const double err = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, err};
}

// Relative error below 2^-104 for each of the following.
inline DoubleDouble add(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble s = twoSum(a.hi, b.hi);
    const DoubleDouble t = twoSum(a.lo, b.lo);
    const DoubleDouble v = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(v.hi, t.lo + v.lo);
}

inline DoubleDouble add(DoubleDouble a, double b)
{
    const DoubleDouble s = twoSum(a.hi, b);
    return fastTwoSum(s.hi, a.lo + s.lo);
}

inline DoubleDouble multiply(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble multiply(DoubleDouble a, double b)
{
    const DoubleDouble p = twoProduct(a.hi, b);
    return fastTwoSum(p.hi, p.lo + a.lo * b);
}

} // namespace dbmconv::detail
