#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>

class SampleData;

// The 2420-byte image of one bank that the device sends and takes in one
// message: the bank parameter block, the parameter blocks of the 36
// samples, one length byte per pattern and the effect image. Audio and
// pattern data travel separately.
struct BankImage
{
    static constexpr int size = 2420;
    static constexpr int numSamples = 36;
    static constexpr int numPatterns = 16;
    static constexpr int bankParameterBlockSize = 64;
    static constexpr int sampleParameterBlockSize = 64;
    static constexpr int effectImageSize = 36;

    static constexpr int bankParameterOffset = 0;
    static constexpr int sampleParameterOffset = 64;
    static constexpr int patternLengthOffset = 2368;
    static constexpr int effectOffset = 2384;

    using BankParameterBlock = std::array<uint8_t, bankParameterBlockSize>;
    using SampleParameterBlock = std::array<uint8_t, sampleParameterBlockSize>;
    using EffectImage = std::array<uint8_t, effectImageSize>;

    BankParameterBlock bankParameters {};
    std::array<SampleParameterBlock, numSamples> sampleParameters {};
    std::array<uint8_t, numPatterns> patternLengths {};
    EffectImage effect {};

    juce::MemoryBlock build() const;

    // Takes the components from a received image; false, with nothing
    // changed, when fewer than 2420 bytes are given.
    bool parse (const void* image, size_t imageSize);

    void setSampleParameters (int index, const SampleData& sample);
    void applySampleParameters (int index, SampleData& sample) const;

    // The pattern's length byte from its pattern block.
    void setPatternLength (int index, const void* patternBlock, size_t blockSize);

    // The low 8 bits of the recorded length in measures (big-endian at
    // offset 10 of the pattern block); 0 for a block shorter than an
    // initial pattern.
    static uint8_t patternLengthByte (const void* patternBlock, size_t blockSize);
};
