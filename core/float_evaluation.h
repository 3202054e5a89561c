#pragma once

#include <cfloat>

// The core's results are the same bits on every platform only where each double
// operation is rounded once, to a double. x87 arithmetic (32-bit x86 without
// SSE2) keeps intermediates in 80 bits and rounds them twice: refuse to build
// there rather than compute other digits.
static_assert(FLT_EVAL_METHOD == 0,
              "every double operation must be evaluated as a double: build with -msse2 -mfpmath=sse");
