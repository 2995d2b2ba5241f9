#include "device/DeviceTestSupport.h"

#include "device/virtual/ByteQueue.h"

#include <map>
#include <thread>

using namespace DeviceTestSupport;

namespace
{
// A driver whose device objects the test lays out; the read pipe delivers
// what the test pushes, the write pipe records what the access writes.
struct FakeDriver : UsbDriver
{
    struct Device
    {
        int productId = 0x010c;
        bool readPipeOpens = true;
        bool writePipeOpens = true;
        bool denied = false;   // the system refuses this user the pipes
    };

    std::map<int, Device> devices;
    std::vector<int> probed;
    bool lastDenied = false;
    ByteQueue input;
    Bytes written;
    std::mutex writeLock;

    Handle openDeviceObject (int number) override
    {
        probed.push_back (number);
        return devices.count (number) != 0 ? 1000 + number : invalidHandle;
    }
    Handle openReadPipe (int number) override
    {
        lastDenied = devices.count (number) != 0 && devices[number].denied;
        return devices.count (number) != 0 && devices[number].readPipeOpens && ! lastDenied ? 2000 + number : invalidHandle;
    }
    bool lastOpenWasDenied() const override { return lastDenied; }
    Handle openWritePipe (int number) override
    {
        return devices.count (number) != 0 && devices[number].writePipeOpens ? 3000 + number : invalidHandle;
    }
    void closeHandle (Handle) override {}
    uint32_t requestDriverVersion (Handle) override { return 0x01020304; }
    uint32_t requestIdentifier (Handle pipe) override { return 0x12340000u | (uint32_t) devices[pipe - 3000].productId; }
    uint32_t requestStringIndices (Handle) override { return 0x0102; }
    juce::MemoryBlock requestStringDescriptor (Handle, int index) override
    {
        return DeviceDescriptor::makeStringDescriptor (index == 1 ? "Maker" : "Thing");
    }
    ReadResult read (Handle, void* dest, int count, ReadMode, int waitMs, const StopRequest& stopRequested) override
    {
        return input.read (dest, (size_t) count, waitMs, stopRequested);
    }
    bool write (Handle, const void* bytes, int count) override
    {
        std::lock_guard<std::mutex> guard (writeLock);
        auto* p = static_cast<const uint8_t*> (bytes);
        written.insert (written.end(), p, p + count);
        return true;
    }

    void push (const Bytes& bytes) { input.push (bytes.data(), bytes.size()); }
};

struct AccessFixture : ::testing::Test
{
    AccessFixture()
    {
        auto owned = std::make_unique<FakeDriver>();
        driver = owned.get();
        access = std::make_unique<DirectUsbAccess> (std::move (owned));
    }

    FakeDriver* driver;
    std::unique_ptr<DirectUsbAccess> access;
};

struct ProgressLog : UsbAccessCallback
{
    std::vector<double> fractions;
    std::vector<bool> sending;

    void transferProgress (UsbAccess&, int, double fraction, bool isSending) override
    {
        fractions.push_back (fraction);
        sending.push_back (isSending);
    }
};

// F0 42 30 7F, the function byte, F7: a message without fields or data.
Bytes bare (int function) { return { 0xf0, 0x42, 0x30, 0x7f, (uint8_t) function, 0xf7 }; }
}

TEST_F (AccessFixture, OpenReportsWhatItFound)
{
    EXPECT_EQ (access->open(), UsbAccess::deviceNotFound);

    driver->devices[3] = { 0x0100 };
    driver->devices[5] = { 0x0101 };
    EXPECT_EQ (access->open(), UsbAccess::deviceNotFound) << "present, but none is a Plovara";

    driver->devices[7] = { 0x010c, false, true };
    EXPECT_EQ (access->open(), UsbAccess::failedToOpenPipe);

    driver->devices[7].readPipeOpens = true;
    ASSERT_EQ (access->open(), UsbAccess::opened);
    EXPECT_TRUE (access->isOpen());
    EXPECT_TRUE (access->isDeviceConnected());
    EXPECT_EQ (access->open(), UsbAccess::alreadyOpen);
    EXPECT_TRUE (access->isOpen());

    access->close();
    EXPECT_FALSE (access->isOpen());
    EXPECT_FALSE (access->isDeviceConnected());
}

