#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <vector>

// One system exclusive message of the device, held as named fields. Device
// messages are F0 42 3n 7F, a function byte, the header fields that the
// message's layout names, the 8-bit data packed into 7-bit bytes, and F7.
// The universal device inquiry and its reply are the two exceptions.
class SysExCommand
{
public:
    enum MessageId
    {
        none = -1,
        currentBankRequest = 0,
        sampleHeaderRequest,
        patternInfoRequest,
        bankRequest,
        patternDataRequest,
        sampleParameterRequest,
        effectRequest,
        sampleDataRequest,
        currentBankImage,
        sampleHeader,
        patternInfo,
        bankImage,
        patternData,            // bulk: written and received as raw bytes
        sampleData,             // bulk: written and received as raw bytes
        sampleParameters,
        effectData,
        globalDataRequest,
        globalData,
        unusedMessage,          // known to the device, never used here
        parameterChange,
        leaveBankDump,
        bankDumpResult,
        status21,               // success or failure, depending on what it answers
        writeFailed,
        writeAccepted,
        requestFailed,
        dataUnavailable,
        announcementAccepted,
        deviceBusy,
        deviceNotReady,
        deviceInquiryRequest,
        deviceInquiryReply,
        numMessageIds
    };

    // Which header fields a message carries, in the order they are sent.
    struct Layout
    {
        uint8_t function;
        bool bank, sample, pattern, markAllowed, words, size, option;
    };

    static constexpr int maxBankNumber = 7;
    static constexpr int maxSampleNumber = 35;
    static constexpr int maxPatternNumber = 15;
    static constexpr int inquiryFamilyCode = 0x007f;

    SysExCommand() = default;
    explicit SysExCommand (int id);

    // A command that holds the bytes as its data block, as they are.
    SysExCommand (int id, const void* rawBytes, size_t size);

    SysExCommand (const SysExCommand&) = default;
    SysExCommand (SysExCommand&&) = default;
    SysExCommand& operator= (const SysExCommand&) = default;
    SysExCommand& operator= (SysExCommand&&) = default;
    virtual ~SysExCommand() = default;

    // The layout of an id from 0 to numMessageIds - 1.
    static const Layout& getLayout (int id);

    // The message bytes; empty for a command without an id.
    juce::MemoryBlock encode() const;

    // Fills the fields from a whole message (with or without F0 and F7);
    // answers false, with every field reset, when the bytes are not a valid
    // message of the device.
    bool decode (const void* bytes, size_t length);

    // The id of a message from its first bytes (enough of them to reach the
    // function byte), or none; works on a message still being received.
    static int identify (const void* bytes, size_t length);

    int messageId = none;
    int bankNumber = 0;
    int sampleNumber = 0;
    int patternNumber = 0;
    bool markFlag = false;
    int word1 = 0, word2 = 0, word3 = 0;
    int dataSize = 0;
    int optionByte = 0;
    int channel = 0;
    juce::MemoryBlock data;

private:
    // F0 up to the last header field of a device message.
    std::vector<uint8_t> encodeHeader() const;
    bool decodeDeviceMessage (const uint8_t* bytes, size_t start, size_t end, int id);
    bool decodeUniversalMessage (const uint8_t* bytes, size_t start, size_t end);
};
