#include "data/smf/SmfTestFiles.h"

#include "data/ByteFields.h"
#include "data/SequenceData.h"
#include "data/smf/SequenceDataImporter.h"

#include <gtest/gtest.h>

#include <set>

using namespace TestSupport;
using SmfTestFiles::file;

namespace
{
struct Imported
{
    int result = -1;
    int code = -1;
    SequenceData pattern;
};

Imported import (const Bytes& smf, int part0Channel = 0, int part1Channel = 1)
{
    Imported imported;
    SequenceDataImporter importer;
    imported.result = importer.importSmf (smf.data(), smf.size(), imported.pattern, part0Channel, part1Channel);
    imported.code = importer.getResultCode();
    return imported;
}

// A format-0 file at division 96 with the one track.
Imported importTrack (const Bytes& track, int part0Channel = 0, int part1Channel = 1)
{
    return import (file (0, 96, { track }), part0Channel, part1Channel);
}

// The events of measure m, its marker first, as the measure table and the
// marker's count give them.
Bytes measure (const SequenceData& pattern, int m)
{
    const auto* block = pattern.getBytes();
    const auto* entry = block + 16 + 4 * m;
    const auto offset = (size_t) ((entry[0] << 24) | (entry[1] << 16) | (entry[2] << 8) | entry[3]);
    const auto count = (size_t) ByteFields::getBigEndianU16 (block + offset + 2);
    return Bytes (block + offset, block + offset + 4 * count);
}

Bytes emptyMeasure (int m)
{
    return { 0xFF, (uint8_t) m, 0x00, 0x02, 0xF0, 0x00, 0x01, 0x80 };
}

int eventCount (const SequenceData& pattern)
{
    const auto* p = pattern.getBytes() + 12;
    return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// Every block the importer makes holds all 100 measures in order, each
// marker where the table says, and its own size in its header.
void expectCompleteBlock (const SequenceData& pattern)
{
    const auto* block = pattern.getBytes();
    ASSERT_LE (pattern.getSize(), 65535);
    EXPECT_EQ (ByteFields::getBigEndianU16 (block + 6) | (ByteFields::getBigEndianU16 (block + 4) << 16), pattern.getSize());

    size_t expectedOffset = 512;
    for (int m = 0; m < 100; ++m)
    {
        const auto events = measure (pattern, m);
        ASSERT_EQ (events[0], 0xFF);
        ASSERT_EQ (events[1], m);
        expectedOffset += events.size();
    }
    EXPECT_EQ (expectedOffset, (size_t) pattern.getSize());
    EXPECT_EQ (measure (pattern, 99), (Bytes { 0xFF, 0x63, 0x00, 0x01 }));
}

// The sounding state of every note after playing both parts' events.
int notesLeftSounding (const SequenceData& pattern)
{
    std::set<int> sounding;
    for (int offset = 512; offset + 4 <= pattern.getSize(); offset += 4)
    {
        const auto* event = pattern.getBytes() + offset;
        const int key = ((event[0] & 1) << 8) | event[1];
        if ((event[0] & 0xFE) == 0x90)
            sounding.insert (key);
        else if ((event[0] & 0xFE) == 0x80)
            sounding.erase (key);
    }
    return (int) sounding.size();
}

ByteBuilder& append (ByteBuilder& builder, const Bytes& bytes)
{
    builder.bytes.insert (builder.bytes.end(), bytes.begin(), bytes.end());
    return builder;
}

Bytes track (std::initializer_list<int> events)
{
    ByteBuilder b;
    b.add (events);
    return b.bytes;
}
}

TEST (SequenceDataImporter, TheExportOfTheInitialPatternImportsAsTheInitialPattern)
{
    ByteBuilder smf;
    smf.text ("MThd").add ({ 0, 0, 0, 6, 0, 0, 0, 1, 0, 96 }).text ("MTrk").add ({ 0, 0, 0, 27 })
       .add ({ 0x00, 0xFF, 0x03, 0x08 }).text ("INITPTRN")
       .add ({ 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20 })
       .add ({ 0x00, 0xC1, 0x00 })
       .add ({ 0x8C, 0x00, 0xFF, 0x2F, 0x00 });

    auto imported = import (smf.bytes);
    EXPECT_EQ (imported.result, SequenceDataImporter::imported);
    EXPECT_EQ (imported.code, SequenceDataImporter::success);
    EXPECT_EQ (imported.pattern.getRecordedLength(), 4);
    EXPECT_EQ (imported.pattern.getName(), "INITPTRN");
    EXPECT_EQ (imported.pattern.getKeyboardSample(), 0);
    EXPECT_TRUE (imported.pattern.getBlock() == SequenceData::createInitialPattern());
}

TEST (SequenceDataImporter, NoteOffsOnTheBarlineEndTheMeasureAndNoteOnsOpenTheNext)
{
    // On at 0, off exactly on the first barline (tick 384), then the end.
    auto offOnBarline = importTrack (track ({ 0x00, 0x90, 0x3C, 0x64, 0x83, 0x00, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00 }));
    EXPECT_EQ (measure (offOnBarline.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x04, 0x90, 0x3C, 0x64, 0x01, 0xF0, 0x00, 0x01, 0x80, 0x80, 0x3C, 0x00, 0x01 }));
    EXPECT_EQ (offOnBarline.pattern.getRecordedLength(), 1);
    EXPECT_EQ (measure (offOnBarline.pattern, 1), emptyMeasure (1));
    EXPECT_EQ (eventCount (offOnBarline.pattern), 4);
    expectCompleteBlock (offOnBarline.pattern);