TEST_F (AccessFixture, APlovaraThisUserMayNotOpenIsReportedAsSuch)
{
    driver->devices[2] = { 0x010c, true, true, true };
    driver->devices[4] = { 0x010c, false, true };
    EXPECT_EQ (access->open(), UsbAccess::noPermission) << "ahead of the pipe that is in use";
    EXPECT_FALSE (access->isOpen());

    driver->devices[2].denied = false;
    EXPECT_EQ (access->open(), UsbAccess::opened);
}

TEST_F (AccessFixture, EnumerationSearchesFromTheFirstDeviceFoundWithinAWindow)
{
    driver->devices[100] = {};
    driver->devices[200] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened) << "found at 100 within the first 128 numbers";
    access->close();

    // The window now starts at 100 and reaches 200.
    driver->devices.erase (100);
    driver->probed.clear();
    ASSERT_EQ (access->open(), UsbAccess::opened);
    EXPECT_EQ (driver->probed.front(), 100);
    EXPECT_EQ (*std::max_element (driver->probed.begin(), driver->probed.end()), 227);
    access->close();

    // With nothing found, the next search starts at 0 again.
    driver->devices.clear();
    EXPECT_EQ (access->open(), UsbAccess::deviceNotFound);
    driver->devices[300] = {};
    driver->probed.clear();
    EXPECT_EQ (access->open(), UsbAccess::deviceNotFound);
    EXPECT_EQ (driver->probed.front(), 0);
}

TEST_F (AccessFixture, SendCutsMessagesIntoPacketsWithTheMarkFlag)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);

    SysExCommand headerRequest (SysExCommand::sampleHeaderRequest);
    headerRequest.sampleNumber = 3;
    ASSERT_TRUE (access->send (headerRequest, 0, nullptr));

    // F0 42 30 7F 16 43 F7: sample 3 with the 0x40 flag.
    EXPECT_EQ (driver->written, (Bytes { 0x14, 0xf0, 0x42, 0x30, 0x14, 0x7f, 0x16, 0x43, 0x15, 0xf7, 0x00, 0x00 }));
}

TEST_F (AccessFixture, BulkDataIsWrittenRawInChunksWithProgress)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);

    Bytes pcm (40000);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = (uint8_t) (i * 7);

    ProgressLog log;
    ASSERT_TRUE (access->send (SysExCommand (SysExCommand::sampleData, pcm.data(), pcm.size()), 16384, &log));
    EXPECT_EQ (driver->written, pcm);
    EXPECT_EQ (log.fractions, (std::vector<double> { 16384.0 / 40000, 32768.0 / 40000, 1.0 }));
    EXPECT_EQ (log.sending, (std::vector<bool> { true, true, true }));

    access->close();
    EXPECT_FALSE (access->send (SysExCommand (SysExCommand::sampleData, pcm.data(), 10), 0, nullptr));
}

TEST_F (AccessFixture, AReplyThatCameBeforeTheWaitIsNotLost)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);

    access->expectReply (SysExCommand::effectData, 2, nullptr);
    driver->push (unitsOf ({ 0xf0, 0x42, 0x33, 0x7f, 0x45, 0x03, 0x05, 0x7f, 0xf7 }));

    auto reply = access->waitForMessage();
    ASSERT_NE (reply, nullptr);
    EXPECT_EQ (reply->messageId, SysExCommand::effectData);
    EXPECT_EQ (reply->channel, 3);
    EXPECT_EQ (TestSupport::Bytes ((const uint8_t*) reply->data.getData(), (const uint8_t*) reply->data.getData() + 2),
               (Bytes { 0x85, 0xff }));
}

TEST_F (AccessFixture, UnexpectedMessagesAreQueuedAheadOfTheReply)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);

    access->expectReplies ({ SysExCommand::effectData, SysExCommand::requestFailed }, nullptr);
    driver->push (unitsOf (bare (0x23)));   // 24: not one of the expected ids

    auto first = access->waitForMessage();
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (first->messageId, SysExCommand::writeAccepted);

    driver->push (unitsOf (bare (0x24)));   // 25: expected
    auto second = access->waitForMessage();
    ASSERT_NE (second, nullptr);
    EXPECT_EQ (second->messageId, SysExCommand::requestFailed);
}

