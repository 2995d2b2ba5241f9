#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// What the filter engines need from the processor: the choice between the
// vector and the scalar implementation, the floating-point state they run
// in, and aligned storage for their tables and rings.

enum class DspPath
{
    scalar,
    sse,      // 4-wide single precision
    avx2      // 8-wide single precision with fused multiply-add
};

// The fastest path this processor offers.
DspPath bestDspPath();

// Sets the floating-point environment for one filter call and restores the
// previous one when it goes out of scope: rounding toward zero with all
// exceptions masked and, on a vector path, denormal results flushed to zero
// and denormal inputs read as zero where the processor can.
class ScopedDspFloatState
{
public:
    explicit ScopedDspFloatState (DspPath path);
    ~ScopedDspFloatState();

    ScopedDspFloatState (const ScopedDspFloatState&) = delete;
    ScopedDspFloatState& operator= (const ScopedDspFloatState&) = delete;

    // The control word the filters run with on the given path.
    static uint32_t controlWordFor (DspPath path);

private:
    uint32_t saved = 0;
};

// A zeroed float array of fixed size, aligned for vector loads.
class AlignedFloats
{
public:
    static constexpr size_t alignment = 32;

    AlignedFloats() = default;
    explicit AlignedFloats (size_t numFloats);

    float* data() const { return floats.get(); }
    size_t size() const { return count; }
    void clear();

private:
    struct Free { void operator() (float* p) const; };
    std::unique_ptr<float, Free> floats;
    size_t count = 0;
};
