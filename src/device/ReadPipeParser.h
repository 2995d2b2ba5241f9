#pragma once

#include "device/SysExCommand.h"
#include "device/UsbDriver.h"
#include "device/UsbMidiInterpreter.h"

#include <juce_core/juce_core.h>

#include <array>
#include <memory>
#include <vector>

// What the access makes of the bytes of the device's read pipe: 64-byte units
// of USB-MIDI packets and, while a reply is awaited, after a bulk marker the
// raw bytes of a bulk reply. It has no thread and no driver: its user reads
// where nextRead says and hands what came to take.
class ReadPipeParser : private UsbMidiInterpreterCallback
{
public:
    static constexpr int unitSize = 64;
    static constexpr int bulkBufferSize = 16384;

    // Bytes 0 to 2 are 0xFF, the rest 0: announces raw bulk bytes.
    static bool isBulkMarker (const uint8_t* unit);
    static juce::MemoryBlock makeBulkMarker();

    // The replies that come as raw bytes after a bulk marker.
    static bool isBulkId (int id);

    // Size of the whole message of an id with the given data size.
    static int expectedMessageSize (int id, int dataSize);

    // Hears what the parser found; every call comes from the thread that
    // calls take.
    class Receiver
    {
    public:
        virtual ~Receiver() = default;

        // Bytes of a message came: the device is not silent.
        virtual void bytesArrived() = 0;

        // A complete message other than the reply awaited; limited ones came
        // while listening, where only so many are kept.
        virtual void messageArrived (std::unique_ptr<SysExCommand> message, bool limited) = 0;

        // The reply awaited; none when its bytes did not decode.
        virtual void replyArrived (std::unique_ptr<SysExCommand> reply) = 0;

        virtual void replyProgress (int id, double fraction) = 0;
    };

    // What is awaited: no reply (listening for unsolicited messages), any of
    // several reply ids, or one reply id of a known data size.
    struct Expectation
    {
        bool awaitingReply = false;
        std::vector<int> ids;
        int size = 0;   // of the whole reply; 0 or less when not known

        static Expectation anyOf (const std::vector<int>& replyIds) { return { true, replyIds, 0 }; }
        static Expectation reply (int id, int dataSize) { return { true, { id }, expectedMessageSize (id, dataSize) }; }
    };

    // Where the next read puts its bytes, how many, and how they come.
    struct Read
    {
        uint8_t* dest;
        int count;
        UsbDriver::ReadMode mode;
    };

    explicit ReadPipeParser (Receiver& receiverToUse);

    // Begins to wait for what is expected, with no bulk reply under way. A
    // message cut short by the last stop goes on.
    void start (const Expectation& expected);

    // The next read: a unit of packets, or the next piece of a bulk reply.
    // Only while the reply has not ended.
    Read nextRead();

    // The read that nextRead gave came complete.
    void take (const Read& read);

    // The reply awaited has come whole; reading ends.
    bool hasEnded() const noexcept { return ended; }

    // The packets of one outgoing system exclusive message; may run while
    // another thread takes reads.
    juce::MemoryBlock makePackets (const void* message, size_t count) const
    {
        return interpreter.makePackets (message, count);
    }

private:
    void handleShortMessage (const juce::MidiMessage&, int) override {}
    int getSysExNotifyInterval() override { return unitSize; }
    void handleSysExData (const uint8_t* data, int length, bool complete, int cable) override;

    void advanceBulk (int count);
    void finishBulk();
    int bulkReplyId() const;
    void pass (const uint8_t* data, int length, bool limited);
    bool isExpected (int id) const;

    Receiver& receiver;
    UsbMidiInterpreter interpreter;
    Expectation expectation;
    std::array<uint8_t, unitSize> unit {};

    bool ended = false;
    bool replyMatched = false;
    int matchedId = -1;
    int progressMark = 0;
    bool bulkMode = false;
    juce::MemoryBlock bulkBuffer;   // sized to the whole reply once the marker came
    int bulkFill = 0;
};
