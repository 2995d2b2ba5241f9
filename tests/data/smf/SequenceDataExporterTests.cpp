#include "TestSupport.h"

#include "data/ByteFields.h"
#include "data/SequenceData.h"
#include "data/smf/SequenceDataExporter.h"
#include "data/smf/SequenceDataImporter.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
// A pattern block with the given events from offset 512; only the fields
// the export reads are filled in.
SequenceData patternWith (int lengthParameter, int recordedLength, std::initializer_list<int> events, int keyboardSample = 0)
{
    ByteBuilder b;
    b.text ("SEQP").be32 (0).be16 (lengthParameter).be16 (recordedLength).be32 (0)
     .fill (0, 400).fill (0xFF, 64).add ({ keyboardSample }).fill (0xFF, 7).text ("GROOVE  ").fill (0xFF, 16)
     .add (events);

    SequenceData pattern;
    EXPECT_TRUE (pattern.setBlock (b.bytes.data(), b.bytes.size()));
    return pattern;
}

struct Exported
{
    bool ok = false;
    int code = -1;
    juce::String key;
    Bytes smf;
};

Exported exportPattern (const SequenceData& pattern, int part0Channel = 0, int part1Channel = 1)
{
    TemporaryFolder temp;
    const auto file = temp.folder.getChildFile ("out.mid");
    SequenceDataExporter exporter;

    Exported exported;
    exported.ok = exporter.exportSmf (pattern, file, part0Channel, part1Channel);
    exported.code = exporter.getResultCode();
    exported.key = exporter.getResultMessageKey();

    juce::MemoryBlock data;
    if (file.loadFileAsData (data))
        exported.smf = Bytes (static_cast<const uint8_t*> (data.getData()),
                              static_cast<const uint8_t*> (data.getData()) + data.getSize());
    return exported;
}

ByteBuilder headersFor (int trackLength)
{
    ByteBuilder b;
    b.text ("MThd").add ({ 0, 0, 0, 6, 0, 0, 0, 1, 0, 96 }).text ("MTrk").be32 (trackLength);
    return b;
}
}

TEST (SequenceDataExporter, TheInitialPatternIs49Bytes)
{
    auto exported = exportPattern (SequenceData());
    ASSERT_TRUE (exported.ok);
    EXPECT_EQ (exported.code, SequenceDataExporter::success);
    EXPECT_EQ (exported.key, "SeqExport_Success");

    auto expected = headersFor (27);
    expected.add ({ 0x00, 0xFF, 0x03, 0x08 }).text ("INITPTRN")
            .add ({ 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20 })
            .add ({ 0x00, 0xC1, 0x00 })
            .add ({ 0x8C, 0x00, 0xFF, 0x2F, 0x00 });
    EXPECT_EQ (exported.smf, expected.bytes);
    EXPECT_EQ (exported.smf.size(), 49u);
}

TEST (SequenceDataExporter, NotesGoToTheChannelsOfTheirParts)
{
    // Part 0 on channel 10 (index 9), part 1 on channel 3 (index 2); the
    // keyboard-mode sample is the program of part 1.
    auto pattern = patternWith (2, 2, { 0xFF, 0x00, 0x00, 0x06,
                                        0x90, 0x24, 0x64, 0x01,
                                        0x91, 0x30, 0x50, 0x01,
                                        0xF0, 0x00, 0x00, 0x60,
                                        0x80, 0x24, 0x00, 0x01,
                                        0xF0, 0x00, 0x01, 0x20,
                                        0xFF, 0x01, 0x00, 0x03,
                                        0xF0, 0x00, 0x00, 0x10,
                                        0x81, 0x30, 0x00, 0x01,
                                        0xF0, 0x00, 0x01, 0x70,
                                        0xFF, 0x02, 0x00, 0x01 }, 35);
    auto exported = exportPattern (pattern, 0x19, 2);
    ASSERT_TRUE (exported.ok);

    auto expected = headersFor (44);
    expected.add ({ 0x00, 0xFF, 0x03, 0x08 }).text ("GROOVE  ")
            .add ({ 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20 })
            .add ({ 0x00, 0xC2, 0x23 })
            .add ({ 0x00, 0x99, 0x24, 0x64 })
            .add ({ 0x00, 0x92, 0x30, 0x50 })
            .add ({ 0x60, 0x89, 0x24, 0x00 })
            .add ({ 0x82, 0x30, 0x82, 0x30, 0x00 })          // 288 + 16 ticks
            .add ({ 0x82, 0x70, 0xFF, 0x2F, 0x00 });         // 368 ticks
    EXPECT_EQ (exported.smf, expected.bytes);
}

