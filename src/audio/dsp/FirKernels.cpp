#include "audio/dsp/FirKernels.h"

#if defined (__x86_64__) || defined (__i386__)
 #include <immintrin.h>
 #define PLOVARA_DSP_X86 1
#endif

namespace
{
float dotScalar (const float* coeffs, const float* history, int n)
{
    float sum = 0.0f;
    for (int k = 0; k < n; ++k)
        sum += coeffs[k] * history[k];
    return sum;
}

void dotPairScalar (const float* coeffs, const float* h0, const float* h1, int n, float& sum0, float& sum1)
{
    sum0 = dotScalar (coeffs, h0, n);
    sum1 = dotScalar (coeffs, h1, n);
}

float symmetricScalar (const float* coeffs, const float* window, int taps, int firstPair)
{
    float sum = 0.0f;
    for (int k = firstPair; k < taps / 2; ++k)
        sum += coeffs[k] * (window[k] + window[taps - 1 - k]);
    return sum;
}

float centreTap (const float* coeffs, const float* window, int taps)
{
    return (taps & 1) != 0 ? coeffs[taps / 2] * window[taps / 2] : 0.0f;
}

#if PLOVARA_DSP_X86
float horizontalSum (__m128 v)
{
    __m128 shuffled = _mm_movehl_ps (v, v);
    __m128 sums = _mm_add_ps (v, shuffled);
    shuffled = _mm_shuffle_ps (sums, sums, 0x55);
    return _mm_cvtss_f32 (_mm_add_ss (sums, shuffled));
}

float dotSse (const float* coeffs, const float* history, int n)
{
    __m128 acc0 = _mm_setzero_ps();
    __m128 acc1 = _mm_setzero_ps();
    int k = 0;
    for (; k + 8 <= n; k += 8)
    {
        acc0 = _mm_add_ps (acc0, _mm_mul_ps (_mm_loadu_ps (coeffs + k), _mm_loadu_ps (history + k)));
        acc1 = _mm_add_ps (acc1, _mm_mul_ps (_mm_loadu_ps (coeffs + k + 4), _mm_loadu_ps (history + k + 4)));
    }
    for (; k + 4 <= n; k += 4)
        acc0 = _mm_add_ps (acc0, _mm_mul_ps (_mm_loadu_ps (coeffs + k), _mm_loadu_ps (history + k)));

    return horizontalSum (_mm_add_ps (acc0, acc1)) + dotScalar (coeffs + k, history + k, n - k);
}

void dotPairSse (const float* coeffs, const float* h0, const float* h1, int n, float& sum0, float& sum1)
{
    __m128 acc0 = _mm_setzero_ps();
    __m128 acc1 = _mm_setzero_ps();
    int k = 0;
    for (; k + 4 <= n; k += 4)
    {
        const __m128 c = _mm_loadu_ps (coeffs + k);
        acc0 = _mm_add_ps (acc0, _mm_mul_ps (c, _mm_loadu_ps (h0 + k)));
        acc1 = _mm_add_ps (acc1, _mm_mul_ps (c, _mm_loadu_ps (h1 + k)));
    }
    sum0 = horizontalSum (acc0) + dotScalar (coeffs + k, h0 + k, n - k);
    sum1 = horizontalSum (acc1) + dotScalar (coeffs + k, h1 + k, n - k);
}

float symmetricSse (const float* coeffs, const float* window, int taps)
{
    const int pairs = taps / 2;
    __m128 acc = _mm_setzero_ps();
    int k = 0;
    for (; k + 4 <= pairs; k += 4)
    {
        const __m128 older = _mm_loadu_ps (window + k);
        const __m128 newer = _mm_loadu_ps (window + taps - 4 - k);
        const __m128 pairSum = _mm_add_ps (older, _mm_shuffle_ps (newer, newer, _MM_SHUFFLE (0, 1, 2, 3)));
        acc = _mm_add_ps (acc, _mm_mul_ps (_mm_loadu_ps (coeffs + k), pairSum));
    }
    return horizontalSum (acc) + symmetricScalar (coeffs, window, taps, k) + centreTap (coeffs, window, taps);
}

__attribute__ ((target ("avx2,fma")))
float horizontalSum256 (__m256 v)
{
    const __m128 sum = _mm_add_ps (_mm256_castps256_ps128 (v), _mm256_extractf128_ps (v, 1));
    __m128 shuffled = _mm_movehl_ps (sum, sum);
    __m128 sums = _mm_add_ps (sum, shuffled);
    shuffled = _mm_shuffle_ps (sums, sums, 0x55);
    return _mm_cvtss_f32 (_mm_add_ss (sums, shuffled));
}

__attribute__ ((target ("avx2,fma")))
float dotAvx2 (const float* coeffs, const float* history, int n)
{
    __m256 acc0 = _mm256_setzero_ps();
    __m256 acc1 = _mm256_setzero_ps();
    int k = 0;
    for (; k + 16 <= n; k += 16)
    {
        acc0 = _mm256_fmadd_ps (_mm256_loadu_ps (coeffs + k), _mm256_loadu_ps (history + k), acc0);
        acc1 = _mm256_fmadd_ps (_mm256_loadu_ps (coeffs + k + 8), _mm256_loadu_ps (history + k + 8), acc1);
    }
    for (; k + 8 <= n; k += 8)
        acc0 = _mm256_fmadd_ps (_mm256_loadu_ps (coeffs + k), _mm256_loadu_ps (history + k), acc0);

    float sum = horizontalSum256 (_mm256_add_ps (acc0, acc1));
    if (k + 4 <= n)
    {
        sum += horizontalSum (_mm_mul_ps (_mm_loadu_ps (coeffs + k), _mm_loadu_ps (history + k)));
        k += 4;
    }
    return sum + dotScalar (coeffs + k, history + k, n - k);
}

__attribute__ ((target ("avx2,fma")))
void dotPairAvx2 (const float* coeffs, const float* h0, const float* h1, int n, float& sum0, float& sum1)
{
    // Four accumulators per channel keep the fused multiply-adds independent.
    __m256 a0 = _mm256_setzero_ps(), a1 = _mm256_setzero_ps(), a2 = _mm256_setzero_ps(), a3 = _mm256_setzero_ps();
    __m256 b0 = _mm256_setzero_ps(), b1 = _mm256_setzero_ps(), b2 = _mm256_setzero_ps(), b3 = _mm256_setzero_ps();
    int k = 0;
    for (; k + 32 <= n; k += 32)
    {
        const __m256 c0 = _mm256_loadu_ps (coeffs + k);
        const __m256 c1 = _mm256_loadu_ps (coeffs + k + 8);
        const __m256 c2 = _mm256_loadu_ps (coeffs + k + 16);
        const __m256 c3 = _mm256_loadu_ps (coeffs + k + 24);
        a0 = _mm256_fmadd_ps (c0, _mm256_loadu_ps (h0 + k), a0);
        b0 = _mm256_fmadd_ps (c0, _mm256_loadu_ps (h1 + k), b0);
        a1 = _mm256_fmadd_ps (c1, _mm256_loadu_ps (h0 + k + 8), a1);
        b1 = _mm256_fmadd_ps (c1, _mm256_loadu_ps (h1 + k + 8), b1);
        a2 = _mm256_fmadd_ps (c2, _mm256_loadu_ps (h0 + k + 16), a2);
        b2 = _mm256_fmadd_ps (c2, _mm256_loadu_ps (h1 + k + 16), b2);
        a3 = _mm256_fmadd_ps (c3, _mm256_loadu_ps (h0 + k + 24), a3);
        b3 = _mm256_fmadd_ps (c3, _mm256_loadu_ps (h1 + k + 24), b3);
    }
    a0 = _mm256_add_ps (a0, a2);
    a1 = _mm256_add_ps (a1, a3);
    b0 = _mm256_add_ps (b0, b2);
    b1 = _mm256_add_ps (b1, b3);
    for (; k + 8 <= n; k += 8)
    {
        const __m256 c = _mm256_loadu_ps (coeffs + k);
        a0 = _mm256_fmadd_ps (c, _mm256_loadu_ps (h0 + k), a0);
        b0 = _mm256_fmadd_ps (c, _mm256_loadu_ps (h1 + k), b0);
    }
    __m128 tail0 = _mm_setzero_ps(), tail1 = _mm_setzero_ps();
    if (k + 4 <= n)
    {
        const __m128 c = _mm_loadu_ps (coeffs + k);
        tail0 = _mm_mul_ps (c, _mm_loadu_ps (h0 + k));
        tail1 = _mm_mul_ps (c, _mm_loadu_ps (h1 + k));
        k += 4;
    }
    sum0 = horizontalSum256 (_mm256_add_ps (a0, a1)) + horizontalSum (tail0) + dotScalar (coeffs + k, h0 + k, n - k);
    sum1 = horizontalSum256 (_mm256_add_ps (b0, b1)) + horizontalSum (tail1) + dotScalar (coeffs + k, h1 + k, n - k);
}

__attribute__ ((target ("avx2,fma")))
float symmetricAvx2 (const float* coeffs, const float* window, int taps)
{
    const int pairs = taps / 2;
    const __m256i reversed = _mm256_setr_epi32 (7, 6, 5, 4, 3, 2, 1, 0);
    __m256 acc = _mm256_setzero_ps();
    int k = 0;
    for (; k + 8 <= pairs; k += 8)
    {
        const __m256 older = _mm256_loadu_ps (window + k);
        const __m256 newer = _mm256_permutevar8x32_ps (_mm256_loadu_ps (window + taps - 8 - k), reversed);
        acc = _mm256_fmadd_ps (_mm256_loadu_ps (coeffs + k), _mm256_add_ps (older, newer), acc);
    }
    return horizontalSum256 (acc) + symmetricScalar (coeffs, window, taps, k) + centreTap (coeffs, window, taps);
}
#endif

float symmetricScalarFull (const float* coeffs, const float* window, int taps)
{
    return symmetricScalar (coeffs, window, taps, 0) + centreTap (coeffs, window, taps);
}
}

const FirKernels& FirKernels::forPath (DspPath path)
{
    static const FirKernels scalar { dotScalar, dotPairScalar, symmetricScalarFull };
#if PLOVARA_DSP_X86
    static const FirKernels sse { dotSse, dotPairSse, symmetricSse };
    static const FirKernels avx2 { dotAvx2, dotPairAvx2, symmetricAvx2 };
    if (path == DspPath::avx2)
        return avx2;
    if (path == DspPath::sse)
        return sse;
#endif
    (void) path;
    return scalar;
}
