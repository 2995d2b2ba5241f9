#include "data/smf/SequenceDataImporter.h"

#include "data/ByteFields.h"
#include "data/SequenceBlockLayout.h"
#include "data/SequenceData.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace
{
using namespace SequenceBlockLayout;


constexpr int patternTicksPerQuarter = 96;
constexpr int ticksPerMeasure = 384;
constexpr int lastMeasure = 99;          // always a lone marker
constexpr int lastReadMeasure = 98;
constexpr int numParts = 2;
constexpr int numNotes = 128;

// Reading stops once the block passes this size, which leaves room for the
// last event, the closing note-offs, the fill of the last measure and the
// empty measures within the 65536-byte block.
constexpr size_t readLimit = 63487;
constexpr size_t holdingCapacity = 1024;   // events

// The file.
constexpr size_t minimumFileSize = 26;
constexpr size_t fileHeaderSize = 14;
constexpr size_t trackHeaderSize = 8;
constexpr size_t minimumTrackSize = 12;
constexpr int maximumTracks = 256;

// Larger than any time or length that can matter; keeps overlong
// variable-length quantities from overflowing.
constexpr int64_t variableLengthCap = (int64_t) 1 << 32;

using Event = std::array<uint8_t, eventSize>;

uint32_t bigEndianU32 (const uint8_t* p)
{
    return ((uint32_t) p[0] << 24) | ((uint32_t) p[1] << 16) | ((uint32_t) p[2] << 8) | p[3];
}

// The pattern block as the import writes it, measure by measure, with the
// state of every note of both parts.
class PatternBuilder
{
public:
    PatternBuilder()
    {
        block.assign ((size_t) eventsOffset, 0xFF);
        std::memcpy (block.data(), "SEQP", 4);
        openMeasure (0);
    }

    int getMeasure() const { return measure; }
    void setPosition (int newPosition) { position = newPosition; }

    // True once reading must stop: the events so far, the held ones
    // included, have used up the room for reading, or an event found the
    // holding buffer full.
    bool isFull() const { return holdingOverflowed || block.size() + held.size() * eventSize > readLimit; }

    // Until the next measure opens, note-ons are held for it.
    void startHolding() { holding = true; }

    void nextMeasure()
    {
        closeMeasure();
        holding = false;
        openMeasure (measure + 1);
    }

    void noteOn (int part, int note, int velocity)
    {
        auto& state = notes[part][note];

        if (state.first == FirstEvent::none)
            state.first = FirstEvent::noteOn;

        if (state.sounding || state.pendingOn)
            noteOff (part, note);

        const Event event { (uint8_t) (0x90 | part), (uint8_t) note, (uint8_t) velocity, 0x01 };

        if (! holding)
        {
            write (event);
            state.sounding = true;
        }
        else if (hold (event))
        {
            state.pendingOn = true;
        }
    }

    void noteOff (int part, int note)
    {
        auto& state = notes[part][note];
        const Event event { (uint8_t) (0x80 | part), (uint8_t) note, 0x00, 0x01 };

        // A note-on held for the next measure is ended there.
        if (holding && state.pendingOn && ! state.sounding)
        {
            if (hold (event))
                state.pendingOn = false;
            return;
        }

        if (state.sounding || state.first == FirstEvent::none)
        {
            write (event);
            state.sounding = false;

            if (state.first == FirstEvent::none)
                state.first = FirstEvent::noteOff;
        }
    }

    // Completes the block: open notes closed, the measure filled, the
    // header and the empty measures up to the last one.
    juce::MemoryBlock finish (uint8_t program, const uint8_t* name)
    {
        writeHeldEvents();
        closeOpenNotes();
        closeMeasure();

        auto* header = block.data();
        ByteFields::putBigEndian16 (header + lengthOffset, measure + 1);
        ByteFields::putBigEndian16 (header + recordedLengthOffset, measure + 1);
        ByteFields::putBigEndian32 (header + eventCountOffset, totalEvents);
        header[keyboardSampleOffset] = program;
        std::memcpy (header + nameOffset, name, nameLength);

        for (int m = measure + 1; m < lastMeasure; ++m)
        {
            appendMarker (m, 2);
            appendBytes (timeEvent (ticksPerMeasure));
        }
        appendMarker (lastMeasure, 1);

        ByteFields::putBigEndian32 (block.data() + sizeOffset, (int32_t) block.size());
        return juce::MemoryBlock (block.data(), block.size());
    }

private:
    enum class FirstEvent { none, noteOn, noteOff };

    struct NoteState
    {
        bool sounding = false;
        bool pendingOn = false;   // a note-on waits in the holding buffer
        FirstEvent first = FirstEvent::none;
    };

    static Event timeEvent (int ticks)
    {
        return { 0xF0, 0x00, (uint8_t) (ticks >> 8), (uint8_t) (ticks & 0xFF) };
    }

    void appendBytes (const Event& event)
    {
        block.insert (block.end(), event.begin(), event.end());
    }

    // Every event written into the measure counts towards its marker.
    void append (const Event& event)
    {
        appendBytes (event);
        ++measureCount;
    }

    void advanceTo (int newPosition)
    {
        if (newPosition > lastPosition)
        {
            append (timeEvent (newPosition - lastPosition));
            lastPosition = newPosition;
        }
    }

    void write (const Event& event)
    {
        advanceTo (position);
        append (event);
    }

    bool hold (const Event& event)
    {
        if (held.size() >= holdingCapacity)
        {
            holdingOverflowed = true;
            return false;
        }

        held.push_back (event);
        return true;
    }

    // The held events are written at the current position, in the order
    // they came, and the notes they start sound from here on.
    void writeHeldEvents()
    {
        for (const auto& event : held)
        {
            write (event);
            auto& state = notes[event[0] & 1][event[1]];
            state.sounding = (event[0] & 0xF0) == 0x90;
            state.pendingOn = false;
        }
        held.clear();
    }

    // A note whose first event was a note-off was sounding when the file
    // started, so a pattern played in a loop ends it there.
    void closeOpenNotes()
    {
        for (int part = 0; part < numParts; ++part)
        {
            for (int note = 0; note < numNotes; ++note)
            {
                auto& state = notes[part][note];

                if (state.sounding && state.first != FirstEvent::noteOff)
                {
                    write ({ (uint8_t) (0x80 | part), (uint8_t) note, 0x00, 0x01 });
                    state.sounding = false;
                }
            }
        }
    }

    void appendMarker (int m, int count)
    {
        ByteFields::putBigEndian32 (block.data() + measureTableOffset + 4 * m, (int32_t) block.size());
        appendBytes ({ 0xFF, (uint8_t) m, (uint8_t) (count >> 8), (uint8_t) (count & 0xFF) });
    }

    void openMeasure (int m)
    {
        measure = m;
        measureStart = block.size();
        appendMarker (m, 0);
        measureCount = 1;
        position = 0;
        lastPosition = 0;
        writeHeldEvents();
    }

    void closeMeasure()
    {
        advanceTo (ticksPerMeasure);
        ByteFields::putBigEndian16 (block.data() + measureStart + 2, measureCount);
        totalEvents += measureCount;
    }

    std::vector<uint8_t> block;
    std::vector<Event> held;
    NoteState notes[numParts][numNotes];

    int measure = 0;
    size_t measureStart = 0;
    int measureCount = 0;
    int totalEvents = 0;
    int position = 0;
    int lastPosition = 0;
    bool holding = false;
    bool holdingOverflowed = false;
};

// One track chunk. Reads never go past the chunk: one that would ends the
// track there.
class SmfTrack
{
public:
    SmfTrack (const uint8_t* chunkData, size_t chunkLength)
        : data (chunkData), length (chunkLength)
    {
        // Stored one higher, so that the step that counts it down to zero is
        // the step of its tick.
        int64_t firstDelta = 0;
        if (readVariableLength (firstDelta))
            delta = firstDelta + 1;
    }

    bool hasEnded() const { return ended; }
    void end() { ended = true; }

    bool readByte (uint8_t& value)
    {
        if (ended || position >= length)
            return fail();

        value = data[position++];
        return true;
    }

    // 7 bits per byte, most significant group first.
    bool readVariableLength (int64_t& value)
    {
        value = 0;
        uint8_t byte = 0x80;

        while ((byte & 0x80) != 0)
        {
            if (! readByte (byte))
                return false;

            value = std::min (value * 128 + (byte & 0x7F), variableLengthCap);
        }
        return true;
    }

    // The next count bytes, or null (and the track ended) when the chunk
    // holds fewer.
    const uint8_t* take (int64_t count)
    {
        if (ended || count > (int64_t) (length - position))
        {
            fail();
            return nullptr;
        }

        const auto* start = data + position;
        position += (size_t) count;
        return start;
    }

    int64_t delta = 0;            // steps until the next event is due
    uint8_t runningStatus = 0;    // 0: none yet

private:
    bool fail()
    {
        ended = true;
        return false;
    }

    const uint8_t* data;
    size_t length;
    size_t position = 0;
    bool ended = false;
};

// Checks the file header and finds the tracks; a result code.
int findTracks (const uint8_t* smf, size_t size, std::vector<SmfTrack>& tracks, int& division)
{
    if (size < minimumFileSize)
        return SequenceDataImporter::smfSize;

    if (std::memcmp (smf, "MThd\0\0\0\6", 8) != 0)
        return SequenceDataImporter::smfHeader;

    const int format = ByteFields::getBigEndianU16 (smf + 8);
    const int numTracks = ByteFields::getBigEndianU16 (smf + 10);
    division = ByteFields::getBigEndianU16 (smf + 12);

    if (format >= 2)
        return SequenceDataImporter::smfFormat;
    if (numTracks > maximumTracks)
        return SequenceDataImporter::smfTrackOver;
    if (division == 0)
        return SequenceDataImporter::smfTimeBase;

    uint64_t position = fileHeaderSize;

    for (int i = 0; i < numTracks; ++i)
    {
        if (position > size || size - position < minimumTrackSize)
            return SequenceDataImporter::smfTrackSize;

        const uint8_t* chunk = smf + position;

        if (std::memcmp (chunk, "MTrk", 4) != 0)
            return SequenceDataImporter::smfTrackHeader;

        const uint64_t length = bigEndianU32 (chunk + 4);
        const uint64_t available = size - position - trackHeaderSize;
        tracks.emplace_back (chunk + trackHeaderSize, (size_t) std::min (length, available));
        position += trackHeaderSize + length;
    }

    return position == size ? SequenceDataImporter::success : SequenceDataImporter::smfIllegalSize;
}

// Reads the tracks one file tick at a time, all tracks at each tick, into
// the pattern's measures.
class SmfImport
{
public:
    SmfImport (std::vector<SmfTrack> smfTracks, int ticksPerQuarter, int part0Channel, int part1Channel)
        : tracks (std::move (smfTracks)),
          division (ticksPerQuarter),
          fileTicksPerMeasure (4 * (int64_t) ticksPerQuarter),
          channels { part0Channel & 0x0F, part1Channel & 0x0F }
    {
        std::memcpy (name, SequenceData::defaultName.toRawUTF8(), nameLength);
    }

    // success, or sizeOver when reading stopped at the size limit.
    int run()
    {
        for (;;)
        {
            skipIdleTicks();

            for (size_t i = 0; i < tracks.size(); ++i)
                if (! handleTick (tracks[i], i == 0))
                    return SequenceDataImporter::sizeOver;

            if (allTracksEnded())
                return SequenceDataImporter::success;

            if (position == ticksPerMeasure)
            {
                pattern.nextMeasure();
                tick = 0;
            }

            setTick (tick + 1);

            // The events of the barline's tick open the next measure, unless
            // the pattern has no measure left for them.
            if (position == ticksPerMeasure)
            {
                if (pattern.getMeasure() == lastReadMeasure)
                    return SequenceDataImporter::success;

                pattern.startHolding();
            }
        }
    }

    juce::MemoryBlock finish() { return pattern.finish (program, name); }

private:
    void setTick (int64_t newTick)
    {
        tick = newTick;
        position = (int) (tick * patternTicksPerQuarter / division);
        pattern.setPosition (position);
    }

    bool allTracksEnded() const
    {
        return std::all_of (tracks.begin(), tracks.end(), [] (const SmfTrack& t) { return t.hasEnded(); });
    }

    // Passes over the ticks at which no track has an event in one go, never
    // up to the barline's tick, which switches holding on.
    void skipIdleTicks()
    {
        if (allTracksEnded())
            return;

        int64_t idle = fileTicksPerMeasure - 1 - tick;

        for (const auto& track : tracks)
            if (! track.hasEnded())
                idle = std::min (idle, track.delta - 1);

        if (idle <= 0)
            return;

        for (auto& track : tracks)
            if (! track.hasEnded())
                track.delta -= idle;

        setTick (tick + idle);
    }

    // Counts the track's delta down and handles its events when due; false
    // when the pattern is full.
    bool handleTick (SmfTrack& track, bool isFirstTrack)
    {
        if (track.hasEnded() || --track.delta > 0)
            return true;

        while (! track.hasEnded() && track.delta == 0)
        {
            handleEvent (track, isFirstTrack);

            if (pattern.isFull())
                return false;

            int64_t nextDelta = 0;
            if (track.readVariableLength (nextDelta))
                track.delta = nextDelta;
        }
        return true;
    }

    void handleEvent (SmfTrack& track, bool isFirstTrack)
    {
        uint8_t status = 0;
        if (! track.readByte (status))
            return;

        if (status < 0x80)
        {
            // Running status: the byte is the first data byte.
            if (track.runningStatus == 0)
                track.end();
            else
                handleChannelMessage (track, track.runningStatus, status);
        }
        else if (status < 0xF0)
        {
            track.runningStatus = status;
            uint8_t firstData = 0;
            if (track.readByte (firstData))
                handleChannelMessage (track, status, firstData);
        }
        else if (status == 0xF0 || status == 0xF7)
        {
            int64_t length = 0;
            if (track.readVariableLength (length))
                track.take (length);
        }
        else if (status == 0xFF)
        {
            handleMetaEvent (track, isFirstTrack);
        }
        else
        {
            track.end();
        }
    }

    void handleChannelMessage (SmfTrack& track, uint8_t status, uint8_t firstData)
    {
        const int kind = status & 0xF0;
        uint8_t secondData = 0;

        if (kind != 0xC0 && kind != 0xD0 && ! track.readByte (secondData))
            return;

        if (((firstData | secondData) & 0x80) != 0)
            return;

        const int part = partOfChannel (status & 0x0F);
        if (part < 0)
            return;

        switch (kind)
        {
            case 0x90:
                if (secondData > 0)
                {
                    pattern.noteOn (part, firstData, secondData);
                    break;
                }
                pattern.noteOff (part, firstData);   // a note-on with velocity 0
                break;

            case 0x80:
                pattern.noteOff (part, firstData);
                break;

            case 0xC0:
                if (part == 1)
                    program = firstData;
                break;

            default:
                break;
        }
    }

    void handleMetaEvent (SmfTrack& track, bool isFirstTrack)
    {
        uint8_t type = 0;
        int64_t length = 0;

        if (! track.readByte (type) || ! track.readVariableLength (length))
            return;

        if (type == 0x2F)
        {
            track.end();
            return;
        }

        const uint8_t* data = track.take (length);

        if (data != nullptr && type == 0x03 && isFirstTrack)
        {
            std::memset (name, ' ', nameLength);
            std::memcpy (name, data, (size_t) std::min (length, (int64_t) nameLength));
        }
    }

    // Part 0 when the channel is part 0's (also when both parts share it).
    int partOfChannel (int channel) const
    {
        if (channel == channels[0])
            return 0;
        if (channel == channels[1])
            return 1;
        return -1;
    }

    std::vector<SmfTrack> tracks;
    const int division;
    const int64_t fileTicksPerMeasure;
    const int channels[numParts];

    PatternBuilder pattern;
    int64_t tick = 0;       // file ticks since the current measure opened
    int position = 0;       // the same in pattern ticks
    uint8_t program = 0;
    uint8_t name[nameLength];
};
}

