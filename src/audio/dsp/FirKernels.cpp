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
}

float FirKernels::dotProduct (DspPath path, const float* coeffs, const float* history, int n)
{
#if PLOVARA_DSP_X86
    if (path == DspPath::avx2)
        return dotAvx2 (coeffs, history, n);
    if (path == DspPath::sse)
        return dotSse (coeffs, history, n);
#endif
    (void) path;
    return dotScalar (coeffs, history, n);
}

float FirKernels::symmetricFir (DspPath path, const float* coeffs, const float* window, int taps)
{
#if PLOVARA_DSP_X86
    if (path == DspPath::avx2)
        return symmetricAvx2 (coeffs, window, taps);
    if (path == DspPath::sse)
        return symmetricSse (coeffs, window, taps);
#endif
    (void) path;
    return symmetricScalar (coeffs, window, taps, 0) + centreTap (coeffs, window, taps);
}
