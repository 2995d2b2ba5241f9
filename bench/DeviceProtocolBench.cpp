#include "device/SysExCommand.h"
#include "device/UsbMidiInterpreter.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace
{
// A whole bank of sample memory, the most the device could send in one go.
constexpr size_t payloadSize = 0xEA0000;

SysExCommand bigEffectMessage()
{
    SysExCommand command (SysExCommand::effectData);
    command.data.setSize (payloadSize);
    auto* bytes = static_cast<uint8_t*> (command.data.getData());
    for (size_t i = 0; i < payloadSize; ++i)
        bytes[i] = (uint8_t) (i * 7919 >> 3);
    return command;
}

// Does what the device access does with what the interpreter reports:
// identifies growing messages and decodes complete ones.
struct DecodingCallback : public UsbMidiInterpreterCallback
{
    void handleShortMessage (const juce::MidiMessage&, int) override {}
    int getSysExNotifyInterval() override { return 64; }

    void handleSysExData (const uint8_t* data, int length, bool complete, int) override
    {
        if (complete)
            decoded = received.decode (data, (size_t) length);
        else
            benchmark::DoNotOptimize (SysExCommand::identify (data, (size_t) length));
    }

    SysExCommand received;
    bool decoded = false;
};
}

static void BM_PackAndPacketise (benchmark::State& state)
{
    const auto command = bigEffectMessage();
    DecodingCallback callback;
    const UsbMidiInterpreter interpreter (callback, 1, true);

    for (auto _ : state)
    {
        const auto message = command.encode();
        const auto packets = interpreter.makePackets (message.getData(), message.getSize());
        benchmark::DoNotOptimize (packets.getData());
    }
    state.SetBytesProcessed (state.iterations() * (int64_t) payloadSize);
}
BENCHMARK (BM_PackAndPacketise)->Unit (benchmark::kMillisecond);

static void BM_ParseAndUnpack (benchmark::State& state)
{
    DecodingCallback callback;
    UsbMidiInterpreter interpreter (callback, 1, true);
    const auto message = bigEffectMessage().encode();
    const auto packets = interpreter.makePackets (message.getData(), message.getSize());
    const auto* bytes = static_cast<const uint8_t*> (packets.getData());

    for (auto _ : state)
    {
        // in reads of 64 bytes, as they come from the device
        for (size_t offset = 0; offset < packets.getSize(); offset += 64)
            interpreter.processPackets (bytes + offset, std::min<size_t> (64, packets.getSize() - offset));

        if (! callback.decoded)
            state.SkipWithError ("the message did not decode");
    }
    state.SetBytesProcessed (state.iterations() * (int64_t) payloadSize);
}
BENCHMARK (BM_ParseAndUnpack)->Unit (benchmark::kMillisecond);