TEST_F (AccessFixture, ABulkReplyEndsAfterExactlyItsBytes)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);

    ProgressLog log;
    access->expectReply (SysExCommand::sampleData, 40000, &log);

    Bytes data (40100);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = (uint8_t) (i % 251);

    auto stream = bulkMarker();
    stream.insert (stream.end(), data.begin(), data.end());
    driver->push (stream);

    auto reply = access->waitForMessage();
    ASSERT_NE (reply, nullptr);
    EXPECT_EQ (reply->messageId, SysExCommand::sampleData);
    ASSERT_EQ (reply->data.getSize(), 40000u);
    EXPECT_EQ (std::memcmp (reply->data.getData(), data.data(), 40000), 0);
    EXPECT_EQ (log.fractions, (std::vector<double> { 16384.0 / 40000, 32768.0 / 40000, 1.0 }));
    EXPECT_EQ (log.sending, (std::vector<bool> { false, false, false }));
}

TEST_F (AccessFixture, SilenceEndsTheWaitButSteadyBytesDoNot)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);

    access->setTimeout (50);
    access->expectReply (SysExCommand::globalData, 16, nullptr);
    EXPECT_EQ (access->waitForMessage(), nullptr);

    // Ten pieces of one read each, each well within the time-out of the one
    // before, take longer in all than the time-out.
    access->setTimeout (400);
    access->expectReply (SysExCommand::sampleData, 10 * 16384, nullptr);
    driver->push (bulkMarker());
    std::thread feeder ([this]
    {
        for (int piece = 0; piece < 10; ++piece)
        {
            juce::Thread::sleep (60);
            driver->push (Bytes (16384, (uint8_t) piece));
        }
    });

    auto reply = access->waitForMessage();
    feeder.join();
    ASSERT_NE (reply, nullptr);
    EXPECT_EQ (reply->data.getSize(), 10u * 16384);
}

TEST_F (AccessFixture, StopEndsAWaitingReaderAndCancellingEndsWaitsAtOnce)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);
    access->setTimeout (0);   // no time-out at all

    access->expectReply (SysExCommand::globalData, 16, nullptr);
    std::thread canceller ([this] { access->setCancelled (true); });
    EXPECT_EQ (access->waitForMessage(), nullptr);
    canceller.join();
    EXPECT_FALSE (access->send (SysExCommand (SysExCommand::globalDataRequest), 0, nullptr));

    access->stop();
    access->setCancelled (false);
    EXPECT_TRUE (access->send (SysExCommand (SysExCommand::globalDataRequest), 0, nullptr));
}

TEST_F (AccessFixture, ListeningKeepsUnsolicitedMessagesUpToTheLimit)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);
    access->setTimeout (2000);

    access->listen (3);
    Bytes stream = unitsOf (bare (0x23));
    for (int function : { 0x24, 0x29 })
    {
        auto unit = unitsOf (bare (function));
        stream.insert (stream.end(), unit.begin(), unit.end());
    }
    driver->push (stream);

    for (int expected : { SysExCommand::writeAccepted, SysExCommand::requestFailed, SysExCommand::deviceNotReady })
    {
        auto message = access->waitForMessage();
        ASSERT_NE (message, nullptr);
        EXPECT_EQ (message->messageId, expected);
    }
}

TEST_F (AccessFixture, ABulkMarkerDoesNotEndListening)
{
    driver->devices[0] = {};
    ASSERT_EQ (access->open(), UsbAccess::opened);
    access->setTimeout (2000);

    access->listen (3);
    auto stream = bulkMarker();
    auto status = unitsOf (bare (0x23));
    stream.insert (stream.end(), status.begin(), status.end());
    driver->push (stream);

    auto message = access->waitForMessage();
    ASSERT_NE (message, nullptr);
    EXPECT_EQ (message->messageId, SysExCommand::writeAccepted);
}