    // A second note starts on that barline and ends 96 ticks into measure 1.
    auto onOnBarline = importTrack (track ({ 0x00, 0x90, 0x3C, 0x64,
                                             0x83, 0x00, 0x80, 0x3C, 0x00,
                                             0x00, 0x90, 0x3E, 0x50,
                                             0x60, 0x80, 0x3E, 0x00,
                                             0x00, 0xFF, 0x2F, 0x00 }));
    EXPECT_EQ (measure (onOnBarline.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x04, 0x90, 0x3C, 0x64, 0x01, 0xF0, 0x00, 0x01, 0x80, 0x80, 0x3C, 0x00, 0x01 }));
    EXPECT_EQ (measure (onOnBarline.pattern, 1),
               (Bytes { 0xFF, 0x01, 0x00, 0x05, 0x90, 0x3E, 0x50, 0x01, 0xF0, 0x00, 0x00, 0x60,
                        0x80, 0x3E, 0x00, 0x01, 0xF0, 0x00, 0x01, 0x20 }));
    EXPECT_EQ (onOnBarline.pattern.getRecordedLength(), 2);
    EXPECT_EQ (eventCount (onOnBarline.pattern), 9);
    expectCompleteBlock (onOnBarline.pattern);
}

TEST (SequenceDataImporter, ANoteOnOnTheLastBarlineOfTheFileIsStillClosed)
{
    // The file ends on the barline where a held note-on waits: it is written
    // there and ended, so that no note is left on.
    auto imported = importTrack (track ({ 0x00, 0x90, 0x3C, 0x64, 0x83, 0x00, 0x90, 0x3E, 0x64, 0x00, 0xFF, 0x2F, 0x00 }));
    EXPECT_EQ (measure (imported.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x06, 0x90, 0x3C, 0x64, 0x01, 0xF0, 0x00, 0x01, 0x80,
                        0x90, 0x3E, 0x64, 0x01, 0x80, 0x3C, 0x00, 0x01, 0x80, 0x3E, 0x00, 0x01 }));
    EXPECT_EQ (imported.pattern.getRecordedLength(), 1);
    EXPECT_EQ (notesLeftSounding (imported.pattern), 0);
}

TEST (SequenceDataImporter, OpenNotesAreClosedUnlessTheyBeganWithANoteOff)
{
    // Off first (kept, it ends a note sounding over the loop), on again at
    // 96 and sounding at the end: no closing note-off.
    auto offFirst = importTrack (track ({ 0x00, 0x80, 0x3C, 0x00, 0x60, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00 }));
    EXPECT_EQ (measure (offFirst.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x05, 0x80, 0x3C, 0x00, 0x01, 0xF0, 0x00, 0x00, 0x60,
                        0x90, 0x3C, 0x64, 0x01, 0xF0, 0x00, 0x01, 0x20 }));

    // On first and never ended: closed where the file ends.
    auto onFirst = importTrack (track ({ 0x00, 0x91, 0x3C, 0x64, 0x60, 0xFF, 0x2F, 0x00 }), 0, 1);
    EXPECT_EQ (measure (onFirst.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x05, 0x91, 0x3C, 0x64, 0x01, 0xF0, 0x00, 0x00, 0x60,
                        0x81, 0x3C, 0x00, 0x01, 0xF0, 0x00, 0x01, 0x20 }));

    // A second note-on of a sounding note ends it first; a note-off of a
    // note no longer sounding is dropped.
    auto repeated = importTrack (track ({ 0x00, 0x90, 0x3C, 0x64, 0x10, 0x90, 0x3C, 0x65,
                                          0x10, 0x80, 0x3C, 0x00, 0x10, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00 }));
    EXPECT_EQ (measure (repeated.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x08, 0x90, 0x3C, 0x64, 0x01, 0xF0, 0x00, 0x00, 0x10,
                        0x80, 0x3C, 0x00, 0x01, 0x90, 0x3C, 0x65, 0x01, 0xF0, 0x00, 0x00, 0x10,
                        0x80, 0x3C, 0x00, 0x01, 0xF0, 0x00, 0x01, 0x60 }));
}

