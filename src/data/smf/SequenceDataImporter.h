#pragma once

#include <juce_core/juce_core.h>

class SequenceData;

// Builds a pattern from a Standard MIDI File of format 0 or 1. Events on one
// MIDI channel become part 0 of the pattern, those on another part 1; all
// other channels are dropped. Every measure is taken as 4/4; note-ons on a
// barline open the next measure, note-offs there still end notes in the
// measure they close. At most 99 measures are read. Made for one import and
// discarded.
class SequenceDataImporter
{
public:
    enum ResultCode
    {
        success = 0,
        sizeOver = 1,           // imported up to the size a pattern can hold
        smfSize = 256,          // too short for a file header
        smfHeader = 257,
        smfTimeBase = 258,
        smfFormat = 259,
        smfTrackOver = 260,     // more than 256 tracks
        smfTrackSize = 272,
        smfTrackHeader = 273,
        smfIllegalSize = 274,   // the chunks do not end where the file ends
        failedToOpenFile = 4096,
        failedToReadFile = 4097
    };

    enum Result
    {
        failed = 0,
        imported = 1,
        importedCut = 2         // the file was cut at the size limit
    };

    // Channels 0 to 15 (only the low four bits count): part 0 is read from
    // part0Channel, part 1 from part1Channel; part 0 wins when they are equal.
    // Replaces target only when the result is not failed.
    int importSmf (const juce::File& file, SequenceData& target, int part0Channel, int part1Channel);

    // The same for a file already in memory.
    int importSmf (const void* smf, size_t size, SequenceData& target, int part0Channel, int part1Channel);

    int getResultCode() const { return resultCode; }
    juce::String getResultMessageKey() const;

    // The message for the user after an import that was cut at the size
    // limit ("SeqImport_SizeOver"); empty otherwise.
    juce::String getNoticeMessageKey() const;

private:
    int resultCode = failedToOpenFile;
};
