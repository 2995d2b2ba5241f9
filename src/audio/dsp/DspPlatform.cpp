#include "audio/dsp/DspPlatform.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined (__x86_64__) || defined (__i386__)
 #include <xmmintrin.h>
 #define PLOVARA_DSP_X86 1
#else
 #include <cfenv>
#endif

#if PLOVARA_DSP_X86
namespace
{
constexpr uint32_t allExceptionsMasked = 0x1F80;
constexpr uint32_t roundTowardZero = 0x6000;
constexpr uint32_t flushToZero = 0x8000;
constexpr uint32_t denormalsAreZero = 0x0040;

// Older processors fault when DAZ is set; the MXCSR mask saved by FXSAVE
// tells whether it exists.
bool processorHasDenormalsAreZero()
{
    alignas (16) unsigned char area[512] = {};
    asm volatile ("fxsave %0" : "=m" (area));
    uint32_t mask = 0;
    std::memcpy (&mask, area + 28, sizeof (mask));
    if (mask == 0)
        mask = 0xFFBF;
    return (mask & denormalsAreZero) != 0;
}
}
#endif

DspPath bestDspPath()
{
#if PLOVARA_DSP_X86
    static const DspPath best = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports ("avx2") && __builtin_cpu_supports ("fma"))
            return DspPath::avx2;
        if (__builtin_cpu_supports ("sse2"))
            return DspPath::sse;
        return DspPath::scalar;
    }();
    return best;
#else
    return DspPath::scalar;
#endif
}

uint32_t ScopedDspFloatState::controlWordFor (DspPath path)
{
#if PLOVARA_DSP_X86
    static const bool hasDaz = processorHasDenormalsAreZero();
    uint32_t word = allExceptionsMasked | roundTowardZero;
    if (path != DspPath::scalar)
        word |= flushToZero | (hasDaz ? denormalsAreZero : 0u);
    return word;
#else
    (void) path;
    return (uint32_t) FE_TOWARDZERO;
#endif
}

ScopedDspFloatState::ScopedDspFloatState (DspPath path)
{
#if PLOVARA_DSP_X86
    saved = _mm_getcsr();
    _mm_setcsr (controlWordFor (path));
#else
    saved = (uint32_t) std::fegetround();
    std::fesetround ((int) controlWordFor (path));
#endif
}

ScopedDspFloatState::~ScopedDspFloatState()
{
#if PLOVARA_DSP_X86
    _mm_setcsr (saved);
#else
    std::fesetround ((int) saved);
#endif
}

//==============================================================================
AlignedFloats::AlignedFloats (size_t numFloats)
    : count (numFloats)
{
    const size_t bytes = ((numFloats * sizeof (float) + alignment - 1) / alignment) * alignment;
    floats.reset (static_cast<float*> (std::aligned_alloc (alignment, bytes > 0 ? bytes : alignment)));
    if (floats == nullptr)
        throw std::bad_alloc();
    clear();
}

void AlignedFloats::clear()
{
    if (count > 0)
        std::memset (floats.get(), 0, count * sizeof (float));
}

void AlignedFloats::Free::operator() (float* p) const
{
    std::free (p);
}