TEST (SequenceDataExporter, AnotherReaderSeesTheSameNotesAtTheSameTimes)
{
    auto pattern = patternWith (4, 4, { 0xFF, 0x00, 0x00, 0x05,
                                        0x90, 0x3C, 0x64, 0x01,
                                        0xF0, 0x00, 0x00, 0x30,
                                        0x91, 0x40, 0x20, 0x01,
                                        0xF0, 0x00, 0x01, 0x50,
                                        0xFF, 0x01, 0x00, 0x04,
                                        0xF0, 0x00, 0x00, 0x06,
                                        0x80, 0x3C, 0x00, 0x01,
                                        0xF0, 0x00, 0x01, 0x7A,
                                        0xFF, 0x02, 0x00, 0x04,
                                        0xF0, 0x00, 0x00, 0x08,
                                        0x81, 0x40, 0x00, 0x01,
                                        0xF0, 0x00, 0x01, 0x78,
                                        0xFF, 0x03, 0x00, 0x02,
                                        0xF0, 0x00, 0x01, 0x80,
                                        0xFF, 0x04, 0x00, 0x01 }, 5);
    const size_t recordedBytes = 4 * (5 + 4 + 4 + 2);
    auto exported = exportPattern (pattern, 4, 11);
    ASSERT_TRUE (exported.ok);

    juce::MemoryInputStream in (exported.smf.data(), exported.smf.size(), false);
    juce::MidiFile midi;
    ASSERT_TRUE (midi.readFrom (in));
    EXPECT_EQ (midi.getTimeFormat(), 96);
    ASSERT_EQ (midi.getNumTracks(), 1);

    struct Seen { double time; int channel; bool on; int note; int velocity; };
    std::vector<Seen> notes;
    int program = -1;
    const auto& track = *midi.getTrack (0);

    for (const auto* holder : track)
    {
        const auto& m = holder->message;
        if (m.isNoteOnOrOff())
            notes.push_back ({ m.getTimeStamp(), m.getChannel(), m.isNoteOn(), m.getNoteNumber(), m.getVelocity() });
        if (m.isProgramChange())
            program = m.getProgramChangeNumber() + 16 * m.getChannel();
    }

    ASSERT_EQ (notes.size(), 4u);
    EXPECT_EQ (notes[0].time, 0.0);   EXPECT_EQ (notes[0].channel, 5);  EXPECT_TRUE (notes[0].on);  EXPECT_EQ (notes[0].note, 0x3C);
    EXPECT_EQ (notes[0].velocity, 0x64);
    EXPECT_EQ (notes[1].time, 48.0);  EXPECT_EQ (notes[1].channel, 12); EXPECT_TRUE (notes[1].on);  EXPECT_EQ (notes[1].note, 0x40);
    EXPECT_EQ (notes[2].time, 390.0); EXPECT_EQ (notes[2].channel, 5);  EXPECT_FALSE (notes[2].on);
    EXPECT_EQ (notes[3].time, 776.0); EXPECT_EQ (notes[3].channel, 12); EXPECT_FALSE (notes[3].on); EXPECT_EQ (notes[3].note, 0x40);
    EXPECT_EQ (program, 5 + 16 * 12);
    EXPECT_EQ (track.getEndTime(), 4.0 * 384);

    // And reading it back gives the same pattern.
    SequenceData back;
    SequenceDataImporter importer;
    ASSERT_EQ (importer.importSmf (exported.smf.data(), exported.smf.size(), back, 4, 11), SequenceDataImporter::imported);
    EXPECT_EQ (back.getRecordedLength(), 4);
    EXPECT_EQ (back.getName(), "GROOVE");
    EXPECT_EQ (back.getKeyboardSample(), 5);
    EXPECT_EQ (Bytes (back.getBytes() + 512, back.getBytes() + 512 + recordedBytes),
               Bytes (pattern.getBytes() + 512, pattern.getBytes() + 512 + recordedBytes));
}