TEST (SequenceDataImporter, OnlyThePatternChannelsAreTaken)
{
    // Part 0 on channel 3 (index 2), part 1 on channel 6 (index 5).
    const auto events = track ({ 0x00, 0xC5, 0x07,               // program 7 on part 1
                                 0x00, 0xC2, 0x09,               // program on part 0: ignored
                                 0x00, 0x92, 0x30, 0x40,
                                 0x00, 0x95, 0x31, 0x41,
                                 0x00, 0x90, 0x32, 0x42,         // channel 1: dropped
                                 0x00, 0xB2, 0x07, 0x64,         // controller: ignored
                                 0x00, 0x92, 0x33, 0x80,         // data byte with bit 7: ignored
                                 0x30, 0x82, 0x30, 0x00,
                                 0x00, 0x85, 0x31, 0x00,
                                 0x00, 0x80, 0x32, 0x00,
                                 0x00, 0xFF, 0x2F, 0x00 });

    auto imported = importTrack (events, 2, 5);
    EXPECT_EQ (measure (imported.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x07, 0x90, 0x30, 0x40, 0x01, 0x91, 0x31, 0x41, 0x01,
                        0xF0, 0x00, 0x00, 0x30, 0x80, 0x30, 0x00, 0x01, 0x81, 0x31, 0x00, 0x01,
                        0xF0, 0x00, 0x01, 0x50 }));
    EXPECT_EQ (imported.pattern.getBytes()[480], 7);

    // Only the low four bits of a channel count; when both parts share one,
    // part 0 takes it.
    auto shared = importTrack (events, 0x12, 2);
    EXPECT_EQ (measure (shared.pattern, 0)[4], 0x90);
    EXPECT_EQ (measure (shared.pattern, 0)[5], 0x30);
    EXPECT_EQ (shared.pattern.getBytes()[480], 0);
}

TEST (SequenceDataImporter, RunningStatusSurvivesSystemExclusiveAndMetaEvents)
{
    ByteBuilder events;
    events.add ({ 0x00, 0x90, 0x3C, 0x64,
                  0x00, 0x3E, 0x64 })                              // running status
          .add ({ 0x00, 0xF0, 0x03, 0x43, 0x10, 0xF7 })            // SysEx skipped by length
          .add ({ 0x00, 0xF7, 0x81, 0x00 }).fill (0x90, 128)       // escape with a two-byte length
          .add ({ 0x00, 0xFF, 0x01, 0x04 }).text ("text")          // meta events skipped by length
          .add ({ 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20 })
          .add ({ 0x60, 0x3C, 0x00,                                // velocity 0 under running status
                  0x00, 0x3E, 0x00,
                  0x00, 0xF4,                                       // an undefined status ends the track
                  0x00, 0x90, 0x40, 0x64 });

    auto result = importTrack (events.bytes);
    EXPECT_EQ (measure (result.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x07, 0x90, 0x3C, 0x64, 0x01, 0x90, 0x3E, 0x64, 0x01,
                        0xF0, 0x00, 0x00, 0x60, 0x80, 0x3C, 0x00, 0x01, 0x80, 0x3E, 0x00, 0x01,
                        0xF0, 0x00, 0x01, 0x20 }));

    // A data byte before any status ends the track.
    auto noStatus = importTrack (track ({ 0x00, 0x3C, 0x64, 0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00 }));
    EXPECT_EQ (measure (noStatus.pattern, 0), emptyMeasure (0));
}

