#pragma once

#include "device/CompositeSession.h"
#include "device/TransferStatus.h"

#include <memory>

class SequenceSet;

// The 16 patterns of a bank moved one by one, without the bank dump mode.
class PatternSetTransfer : public CompositeSession
{
public:
    static constexpr int numPatterns = 16;

    // The pattern being moved, 0 to 16.
    int getPatternIndex() const noexcept { return patternIndex; }

protected:
    explicit PatternSetTransfer (const TransferStatus::Keys& statusKeys);

    bool execute() override;

    virtual void checkBeforeStart() {}
    virtual void transferPattern (int index, double progressStart, double progressSpan) = 0;

private:
    const TransferStatus::Keys statusKeys;
    std::atomic<int> patternIndex { 0 };
};

// Receives the 16 patterns into a set of its own; the completion hook puts
// them in place, so a stopped or failed receive applies nothing.
class SequenceSetReceive : public PatternSetTransfer
{
public:
    SequenceSetReceive();
    ~SequenceSetReceive() override;

    // Complete once the session succeeded without being stopped.
    SequenceSet& getReceivedSet() { return *received; }

protected:
    void transferPattern (int index, double progressStart, double progressSpan) override;

private:
    std::unique_ptr<SequenceSet> received;
};

// Writes the 16 patterns of a set, which must stay unchanged meanwhile.
// Refused before anything is sent when they need more than the device's
// pattern memory.
class SequenceSetWrite : public PatternSetTransfer
{
public:
    explicit SequenceSetWrite (const SequenceSet& patterns);

protected:
    void checkBeforeStart() override;
    void transferPattern (int index, double progressStart, double progressSpan) override;

private:
    const SequenceSet& patterns;
};
