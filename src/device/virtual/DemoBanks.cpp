#include "device/virtual/DemoBanks.h"

#include "data/AllData.h"
#include "data/EffectParameterAccessor.h"
#include "data/smf/SequenceDataImporter.h"
#include "device/virtual/DemoSounds.h"
#include "device/virtual/VirtualPlovaraState.h"
#include "resources/StringTable.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace
{
using DemoSounds::Wave;

// One bank's character. Rhythms are 16 steps of one measure, "x" a hit.
struct Style
{
    const char* name;
    int tempo;            // tenths of BPM
    int effectType;
    double kickHz;
    double snareHz;
    double bassHz;
    Wave leadWave;
    double brightness;
    const char* kickSteps;
    const char* snareSteps;
    const char* hatSteps;
};

const Style styles[] = {
    { "HOUSE",   1240,  6, 50.0, 190.0, 55.00, Wave::saw,    0.80, "x...x...x...x...", "....x.......x...", "..x...x...x...x." },
    { "ELECTRO", 1280,  7, 55.0, 220.0, 49.00, Wave::square, 0.70, "x.....x...x.....", "....x.......x...", "x.x.x.x.x.x.x.x." },
    { "HIPHOP",   900,  1, 45.0, 180.0, 41.20, Wave::sine,   0.50, "x......x..x.....", "....x.......x...", "x.x.x.x.x.x.x.x." },
    { "TECHNO",  1320,  2, 48.0, 200.0, 43.65, Wave::saw,    0.90, "x...x...x...x...", "....x.......x...", "..x...x...x...x." },
    { "DUB",      700, 11, 42.0, 170.0, 36.71, Wave::sine,   0.40, "x.......x.......", "........x.......", "..x...x...x...x." },
    { "AMBIENT",  800, 12, 60.0, 240.0, 65.41, Wave::sine,   0.30, "x.........x.....", "........x.......", "x...x...x...x..." },
    { "BREAKS",  1700, 15, 52.0, 210.0, 46.25, Wave::square, 0.60, "x.........x.....", "....x.......x...", "x.x.x.x.x.x.x.x." },
    { "LOFI",     850,  5, 47.0, 185.0, 38.89, Wave::saw,    0.50, "x......x.x......", "....x.......x...", "x.x.x.x.x.x.x.x." },
};

enum Slot { kickSlot, snareSlot, clapSlot, closedHatSlot, openHatSlot, bassSlot, leadSlot, bellSlot };

const char* const sampleNames[DemoBanks::numSamples] = { "KICK", "SNARE", "CLAP", "CL HAT", "OP HAT", "BASS", "LEAD", "BELL" };

std::vector<float> makeSound (const Style& style, int slot)
{
    switch (slot)
    {
        case kickSlot:      return DemoSounds::kick (style.kickHz, 0.45);
        case snareSlot:     return DemoSounds::snare (style.snareHz, 0.25);
        case clapSlot:      return DemoSounds::clap (0.3);
        case closedHatSlot: return DemoSounds::hiHat (false);
        case openHatSlot:   return DemoSounds::hiHat (true);
        case bassSlot:      return DemoSounds::tone (Wave::saw, style.bassHz, 0.6, style.brightness * 0.6);
        case leadSlot:      return DemoSounds::tone (style.leadWave, style.bassHz * 8.0, 0.8, style.brightness);
        default:            return DemoSounds::tone (Wave::sine, style.bassHz * 16.0, 1.0, 0.0);
    }
}

void putSound (const std::vector<float>& audio, const juce::String& name, SampleData& sample)
{
    sample.resetToDefaults();
    sample.resize (1, (int) audio.size(), DemoSounds::sampleRate, false);
    std::copy (audio.begin(), audio.end(), sample.getAudio().getWritePointer (0));
    sample.setName (name);
    sample.setParameter (SampleData::start, 0);
    sample.setParameter (SampleData::end, sample.getNumFrames() - 2);
}

// Patterns are made as a Standard MIDI File and read by the importer, as
// the user's own files are: 96 ticks per quarter note, a step is a
// sixteenth, part 0 on MIDI channel 1, part 1 on channel 2.
constexpr int ticksPerStep = 24;
constexpr int stepsPerMeasure = 16;
constexpr int measuresPerPattern = 2;
constexpr int firstSampleNote = 48;
constexpr int keyboardRootNote = 60;

void addNote (juce::MidiMessageSequence& sequence, int channel, int note, int velocity, int step)
{
    const double tick = step * ticksPerStep;
    sequence.addEvent (juce::MidiMessage::noteOn (channel, note, (juce::uint8) velocity), tick);
    sequence.addEvent (juce::MidiMessage::noteOff (channel, note), tick + ticksPerStep / 2);
}

void addSteps (juce::MidiMessageSequence& sequence, const char* steps, int slot, int velocity)
{
    for (int measure = 0; measure < measuresPerPattern; ++measure)
        for (int step = 0; step < stepsPerMeasure; ++step)
            if (steps[step] == 'x')
                addNote (sequence, 1, firstSampleNote + slot, velocity, measure * stepsPerMeasure + step);
}

// A bass line in semitones above the bass sample's pitch; -1 rests.
void addBassLine (juce::MidiMessageSequence& sequence)
{
    const int line[stepsPerMeasure] = { 0, -1, 0, -1, 12, -1, 0, -1, 3, -1, -1, 0, 7, -1, 5, -1 };

    for (int measure = 0; measure < measuresPerPattern; ++measure)
        for (int step = 0; step < stepsPerMeasure; ++step)
            if (line[step] >= 0)
                addNote (sequence, 2, keyboardRootNote + line[step], 100, measure * stepsPerMeasure + step);
}

juce::MidiMessageSequence makePatternEvents (const Style& style, int pattern)
{
    juce::MidiMessageSequence sequence;
    addSteps (sequence, style.kickSteps, kickSlot, 112);
    addSteps (sequence, style.snareSteps, pattern == 1 ? clapSlot : snareSlot, 100);
    addSteps (sequence, style.hatSteps, closedHatSlot, 72);

    if (pattern == 1)
        addSteps (sequence, "..............x.", openHatSlot, 80);

    if (pattern == 2)
        addBassLine (sequence);

    sequence.updateMatchedPairs();
    return sequence;
}

void putPattern (const juce::MidiMessageSequence& events, const juce::String& name, SequenceData& pattern)
{
    juce::MidiFile file;
    file.setTicksPerQuarterNote (ticksPerStep * 4);
    file.addTrack (events);

    juce::MemoryOutputStream smf;
    file.writeTo (smf, 0);

    SequenceDataImporter importer;
    importer.importSmf (smf.getData(), smf.getDataSize(), pattern, 0, 1);
    pattern.setName (name);
    pattern.setKeyboardSample (bassSlot);
}

void putEffect (int type, EffectData& effect)
{
    static const StringTable parameterStrings ("ParameterStrings");
    const EffectParameterAccessor accessor (parameterStrings);
    effect.setByte (EffectData::typeByte, type);
    accessor.setDefaults (effect);
}
}

namespace DemoBanks
{
void fillBank (int bankIndex, BankData& bank)
{
    const auto& style = styles[juce::jlimit (0, (int) std::size (styles) - 1, bankIndex)];
    const char* const patternNames[numPatterns] = { "BEAT", "BEAT FIL", "GROOVE" };

    bank.resetToDefaults();
    bank.setName (style.name);
    bank.setTempo (style.tempo);

    for (int slot = 0; slot < numSamples; ++slot)
        putSound (makeSound (style, slot), sampleNames[slot], bank.getSample (slot));

    for (int pattern = 0; pattern < numPatterns; ++pattern)
        putPattern (makePatternEvents (style, pattern), patternNames[pattern], *bank.getPattern (pattern));

    putEffect (style.effectType, bank.getEffect());
}

void fill (VirtualPlovara& device)
{
    AllData allData (BankStorage::memory);
    const auto global = device.getGlobalData();
    allData.getGlobalData().setImage (global.data(), global.size());

    for (int i = 0; i < VirtualPlovara::numBanks; ++i)
    {
        BankData bank;
        fillBank (i, bank);
        allData.getBankSet().storeFrom (i, bank);
    }

    VirtualPlovaraState::copyFromAllData (allData, device);
}
}