int SequenceDataImporter::importSmf (const juce::File& file, SequenceData& target, int part0Channel, int part1Channel)
{
    resultCode = failedToOpenFile;
    juce::FileInputStream in (file);

    if (! in.openedOk())
        return failed;

    juce::MemoryBlock smf;

    if ((juce::int64) in.readIntoMemoryBlock (smf) != in.getTotalLength())
    {
        resultCode = failedToReadFile;
        return failed;
    }

    return importSmf (smf.getData(), smf.getSize(), target, part0Channel, part1Channel);
}

int SequenceDataImporter::importSmf (const void* smf, size_t size, SequenceData& target, int part0Channel, int part1Channel)
{
    std::vector<SmfTrack> tracks;
    int division = 0;

    resultCode = findTracks (static_cast<const uint8_t*> (smf), size, tracks, division);

    if (resultCode != success)
        return failed;

    SmfImport import (std::move (tracks), division, part0Channel, part1Channel);
    resultCode = import.run();
    const auto block = import.finish();

    target.setBlock (block.getData(), block.getSize());
    target.setName (target.getName());   // the name rule: upper case, 8 characters
    return resultCode == sizeOver ? importedCut : imported;
}

juce::String SequenceDataImporter::getResultMessageKey() const
{
    switch (resultCode)
    {
        case success:          return "SeqImport_Success";
        case sizeOver:         return "SeqImport_SizeOver";
        case smfSize:          return "SeqImport_Smf_Size";
        case smfHeader:        return "SeqImport_Smf_Header";
        case smfTimeBase:      return "SeqImport_Smf_TimeBase";
        case smfFormat:        return "SeqImport_Smf_Format";
        case smfTrackOver:     return "SeqImport_Smf_TrackOver";
        case smfTrackSize:     return "SeqImport_Smf_TrackSize";
        case smfTrackHeader:   return "SeqImport_Smf_TrackHeader";
        case smfIllegalSize:   return "SeqImport_Smf_IllegalSize";
        case failedToOpenFile: return "SeqImport_FailedToOpenFile";
        case failedToReadFile: return "SeqImport_FailedToReadFile";
        default:               break;
    }
    return {};
}

juce::String SequenceDataImporter::getNoticeMessageKey() const
{
    return resultCode == sizeOver ? getResultMessageKey() : juce::String();
}
