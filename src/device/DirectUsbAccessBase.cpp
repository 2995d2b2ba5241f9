#include "device/DirectUsbAccessBase.h"

#include "device/SevenBitPacking.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr int markerLength = 3;
constexpr int partialProgressStep = 1024;

bool isBulkId (int id)
{
    return id == SysExCommand::patternData || id == SysExCommand::sampleData;
}
}

bool DirectUsbAccessBase::isBulkMarker (const uint8_t* unit)
{
    for (int i = 0; i < unitSize; ++i)
        if (unit[i] != (i < markerLength ? 0xff : 0x00))
            return false;

    return true;
}

juce::MemoryBlock DirectUsbAccessBase::makeBulkMarker()
{
    juce::MemoryBlock marker ((size_t) unitSize, true);
    std::memset (marker.getData(), 0xff, markerLength);
    return marker;
}

int DirectUsbAccessBase::expectedMessageSize (int id, int dataSize)
{
    if (id == SysExCommand::deviceInquiryRequest)
        return 6;
    if (id == SysExCommand::deviceInquiryReply)
        return 15;
    if (isBulkId (id))
        return std::max (dataSize, 0);
    if (id < 0 || id >= SysExCommand::numMessageIds)
        return 0;

    // F0, manufacturer, channel, product, function, the header fields, the
    // packed data and F7.
    const auto& layout = SysExCommand::getLayout (id);
    int size = 6 + (layout.bank ? 1 : 0) + (layout.sample ? 1 : 0) + (layout.pattern ? 1 : 0)
             + (layout.words ? 6 : 0) + (layout.option ? 1 : 0) + (layout.size ? 3 : 0);

    if (dataSize > 0)
        size += (int) SevenBitPacking::packedSize ((size_t) dataSize);

    return size;
}

DirectUsbAccessBase::DirectUsbAccessBase()
    : interpreter (*this, 1, true)
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

    if (! isBulkId (command.messageId))
    {
        // Everything the program sends carries the 0x40 flag where the
        // message's layout allows it.
        SysExCommand flagged (command);
        flagged.markFlag = true;
        const auto message = flagged.encode();
        packets = interpreter.makePackets (message.getData(), message.getSize());
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
    startReader (listening, false);
}

void DirectUsbAccessBase::expectReplies (const std::vector<int>& ids, UsbAccessCallback* callback)
{
    ReaderMode awaiting;
    awaiting.awaitingReply = true;
    awaiting.expectedIds = ids;
    awaiting.callback = callback;
    startReader (awaiting, false);
}

void DirectUsbAccessBase::expectReply (int id, int dataSize, UsbAccessCallback* callback)
{
    ReaderMode awaiting;
    awaiting.awaitingReply = true;
    awaiting.expectedIds = { id };
    awaiting.expectedSize = expectedMessageSize (id, dataSize);
    awaiting.callback = callback;
    startReader (awaiting, true);
}

