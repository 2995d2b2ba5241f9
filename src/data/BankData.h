#pragma once

#include "data/Data.h"
#include "data/EffectData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"

#include <cstdint>

class BankData;

// The device's memory for one bank.
namespace BankMemory
{
    constexpr juce::int64 sampleMemorySize = SampleData::deviceSampleMemory;   // 15335424 bytes
    constexpr juce::int64 patternMemorySize = 0x60000;   // 393216 bytes
}

// The bank parameters as a chunk: the 64-byte bank parameter block, built
// from and parsed into the fields of the bank that owns it.
class BankParameter : public Data
{
public:
    static inline const juce::String chunkId { "3872BnkP" };

    explicit BankParameter (BankData& owner) : bank (owner) {}

    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    juce::String getChunkId() const override { return chunkId; }
    void resetToDefaults() override;

private:
    BankData& bank;
};

// One bank of the device: name, tempo and the audio-in-thru-FX switch, the
// 36 samples, the 16 patterns and the master effect.
//
// The 64-byte bank parameter block, shared by bank files and the device:
//    0  8  name, space padded, no terminator
//    8  2  tempo in tenths of a beat per minute, signed little-endian
//   10  1  0xFF
//   11  1  bit 7: audio-in-thru-FX
//   12 52  0xFF
class BankData : public DataSet
{
public:
    enum ChildPosition { parameterChild = 0, sampleSetChild = 1, sequenceSetChild = 2, effectChild = 3 };

    static constexpr int parameterBlockSize = 64;
    static constexpr int minimumTempo = 200;
    static constexpr int maximumTempo = 3000;
    static constexpr int defaultTempo = 1200;
    static inline const juce::String chunkId { "3872BnkD" };
    static inline const juce::String defaultName { "INITBANK" };

    BankData();
    BankData (const BankData& other);
    BankData& operator= (const BankData&) = delete;

    const juce::String& getName() const { return name; }
    void setName (const juce::String& newName);

    int getTempo() const { return tempo; }
    void setTempo (int tenthsOfBpm);   // clamped to 200 to 3000

    bool getAudioInThruFx() const { return audioInThruFx; }
    void setAudioInThruFx (bool on) { audioInThruFx = on; }

    // The name, tempo and switch to their defaults.
    void resetParameters();

    void buildParameterBlock (uint8_t* block) const;
    void parseParameterBlock (const uint8_t* block);

    BankParameter& getParameterChild() const { return static_cast<BankParameter&> (getChild (parameterChild)); }
    SampleSet& getSampleSet() const { return static_cast<SampleSet&> (getChild (sampleSetChild)); }
    SequenceSet& getSequenceSet() const { return static_cast<SequenceSet&> (getChild (sequenceSetChild)); }
    EffectData& getEffect() const { return static_cast<EffectData&> (getChild (effectChild)); }

    SampleData& getSample (int index) const { return getSampleSet().getSample (index); }
    SequenceData* getPattern (int index) const { return getSequenceSet().getPattern (index); }

    // Both may be negative when the bank is over budget.
    juce::int64 getFreeSampleMemory() const;
    juce::int64 getFreePatternMemory() const;
    bool fitsInMemory() const;

    // Audio is copied only where the two samples do not already share it.
    void copyFrom (const BankData& other);

    juce::String getChunkId() const override { return chunkId; }

private:
    juce::String name { defaultName };
    int tempo = defaultTempo;
    bool audioInThruFx = true;
};
