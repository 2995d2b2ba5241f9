// Writes the seed corpora of the fuzz targets: chunk files, device
// messages, Standard MIDI Files and audio files as the program itself (or,
// for formats it only reads, the framework's writers) writes them.
//     plovara_fuzz_seeds <corpus folder>
// fills <corpus folder>/<target> for every target.
#include "audio/io/SampleExporter.h"
#include "data/AllData.h"
#include "data/DataFile.h"
#include "data/EffectData.h"
#include "data/GlobalData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"
#include "data/smf/SequenceDataExporter.h"
#include "device/DeviceMessages.h"
#include "device/ReadPipeParser.h"
#include "device/UsbMidiInterpreter.h"

#include <cmath>
#include <functional>
#include <iostream>

namespace
{
constexpr int deviceChannel = 0;
constexpr int usbCable = 1;

void writeSeed (const juce::File& folder, const juce::String& name, const void* data, size_t size)
{
    if (! folder.getChildFile (name).replaceWithData (data, size))
        std::cerr << "cannot write " << name << "\n";
}

void writeSeed (const juce::File& folder, const juce::String& name, const juce::MemoryBlock& bytes)
{
    writeSeed (folder, name, bytes.getData(), bytes.getSize());
}

void writeChunk (const juce::File& folder, const juce::String& name, Data& node)
{
    juce::MemoryOutputStream stream;
    node.writeTo (stream);
    writeSeed (folder, name, stream.getData(), stream.getDataSize());
}

juce::MemoryBlock concatenate (std::initializer_list<juce::MemoryBlock> pieces)
{
    juce::MemoryBlock whole;
    for (auto& piece : pieces)
        whole.append (piece.getData(), piece.getSize());
    return whole;
}

juce::MemoryBlock bytes (std::initializer_list<int> values)
{
    juce::MemoryBlock block;
    for (int v : values)
        block.append (&v, 1);
    return block;
}

// USB-MIDI packets on the device's cable, as both sides send messages.
juce::MemoryBlock packetsOf (const juce::MemoryBlock& message)
{
    struct Callback : public UsbMidiInterpreterCallback
    {
        void handleShortMessage (const juce::MidiMessage&, int) override {}
        int getSysExNotifyInterval() override { return 0; }
        void handleSysExData (const uint8_t*, int, bool, int) override {}
    } callback;

    return UsbMidiInterpreter (callback, usbCable, true).makePackets (message.getData(), message.getSize());
}

juce::MemoryBlock packetsOf (const SysExCommand& command)
{
    return packetsOf (command.encode());
}

// What the device sends for one message: packets padded to whole 64-byte units.
juce::MemoryBlock unitsOf (const SysExCommand& command)
{
    auto packets = packetsOf (command);
    const auto unit = (size_t) ReadPipeParser::unitSize;
    packets.setSize ((packets.getSize() + unit - 1) / unit * unit, true);
    return packets;
}

// A short sine so that the PCM is not all zeros.
void fillWithSine (SampleData& sample, int channels, int frames, double rate)
{
    sample.resize (channels, frames, rate, false);

    for (int c = 0; c < channels; ++c)
        for (int f = 0; f < frames; ++f)
            sample.getAudio().setSample (c, f, (float) std::sin (0.3 * f + c));
}

void writeChunkSeeds (const juce::File& folder)
{
    SampleData plainSample;
    writeChunk (folder, "sample-default.plvr_sample", plainSample);

    SampleData mono;
    fillWithSine (mono, 1, 3, 48000.0);
    mono.setName ("kick");
    mono.setSourceFileName ("kick drum");
    mono.setParameter (SampleData::semitone, -12);
    mono.setParameter (SampleData::veloInt, 30);
    writeChunk (folder, "sample-mono-3-frames.plvr_sample", mono);

    SampleData stereo;
    fillWithSine (stereo, 2, 40, 24000.0);
    stereo.setName ("PAD");
    stereo.setSourceFileName ("a rather long source name");
    stereo.setParameter (SampleData::start, 5);
    stereo.setParameter (SampleData::end, 30);
    stereo.setParameter (SampleData::bpmSync, 2);
    stereo.setHeaderFlag (false);
    writeChunk (folder, "sample-stereo-24k.plvr_sample", stereo);

    // A chunk of format version 1, which reading upgrades.
    juce::MemoryOutputStream written;
    mono.writeTo (written);
    auto old = written.getMemoryBlock();
    old[16] = 1;
    writeSeed (folder, "sample-format-1.plvr_sample", old.getData(), old.getSize());

    SampleSet samples;
    samples.getSample (1).copyFrom (mono);
    writeChunk (folder, "sample-set.chunk", samples);

    SequenceSet patterns;
    patterns.getPattern (0)->setName ("groove");
    patterns.getPattern (1)->setSize (100);
    patterns.getPattern (2)->setSize (0);
    writeChunk (folder, "patterns.plvr_seq", patterns);

    SequenceData pattern;
    pattern.setKeyboardSample (7);
    writeChunk (folder, "pattern.chunk", pattern);

    GlobalData global;
    global.setField (GlobalData::midiClock, 3);
    writeChunk (folder, "global.plvr_glob", global);

    EffectData effect;
    writeChunk (folder, "effect.chunk", effect);

    // Banks as the bank file tests make them, the patterns emptied to keep
    // the seeds small.
    BankData bank;
    writeChunk (folder, "bank-default.plvr_bank", bank);

    bank.setName ("live");
    bank.setTempo (1333);
    bank.setAudioInThruFx (false);
    bank.getSample (2).copyFrom (mono);
    bank.getSample (2).setName ("snare");
    for (int k = 0; k < SequenceSet::numPatterns; ++k)
        bank.getPattern (k)->setSize (k == 4 ? SequenceData::initialPatternSize : 0);
    bank.getPattern (4)->setName ("verse");
    bank.getEffect().setByte (EffectData::typeByte, 9);
    writeChunk (folder, "bank-small.plvr_bank", bank);
}

// The bank memory backup, its banks kept in swap files of a folder of its own.
void writeAllDataSeeds (const juce::File& folder)
{
    const juce::TemporaryFile swap;
    SwapFolder::overrideBaseFolder (swap.getFile());
    {
        BankData small;
        for (int k = 0; k < SequenceSet::numPatterns; ++k)
            small.getPattern (k)->setSize (0);

        AllData all;
        for (int i = 0; i < BankSet::numBanks; ++i)
            all.getBankSet().storeFrom (i, small);

        small.setName ("third");
        small.getSample (0).setName ("kick");
        fillWithSine (small.getSample (1), 2, 30, 48000.0);
        small.getPattern (15)->setSize (SequenceData::initialPatternSize);
        small.getPattern (15)->setName ("outro");
        small.getEffect().setByte (EffectData::typeByte, 4);
        all.getBankSet().storeFrom (2, small);
        all.getGlobalData().setField (GlobalData::metronome, 4);
        writeChunk (folder, "backup.plvr_all", all);
    }
    SwapFolder::overrideBaseFolder ({});
    swap.getFile().deleteRecursively();
}

SampleData makeSnare()
{
    SampleData sample;
    fillWithSine (sample, 1, 20, 12000.0);
    sample.setName ("SNARE");
    return sample;
}

BankImage makeBankImage (const SampleData& sample)
{
    BankImage image;
    for (int i = 0; i < BankImage::numSamples; ++i)
        image.setSampleParameters (i, sample);
    const auto pattern = SequenceData::createInitialPattern();
    image.setPatternLength (0, pattern.getData(), pattern.getSize());
    return image;
}

void writeDeviceSeeds (const juce::File& folder)
{
    // Each message once as USB-MIDI packets and once as plain bytes.
    auto writeMessage = [&] (const juce::String& name, const SysExCommand& command)
    {
        writeSeed (folder, name + ".packets", packetsOf (command));
        writeSeed (folder, name + ".sysex", command.encode());
    };

    const auto sample = makeSnare();
    const auto image = makeBankImage (sample);

    writeMessage ("inquiry-request", SysExCommand (SysExCommand::deviceInquiryRequest));
    writeMessage ("inquiry-reply", SysExCommand (SysExCommand::deviceInquiryReply));
    writeMessage ("bank-image", DeviceMessages::bankImage (3, image, deviceChannel));
    writeMessage ("current-bank-image", DeviceMessages::bankImage (-1, image, deviceChannel));
    writeMessage ("sample-header", DeviceMessages::sampleHeader (4, sample, deviceChannel));
    writeMessage ("sample-parameters", DeviceMessages::sampleParameters (4, sample, deviceChannel));
    writeMessage ("pattern-info", DeviceMessages::patternInfo (2, 1308, deviceChannel));
    writeMessage ("effect", DeviceMessages::effect (image.effect, deviceChannel));
    writeMessage ("global", DeviceMessages::globalData (GlobalData().getImage(), deviceChannel));
    writeMessage ("parameter-change", DeviceMessages::parameterChange (0x50, 17, -63, deviceChannel));
    writeMessage ("leave-bank-dump", DeviceMessages::leaveBankDump (true, deviceChannel));
    writeMessage ("bank-dump-result", DeviceMessages::request (SysExCommand::bankDumpResult, deviceChannel, 1));
    writeMessage ("write-accepted", DeviceMessages::request (SysExCommand::writeAccepted, deviceChannel));

    // A sample header followed by its PCM, as a sample receive gets them.
    uint8_t header[SampleData::headerSize];
    sample.buildHeader (header);
    juce::MemoryBlock headerAndPcm (header, sizeof (header));
    headerAndPcm.append (DeviceMessages::sampleData (sample).data.getData(), (size_t) sample.getPcmByteCount());
    writeSeed (folder, "sample-header-and-pcm.raw", headerAndPcm.getData(), headerAndPcm.getSize());
}

// What the device sends to the access's reader, after the four bytes that
// choose what the reader waits for (see UsbAccessReaderFuzzer.cpp).
void writeReaderSeeds (const juce::File& folder)
{
    using Id = SysExCommand::MessageId;
    const auto listen = bytes ({ 0, 3, 0, 0 });
    auto expectAny = [] (int a, int b) { return bytes ({ 1, a, b, 0 }); };
    auto expectOne = [] (int id, int size) { return bytes ({ 2, id, size & 0xff, size >> 8 }); };
    auto reply = [] (int id) { return unitsOf (DeviceMessages::request (id, deviceChannel)); };

    const auto sample = makeSnare();
    const auto pcm = DeviceMessages::sampleData (sample).data;
    const auto marker = ReadPipeParser::makeBulkMarker();

    writeSeed (folder, "listen-three-statuses",
               concatenate ({ listen, reply (Id::writeAccepted), reply (Id::requestFailed), reply (Id::deviceNotReady) }));
    writeSeed (folder, "unexpected-before-the-reply",
               concatenate ({ expectAny (Id::effectData, Id::requestFailed), reply (Id::writeAccepted),
                              unitsOf (DeviceMessages::effect (makeBankImage (sample).effect, deviceChannel)) }));
    writeSeed (folder, "inquiry-reply",
               concatenate ({ expectOne (Id::deviceInquiryReply, 0), unitsOf (SysExCommand (Id::deviceInquiryReply)) }));
    writeSeed (folder, "global-data",
               concatenate ({ expectOne (Id::globalData, 16),
                              unitsOf (DeviceMessages::globalData (GlobalData().getImage(), deviceChannel)) }));
    writeSeed (folder, "sample-header",
               concatenate ({ expectAny (Id::sampleHeader, Id::dataUnavailable),
                              unitsOf (DeviceMessages::sampleHeader (4, sample, deviceChannel)) }));
    writeSeed (folder, "bank-image",
               concatenate ({ expectAny (Id::currentBankImage, Id::bankImage),
                              unitsOf (DeviceMessages::bankImage (-1, makeBankImage (sample), deviceChannel)) }));
    writeSeed (folder, "sample-data-bulk",
               concatenate ({ expectOne (Id::sampleData, (int) pcm.getSize()), marker, pcm }));

    const auto pattern = SequenceData::createInitialPattern();
    writeSeed (folder, "pattern-data-bulk",
               concatenate ({ expectOne (Id::patternData, (int) pattern.getSize()), marker, pattern }));
}

// What the host writes to the virtual Plovara, after the byte of its
// misbehaviours (see VirtualPlovaraFuzzer.cpp): the exchanges of the
// virtual device tests.
void writeVirtualDeviceSeeds (const juce::File& folder)
{
    using Id = SysExCommand::MessageId;
    const auto wellBehaved = bytes ({ 0 });
    auto request = [] (int id, int number = 0) { return packetsOf (DeviceMessages::request (id, deviceChannel, number)); };

    const auto sample = makeSnare();
    const auto pattern = SequenceData::createInitialPattern();

    writeSeed (folder, "inquiry", concatenate ({ wellBehaved, packetsOf (SysExCommand (Id::deviceInquiryRequest)) }));
    writeSeed (folder, "requests",
               concatenate ({ wellBehaved, request (Id::globalDataRequest), request (Id::currentBankRequest),
                              request (Id::sampleHeaderRequest, 3), request (Id::sampleDataRequest),
                              request (Id::patternInfoRequest, 2), request (Id::patternDataRequest),
                              request (Id::sampleParameterRequest, 5), request (Id::effectRequest),
                              request (Id::bankRequest, 6) }));
    writeSeed (folder, "bank-dump",
               concatenate ({ wellBehaved, packetsOf (DeviceMessages::bankImage (3, makeBankImage (sample), deviceChannel)),
                              packetsOf (DeviceMessages::leaveBankDump (false, deviceChannel)),
                              packetsOf (DeviceMessages::leaveBankDump (true, deviceChannel)) }));
    writeSeed (folder, "sample-write",
               concatenate ({ wellBehaved, packetsOf (DeviceMessages::sampleHeader (7, sample, deviceChannel)),
                              DeviceMessages::sampleData (sample).data,
                              packetsOf (DeviceMessages::sampleParameters (7, sample, deviceChannel)) }));
    writeSeed (folder, "pattern-write",
               concatenate ({ wellBehaved, packetsOf (DeviceMessages::patternInfo (1, (int) pattern.getSize(), deviceChannel)),
                              pattern, packetsOf (DeviceMessages::patternInfo (2, 0, deviceChannel)) }));
    writeSeed (folder, "settings",
               concatenate ({ wellBehaved, packetsOf (DeviceMessages::globalData (GlobalData().getImage(), deviceChannel)),
                              packetsOf (DeviceMessages::effect (makeBankImage (sample).effect, deviceChannel)),
                              packetsOf (DeviceMessages::parameterChange (0, 16, 1333, deviceChannel)),
                              packetsOf (DeviceMessages::parameterChange (18, 27, -12, deviceChannel)),
                              packetsOf (DeviceMessages::parameterChange (0x50, 17, -63, deviceChannel)) }));
    writeSeed (folder, "protected-and-full",
               concatenate ({ bytes ({ 0x41 }), packetsOf (DeviceMessages::sampleHeader (7, sample, deviceChannel)),
                              packetsOf (DeviceMessages::patternInfo (1, 2048, deviceChannel)) }));
}

// Standard MIDI Files after the byte of the channels (part 0 on 0, part 1
// on 1): the program's export of patterns, and files as other programs
// write them, with two tracks, running status, system exclusive and meta
// events.
void writeSmfSeeds (const juce::File& folder)
{
    const auto channels = bytes ({ 0x10 });
    const juce::TemporaryFile exported;

    auto writeExport = [&] (const juce::String& name, const SequenceData& pattern)
    {
        SequenceDataExporter exporter;
        juce::MemoryBlock smf;
        if (exporter.exportSmf (pattern, exported.getFile(), 0, 1) && exported.getFile().loadFileAsData (smf))
            writeSeed (folder, name, concatenate ({ channels, smf }));
        else
            std::cerr << "cannot export " << name << "\n";
    };

    SequenceData initial;
    writeExport ("initial-pattern.mid", initial);

    auto track = [] (std::initializer_list<int> events) { return bytes (events); };
    auto file = [] (int format, std::initializer_list<juce::MemoryBlock> tracks)
    {
        juce::MemoryOutputStream out;
        out.write ("MThd", 4);
        out.writeIntBigEndian (6);
        out.writeShortBigEndian ((short) format);
        out.writeShortBigEndian ((short) tracks.size());
        out.writeShortBigEndian (96);

        for (auto& t : tracks)
        {
            out.write ("MTrk", 4);
            out.writeIntBigEndian ((int) t.getSize());
            out << t;
        }
        return out.getMemoryBlock();
    };

    const auto names = track ({ 0x00, 0xFF, 0x03, 0x03, 'a', 'b', 'c', 0x00, 0xF0, 0x02, 0x01, 0xF7, 0x00, 0xFF, 0x2F, 0x00 });
    const auto notes = track ({ 0x00, 0x90, 0x3C, 0x64, 0x30, 0x3E, 0x64, 0x83, 0x00, 0x3C, 0x00, 0x10, 0x81, 0x40, 0x00,
                                0x00, 0xC1, 0x05, 0x82, 0x00, 0x80, 0x3E, 0x00, 0x00, 0xFF, 0x2F, 0x00 });
    writeSeed (folder, "two-tracks.mid", concatenate ({ channels, file (1, { names, notes }) }));

    // Both parts, notes on the barline, a tempo event.
    const auto parts = track ({ 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90, 0x24, 0x40, 0x00, 0x91, 0x30, 0x50,
                                0x83, 0x00, 0x80, 0x24, 0x00, 0x00, 0x90, 0x26, 0x40, 0x60, 0x81, 0x30, 0x00,
                                0x82, 0x20, 0x26, 0x00, 0x00, 0xFF, 0x2F, 0x00 });
    writeSeed (folder, "two-parts.mid", concatenate ({ channels, file (0, { parts }) }));
}

// Audio files: the program's own WAV and AIFF export, and what the
// framework's writers make at other depths, rates and channel counts.
void writeAudioSeeds (const juce::File& folder)
{
    SampleData mono;
    fillWithSine (mono, 1, 40, 48000.0);

    // The exporter's writer deletes the stream when it is done; the bytes
    // stay in the block the stream wrote into.
    auto exportWith = [&] (const juce::String& name, auto makeExporter)
    {
        juce::MemoryBlock bytes;
        makeExporter (std::make_unique<juce::MemoryOutputStream> (bytes, false)).exportSample (mono, 0);
        writeSeed (folder, name, bytes);
    };
    exportWith ("export.wav", [] (auto stream) { return WaveSampleExporter (std::move (stream)); });
    exportWith ("export.aiff", [] (auto stream) { return AiffSampleExporter (std::move (stream)); });

    auto writeWith = [&] (const juce::String& name, juce::AudioFormat&& format, double rate, int channels, int bits)
    {
        juce::MemoryBlock bytes;
        {
            std::unique_ptr<juce::AudioFormatWriter> writer (
                format.createWriterFor (new juce::MemoryOutputStream (bytes, false), rate, (unsigned int) channels, bits, {}, 0));
            if (writer == nullptr)
                return (void) (std::cerr << "cannot write " << name << "\n");

            juce::AudioBuffer<float> buffer (channels, 24);
            for (int c = 0; c < channels; ++c)
                for (int f = 0; f < buffer.getNumSamples(); ++f)
                    buffer.setSample (c, f, 0.5f * (float) std::sin (0.4 * f + c));
            writer->writeFromAudioSampleBuffer (buffer, 0, buffer.getNumSamples());
        }
        writeSeed (folder, name, bytes);
    };
    writeWith ("stereo-24-bit.wav", juce::WavAudioFormat(), 44100.0, 2, 24);
    writeWith ("mono-float.wav", juce::WavAudioFormat(), 32000.0, 1, 32);
    writeWith ("mono-8-bit.wav", juce::WavAudioFormat(), 22050.0, 1, 8);
    writeWith ("stereo-16-bit.aiff", juce::AiffAudioFormat(), 24000.0, 2, 16);
    writeWith ("mono-24-bit.aiff", juce::AiffAudioFormat(), 48000.0, 1, 24);
}
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: plovara_fuzz_seeds <corpus folder>\n";
        return 2;
    }

    const auto corpus = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);

    const std::pair<const char*, std::function<void (const juce::File&)>> targets[] = {
        { "ChunkFileFuzzer", writeChunkSeeds },
        { "AllDataFileFuzzer", writeAllDataSeeds },
        { "DeviceMessageFuzzer", writeDeviceSeeds },
        { "UsbAccessReaderFuzzer", writeReaderSeeds },
        { "VirtualPlovaraFuzzer", writeVirtualDeviceSeeds },
        { "SmfImportFuzzer", writeSmfSeeds },
        { "AudioImportFuzzer", writeAudioSeeds },
    };

    for (auto& [name, writeSeeds] : targets)
    {
        const auto folder = corpus.getChildFile (name);

        if (! folder.createDirectory())
        {
            std::cerr << "cannot create " << folder.getFullPathName() << "\n";
            return 1;
        }

        writeSeeds (folder);
    }

    return 0;
}
