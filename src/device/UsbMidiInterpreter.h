#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <cstdint>
#include <vector>

// Receives what a UsbMidiInterpreter finds in the incoming packets. All
// calls come from the thread that calls processPackets.
class UsbMidiInterpreterCallback
{
public:
    virtual ~UsbMidiInterpreterCallback() = default;

    // A channel or system common message that arrived in one packet.
    virtual void handleShortMessage (const juce::MidiMessage& message, int cable) = 0;

    // Bytes between partial reports of a growing system exclusive message;
    // 0 or less means no partial reports.
    virtual int getSysExNotifyInterval() = 0;

    // The bytes of one system exclusive message assembled so far (F0
    // included), partially while it grows and completely at its end. The
    // bytes belong to the interpreter and are valid only during the call.
    virtual void handleSysExData (const uint8_t* data, int length, bool complete, int cable) = 0;
};

// Cuts outgoing system exclusive messages into USB-MIDI event packets and
// reassembles incoming ones per cable. A packet is 4 bytes: the cable number
// in the upper and the code index number (CIN) in the lower half of the
// first byte, then up to three MIDI bytes.
class UsbMidiInterpreter
{
public:
    static constexpr int numCables = 16;
    static constexpr size_t packetSize = 4;

    // A system exclusive message that grows beyond the maximum length is
    // abandoned up to its end, so that a garbled stream without an end
    // cannot take all memory. The default is well above anything the
    // device sends as one message.
    static constexpr size_t defaultMaxSysExLength = 32 * 1024 * 1024;

    // Packets are made for the given cable (0 to 15, anything else is 0).
    // With dropPartialPackets a trailing part of a block shorter than a
    // packet is ignored; otherwise it is completed by the next block.
    UsbMidiInterpreter (UsbMidiInterpreterCallback& callback, int cable, bool dropPartialPackets,
                        size_t maxSysExLength = defaultMaxSysExLength);

    int getCable() const noexcept { return cable; }

    // The packets of one system exclusive message (F0 to F7). Keeps no
    // state, so it may run while another thread processes packets.
    juce::MemoryBlock makePackets (const void* message, size_t count) const;

    // Interprets a block of packets and reports to the callback.
    void processPackets (const void* block, size_t size);

private:
    enum class SysExState { idle, assembling, discarding };

    struct Cable
    {
        SysExState state = SysExState::idle;
        size_t notified = 0;
        std::vector<uint8_t> buffer;
    };

    void processPacket (const uint8_t* packet);
    void continueSysEx (int cableNumber, const uint8_t* bytes);
    void endSysEx (int cableNumber, const uint8_t* bytes, int count);
    bool append (Cable& state, const uint8_t* bytes, int count);
    void reportShortMessage (int cableNumber, const uint8_t* bytes, int count);
    static void restart (Cable& state);

    UsbMidiInterpreterCallback& callback;
    const int cable;
    const bool dropPartialPackets;
    const size_t maxSysExLength;
    std::array<Cable, numCables> cables;
    std::array<uint8_t, packetSize> pendingPacket {};
    size_t pendingBytes = 0;

    JUCE_DECLARE_NON_COPYABLE (UsbMidiInterpreter)
};
