#include "device/ItemSessionTestSupport.h"

#include "device/GlobalTransfers.h"

using namespace ItemSessionTestSupport;

namespace
{
struct GlobalTransfers : ItemSessionFixture
{
    static VirtualPlovara::GlobalImage countingImage()
    {
        return { 1, 2, 3, 4, 5, 6, 0x87, 8, 9, 10, 11, 12, 13, 14, 15, 0xff };
    }

    static Bytes bytesOf (const GlobalData::Image& image) { return Bytes (image.begin(), image.end()); }
};
}

TEST_F (GlobalTransfers, ReceivingFillsTheTargetWithTheDevicesImage)
{
    device->setGlobalData (countingImage());
    GlobalData target;

    GlobalReceive session (target);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 2u);
    EXPECT_EQ (wire[0].bytes, inquiry());
    // Byte 1 of the image sets the device to MIDI channel 3.
    EXPECT_EQ (wire[1].bytes, (Bytes { 0xf0, 0x42, 0x32, 0x7f, 0x0e, 0xf7 }));
    EXPECT_EQ (bytesOf (target.getImage()), (Bytes { 1, 2, 3, 4, 5, 6, 0x87, 8, 9, 10, 11, 12, 13, 14, 15, 0xff }));

    deliverMessages();
    EXPECT_EQ (dataChanged.count, 1);
}

TEST_F (GlobalTransfers, AShortReplyKeepsTheDefaultImageBeyondIt)
{
    device->setGlobalData (countingImage());
    access.cutRepliesOf = Id::globalData;
    access.cutRepliesTo = 10;
    GlobalData target;
    target.setField (GlobalData::metronome, 4);

    GlobalReceive session (target);
    ASSERT_EQ (runSession (session), "");

    auto expected = bytesOf (GlobalData::defaultImage);
    for (int i = 0; i < 10; ++i)
        expected[(size_t) i] = countingImage()[(size_t) i];
    EXPECT_EQ (bytesOf (target.getImage()), expected);
}

TEST_F (GlobalTransfers, ReceiveFailuresLeaveTheTargetAlone)
{
    GlobalData target;
    target.setField (GlobalData::metronome, 4);
    const auto before = target.getImage();
    auto receive = [&] { GlobalReceive s (target); return runSession (s); };

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (receive(), "Error_UsbFailedToReceiveGlobalData");
    setFaults ([] (auto& f) { f.notReady = false; f.foreignFamily = true; });
    EXPECT_EQ (receive(), "Error_UsbTargetDeviceIsNotPlovara");
    setFaults ([] (auto& f) { f.foreignFamily = false; });

    access.onSend = [this] (int id)
    {
        if (id == Id::globalDataRequest)
            setFaults ([] (auto& f) { f.garbleReplies = 1; });
    };
    EXPECT_EQ (receive(), "Error_UsbTimeout");
    access.onSend = nullptr;

    access.failSendOf = Id::globalDataRequest;
    EXPECT_EQ (receive(), "Error_UsbFailedToSendGlobalDataRequest");
    EXPECT_EQ (target.getImage(), before);
}

TEST_F (GlobalTransfers, WritingSendsThePackedImage)
{
    GlobalData global;
    const auto image = countingImage();
    global.setImage (image.data(), image.size());

    GlobalWrite session (global);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 2u);
    EXPECT_EQ (wire[1].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x51,
                                       0x40, 1, 2, 3, 4, 5, 6, 7,
                                       0x00, 8, 9, 10, 11, 12, 13, 14,
                                       0x02, 15, 0x7f,
                                       0xf7 }));
    EXPECT_EQ (device->getGlobalData(), image);
    EXPECT_EQ (session.getProgress(), 1.0);

    setFaults ([] (auto& f) { f.alternativeSuccessCodes = true; });
    GlobalWrite answeredWith22 (global);
    EXPECT_EQ (runSession (answeredWith22), "");
}

TEST_F (GlobalTransfers, WriteFailuresCarryTheirKeys)
{
    GlobalData global;
    auto write = [&] { GlobalWrite s (global); return runSession (s); };

    device->setMemoryProtect (true);
    EXPECT_EQ (write(), "Error_UsbFailedToReceiveGlobalDataReply");
    device->setMemoryProtect (false);

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (write(), "Error_UsbFailedToReceiveGlobalDataReply");
    setFaults ([] (auto& f) { f.notReady = false; });

    access.failSendOf = Id::globalData;
    EXPECT_EQ (write(), "Error_UsbFailedToSendGlobalData");
}
