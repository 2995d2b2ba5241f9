#pragma once

#include <array>
#include <atomic>

// Which parts of the edited bank hold changes that the device has not
// received yet: one notice per sample slot and one for the pattern set.
// Every store announces itself with message 18, so that the sample and
// pattern selectors can make their TRANSMIT buttons blink. Notices may be
// set from a session thread and read on the message thread.
class TransmitNoticeManager
{
public:
    static constexpr int numSamples = 36;

    TransmitNoticeManager() = default;
    virtual ~TransmitNoticeManager() = default;

    // Indices outside 0 to 35 are ignored and post nothing.
    void setSampleNotice (int sampleIndex, bool on);
    void setPatternSetNotice (bool on);

    // Switches every notice off and posts one message.
    void clearAll();

    // Off for indices outside 0 to 35.
    bool getSampleNotice (int sampleIndex) const;
    bool getPatternSetNotice() const { return patternSetNotice.load(); }

private:
    static bool isSampleIndex (int index) { return index >= 0 && index < numSamples; }
    static void announceChange();

    std::array<std::atomic<bool>, numSamples> sampleNotices {};
    std::atomic<bool> patternSetNotice { false };
};
