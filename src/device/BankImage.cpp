#include "device/BankImage.h"

#include "data/SampleData.h"

#include <cstring>

namespace
{
constexpr size_t minimumPatternBlockSize = 1308;
constexpr size_t recordedLengthOffset = 10;

static_assert (BankImage::sampleParameterOffset + BankImage::numSamples * BankImage::sampleParameterBlockSize
                   == BankImage::patternLengthOffset, "sample blocks end where the pattern lengths start");
static_assert (BankImage::patternLengthOffset + BankImage::numPatterns == BankImage::effectOffset,
               "pattern lengths end where the effect starts");
static_assert (BankImage::effectOffset + BankImage::effectImageSize == BankImage::size,
               "the effect ends the image");
static_assert (BankImage::sampleParameterBlockSize == SampleData::parameterBlockSize,
               "a bank image holds the samples' own parameter blocks");

// Copies one component to or from its place in the image.
template <typename Component>
void put (uint8_t* image, int offset, const Component& component)
{
    std::memcpy (image + offset, component.data(), component.size());
}

template <typename Component>
void get (const uint8_t* image, int offset, Component& component)
{
    std::memcpy (component.data(), image + offset, component.size());
}

int sampleOffset (int index)
{
    return BankImage::sampleParameterOffset + index * BankImage::sampleParameterBlockSize;
}
}

juce::MemoryBlock BankImage::build() const
{
    juce::MemoryBlock block ((size_t) size, true);
    auto* image = static_cast<uint8_t*> (block.getData());

    put (image, bankParameterOffset, bankParameters);

    for (int i = 0; i < numSamples; ++i)
        put (image, sampleOffset (i), sampleParameters[(size_t) i]);

    put (image, patternLengthOffset, patternLengths);
    put (image, effectOffset, effect);
    return block;
}

bool BankImage::parse (const void* data, size_t imageSize)
{
    if (data == nullptr || imageSize < (size_t) size)
        return false;

    const auto* image = static_cast<const uint8_t*> (data);
    get (image, bankParameterOffset, bankParameters);

    for (int i = 0; i < numSamples; ++i)
        get (image, sampleOffset (i), sampleParameters[(size_t) i]);

    get (image, patternLengthOffset, patternLengths);
    get (image, effectOffset, effect);
    return true;
}

void BankImage::setSampleParameters (int index, const SampleData& sample)
{
    sample.buildParameterBlock (sampleParameters[(size_t) index].data());
}

void BankImage::applySampleParameters (int index, SampleData& sample) const
{
    sample.parseParameterBlock (sampleParameters[(size_t) index].data());
}

void BankImage::setPatternLength (int index, const void* patternBlock, size_t blockSize)
{
    patternLengths[(size_t) index] = patternLengthByte (patternBlock, blockSize);
}

uint8_t BankImage::patternLengthByte (const void* patternBlock, size_t blockSize)
{
    if (patternBlock == nullptr || blockSize < minimumPatternBlockSize)
        return 0;

    // The recorded length is big-endian; the image keeps its low byte.
    return static_cast<const uint8_t*> (patternBlock)[recordedLengthOffset + 1];
}
