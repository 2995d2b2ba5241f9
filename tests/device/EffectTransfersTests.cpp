#include "device/ItemSessionTestSupport.h"

#include "device/EffectTransfers.h"

using namespace ItemSessionTestSupport;

namespace
{
struct EffectTransfers : ItemSessionFixture
{
    static EffectData::Image countingImage()
    {
        EffectData::Image image {};
        for (size_t i = 0; i < image.size(); ++i)
            image[i] = (uint8_t) (i + 1);
        return image;
    }

    static Bytes bytesOf (const EffectData::Image& image) { return Bytes (image.begin(), image.end()); }
};

const Bytes effectRequest { 0xf0, 0x42, 0x30, 0x7f, 0x15, 0xf7 };
}

TEST_F (EffectTransfers, ReceivingKeepsTheDevicesEffectWithoutAHistory)
{
    changeBank ([] (auto& bank) { bank.effect = countingImage(); });

    EffectReceive session;
    ASSERT_EQ (runSession (session), "");
    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 2u);
    EXPECT_EQ (wire[1].bytes, effectRequest);
    EXPECT_EQ (bytesOf (session.getReceivedEffect().getImage()), bytesOf (countingImage()));
    EXPECT_EQ (session.getProgress(), 1.0);
}

TEST_F (EffectTransfers, AShortEffectGoesOverAResetImageInOneUndoStep)
{
    changeBank ([] (auto& bank) { bank.effect = countingImage(); });
    access.cutRepliesOf = Id::effectData;
    access.cutRepliesTo = 30;
    ItemSession::setUndoManager (&history);
    const auto before = bank().getEffect().getImage();

    EffectReceive session;
    ASSERT_EQ (runSession (session), "");

    EffectData reset;
    auto expected = bytesOf (reset.getImage());
    for (size_t i = 0; i < 30; ++i)
        expected[i] = (uint8_t) (i + 1);
    EXPECT_EQ (bytesOf (bank().getEffect().getImage()), expected);
    EXPECT_EQ (history.getUndoDescription(), "ReceiveEffect");
    deliverMessages();
    EXPECT_GE (dataChanged.count, 1);

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (bank().getEffect().getImage(), before);
}

TEST_F (EffectTransfers, ReceiveFailuresLeaveTheEffectAlone)
{
    ItemSession::setUndoManager (&history);
    const auto before = bank().getEffect().getImage();
    auto receive = [&] { EffectReceive s; return runSession (s); };

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (receive(), "Error_UsbFailedToReceiveEffectData");
    setFaults ([] (auto& f) { f.notReady = false; f.foreignFamily = true; });
    EXPECT_EQ (receive(), "Error_UsbTargetDeviceIsNotPlovara");
    setFaults ([] (auto& f) { f.foreignFamily = false; });

    access.failSendOf = Id::effectRequest;
    EXPECT_EQ (receive(), "Error_UsbFailedToSendEffectDataRequest");
    access.failSendOf = Id::none;

    access.onSend = [this] (int id)
    {
        if (id == Id::effectRequest)
            setFaults ([] (auto& f) { f.dropReplies = 1; });
    };
    EXPECT_EQ (receive(), "Error_UsbTimeout");

    EXPECT_EQ (bank().getEffect().getImage(), before);
    EXPECT_FALSE (history.canUndo());
}

TEST_F (EffectTransfers, WritingSendsThePackedImage)
{
    EffectData effect;
    EffectData::Image image {};
    const uint8_t reverb[] = { 6, 0, 2, 0, 10, 1, 19, 39, 10, 20, 0, 63 };
    std::copy (std::begin (reverb), std::end (reverb), image.begin());
    image[35] = 0x90;
    effect.setImage (image);

    EffectWrite session (effect);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 2u);
    const auto expected = TestSupport::ByteBuilder()
                              .add ({ 0xf0, 0x42, 0x30, 0x7f, 0x45 })
                              .add ({ 0x00, 6, 0, 2, 0, 10, 1, 19 })
                              .add ({ 0x00, 39, 10, 20, 0, 63, 0, 0 })
                              .fill (0, 24)
                              .add ({ 0x01, 0x10, 0xf7 })
                              .bytes;
    EXPECT_EQ (wire[1].bytes, expected);
    EXPECT_EQ (device->getBank (0).effect, image);
    EXPECT_EQ (session.getProgress(), 1.0);
}

TEST_F (EffectTransfers, WriteFailuresCarryTheirKeys)
{
    EffectData effect;
    auto write = [&] { EffectWrite s (effect); return runSession (s); };

    device->setMemoryProtect (true);
    EXPECT_EQ (write(), "Error_UsbFailedToReceiveEffectDataReply");
    device->setMemoryProtect (false);

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (write(), "Error_UsbFailedToReceiveEffectDataReply");
    setFaults ([] (auto& f) { f.notReady = false; });

    access.failSendOf = Id::effectData;
    EXPECT_EQ (write(), "Error_UsbFailedToSendEffectData");
}
