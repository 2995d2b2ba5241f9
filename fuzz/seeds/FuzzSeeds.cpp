// Writes the seed corpora of the fuzz targets: chunk files and device
// messages as the program itself writes them.
//     plovara_fuzz_seeds <corpus folder>
// fills <corpus folder>/ChunkFileFuzzer and <corpus folder>/DeviceMessageFuzzer.
#include "data/EffectData.h"
#include "data/GlobalData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"
#include "device/DeviceMessages.h"
#include "device/UsbMidiInterpreter.h"

#include <cmath>
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

void writeChunk (const juce::File& folder, const juce::String& name, Data& node)
{
    juce::MemoryOutputStream stream;
    node.writeTo (stream);
    writeSeed (folder, name, stream.getData(), stream.getDataSize());
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
}

void writeDeviceSeeds (const juce::File& folder)
{
    struct Callback : public UsbMidiInterpreterCallback
    {
        void handleShortMessage (const juce::MidiMessage&, int) override {}
        int getSysExNotifyInterval() override { return 64; }
        void handleSysExData (const uint8_t*, int, bool, int) override {}
    } callback;

    const UsbMidiInterpreter interpreter (callback, usbCable, true);

    // Each message once as USB-MIDI packets and once as plain bytes.
    auto writeMessage = [&] (const juce::String& name, const SysExCommand& command)
    {
        const auto message = command.encode();
        const auto packets = interpreter.makePackets (message.getData(), message.getSize());
        writeSeed (folder, name + ".packets", packets.getData(), packets.getSize());
        writeSeed (folder, name + ".sysex", message.getData(), message.getSize());
    };

    SampleData sample;
    fillWithSine (sample, 1, 20, 12000.0);
    sample.setName ("SNARE");

    BankImage image;
    for (int i = 0; i < BankImage::numSamples; ++i)
        image.setSampleParameters (i, sample);
    const auto pattern = SequenceData::createInitialPattern();
    image.setPatternLength (0, pattern.getData(), pattern.getSize());

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
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: plovara_fuzz_seeds <corpus folder>\n";
        return 2;
    }

    const auto corpus = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    const auto chunks = corpus.getChildFile ("ChunkFileFuzzer");
    const auto device = corpus.getChildFile ("DeviceMessageFuzzer");

    if (! chunks.createDirectory() || ! device.createDirectory())
    {
        std::cerr << "cannot create " << corpus.getFullPathName() << "\n";
        return 1;
    }

    writeChunkSeeds (chunks);
    writeDeviceSeeds (device);
    return 0;
}
