#include "device/DeviceTestSupport.h"

#include "device/SocketUsbDriver.h"
#include "device/UnixSocket.h"
#include "device/virtual/VirtualDeviceServer.h"

using namespace DeviceTestSupport;
using Id = SysExCommand::MessageId;

namespace
{
struct SocketFixture : ::testing::Test
{
    SocketFixture()
    {
        EXPECT_TRUE (server.start());
        access.setTimeout (2000);
    }

    TestSupport::TemporaryFolder temp;
    juce::String path = temp.folder.getChildFile ("plovara.sock").getFullPathName();
    std::shared_ptr<VirtualPlovara> device = std::make_shared<VirtualPlovara>();
    VirtualDeviceServer server { device, path };
    DirectUsbAccess access { std::make_unique<SocketUsbDriver> (path) };
};
}

TEST_F (SocketFixture, TheDeviceIntroducesItselfAndAnswers)
{
    auto raw = UnixSocket::connectTo (path);
    ASSERT_NE (raw, nullptr);
    uint8_t descriptor[64];
    ASSERT_EQ (raw->readExactly (descriptor, 64, 2000, [] { return true; }), UsbDriver::ReadResult::complete);
    EXPECT_EQ (Bytes (descriptor, descriptor + 8), (Bytes { 'P', 'L', 'V', 'D', 0x56, 0x50, 0x0c, 0x01 }));

    // The stream carries the pipes' bytes: the inquiry in packets, the reply
    // in one whole unit.
    const Bytes inquiry { 0x14, 0xf0, 0x7e, 0x7f, 0x17, 0x06, 0x01, 0xf7 };
    ASSERT_TRUE (raw->writeAll (inquiry.data(), inquiry.size(), 2000));
    uint8_t unit[64];
    ASSERT_EQ (raw->readExactly (unit, 64, 2000, [] { return true; }), UsbDriver::ReadResult::complete);
    EXPECT_EQ (Bytes (unit, unit + 4), (Bytes { 0x14, 0xf0, 0x7e, 0x00 }));
    raw.reset();

    ASSERT_EQ (access.open(), UsbAccess::opened);
    EXPECT_TRUE (access.isDeviceConnected());
    access.expectReply (Id::deviceInquiryReply, 0, nullptr);
    ASSERT_TRUE (access.send (SysExCommand (Id::deviceInquiryRequest), 0, nullptr));
    auto reply = access.waitForMessage();
    ASSERT_NE (reply, nullptr);
    EXPECT_EQ (reply->word1, 0x7f);
}

TEST_F (SocketFixture, BulkDataTravelsBothWays)
{
    ASSERT_EQ (access.open(), UsbAccess::opened);

    Bytes pcm (300000);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = (uint8_t) (i * 31 + (i >> 9));

    SysExCommand header (Id::sampleHeader);
    header.sampleNumber = 9;
    header.data = juce::MemoryBlock (TestSupport::ByteBuilder().le32 (300000).le16 (1200).add ({ 0x01, 0xff }).bytes.data(), 8);
    access.expectReplies ({ 24, 27, 28, 29 }, nullptr);
    ASSERT_TRUE (access.send (header, 0, nullptr));
    ASSERT_EQ (access.waitForMessage()->messageId, Id::announcementAccepted);

    access.expectReplies ({ 22, 23, 24, 25 }, nullptr);
    ASSERT_TRUE (access.send (SysExCommand (Id::sampleData, pcm.data(), pcm.size()), 16384, nullptr));
    ASSERT_EQ (access.waitForMessage()->messageId, Id::writeAccepted);

    SysExCommand headerRequest (Id::sampleHeaderRequest);
    headerRequest.sampleNumber = 9;
    access.expectReplies ({ Id::sampleHeader }, nullptr);
    ASSERT_TRUE (access.send (headerRequest, 0, nullptr));
    ASSERT_NE (access.waitForMessage(), nullptr);

    access.expectReply (Id::sampleData, 300000, nullptr);
    ASSERT_TRUE (access.send (SysExCommand (Id::sampleDataRequest), 0, nullptr));
    auto data = access.waitForMessage();
    ASSERT_NE (data, nullptr);
    ASSERT_EQ (data->data.getSize(), pcm.size());
    EXPECT_EQ (std::memcmp (data->data.getData(), pcm.data(), pcm.size()), 0);
}

TEST_F (SocketFixture, AClosedConnectionIsAnUnpluggedDevice)
{
    ASSERT_EQ (access.open(), UsbAccess::opened);
    access.setTimeout (200);

    access.expectReply (Id::globalData, 16, nullptr);
    server.disconnectClient();
    ASSERT_TRUE (access.send (SysExCommand (Id::globalDataRequest), 0, nullptr) || true);
    EXPECT_EQ (access.waitForMessage(), nullptr);
    EXPECT_FALSE (access.isDeviceConnected());

    // Served again, the device can be opened anew.
    access.close();
    EXPECT_EQ (access.open(), UsbAccess::opened);
    EXPECT_TRUE (access.isDeviceConnected());

    server.stop();
    access.close();
    EXPECT_EQ (access.open(), UsbAccess::deviceNotFound);
}
