#pragma once

#include "data/SequenceData.h"
#include "device/ItemSession.h"

// Receives pattern k into a target inside a pattern-set or bank transfer.
// The target becomes the initial pattern as soon as the device has said how
// large the pattern is.
class SequenceReceive : public ItemSession
{
public:
    SequenceReceive (SequenceData& target, int patternIndex);

    int getPatternIndex() const noexcept { return patternIndex; }

protected:
    void transfer (UsbAccess& access) override;

private:
    SequenceData& target;
    const int patternIndex;
};

// Transmits a pattern to slot k: its size, then its block.
class SequenceWrite : public ItemSession
{
public:
    // The pattern must stay unchanged while the session runs.
    SequenceWrite (const SequenceData& pattern, int patternIndex);

    int getPatternIndex() const noexcept { return patternIndex; }

protected:
    void transfer (UsbAccess& access) override;

private:
    const SequenceData& pattern;
    const int patternIndex;
};
