#pragma once

#include <juce_core/juce_core.h>

class SequenceData;

// Writes a pattern as a format-0 Standard MIDI File (96 ticks per quarter
// note, 120 beats per minute). Part 0 of the pattern plays on one MIDI
// channel, part 1 on another; the keyboard-mode sample becomes a program
// change on the part-1 channel. Made for one export and discarded.
class SequenceDataExporter
{
public:
    enum ResultCode
    {
        headerError = 0,        // the block is not a pattern
        dataError = 1,          // an event of an unknown kind
        patternSizeError = 2,   // the events run past the block
        smfSizeError = 3,       // the file would not fit the output buffer
        failedToOpenFile = 17,
        failedToWriteFile = 18,
        success = 19
    };

    static inline const juce::String recordedLengthNoticeKey { "SeqExport_NoticeRecordedLength" };

    // True when the pattern's length parameter is shorter than its recorded
    // length: the export then still writes every recorded measure, which the
    // user is told with recordedLengthNoticeKey.
    static bool needsRecordedLengthNotice (const SequenceData& pattern);

    // Channels 0 to 15 (only the low four bits count). An existing file is
    // replaced only once the new one has been written completely.
    bool exportSmf (const SequenceData& pattern, const juce::File& file, int part0Channel, int part1Channel);

    int getResultCode() const { return resultCode; }
    juce::String getResultMessageKey() const;

private:
    int resultCode = headerError;
};
