#include "data/smf/SequenceDataExporter.h"

#include "app/FileReplacement.h"
#include "data/ByteFields.h"
#include "data/SequenceBlockLayout.h"
#include "data/SequenceData.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace
{
using namespace SequenceBlockLayout;


constexpr int headersSize = 22;   // "MThd" chunk (14 bytes) and "MTrk" header (8 bytes)
constexpr int ticksPerQuarter = 96;
constexpr size_t bufferSize = 65536;
constexpr size_t outputLimit = 65520;   // leaves room for the longest event

// The track as it is written, behind room for the two headers.
class SmfTrackWriter
{
public:
    SmfTrackWriter()
    {
        bytes.reserve (bufferSize);
        bytes.resize ((size_t) headersSize);
    }

    // Events are written with the time that passed since the previous one;
    // time events of the pattern only add to it.
    void addTime (uint32_t ticks) { pendingTicks += ticks; }

    void writeEvent (std::initializer_list<int> eventBytes)
    {
        writeDeltaTime();

        for (int b : eventBytes)
            bytes.push_back ((uint8_t) b);
    }

    void writeEvent (const uint8_t* eventBytes, size_t count)
    {
        writeDeltaTime();
        bytes.insert (bytes.end(), eventBytes, eventBytes + count);
    }

    size_t getSize() const { return bytes.size(); }

    // Fills in the file header and the track header.
    const std::vector<uint8_t>& finish()
    {
        auto* p = bytes.data();
        std::memcpy (p, "MThd", 4);
        ByteFields::putBigEndian32 (p + 4, 6);
        ByteFields::putBigEndian16 (p + 8, 0);                 // format 0
        ByteFields::putBigEndian16 (p + 10, 1);                // one track
        ByteFields::putBigEndian16 (p + 12, ticksPerQuarter);
        std::memcpy (p + 14, "MTrk", 4);
        ByteFields::putBigEndian32 (p + 18, (int32_t) (bytes.size() - headersSize));
        return bytes;
    }

private:
    // A variable-length quantity, most significant group of 7 bits first.
    // Four bytes hold at most 2^28 - 1; longer times are written as 0.
    void writeDeltaTime()
    {
        const uint32_t ticks = pendingTicks < (1u << 28) ? pendingTicks : 0;
        pendingTicks = 0;

        int shift = 21;
        while (shift > 0 && (ticks >> shift) == 0)
            shift -= 7;

        for (; shift > 0; shift -= 7)
            bytes.push_back ((uint8_t) (0x80 | ((ticks >> shift) & 0x7F)));

        bytes.push_back ((uint8_t) (ticks & 0x7F));
    }

    std::vector<uint8_t> bytes;
    uint32_t pendingTicks = 0;
};

// The track's opening: the pattern's name, the tempo and the keyboard-mode
// sample as program.
void writeTrackStart (SmfTrackWriter& track, const uint8_t* block, int part1Channel)
{
    uint8_t nameEvent[3 + nameLength] = { 0xFF, 0x03, nameLength };
    std::memcpy (nameEvent + 3, block + nameOffset, nameLength);
    track.writeEvent (nameEvent, 3 + nameLength);

    track.writeEvent ({ 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20 });   // 500000 microseconds per quarter note
    track.writeEvent ({ 0xC0 | part1Channel, block[keyboardSampleOffset] & 0x7F });
}

// Converts the events from the first one up to the marker of the first
// measure that was not recorded; returns a result code.
int writeTrackEvents (SmfTrackWriter& track, const uint8_t* block, size_t size, const int channels[2])
{
    const int recordedLength = block[recordedLengthLowByte];

    for (size_t offset = eventsOffset;; offset += eventSize)
    {
        if (offset + eventSize > size)
            return SequenceDataExporter::patternSizeError;

        const uint8_t* event = block + offset;

        switch (event[0])
        {
            case 0xF0:
                track.addTime ((uint32_t) ByteFields::getBigEndianU16 (event + 2));
                break;

            case 0xFF:
                if (event[1] >= recordedLength)
                    return SequenceDataExporter::success;
                break;

            case 0x80: case 0x81: case 0x90: case 0x91:
                // Data bytes are kept below 128 so that no reader takes them for a status.
                track.writeEvent ({ (event[0] & 0xF0) | channels[event[0] & 1], event[1] & 0x7F, event[2] & 0x7F });
                break;

            default:
                return SequenceDataExporter::dataError;
        }

        if (track.getSize() >= outputLimit)
            return SequenceDataExporter::smfSizeError;
    }
}

int buildSmf (const juce::MemoryBlock& block, const int channels[2], SmfTrackWriter& track)
{
    const auto* bytes = static_cast<const uint8_t*> (block.getData());

    if (block.getSize() < 4 || std::memcmp (bytes, "SEQP", 4) != 0)
        return SequenceDataExporter::headerError;

    if (block.getSize() < (size_t) eventsOffset)
        return SequenceDataExporter::patternSizeError;

    writeTrackStart (track, bytes, channels[1]);
    const int result = writeTrackEvents (track, bytes, block.getSize(), channels);

    if (result == SequenceDataExporter::success)
        track.writeEvent ({ 0xFF, 0x2F, 0x00 });

    return result;
}
}

bool SequenceDataExporter::needsRecordedLengthNotice (const SequenceData& pattern)
{
    return pattern.getLengthParameter() < pattern.getRecordedLength();
}

bool SequenceDataExporter::exportSmf (const SequenceData& pattern, const juce::File& file, int part0Channel, int part1Channel)
{
    const juce::MemoryBlock block (pattern.getBlock());
    const int channels[2] = { part0Channel & 0x0F, part1Channel & 0x0F };
    SmfTrackWriter track;

    resultCode = buildSmf (block, channels, track);

    if (resultCode != success)
        return false;

    const auto& smf = track.finish();
    bool opened = false;

    const bool written = (bool) FileReplacement::write (file, [&] (juce::OutputStream& out)
    {
        opened = true;
        return out.write (smf.data(), smf.size());
    });

    if (! written)
        resultCode = opened ? failedToWriteFile : failedToOpenFile;

    return written;
}

juce::String SequenceDataExporter::getResultMessageKey() const
{
    switch (resultCode)
    {
        case headerError:       return "SeqExport_Error_Header";
        case dataError:         return "SeqExport_Error_Data";
        case patternSizeError:  return "SeqExport_ErrorSeqSize";
        case smfSizeError:      return "SeqExport_ErrorSmfSize";
        case failedToOpenFile:  return "SeqExport_FailedToOpenFile";
        case failedToWriteFile: return "SeqExport_FailedToWriteFile";
        case success:           return "SeqExport_Success";
        default:                break;
    }
    return {};
}
