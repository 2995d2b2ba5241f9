#pragma once

#include "data/Data.h"

#include <array>
#include <cstdint>

// The master effect of a bank: nothing but its 36-byte effect image, the
// bytes that bank files store and the device exchanges.
//   0      effect type, 0..21
//   1      reserved, carried unchanged
//   2, 3   parameter slots that knob 1 and knob 2 control
//   4..35  parameter slots 0..31: value + the slot's offset, as one byte
// What the bytes mean is known only to EffectParameterAccessor.
class EffectData : public Data
{
public:
    static constexpr int imageSize = 36;
    static constexpr int payloadSize = 64;   // the image, then 0xFF padding
    static constexpr int typeByte = 0;
    static constexpr int reservedByte = 1;
    static constexpr int firstKnobByte = 2;
    static constexpr int firstSlotByte = 4;
    static constexpr int numSlots = 32;
    static inline const juce::String chunkId { "3872MfxD" };

    using Image = std::array<uint8_t, imageSize>;

    EffectData();

    const Image& getImage() const { return image; }
    void setImage (const Image& newImage) { image = newImage; }

    int getByte (int index) const { return image[(size_t) index]; }
    void setByte (int index, int value) { image[(size_t) index] = (uint8_t) value; }

    int getType() const { return image[typeByte]; }

    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    juce::String getChunkId() const override { return chunkId; }

    // Reverb with its defaults.
    void resetToDefaults() override;

private:
    Image image {};
};
