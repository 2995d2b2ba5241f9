#pragma once

#include "data/Data.h"

#include <array>
#include <cstdint>

// The device's global settings: a 16-byte image, kept exactly as the device
// sends it. Thirteen bit fields of the first six bytes are interpreted; the
// other bits and bytes belong to the device and travel unchanged.
class GlobalData : public Data
{
public:
    static constexpr int imageSize = 16;
    static inline const juce::String chunkId { "3872GlbD" };

    using Image = std::array<uint8_t, imageSize>;

    // Field indices, as the global page lists them.
    enum Field
    {
        metronome,              // Off, Rec 0, Rec 1, Rec 2, On
        memoryProtect,          // off, on
        lcdBacklight,           // Off, Auto, On
        audioInMode,            // L/Mono, Stereo
        patternChange,          // Pattern End, Bar Line
        globalMidiChannel,      // 0 to 15 for channels 1 to 16
        keyboardMidiChannel,    // 0 to 15 for channels 1 to 16
        localControl,           // Off, On
        midiRouting,            // USB+MIDI, USB, MIDI
        midiClock,              // Auto, Internal, External USB, External MIDI
        audioInLevel,           // +0dB, +6dB, +12dB
        startTrim,              // Off, 50ms, 100ms, 150ms, 200ms
        endTrim,                // Off, 10ms, 30ms, 50ms, 100ms
        numFields,
        noField = -1
    };

    static const Image defaultImage;

    GlobalData();

    // The field's value in an image; indices below 0 read field 0, indices
    // past the last field read 0.
    static int getField (int index, const uint8_t* image);

    // Stores the value, masked to the field's width, keeping the byte's
    // other bits. noField and indices past the last field change nothing.
    static void setField (int index, uint8_t* image, int value);

    // The largest value the global page offers for the field.
    static int getFieldMaximum (int index);

    int getField (int index) const { return getField (index, image.data()); }
    void setField (int index, int value) { setField (index, image.data(), value); }

    const Image& getImage() const { return image; }

    // A received image: the block becomes the default image, then takes at
    // most 16 bytes of the data.
    void setImage (const void* data, size_t size);

    void copyFrom (const GlobalData& other) { image = other.image; }

    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    juce::String getChunkId() const override { return chunkId; }
    void resetToDefaults() override { image = defaultImage; }

private:
    Image image;
};