TEST (SequenceDataImporter, TheNameComesFromTheFirstTrackOnly)
{
    ByteBuilder first;
    first.add ({ 0x00, 0xFF, 0x03, 0x0B }).text ("Drum Groove").add ({ 0x00, 0xFF, 0x2F, 0x00 });
    ByteBuilder second;
    second.add ({ 0x00, 0xFF, 0x03, 0x04 }).text ("bass").add ({ 0x00, 0xFF, 0x2F, 0x00 });

    EXPECT_EQ (import (file (1, 96, { first.bytes, second.bytes })).pattern.getName(), "DRUM GRO");
    EXPECT_EQ (import (file (1, 96, { track ({ 0x00, 0xFF, 0x2F, 0x00 }), second.bytes })).pattern.getName(), "INITPTRN");

    ByteBuilder shortName;
    shortName.add ({ 0x00, 0xFF, 0x03, 0x02 }).text ("hh").add ({ 0x00, 0xFF, 0x2F, 0x00 });
    auto imported = importTrack (shortName.bytes);
    EXPECT_EQ (imported.pattern.getName(), "HH");
    EXPECT_EQ (Bytes (imported.pattern.getBytes() + 488, imported.pattern.getBytes() + 496),
               (Bytes { 'H', 'H', ' ', ' ', ' ', ' ', ' ', ' ' }));
}

TEST (SequenceDataImporter, TracksOfAFormat1FilePlayTogether)
{
    // Track 1 has a note at 0 to 96 on part 0, track 2 one at 48 to 144 on
    // part 1; each event is merged in at its own time.
    auto imported = import (file (1, 96, { track ({ 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00 }),
                                           track ({ 0x00, 0x90, 0x24, 0x64, 0x60, 0x80, 0x24, 0x00, 0x00, 0xFF, 0x2F, 0x00 }),
                                           track ({ 0x30, 0x91, 0x26, 0x50, 0x60, 0x81, 0x26, 0x00, 0x00, 0xFF, 0x2F, 0x00 }) }));
    EXPECT_EQ (imported.result, SequenceDataImporter::imported);
    EXPECT_EQ (measure (imported.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x09, 0x90, 0x24, 0x64, 0x01, 0xF0, 0x00, 0x00, 0x30,
                        0x91, 0x26, 0x50, 0x01, 0xF0, 0x00, 0x00, 0x30, 0x80, 0x24, 0x00, 0x01,
                        0xF0, 0x00, 0x00, 0x30, 0x81, 0x26, 0x00, 0x01, 0xF0, 0x00, 0x00, 0xF0 }));
}

TEST (SequenceDataImporter, AnyDivisionGivesTheSamePattern)
{
    // A note from beat 2 to beat 3 of measure 1, then the end in measure 2,
    // written at 96, 480 and 960 ticks per quarter note; and at 100, where
    // a quarter's 100 ticks fall on 96 pattern ticks.
    auto at = [] (int division)
    {
        ByteBuilder b;
        const int start = 5 * division, length = division, end = 8 * division + division / 2;
        auto vlq = [&b] (int v) { b.add ({ 0x80 | (v >> 14), 0x80 | ((v >> 7) & 0x7F), v & 0x7F }); };
        vlq (start);          b.add ({ 0x90, 0x3C, 0x64 });
        vlq (length);         b.add ({ 0x80, 0x3C, 0x00 });
        vlq (end - start - length); b.add ({ 0xFF, 0x2F, 0x00 });
        return import (file (0, division, { b.bytes }));
    };

    const auto reference = at (96);
    EXPECT_EQ (reference.pattern.getRecordedLength(), 3);
    EXPECT_EQ (measure (reference.pattern, 1),
               (Bytes { 0xFF, 0x01, 0x00, 0x06, 0xF0, 0x00, 0x00, 0x60, 0x90, 0x3C, 0x64, 0x01,
                        0xF0, 0x00, 0x00, 0x60, 0x80, 0x3C, 0x00, 0x01, 0xF0, 0x00, 0x00, 0xC0 }));

    for (int division : { 480, 960, 100 })
        EXPECT_TRUE (at (division).pattern.getBlock() == reference.pattern.getBlock()) << "division " << division;
}

