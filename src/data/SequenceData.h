#pragma once

#include "data/Data.h"

#include <cstdint>

// One pattern of the device's sequencer, kept as the device's own "SEQP"
// block. The block is big-endian:
//     0    4  "SEQP"
//     4    4  block size
//     8    2  length in measures (1 to 99)
//    10    2  recorded length in measures
//    12    4  number of events in the recorded measures
//    16  400  measure table: offset of each of the 100 measure markers
//   416   64  0xFF
//   480    1  keyboard-mode sample 0 to 35 (0xFF reads as 0)
//   481    7  0xFF
//   488    8  name, space padded
//   496   16  0xFF
//   512       events, 4 bytes each
// Only the name, the lengths and the keyboard-mode sample are interpreted
// here; the rest travels unchanged.
class SequenceData : public Data
{
public:
    static constexpr int initialPatternSize = 1308;
    static constexpr int maximumSize = 65535;
    static constexpr int memoryGranule = 2048;
    static constexpr int numSamples = 36;
    static inline const juce::String chunkId { "3872SeqD" };
    static inline const juce::String defaultName { "INITPTRN" };

    SequenceData();
    SequenceData (const SequenceData& other);
    SequenceData& operator= (const SequenceData&) = delete;

    // The 1308-byte pattern that every new or reset pattern starts from:
    // four empty measures recorded, measures 4 to 98 empty, 99 a lone marker.
    static juce::MemoryBlock createInitialPattern();

    const juce::MemoryBlock& getBlock() const { return block; }
    const uint8_t* getBytes() const { return static_cast<const uint8_t*> (block.getData()); }
    uint8_t* getBytes() { return static_cast<uint8_t*> (block.getData()); }
    int getSize() const { return (int) block.getSize(); }

    // Grows (with zeros) or shrinks the block. Sizes outside 0 to 65535 are
    // refused; sizes below the initial pattern's are accepted with a
    // diagnostic line.
    bool setSize (int newSize);

    // Replaces the whole block; false (and nothing changed) when it is
    // larger than 65535 bytes.
    bool setBlock (const void* data, size_t size);

    // "INITPTRN" when the block is too short or holds no name.
    juce::String getName() const;

    // Only on blocks of at least the initial size; names with characters
    // above code 127 are refused.
    void setName (const juce::String& newName);

    // 0 when the block is shorter than the initial pattern.
    int getLengthParameter() const;
    int getRecordedLength() const;

    // 0 to 35; 0 for a short block or an unset byte (0xFF). Setting clamps
    // to 0 to 35 and changes nothing on a short block.
    int getKeyboardSample() const;
    void setKeyboardSample (int sampleIndex);

    // Device memory for a block of the given size: whole 2048-byte pages,
    // one more than the block fills (none for an empty block).
    static int memoryForSize (int size);
    int getMemoryUsed() const { return memoryForSize (getSize()); }

    void copyFrom (const SequenceData& other) { block = other.block; }

    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    juce::String getChunkId() const override { return chunkId; }
    void resetToDefaults() override;

private:
    bool holdsHeader() const { return getSize() >= initialPatternSize; }

    juce::MemoryBlock block;
};

// The 16 patterns of a bank; the whole of a ".plvr_seq" file.
class SequenceSet : public DataSet
{
public:
    static constexpr int numPatterns = 16;
    static inline const juce::String chunkId { "3872SeqS" };

    SequenceSet();

    // Null for an index outside 0 to 15.
    SequenceData* getPattern (int index) const;

    int getMemoryUsed() const;
    void copyFrom (const SequenceSet& other);

    juce::String getChunkId() const override { return chunkId; }
};
