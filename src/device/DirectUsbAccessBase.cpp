#include "device/DirectUsbAccessBase.h"

#include <algorithm>

DirectUsbAccessBase::DirectUsbAccessBase()
    : pipe (*this)
{
}

DirectUsbAccessBase::~DirectUsbAccessBase()
{
    stopReader();
}

void DirectUsbAccessBase::stopReader()
{
    std::lock_guard<std::mutex> guard (readerLock);
    readerShouldStop = true;
    stateChanged.notify_all();

    // Reads wait at most readerPollMs before they look at the request.
    if (reader.joinable())
        reader.join();
}

bool DirectUsbAccessBase::send (const SysExCommand& command, int chunkSize, UsbAccessCallback* callback)
{
    juce::MemoryBlock packets;
    const juce::MemoryBlock* bytes = &command.data;

    if (! ReadPipeParser::isBulkId (command.messageId))
    {
        // Everything the program sends carries the 0x40 flag where the
        // message's layout allows it.
        SysExCommand flagged (command);
        flagged.markFlag = true;
        const auto message = flagged.encode();
        packets = pipe.makePackets (message.getData(), message.getSize());
        bytes = &packets;
    }

    const auto* data = static_cast<const uint8_t*> (bytes->getData());
    const int total = (int) bytes->getSize();
    const int piece = chunkSize < 1 ? total : chunkSize;

    for (int written = 0; written < total;)
    {
        const int count = std::min (piece, total - written);

        if (! writeBytes (data + written, count))
            return false;

        written += count;

        if (callback != nullptr)
            callback->transferProgress (*this, command.messageId, (double) written / total, true);
    }

    return true;
}

void DirectUsbAccessBase::listen (int queueLimit)
{
    ReaderMode listening;
    listening.queueLimit = queueLimit;
    startReader (listening);
}

void DirectUsbAccessBase::expectReplies (const std::vector<int>& ids, UsbAccessCallback* callback)
{
    ReaderMode awaiting;
    awaiting.expectation = ReadPipeParser::Expectation::anyOf (ids);
    awaiting.callback = callback;
    startReader (awaiting);
}

void DirectUsbAccessBase::expectReply (int id, int dataSize, UsbAccessCallback* callback)
{
    ReaderMode awaiting;
    awaiting.expectation = ReadPipeParser::Expectation::reply (id, dataSize);
    awaiting.callback = callback;
    startReader (awaiting);
}

void DirectUsbAccessBase::startReader (const ReaderMode& newMode)
{
    stop();

    std::unique_lock<std::mutex> guard (readerLock);
    mode = newMode;
    pipe.start (mode.expectation);

    {
        std::lock_guard<std::mutex> lock (stateLock);
        reply.reset();
        readerEnded = false;
    }

    readerShouldStop = false;
    reader = std::thread ([this]
    {
        juce::Thread::setCurrentThreadName ("USB Direct Access Thread");
        run();
    });
    guard.unlock();

    if (const int pause = getPacing().afterReaderStart; pause > 0)
        juce::Thread::sleep (pause);
}

void DirectUsbAccessBase::stop()
{
    stopReader();

    std::lock_guard<std::mutex> lock (stateLock);
    queue.clear();
}

void DirectUsbAccessBase::setCancelled (bool shouldBeCancelled)
{
    {
        std::lock_guard<std::mutex> lock (stateLock);
        cancelled = shouldBeCancelled;
    }
    stateChanged.notify_all();
}

std::unique_ptr<SysExCommand> DirectUsbAccessBase::waitForMessage()
{
    if (const int pause = getPacing().beforeWait; pause > 0)
        juce::Thread::sleep (pause);

    touch();
    std::unique_lock<std::mutex> lock (stateLock);

    for (;;)
    {
        if (cancelled)
            return nullptr;

        if (mode.expectation.awaitingReply && readerEnded)
            return std::move (reply);

        if (! queue.empty())
        {
            auto message = std::move (queue.front());
            queue.pop_front();
            return message;
        }

        // Every received byte moves the last activity, so the time-out
        // limits silence, not the length of a transfer.
        auto wait = std::chrono::milliseconds (readerPollMs * 10);

        if (const int timeout = timeoutMs; timeout > 0)
        {
            const auto silent = (int) (juce::Time::getMillisecondCounter() - lastActivity.load());

            if (silent >= timeout)
                return nullptr;

            wait = std::chrono::milliseconds (timeout - silent);
        }

        stateChanged.wait_for (lock, wait);
    }
}

bool DirectUsbAccessBase::readBytes (void* bytes, int count)
{
    // Silence for the time-out ends the read, also in the middle.
    const int wait = timeoutMs > 0 ? (int) timeoutMs : readerPollMs;
    return readUnit (bytes, count, UsbDriver::ReadMode::raw, wait, [] { return true; }) == UsbDriver::ReadResult::complete;
}

void DirectUsbAccessBase::run()
{
    while (! readerShouldStop && ! pipe.hasEnded())
    {
        const auto next = pipe.nextRead();
        const auto result = readUnit (next.dest, next.count, next.mode, readerPollMs,
                                      [this] { return readerShouldStop.load(); });

        if (result == UsbDriver::ReadResult::nothing)
            continue;

        if (result == UsbDriver::ReadResult::failed)
        {
            DBG ("ReadFile error: " << (next.mode == UsbDriver::ReadMode::raw ? "bulk" : "packets"));
            pauseReader();   // a vanished device fails at once; do not spin
            continue;
        }

        pipe.take (next);
    }

    {
        std::lock_guard<std::mutex> lock (stateLock);
        readerEnded = true;
    }
    stateChanged.notify_all();
}

void DirectUsbAccessBase::pauseReader()
{
    std::unique_lock<std::mutex> lock (stateLock);
    stateChanged.wait_for (lock, std::chrono::milliseconds (readerPollMs), [this] { return readerShouldStop.load(); });
}

void DirectUsbAccessBase::replyArrived (std::unique_ptr<SysExCommand> command)
{
    std::lock_guard<std::mutex> lock (stateLock);
    reply = std::move (command);
}

void DirectUsbAccessBase::replyProgress (int id, double fraction)
{
    if (mode.callback != nullptr)
        mode.callback->transferProgress (*this, id, fraction, false);
}

void DirectUsbAccessBase::messageArrived (std::unique_ptr<SysExCommand> command, bool limited)
{
    {
        std::lock_guard<std::mutex> lock (stateLock);

        if (limited && (int) queue.size() >= mode.queueLimit)
            return;

        queue.push_back (std::move (command));
    }
    stateChanged.notify_all();
}