TEST (SequenceDataImporter, ReadsAtMost99Measures)
{
    // A note at the start of each of 120 measures.
    ByteBuilder b;
    b.add ({ 0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x00 });
    for (int m = 1; m < 120; ++m)
        b.add ({ 0x82, 0x20, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x00 });   // 288 ticks on, then the next barline
    b.add ({ 0x00, 0xFF, 0x2F, 0x00 });

    auto imported = importTrack (b.bytes);
    EXPECT_EQ (imported.result, SequenceDataImporter::imported);
    EXPECT_EQ (imported.code, SequenceDataImporter::success);
    EXPECT_EQ (imported.pattern.getLengthParameter(), 99);
    EXPECT_EQ (imported.pattern.getRecordedLength(), 99);

    const Bytes noteMeasure { 0x90, 0x3C, 0x64, 0x01, 0xF0, 0x00, 0x00, 0x60, 0x80, 0x3C, 0x00, 0x01, 0xF0, 0x00, 0x01, 0x20 };
    for (int m : { 0, 50, 98 })
    {
        Bytes expected { 0xFF, (uint8_t) m, 0x00, 0x05 };
        expected.insert (expected.end(), noteMeasure.begin(), noteMeasure.end());
        EXPECT_EQ (measure (imported.pattern, m), expected) << "measure " << m;
    }
    EXPECT_EQ (eventCount (imported.pattern), 99 * 5);
    expectCompleteBlock (imported.pattern);
}

TEST (SequenceDataImporter, RefusesWhatIsNotAFormat0Or1File)
{
    const auto endOnly = track ({ 0x00, 0xFF, 0x2F, 0x00 });
    auto codeOf = [] (const Bytes& smf)
    {
        SequenceDataImporter importer;
        SequenceData target;
        EXPECT_EQ (importer.importSmf (smf.data(), smf.size(), target, 0, 1), SequenceDataImporter::failed);
        EXPECT_TRUE (target.getBlock() == SequenceData::createInitialPattern());
        return importer.getResultMessageKey();
    };

    auto withByte = [] (Bytes bytes, size_t index, uint8_t value) { bytes[index] = value; return bytes; };
    const auto good = file (0, 96, { endOnly });
    ASSERT_EQ (good.size(), 26u);

    EXPECT_EQ (codeOf (Bytes (good.begin(), good.end() - 1)), "SeqImport_Smf_Size");
    EXPECT_EQ (codeOf (withByte (good, 0, 'X')), "SeqImport_Smf_Header");
    EXPECT_EQ (codeOf (withByte (good, 7, 7)), "SeqImport_Smf_Header");
    EXPECT_EQ (codeOf (file (2, 96, { endOnly })), "SeqImport_Smf_Format");
    EXPECT_EQ (codeOf (withByte (good, 8, 1)), "SeqImport_Smf_Format");   // format 256
    EXPECT_EQ (codeOf (withByte (good, 13, 0)), "SeqImport_Smf_TimeBase");
    EXPECT_EQ (codeOf (withByte (withByte (good, 10, 1), 11, 1)), "SeqImport_Smf_TrackOver");   // 257 tracks
    EXPECT_EQ (codeOf (withByte (good, 14, 'X')), "SeqImport_Smf_TrackHeader");

    // Fewer than 12 bytes where the second track should start.
    EXPECT_EQ (codeOf (withByte (good, 11, 2)), "SeqImport_Smf_TrackSize");

    // A byte after the last track, a chunk that runs past the file, and a
    // chunk of another kind.
    auto trailing = good;
    trailing.push_back (0);
    EXPECT_EQ (codeOf (trailing), "SeqImport_Smf_IllegalSize");
    EXPECT_EQ (codeOf (withByte (good, 21, 5)), "SeqImport_Smf_IllegalSize");
    EXPECT_EQ (codeOf (withByte (good, 18, 0xFF)), "SeqImport_Smf_IllegalSize");
    ByteBuilder withOtherChunk;
    append (withOtherChunk, good).text ("XFIH").be32 (4).add ({ 0, 0, 0, 0 });
    EXPECT_EQ (codeOf (withOtherChunk.bytes), "SeqImport_Smf_IllegalSize");
    EXPECT_EQ (codeOf (withByte (withOtherChunk.bytes, 11, 2)), "SeqImport_Smf_TrackHeader");
}

