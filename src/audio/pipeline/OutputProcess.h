#pragma once

#include <cstdint>
#include <memory>

class CAudioRecorderOutput;

// The last step before an output: hands each block to the output's write,
// possibly adding dither first. The block may be changed in place.
class CAudioRecorderOutputProcessBase
{
public:
    enum Kind { none = 0, tpdfDither = 1, noiseShapedDither = 2 };

    virtual ~CAudioRecorderOutputProcessBase() = default;

    static std::unique_ptr<CAudioRecorderOutputProcessBase> create (int kind);

    void bind (CAudioRecorderOutput* destination) { output = destination; }
    virtual void initialise() {}
    // Writes `frames` frames of the output's channels; returns the frames
    // the output took.
    virtual int process (float* const* block, int frames);

    void setWordLength (int bits) { wordLength = bits; }
    int getWordLength() const { return wordLength; }

protected:
    CAudioRecorderOutput* output = nullptr;
    int wordLength = 16;
};

class CAudioRecorderOutputProcessNone : public CAudioRecorderOutputProcessBase
{
};

// Triangular dither of ±1 step of the word length, added only for outputs
// that do not take float samples as they are.
class CAudioRecorderOutputProcessTpdfDither : public CAudioRecorderOutputProcessBase
{
public:
    void initialise() override;
    int process (float* const* block, int frames) override;

    // The next dither value for the current word length.
    float nextDither();

private:
    static uint32_t advance (uint32_t x) { return x * 196314165u + 907633515u; }

    uint32_t generatorA = 0;
    uint32_t generatorB = 0;
};

// Behaves like the triangular dither.
class CAudioRecorderOutputProcessNoiseShapedDither : public CAudioRecorderOutputProcessTpdfDither
{
};
