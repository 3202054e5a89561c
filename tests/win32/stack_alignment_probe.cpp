// A function that keeps an SSE2 value on its stack across a call, in an
// aligned slot: read by the stack alignment check as built with the program's
// flags, which align the stack first, and as built to take an aligned stack
// for granted, where the check must find it.
#include <emmintrin.h>

__m128d probeOther(__m128d value);

double probeKept(double x)
{
    const __m128d kept = _mm_set_pd(x, 2 * x);
    const __m128d sum = _mm_add_pd(kept, probeOther(kept));
    return _mm_cvtsd_f64(sum) + _mm_cvtsd_f64(_mm_unpackhi_pd(sum, sum));
}
