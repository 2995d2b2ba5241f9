#pragma once

#include <cstddef>

// Where the fields of a pattern's SEQP block stand, shared by the pattern
// class and the Standard MIDI File exchange.
namespace SequenceBlockLayout
{
    constexpr int sizeOffset = 4;
    constexpr int lengthOffset = 8;
    constexpr int recordedLengthOffset = 10;
    constexpr int recordedLengthLowByte = 11;
    constexpr int eventCountOffset = 12;
    constexpr int measureTableOffset = 16;
    constexpr int keyboardSampleOffset = 480;
    constexpr int nameOffset = 488;
    constexpr int nameLength = 8;
    constexpr int eventsOffset = 512;
    constexpr int eventSize = 4;
}