void DirectUsbAccessBase::startReader (const ReaderMode& newMode, bool keepMatchedId)
{
    stop();

    std::unique_lock<std::mutex> guard (readerLock);
    mode = newMode;
    replyMatched = false;
    if (! keepMatchedId)
        matchedId = -1;
    progressMark = 0;
    bulkBuffer.reset();
    bulkFill = 0;

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

        if (mode.awaitingReply && readerEnded)
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
    uint8_t unit[unitSize];
    bool bulkMode = false;

    while (! readerShouldStop)
    {
        const int remaining = bulkMode ? (int) bulkBuffer.getSize() - bulkFill : unitSize;

        if (remaining <= 0)
        {
            finishBulk();
            break;
        }

        // Bulk bytes go straight into the bulk buffer, in pieces.
        auto* dest = bulkMode ? static_cast<uint8_t*> (bulkBuffer.getData()) + bulkFill : unit;
        const int count = std::min (bulkBufferSize, remaining);
        const auto readMode = bulkMode ? UsbDriver::ReadMode::raw : UsbDriver::ReadMode::packets;
        const auto result = readUnit (dest, count, readMode, readerPollMs, [this] { return readerShouldStop.load(); });

        if (result == UsbDriver::ReadResult::nothing)
            continue;

        if (result == UsbDriver::ReadResult::failed)
        {
            DBG ("ReadFile error: " << (bulkMode ? "bulk" : "packets"));
            pauseReader();   // a vanished device fails at once; do not spin
            continue;
        }

        if (bulkMode)
        {
            advanceBulk (count);
        }
        else if (isBulkMarker (unit) && mode.awaitingReply)
        {
            // Listening, a marker would end the reader with a reply nobody
            // waits for; it is read as the packets it is.
            bulkMode = true;
            bulkBuffer.setSize ((size_t) std::max (mode.expectedSize, 0));
            bulkFill = 0;
            touch();
        }
        else
        {
            interpreter.processPackets (unit, (size_t) unitSize);
        }
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

int DirectUsbAccessBase::bulkReplyId() const
{
    return mode.expectedIds.empty() ? 0 : mode.expectedIds.front();
}

void DirectUsbAccessBase::advanceBulk (int count)
{
    touch();
    const int before = bulkFill;
    bulkFill += count;

    // Progress once per 16384 bytes; the end is reported by finishBulk.
    if (bulkFill < (int) bulkBuffer.getSize() && bulkFill / bulkBufferSize > before / bulkBufferSize)
    {
        progressMark = bulkFill;
        reportProgress (bulkReplyId(), (double) bulkFill / (double) bulkBuffer.getSize());
    }
}

void DirectUsbAccessBase::finishBulk()
{
    auto command = std::make_unique<SysExCommand> (bulkReplyId());
    command->data.swapWith (bulkBuffer);
    bulkBuffer.reset();
    finishReply (std::move (command));
    reportProgress (bulkReplyId(), 1.0);
}

void DirectUsbAccessBase::finishReply (std::unique_ptr<SysExCommand> command)
{
    std::lock_guard<std::mutex> lock (stateLock);
    reply = std::move (command);
}

void DirectUsbAccessBase::reportProgress (int id, double fraction)
{
    if (mode.callback != nullptr)
        mode.callback->transferProgress (*this, id, fraction, false);
}

bool DirectUsbAccessBase::isExpected (int id) const
{
    return std::find (mode.expectedIds.begin(), mode.expectedIds.end(), id) != mode.expectedIds.end();
}

void DirectUsbAccessBase::handleSysExData (const uint8_t* data, int length, bool complete, int)
{
    touch();

    if (! mode.awaitingReply)
    {
        if (complete)
            enqueue (data, length, true);
        return;
    }

    if (! replyMatched)
    {
        const int id = SysExCommand::identify (data, (size_t) length);

        if (id == SysExCommand::none || ! isExpected (id))
        {
            if (complete)
                enqueue (data, length, false);
            return;
        }

        replyMatched = true;
        matchedId = id;

        // A size already known from expectReply is the better divisor.
        if (mode.expectedSize <= 0)
            mode.expectedSize = expectedMessageSize (id, 0);
    }

    if (complete)
    {
        auto command = std::make_unique<SysExCommand>();
        finishReply (command->decode (data, (size_t) length) ? std::move (command) : nullptr);
        reportProgress (matchedId, 1.0);
        readerShouldStop = true;
        return;
    }

    if (mode.expectedSize > 0 && length / partialProgressStep > progressMark / partialProgressStep)
    {
        progressMark = length;
        reportProgress (matchedId, (double) length / mode.expectedSize);
    }
}

void DirectUsbAccessBase::enqueue (const uint8_t* data, int length, bool limited)
{
    auto command = std::make_unique<SysExCommand>();

    if (! command->decode (data, (size_t) length))
        return;

    {
        std::lock_guard<std::mutex> lock (stateLock);

        if (limited && (int) queue.size() >= mode.queueLimit)
            return;

        queue.push_back (std::move (command));
    }
    stateChanged.notify_all();
}