TEST (SequenceDataExporter, AllRecordedMeasuresAreExportedAfterTheNotice)
{
    SequenceData pattern;
    ByteFields::putBigEndian16 (pattern.getBytes() + 8, 2);
    EXPECT_TRUE (SequenceDataExporter::needsRecordedLengthNotice (pattern));
    EXPECT_FALSE (SequenceDataExporter::needsRecordedLengthNotice (SequenceData()));
    EXPECT_EQ (SequenceDataExporter::recordedLengthNoticeKey, "SeqExport_NoticeRecordedLength");

    auto exported = exportPattern (pattern);
    ASSERT_TRUE (exported.ok);
    EXPECT_EQ (Bytes (exported.smf.end() - 5, exported.smf.end()), (Bytes { 0x8C, 0x00, 0xFF, 0x2F, 0x00 }));   // 1536 ticks

    // A short block has no lengths to compare.
    SequenceData tiny;
    tiny.setSize (100);
    EXPECT_FALSE (SequenceDataExporter::needsRecordedLengthNotice (tiny));
}

TEST (SequenceDataExporter, RefusesBlocksItCannotRead)
{
    auto failure = [] (const SequenceData& pattern)
    {
        auto exported = exportPattern (pattern);
        EXPECT_FALSE (exported.ok);
        EXPECT_TRUE (exported.smf.empty());   // nothing written
        return exported.key;
    };

    SequenceData notAPattern;
    notAPattern.getBytes()[0] = 'X';
    EXPECT_EQ (failure (notAPattern), "SeqExport_Error_Header");

    SequenceData empty;
    empty.setSize (0);
    EXPECT_EQ (failure (empty), "SeqExport_Error_Header");

    EXPECT_EQ (failure (patternWith (1, 1, { 0xFF, 0x00, 0x00, 0x02, 0x70, 0x00, 0x00, 0x00 })), "SeqExport_Error_Data");

    // No marker of an unrecorded measure before the block ends, also when
    // the last event is cut short, and a block too short for its header.
    EXPECT_EQ (failure (patternWith (1, 1, { 0xFF, 0x00, 0x00, 0x02, 0xF0, 0x00, 0x01, 0x80 })), "SeqExport_ErrorSeqSize");
    EXPECT_EQ (failure (patternWith (1, 1, { 0xFF, 0x00, 0x00, 0x02, 0xFF, 0x01 })), "SeqExport_ErrorSeqSize");
    SequenceData headerOnly;
    headerOnly.setSize (300);
    EXPECT_EQ (failure (headerOnly), "SeqExport_ErrorSeqSize");
}

TEST (SequenceDataExporter, ReplacesFilesAndReportsOnesItCannotWrite)
{
    TemporaryFolder temp;
    const auto target = temp.folder.getChildFile ("song.mid");
    target.replaceWithText ("an older and longer file than the one that replaces it, surely");

    SequenceDataExporter exporter;
    EXPECT_TRUE (exporter.exportSmf (SequenceData(), target, 0, 1));
    EXPECT_EQ (target.getSize(), 49);

    EXPECT_FALSE (exporter.exportSmf (SequenceData(), temp.folder.getChildFile ("no/such/folder/song.mid"), 0, 1));
    EXPECT_EQ (exporter.getResultCode(), SequenceDataExporter::failedToOpenFile);
    EXPECT_EQ (exporter.getResultMessageKey(), "SeqExport_FailedToOpenFile");
}
