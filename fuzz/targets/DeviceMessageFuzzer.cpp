// Bytes from the device: the input is a stream of USB-MIDI packets as the
// driver delivers them, and also one system exclusive message on its own.
// Every message that the interpreter completes is identified and decoded
// the way the sessions do it; decoded messages must encode and decode back
// to the same fields, and bank images must rebuild to the same bytes.
#include "FuzzSupport.h"

#include "data/SampleData.h"
#include "device/BankImage.h"
#include "device/SevenBitPacking.h"
#include "device/SysExCommand.h"
#include "device/UsbMidiInterpreter.h"

#include <algorithm>
#include <cstring>

namespace
{
using FuzzSupport::Bytes;

// Everything the interpreter reports, in order.
struct Recorder : public UsbMidiInterpreterCallback
{
    std::vector<Bytes> shortMessages;
    std::vector<Bytes> sysExReports;   // cable, complete flag, then the bytes
    std::vector<Bytes> completeMessages;

    void handleShortMessage (const juce::MidiMessage& message, int cable) override
    {
        Bytes report { (uint8_t) cable };
        report.insert (report.end(), message.getRawData(), message.getRawData() + message.getRawDataSize());
        shortMessages.push_back (std::move (report));
    }

    int getSysExNotifyInterval() override { return 64; }

    void handleSysExData (const uint8_t* bytes, int length, bool complete, int cable) override
    {
        FUZZ_CHECK (length > 0);
        Bytes report { (uint8_t) cable, (uint8_t) complete };
        report.insert (report.end(), bytes, bytes + length);
        sysExReports.push_back (std::move (report));

        // A message still growing is identified from its first bytes.
        SysExCommand::identify (FuzzSupport::exactCopy (bytes, (size_t) length).get(), (size_t) length);

        if (complete)
            completeMessages.emplace_back (bytes, bytes + length);
    }

    bool sameReportsAs (const Recorder& other) const
    {
        return shortMessages == other.shortMessages && sysExReports == other.sysExReports;
    }
};

// The framework's own comparison hands null pointers of empty blocks to memcmp.
bool sameBytes (const juce::MemoryBlock& a, const juce::MemoryBlock& b)
{
    return a.getSize() == b.getSize()
        && (a.getSize() == 0 || std::memcmp (a.getData(), b.getData(), a.getSize()) == 0);
}

bool sameFields (const SysExCommand& a, const SysExCommand& b)
{
    return a.messageId == b.messageId && a.bankNumber == b.bankNumber && a.sampleNumber == b.sampleNumber
        && a.patternNumber == b.patternNumber && a.markFlag == b.markFlag && a.word1 == b.word1
        && a.word2 == b.word2 && a.word3 == b.word3 && a.dataSize == b.dataSize
        && a.optionByte == b.optionByte && a.channel == b.channel && sameBytes (a.data, b.data);
}

// What the sessions do with the data of a received message.
void useReplyData (const SysExCommand& command)
{
    const auto* data = static_cast<const uint8_t*> (command.data.getData());
    const size_t size = command.data.getSize();

    BankImage image;
    if (image.parse (data, size))
    {
        const auto rebuilt = image.build();
        FUZZ_CHECK (rebuilt.getSize() == (size_t) BankImage::size);
        FUZZ_CHECK (std::equal (data, data + BankImage::size, static_cast<const uint8_t*> (rebuilt.getData())));

        SampleData sample;
        for (int i = 0; i < BankImage::numSamples; ++i)
            image.applySampleParameters (i, sample);
    }

    if (size >= (size_t) SampleData::parameterBlockSize)
    {
        SampleData sample;
        sample.parseParameterBlock (FuzzSupport::exactCopy (data, SampleData::parameterBlockSize).get());
    }
}

// Decodes one whole message from an exact-size copy, so that a read past
// its end is caught; a valid device message must survive encoding.
void decodeMessage (const uint8_t* bytes, size_t length)
{
    const auto copy = FuzzSupport::exactCopy (bytes, length);

    for (size_t prefix = 0; prefix <= std::min<size_t> (length, 8); ++prefix)
        SysExCommand::identify (FuzzSupport::exactCopy (bytes, prefix).get(), prefix);

    SysExCommand command;
    if (! command.decode (copy.get(), length))
    {
        FUZZ_CHECK (sameFields (command, SysExCommand()));
        return;
    }

    FUZZ_CHECK (command.messageId >= 0 && command.messageId < SysExCommand::numMessageIds);
    useReplyData (command);

    if (command.messageId < SysExCommand::deviceInquiryRequest)
    {
        const auto encoded = command.encode();
        SysExCommand again;
        FUZZ_CHECK (again.decode (encoded.getData(), encoded.getSize()));
        FUZZ_CHECK (sameFields (command, again));
    }
}

// Packed data must unpack to the size announced and pack back to bytes
// that unpack the same.
void checkSevenBitPacking (const uint8_t* data, size_t size)
{
    Bytes unpacked (SevenBitPacking::unpackedSize (size));
    SevenBitPacking::unpack (FuzzSupport::exactCopy (data, size).get(), size, unpacked.data());

    Bytes repacked (SevenBitPacking::packedSize (unpacked.size()));
    SevenBitPacking::pack (unpacked.data(), unpacked.size(), repacked.data());
    FUZZ_CHECK (repacked.size() <= size);

    Bytes again (SevenBitPacking::unpackedSize (repacked.size()));
    SevenBitPacking::unpack (repacked.data(), repacked.size(), again.data());
    FUZZ_CHECK (again == unpacked);
}

// The driver hands over 64-byte reads; without dropping partial packets,
// how the stream is cut must not matter.
void processStream (const uint8_t* data, size_t size)
{
    Recorder asRead;
    UsbMidiInterpreter device (asRead, 1, true);

    for (size_t pos = 0; pos < size; pos += 64)
        device.processPackets (data + pos, std::min<size_t> (64, size - pos));

    for (const auto& message : asRead.completeMessages)
        decodeMessage (message.data(), message.size());

    Recorder whole, pieces;
    UsbMidiInterpreter wholeInterpreter (whole, 1, false, 4096);
    UsbMidiInterpreter piecesInterpreter (pieces, 1, false, 4096);
    wholeInterpreter.processPackets (data, size);

    for (size_t pos = 0, step = 1; pos < size; pos += step, step = step % 13 + 1)
        piecesInterpreter.processPackets (data + pos, std::min (step, size - pos));

    FUZZ_CHECK (whole.sameReportsAs (pieces));
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    processStream (data, size);
    decodeMessage (data, size);
    checkSevenBitPacking (data, size);

    // A sample header with whatever PCM follows it, as a sample receive
    // decodes it. Counts far beyond the bytes at hand size the audio up to
    // the device's sample memory (bounded, and tested as such), which is too
    // slow to repeat at fuzzing speed.
    const size_t pcmBytes = size - std::min (size, (size_t) SampleData::headerSize);

    if (size >= (size_t) SampleData::headerSize
        && SampleData::pcmByteCountOfHeader (data) <= (juce::int64) pcmBytes + 4096)
    {
        SampleData sample;
        const auto header = FuzzSupport::exactCopy (data, SampleData::headerSize);
        const auto pcm = FuzzSupport::exactCopy (data + SampleData::headerSize, pcmBytes);
        sample.decodeHeaderAndPcm (header.get(), pcm.get(), (juce::int64) pcmBytes, true);
    }

    return 0;
}
