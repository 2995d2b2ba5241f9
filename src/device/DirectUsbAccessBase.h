#pragma once

#include "device/UsbAccess.h"
#include "device/UsbDriver.h"
#include "device/UsbMidiInterpreter.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Everything of the access that does not depend on the driver: the reader
// thread, the queue of unsolicited messages, waiting for a reply with an
// inactivity time-out, bulk replies after the bulk marker, and progress.
class DirectUsbAccessBase : public UsbAccess,
                            protected UsbMidiInterpreterCallback
{
public:
    static constexpr int unitSize = 64;
    static constexpr int bulkBufferSize = 16384;
    static constexpr int readerPollMs = 100;
    static constexpr int defaultTimeoutMs = 2000;

    // Bytes 0 to 2 are 0xFF, the rest 0: announces raw bulk bytes.
    static bool isBulkMarker (const uint8_t* unit);
    static juce::MemoryBlock makeBulkMarker();

    // Size of the whole message of an id with the given data size.
    static int expectedMessageSize (int id, int dataSize);

    DirectUsbAccessBase();
    ~DirectUsbAccessBase() override;

    void setTimeout (int milliseconds) override { timeoutMs = milliseconds; }
    int getTimeout() const override { return timeoutMs; }

    bool send (const SysExCommand& command, int chunkSize, UsbAccessCallback* callback) override;
    void listen (int queueLimit) override;
    void expectReplies (const std::vector<int>& ids, UsbAccessCallback* callback) override;
    void expectReply (int id, int dataSize, UsbAccessCallback* callback) override;
    void stop() override;
    std::unique_ptr<SysExCommand> waitForMessage() override;
    bool readBytes (void* bytes, int count) override;
    void setCancelled (bool shouldBeCancelled) override;
    int getSettleTimeAfterWrite() const override { return getPacing().afterItemWrite; }

protected:
    // The driver-specific part.
    virtual UsbDriver::Pacing getPacing() const = 0;
    virtual UsbDriver::ReadResult readUnit (void* dest, int count, UsbDriver::ReadMode mode, int waitMs,
                                            const UsbDriver::StopRequest& stopRequested) = 0;

    bool isCancelled() const noexcept { return cancelled; }

    // Derived classes call this first in their destructor, while their
    // driver still exists.
    void stopReader();

private:
    struct ReaderMode
    {
        bool awaitingReply = false;
        std::vector<int> expectedIds;
        int expectedSize = 0;
        int queueLimit = 1;
        UsbAccessCallback* callback = nullptr;
    };

    void startReader (const ReaderMode& mode, bool keepMatchedId);
    void run();
    void pauseReader();
    void advanceBulk (int count);
    void finishBulk();
    int bulkReplyId() const;
    void finishReply (std::unique_ptr<SysExCommand> command);
    void touch() noexcept { lastActivity = juce::Time::getMillisecondCounter(); }

    void handleShortMessage (const juce::MidiMessage&, int) override {}
    int getSysExNotifyInterval() override { return unitSize; }
    void handleSysExData (const uint8_t* data, int length, bool complete, int cable) override;
    void enqueue (const uint8_t* data, int length, bool limited);
    bool isExpected (int id) const;
    void reportProgress (int id, double fraction);

    // The reader thread, "USB Direct Access Thread". A plain thread, so
    // that stopping and restarting it for every reply costs no polling.
    std::thread reader;
    std::atomic<bool> readerShouldStop { false };

    UsbMidiInterpreter interpreter;
    std::atomic<int> timeoutMs { defaultTimeoutMs };
    std::atomic<juce::uint32> lastActivity { 0 };
    std::atomic<bool> cancelled { false };

    // Set before the reader starts and read by it; not changed while it runs.
    ReaderMode mode;

    // Reader-thread state.
    bool replyMatched = false;
    int matchedId = -1;
    int progressMark = 0;
    juce::MemoryBlock bulkBuffer;   // sized to the whole reply once the marker came
    int bulkFill = 0;

    // Serialises starting and stopping the reader, which the session thread
    // and the message thread (closing on a device change) may do at once.
    std::mutex readerLock;

    // Guarded by stateLock: what the waiter takes.
    std::mutex stateLock;
    std::condition_variable stateChanged;
    std::unique_ptr<SysExCommand> reply;
    std::deque<std::unique_ptr<SysExCommand>> queue;
    bool readerEnded = true;
};
