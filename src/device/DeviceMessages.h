#pragma once

#include "device/BankImage.h"
#include "device/SysExCommand.h"

#include <array>

class SampleData;

// The messages that carry the device's byte images, made from the images
// themselves, and the way back from a received message into an image.
// channel is the device's MIDI channel from its inquiry reply.
namespace DeviceMessages
{
    constexpr int globalImageSize = 16;
    using GlobalImage = std::array<uint8_t, globalImageSize>;

    // A plain request or a message without data; sampleHeaderRequest and
    // sampleParameterRequest take the sample, patternInfoRequest the
    // pattern and bankRequest the bank in number.
    SysExCommand request (int id, int channel, int number = 0);

    // Bank number -1 writes the device's current bank (currentBankImage),
    // 0 to 7 a stored bank (bankImage).
    SysExCommand bankImage (int bankNumber, const BankImage& image, int channel);

    SysExCommand sampleHeader (int sampleIndex, const SampleData& sample, int channel);
    SysExCommand sampleParameters (int sampleIndex, const SampleData& sample, int channel);

    // The sample's PCM, written raw.
    SysExCommand sampleData (const SampleData& sample);

    SysExCommand patternInfo (int patternIndex, int patternByteCount, int channel);

    // The pattern block, written raw.
    SysExCommand patternData (const void* patternBlock, size_t blockSize);

    SysExCommand effect (const BankImage::EffectImage& image, int channel);
    SysExCommand globalData (const GlobalImage& image, int channel);
    SysExCommand parameterChange (int group, int index, int value, int channel);

    // endOfDump false keeps the device in dump mode for another bank.
    SysExCommand leaveBankDump (bool endOfDump, int channel);

    // Copies the start of a reply's data, at most capacity bytes, and
    // answers how many were copied; the rest of dest is left as it was.
    size_t copyReplyData (const SysExCommand& reply, uint8_t* dest, size_t capacity);
}
