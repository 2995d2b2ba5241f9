#pragma once

class MemorySizeBar;

// What a memory bar shows: for each of its segments, whether it stands out
// and how many of the bar's units it takes.
class MemorySizeBarModel
{
public:
    virtual ~MemorySizeBarModel() = default;

    virtual bool isSegmentHighlighted (const MemorySizeBar& bar, int segment) const = 0;
    virtual int getSegmentSize (const MemorySizeBar& bar, int segment) const = 0;
};