TEST (SequenceDataImporter, NeverReadsPastATrackChunk)
{
    // The first track's chunk ends inside a note-on; the bytes after it are
    // the second track's, which must not be taken for the rest of the event.
    const auto second = track ({ 0x00, 0x91, 0x40, 0x50, 0x60, 0x81, 0x40, 0x00, 0x00, 0xFF, 0x2F, 0x00 });
    auto cutInEvent = import (file (1, 96, { track ({ 0x00, 0x90, 0x3C }), second }));
    EXPECT_EQ (cutInEvent.result, SequenceDataImporter::imported);
    EXPECT_EQ (measure (cutInEvent.pattern, 0),
               (Bytes { 0xFF, 0x00, 0x00, 0x05, 0x91, 0x40, 0x50, 0x01, 0xF0, 0x00, 0x00, 0x60,
                        0x81, 0x40, 0x00, 0x01, 0xF0, 0x00, 0x01, 0x20 }));

    // A meta event, a SysEx and a delta time that run past the chunk, and an
    // empty chunk, end their tracks there.
    struct Case { Bytes track; int firstStatus; };
    const Case cases[] = { { track ({ 0x00, 0xFF, 0x01, 0x7F, 0x00 }), 0x91 },
                           { track ({ 0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F }), 0x91 },
                           { track ({ 0x00, 0x90, 0x3C, 0x64, 0x81 }), 0x90 },   // the note is closed
                           { Bytes(), 0x91 } };

    for (const auto& broken : cases)
    {
        auto imported = import (file (1, 96, { broken.track, second }));
        EXPECT_EQ (imported.result, SequenceDataImporter::imported);
        EXPECT_EQ (measure (imported.pattern, 0)[4], broken.firstStatus);
        expectCompleteBlock (imported.pattern);
        EXPECT_EQ (notesLeftSounding (imported.pattern), 0);
    }

    // A chunk that claims almost 4 GB.
    auto huge = file (0, 96, { track ({ 0x00, 0x90, 0x3C, 0x64 }) });
    huge[18] = 0xFF;
    EXPECT_EQ (import (huge).code, SequenceDataImporter::smfIllegalSize);
}

TEST (SequenceDataImporter, HugeDeltaTimesEndAfterTheLastMeasure)
{
    // Overlong and very long delta times: nothing is due before measure 99.
    for (const auto& delta : { Bytes { 0x8F, 0xFF, 0xFF, 0x7F }, Bytes { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F } })
    {
        ByteBuilder b;
        b.add ({ 0x00, 0x90, 0x3C, 0x64 });
        append (b, delta);
        b.add ({ 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00 });

        for (int division : { 96, 0x7FFF, 0xFFFF })
        {
            auto imported = import (file (0, division, { b.bytes }));
            EXPECT_EQ (imported.result, SequenceDataImporter::imported);
            EXPECT_EQ (imported.pattern.getRecordedLength(), 99);
            expectCompleteBlock (imported.pattern);
            // The note is closed at the end of measure 98.
            EXPECT_EQ (measure (imported.pattern, 98),
                       (Bytes { 0xFF, 0x62, 0x00, 0x03, 0xF0, 0x00, 0x01, 0x80, 0x80, 0x3C, 0x00, 0x01 }));
            EXPECT_EQ (notesLeftSounding (imported.pattern), 0);
        }
    }
}

TEST (SequenceDataImporter, AFileTooLargeIsCutAndStillComplete)
{
    auto imported = importTrack (SmfTestFiles::manyNotesTrack (10000));
    EXPECT_EQ (imported.result, SequenceDataImporter::importedCut);
    EXPECT_EQ (imported.code, SequenceDataImporter::sizeOver);
    expectCompleteBlock (imported.pattern);
    EXPECT_EQ (notesLeftSounding (imported.pattern), 0);
    EXPECT_GT (imported.pattern.getSize(), 63487);

    SequenceDataImporter importer;
    SequenceData target;
    const auto smf = SmfTestFiles::manyNotesTrack (10000);
    const auto wholeFile = file (0, 96, { smf });
    importer.importSmf (wholeFile.data(), wholeFile.size(), target, 0, 1);
    EXPECT_EQ (importer.getResultMessageKey(), "SeqImport_SizeOver");
    EXPECT_EQ (importer.getNoticeMessageKey(), "SeqImport_SizeOver");

    // A file that fits gives no notice.
    const auto small = file (0, 96, { SmfTestFiles::manyNotesTrack (100) });
    EXPECT_EQ (importer.importSmf (small.data(), small.size(), target, 0, 1), SequenceDataImporter::imported);
    EXPECT_EQ (importer.getResultMessageKey(), "SeqImport_Success");
    EXPECT_TRUE (importer.getNoticeMessageKey().isEmpty());
}

