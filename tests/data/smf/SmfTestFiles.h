#pragma once

#include "TestSupport.h"

#include <vector>

// Standard MIDI Files put together by hand for the import and export tests.
namespace SmfTestFiles
{
    using TestSupport::Bytes;
    using TestSupport::ByteBuilder;

    // "MThd" with length 6, format, track count and division, then one
    // "MTrk" chunk per track with the track's own length.
    inline Bytes file (int format, int division, const std::vector<Bytes>& tracks)
    {
        ByteBuilder b;
        b.text ("MThd").be32 (6).be16 (format).be16 ((int) tracks.size()).be16 (division);

        for (const auto& track : tracks)
        {
            b.text ("MTrk").be32 ((int) track.size());
            b.bytes.insert (b.bytes.end(), track.begin(), track.end());
        }
        return b.bytes;
    }

    // count notes on channel 1, one pattern tick apart at division 96:
    // each adds a time event and a note-on or note-off to the pattern.
    inline Bytes manyNotesTrack (int count)
    {
        ByteBuilder b;
        b.add ({ 0x00, 0x90, 0x3C, 0x40 });

        for (int i = 1; i < count; ++i)
            b.add ({ 0x01, 0x3C, (i % 2) == 0 ? 0x40 : 0x00 });   // running status; velocity 0 ends the note

        b.add ({ 0x00, 0xFF, 0x2F, 0x00 });
        return b.bytes;
    }
}
