#include "device/ItemSessionTestSupport.h"

#include "device/SequenceTransfers.h"

using namespace ItemSessionTestSupport;

namespace
{
using SequenceTransfers = ItemSessionFixture;

Bytes bytesOf (const juce::MemoryBlock& block)
{
    const auto* p = static_cast<const uint8_t*> (block.getData());
    return Bytes (p, p + block.getSize());
}

const Bytes tenBytes { 'S', 'E', 'Q', 'P', 0, 0, 0, 10, 0x80, 0xff };
}

TEST_F (SequenceTransfers, ReceivingTakesThePatternAsTheDeviceHasIt)
{
    changeBank ([] (auto& bank) { bank.patterns[2].replaceAll (tenBytes.data(), tenBytes.size()); });
    SequenceData target;

    SequenceReceive session (target, 2);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 3u);
    EXPECT_EQ (wire[0].bytes, inquiry());
    EXPECT_EQ (wire[1].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x13, 0x42, 0xf7 }));
    EXPECT_EQ (wire[2].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x1d, 0xf7 }));
    EXPECT_EQ (bytesOf (target.getBlock()), tenBytes);
    EXPECT_EQ (session.getProgress(), 1.0);

    deliverMessages();
    EXPECT_EQ (dataChanged.count, 1);
}

TEST_F (SequenceTransfers, AnEmptyPatternArrivesAsTheInitialPattern)
{
    changeBank ([] (auto& bank) { bank.patterns[4].reset(); });
    SequenceData target;
    target.setBlock (tenBytes.data(), tenBytes.size());

    SequenceReceive session (target, 4);
    ASSERT_EQ (runSession (session), "");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::patternInfoRequest }));
    EXPECT_EQ (target.getBlock(), SequenceData::createInitialPattern());
}

TEST_F (SequenceTransfers, ReceiveFailuresCarryTheirKeys)
{
    changeBank ([] (auto& bank) { bank.patterns[2].replaceAll (tenBytes.data(), tenBytes.size()); });
    SequenceData target;
    target.setBlock (tenBytes.data(), 4);

    auto receive = [&] { SequenceReceive s (target, 2); return runSession (s); };

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (receive(), "Error_UsbNotReadyToReceiveSeqInfo");
    EXPECT_EQ (target.getSize(), 4) << "nothing arrived, nothing reset";
    setFaults ([] (auto& f) { f.notReady = false; f.foreignFamily = true; });
    EXPECT_EQ (receive(), "Error_UsbTargetDeviceIsNotPlovara");
    setFaults ([] (auto& f) { f.foreignFamily = false; f.dropReplies = 1; });
    EXPECT_EQ (receive(), "Error_UsbTimeout");

    access.failSendOf = Id::patternInfoRequest;
    EXPECT_EQ (receive(), "Error_UsbFailedToSendSeqInfoRequest");
    access.failSendOf = Id::patternDataRequest;
    EXPECT_EQ (receive(), "Error_UsbFailedToSendSeqDataRequest");
    access.failSendOf = Id::none;

    // A data reply shorter than announced: nothing of it is taken.
    access.cutRepliesOf = Id::patternData;
    access.cutRepliesTo = 9;
    EXPECT_EQ (receive(), "Error_UsbFailedToReceiveSeqData");
    EXPECT_EQ (target.getBlock(), SequenceData::createInitialPattern()) << "reset once the information came";
    access.cutRepliesTo = 0;
    EXPECT_EQ (receive(), "Error_UsbFailedToReceiveSeqData");
    access.cutRepliesOf = Id::none;

    access.onSend = [this] (int id)
    {
        if (id == Id::patternDataRequest)
            setFaults ([] (auto& f) { f.unplugAfterBytes = 64 + 3; });
    };
    EXPECT_EQ (receive(), "Error_UsbTimeout");
}

//==============================================================================
TEST_F (SequenceTransfers, WritingSendsSizeThenTheRawBlock)
{
    SequenceData pattern;
    pattern.setBlock (tenBytes.data(), tenBytes.size());

    SequenceWrite session (pattern, 5);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 3u);
    EXPECT_EQ (wire[1].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x43, 0x45, 0x00, 0x00, 0x0a, 0xf7 }));
    EXPECT_EQ (wire[2].id, Id::patternData);
    EXPECT_EQ (wire[2].bytes, tenBytes);
    EXPECT_EQ (bytesOf (device->getBank (0).patterns[5]), tenBytes);
    EXPECT_EQ (session.getProgress(), 1.0);

    // 1308 bytes: bits 7 to 13 are 10, bits 0 to 6 are 0x1C.
    SequenceData initial;
    SequenceWrite initialWrite (initial, 15);
    ASSERT_EQ (runSession (initialWrite), "");
    EXPECT_EQ (access.takeWire()[1].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x43, 0x4f, 0x00, 0x0a, 0x1c, 0xf7 }));
    EXPECT_EQ (access.chunkSizes.back(), 16384);
}

TEST_F (SequenceTransfers, AnEmptyPatternIsWrittenWithItsDataStep)
{
    SequenceData empty;
    empty.setSize (0);

    SequenceWrite session (empty, 0);
    ASSERT_EQ (runSession (session), "");
    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 3u);
    EXPECT_EQ (wire[1].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x43, 0x40, 0x00, 0x00, 0x00, 0xf7 }));
    EXPECT_EQ (wire[2].bytes, Bytes());
    EXPECT_EQ (device->getBank (0).patterns[0].getSize(), 0u);
}

TEST_F (SequenceTransfers, WriteFailuresCarryTheirKeys)
{
    SequenceData pattern;
    auto write = [&] { SequenceWrite s (pattern, 3); return runSession (s); };

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (write(), "Error_UsbNotReadyToSendSeqInfo");
    setFaults ([] (auto& f) { f.notReady = false; f.memoryFull = true; });
    EXPECT_EQ (write(), "Error_UsbNotReadyToSendSeqInfo");
    setFaults ([] (auto& f) { f.memoryFull = false; });

    device->setMemoryProtect (true);
    EXPECT_EQ (write(), "Error_UsbNotReadyToSendSeqInfo");
    device->setMemoryProtect (false);

    access.onSend = [this] (int id)
    {
        if (id == Id::patternData)
            setFaults ([] (auto& f) { f.dropReplies = 1; });
    };
    EXPECT_EQ (write(), "Error_UsbTimeout");
    access.onSend = nullptr;

    access.failSendOf = Id::patternInfo;
    EXPECT_EQ (write(), "Error_UsbFailedToSendSeqInfo");
    access.failSendOf = Id::patternData;
    EXPECT_EQ (write(), "Error_UsbFailedToSendSeqData");
}