TEST (SequenceDataImporter, TooManyNoteOnsOnOneBarlineCutTheImport)
{
    // Every repeated note-on of a held note holds a note-off and a note-on
    // again, so 600 of them on the barline overflow the 1024 held events.
    ByteBuilder b;
    b.add ({ 0x83, 0x00, 0x90, 0x3C, 0x64 });
    for (int i = 1; i < 600; ++i)
        b.add ({ 0x00, 0x3C, 0x64 });
    b.add ({ 0x60, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00 });

    auto imported = importTrack (b.bytes);
    EXPECT_EQ (imported.result, SequenceDataImporter::importedCut);
    expectCompleteBlock (imported.pattern);
    EXPECT_EQ (notesLeftSounding (imported.pattern), 0);

    // 500 fit, and open measure 1 in the order they came.
    ByteBuilder fits;
    fits.add ({ 0x83, 0x00, 0x90, 0x3C, 0x64 });
    for (int i = 1; i < 500; ++i)
        fits.add ({ 0x00, 0x3C, 0x64 });
    fits.add ({ 0x60, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00 });

    auto held = importTrack (fits.bytes);
    EXPECT_EQ (held.result, SequenceDataImporter::imported);
    const auto second = measure (held.pattern, 1);
    ASSERT_EQ (second.size(), 4u * (1 + 999 + 3));
    EXPECT_EQ (Bytes (second.begin() + 4, second.begin() + 12), (Bytes { 0x90, 0x3C, 0x64, 0x01, 0x80, 0x3C, 0x00, 0x01 }));
    EXPECT_EQ (notesLeftSounding (held.pattern), 0);
}

TEST (SequenceDataImporter, FilesThatCannotBeOpened)
{
    TemporaryFolder temp;
    SequenceDataImporter importer;
    SequenceData target;

    EXPECT_EQ (importer.importSmf (temp.folder.getChildFile ("missing.mid"), target, 0, 1), SequenceDataImporter::failed);
    EXPECT_EQ (importer.getResultMessageKey(), "SeqImport_FailedToOpenFile");
    EXPECT_TRUE (target.getBlock() == SequenceData::createInitialPattern());

    const auto smf = file (0, 96, { track ({ 0x00, 0xFF, 0x03, 0x04, 'k', 'i', 'c', 'k', 0x00, 0xFF, 0x2F, 0x00 }) });
    const auto onDisk = temp.folder.getChildFile ("kick.mid");
    ASSERT_TRUE (onDisk.replaceWithData (smf.data(), smf.size()));
    EXPECT_EQ (importer.importSmf (onDisk, target, 0, 1), SequenceDataImporter::imported);
    EXPECT_EQ (target.getName(), "KICK");
}

TEST (SequenceDataImporter, DamagedFilesGiveACodeOrACompletePattern)
{
    // A two-track file with notes, running status, SysEx and meta events,
    // damaged at random bytes (fixed seed) and cut at random lengths.
    ByteBuilder first;
    first.add ({ 0x00, 0xFF, 0x03, 0x03 }).text ("abc").add ({ 0x00, 0xF0, 0x02, 0x01, 0xF7, 0x00, 0xFF, 0x2F, 0x00 });
    ByteBuilder second;
    second.add ({ 0x00, 0x90, 0x3C, 0x64, 0x30, 0x3E, 0x64, 0x83, 0x00, 0x3C, 0x00, 0x10, 0x81, 0x40, 0x00,
                  0x00, 0xC1, 0x05, 0x82, 0x00, 0x80, 0x3E, 0x00, 0x00, 0xFF, 0x2F, 0x00 });
    const auto original = file (1, 96, { first.bytes, second.bytes });

    juce::Random random (20261209);

    for (int round = 0; round < 3000; ++round)
    {
        auto damaged = original;
        for (int n = 1 + random.nextInt (4); n > 0; --n)
            damaged[(size_t) random.nextInt ((int) damaged.size())] = (uint8_t) random.nextInt (256);
        if (random.nextBool())
            damaged.resize ((size_t) random.nextInt ((int) damaged.size()));

        auto imported = import (damaged);
        if (imported.result == SequenceDataImporter::failed)
        {
            EXPECT_GE (imported.code, SequenceDataImporter::smfSize);
            continue;
        }
        expectCompleteBlock (imported.pattern);
        if (HasFatalFailure())
            return;
    }
}
