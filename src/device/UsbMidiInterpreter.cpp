#include "device/UsbMidiInterpreter.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace
{
constexpr uint8_t sysExStart = 0xf0;

constexpr int cinSysExContinues = 0x4;
constexpr int cinSysExEndsWithOne = 0x5;

// MIDI bytes carried by a packet of each code index number; 0 and 1 are
// reserved and carry none.
constexpr int bytesOfCin[16] = { 0, 0, 2, 3, 3, 1, 2, 3, 3, 3, 3, 3, 2, 2, 3, 1 };

bool endsSysEx (int cin)
{
    return cin >= 0x5 && cin <= 0x7;
}
}

UsbMidiInterpreter::UsbMidiInterpreter (UsbMidiInterpreterCallback& callbackToUse, int cableNumber,
                                        bool dropPartial, size_t maxLength)
    : callback (callbackToUse),
      cable (cableNumber >= 0 && cableNumber < numCables ? cableNumber : 0),
      dropPartialPackets (dropPartial),
      maxSysExLength (std::min (maxLength, (size_t) std::numeric_limits<int>::max()))
{
}

juce::MemoryBlock UsbMidiInterpreter::makePackets (const void* message, size_t count) const
{
    if (message == nullptr)
        return {};

    const auto* bytes = static_cast<const uint8_t*> (message);
    juce::MemoryBlock packets ((count + 2) / 3 * packetSize, true);
    auto* out = static_cast<uint8_t*> (packets.getData());

    for (size_t pos = 0; pos < count; pos += 3, out += packetSize)
    {
        const auto remaining = (int) std::min<size_t> (3, count - pos);
        const bool last = pos + 3 >= count;
        const int cin = last ? cinSysExEndsWithOne + remaining - 1 : cinSysExContinues;

        out[0] = (uint8_t) (cable * 16 + cin);
        std::memcpy (out + 1, bytes + pos, (size_t) remaining);
    }

    return packets;
}

void UsbMidiInterpreter::processPackets (const void* block, size_t size)
{
    if (block == nullptr)
        return;

    const auto* bytes = static_cast<const uint8_t*> (block);

    if (pendingBytes > 0)
    {
        const size_t taken = std::min (packetSize - pendingBytes, size);
        std::memcpy (pendingPacket.data() + pendingBytes, bytes, taken);
        pendingBytes += taken;
        bytes += taken;
        size -= taken;

        if (pendingBytes < packetSize)
            return;

        pendingBytes = 0;
        processPacket (pendingPacket.data());
    }

    const size_t wholePackets = size / packetSize;

    for (size_t i = 0; i < wholePackets; ++i)
        processPacket (bytes + i * packetSize);

    if (! dropPartialPackets)
    {
        pendingBytes = size - wholePackets * packetSize;
        std::memcpy (pendingPacket.data(), bytes + wholePackets * packetSize, pendingBytes);
    }
}

void UsbMidiInterpreter::processPacket (const uint8_t* packet)
{
    const int cableNumber = packet[0] >> 4;
    const int cin = packet[0] & 0x0f;
    const uint8_t* midiBytes = packet + 1;

    // Outside a system exclusive message, CIN 5 is a one-byte system common message.
    const bool systemCommon = cin == cinSysExEndsWithOne && cables[(size_t) cableNumber].state == SysExState::idle;

    if (cin == cinSysExContinues)
        continueSysEx (cableNumber, midiBytes);
    else if (endsSysEx (cin) && ! systemCommon)
        endSysEx (cableNumber, midiBytes, bytesOfCin[cin]);
    else if (bytesOfCin[cin] > 0)
        reportShortMessage (cableNumber, midiBytes, bytesOfCin[cin]);
}

void UsbMidiInterpreter::continueSysEx (int cableNumber, const uint8_t* bytes)
{
    auto& state = cables[(size_t) cableNumber];

    // A start byte ends whatever an unterminated message left behind.
    if (bytes[0] == sysExStart)
        restart (state);

    if (state.state == SysExState::discarding || ! append (state, bytes, 3))
        return;

    state.state = SysExState::assembling;
    const int interval = callback.getSysExNotifyInterval();
    const size_t length = state.buffer.size();

    if (interval > 0 && state.notified / (size_t) interval < length / (size_t) interval)
    {
        state.notified = length;
        callback.handleSysExData (state.buffer.data(), (int) length, false, cableNumber);
    }
}

void UsbMidiInterpreter::endSysEx (int cableNumber, const uint8_t* bytes, int count)
{
    auto& state = cables[(size_t) cableNumber];

    if (state.state == SysExState::idle || bytes[0] == sysExStart)
        restart (state);

    if (state.state != SysExState::discarding && append (state, bytes, count))
        callback.handleSysExData (state.buffer.data(), (int) state.buffer.size(), true, cableNumber);

    restart (state);
    state.state = SysExState::idle;
}

bool UsbMidiInterpreter::append (Cable& state, const uint8_t* bytes, int count)
{
    if (state.buffer.size() + (size_t) count > maxSysExLength)
    {
        restart (state);
        state.buffer.shrink_to_fit();
        state.state = SysExState::discarding;
        return false;
    }

    state.buffer.insert (state.buffer.end(), bytes, bytes + count);
    return true;
}

void UsbMidiInterpreter::restart (Cable& state)
{
    state.buffer.clear();
    state.notified = 0;
    state.state = SysExState::idle;
}

void UsbMidiInterpreter::reportShortMessage (int cableNumber, const uint8_t* bytes, int count)
{
    callback.handleShortMessage (juce::MidiMessage (bytes, count, 0.0), cableNumber);
}
