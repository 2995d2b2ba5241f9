#pragma once

#include "device/ReadPipeParser.h"
#include "device/UsbAccess.h"
#include "device/UsbDriver.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Everything of the access that does not depend on the driver: the reader
// thread, which reads what the read pipe parser asks for, the queue of
// unsolicited messages, waiting for a reply with an inactivity time-out,
// and progress.
class DirectUsbAccessBase : public UsbAccess,
                            private ReadPipeParser::Receiver
{
public:
    static constexpr int readerPollMs = 100;
    static constexpr int defaultTimeoutMs = 2000;

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
        ReadPipeParser::Expectation expectation;
        int queueLimit = 1;
        UsbAccessCallback* callback = nullptr;
    };

    void startReader (const ReaderMode& mode);
    void run();
    void pauseReader();
    void touch() noexcept { lastActivity = juce::Time::getMillisecondCounter(); }

    // ReadPipeParser::Receiver, on the reader thread.
    void bytesArrived() override { touch(); }
    void messageArrived (std::unique_ptr<SysExCommand> message, bool limited) override;
    void replyArrived (std::unique_ptr<SysExCommand> command) override;
    void replyProgress (int id, double fraction) override;

    // The reader thread, "USB Direct Access Thread". A plain thread, so
    // that stopping and restarting it for every reply costs no polling.
    std::thread reader;
    std::atomic<bool> readerShouldStop { false };

    std::atomic<int> timeoutMs { defaultTimeoutMs };
    std::atomic<juce::uint32> lastActivity { 0 };
    std::atomic<bool> cancelled { false };

    // Set before the reader starts and read by it; not changed while it runs.
    ReaderMode mode;

    // Reader-thread state, apart from making the packets that send writes.
    ReadPipeParser pipe;

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
