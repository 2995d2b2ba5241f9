#include "device/ItemSessionTestSupport.h"

#include "device/SampleTransfers.h"
#include "device/UsbSessionManager.h"

#include <atomic>
#include <thread>

using namespace ItemSessionTestSupport;

namespace
{
// Mono, 48 kHz, original BPM 120.0, n PCM bytes.
Bytes monoHeader (int n)
{
    return TestSupport::ByteBuilder().le32 (n).le16 (1200).add ({ 0x00, 0xff }).bytes;
}

struct SampleTransfers : ItemSessionFixture
{
    TestSupport::ScopedBufferIds bufferIds;

    // Sample 3 of the device's bank 0: three mono frames 1, 32767, -32768.
    void putSampleThree()
    {
        changeBank ([] (auto& bank)
        {
            auto& sample = bank.samples[3];
            const auto header = monoHeader (6);
            std::copy (header.begin(), header.end(), sample.header.begin());
            const uint8_t pcm[] = { 0x00, 0x01, 0x7f, 0xff, 0x80, 0x00 };
            sample.pcm.replaceAll (pcm, sizeof (pcm));
        });
    }

    // Two mono frames 0x1234 and -2, named "KICK", loop on.
    static void makeTwoFrames (SampleData& sample)
    {
        const auto header = monoHeader (4);
        const uint8_t pcm[] = { 0x12, 0x34, 0xff, 0xfe };
        sample.decodeHeaderAndPcm (header.data(), pcm, sizeof (pcm), true);
        sample.setName ("KICK");
        sample.setParameter (SampleData::loop, 1);
    }

    static Bytes bytesOf (const juce::MemoryBlock& block)
    {
        const auto* p = static_cast<const uint8_t*> (block.getData());
        return Bytes (p, p + block.getSize());
    }
};

const Bytes headerRequestOfThree { 0xf0, 0x42, 0x30, 0x7f, 0x16, 0x43, 0xf7 };
const Bytes dataRequest { 0xf0, 0x42, 0x30, 0x7f, 0x1f, 0xf7 };
}

TEST_F (SampleTransfers, InternalReceiveTakesHeaderAndAudioIntoTheTarget)
{
    putSampleThree();
    SampleData target;
    target.setParameter (SampleData::level, 3);

    SampleReceiveInternal session (target, 3);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 3u);
    EXPECT_EQ (wire[0].bytes, inquiry());
    EXPECT_EQ (wire[1].bytes, headerRequestOfThree);
    EXPECT_EQ (wire[2].bytes, dataRequest);

    ASSERT_EQ (target.getNumChannels(), 1);
    ASSERT_EQ (target.getNumFrames(), 3);
    EXPECT_EQ (target.getAudio().getSample (0, 0), 1.0f / 32768.0f);
    EXPECT_EQ (target.getAudio().getSample (0, 1), 32767.0f / 32768.0f);
    EXPECT_EQ (target.getAudio().getSample (0, 2), -1.0f);
    EXPECT_EQ (target.getParameter (SampleData::level), SampleData::getParameterDefault (SampleData::level))
        << "the parameters come with the bank image, not from the old target";
    EXPECT_LE (target.getParameter (SampleData::end), 1) << "start and end fit the new audio";
    EXPECT_EQ (session.getProgress(), 1.0);

    deliverMessages();
    EXPECT_EQ (dataChanged.count, 0) << "the bank transfer announces the whole bank";
}

TEST_F (SampleTransfers, AnEmptySampleIsReceivedWithoutADataRequest)
{
    SampleData target;
    makeTwoFrames (target);

    SampleReceiveInternal session (target, 0);
    ASSERT_EQ (runSession (session), "");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::sampleHeaderRequest }));
    EXPECT_EQ (target.getNumFrames(), 0);
    EXPECT_EQ (target.getName(), SampleData::defaultName);
}

TEST_F (SampleTransfers, MessagesGoOnTheChannelTheDeviceAnsweredOn)
{
    putSampleThree();
    auto global = device->getGlobalData();
    global[1] = (uint8_t) ((global[1] & 0xf0) | 5);
    device->setGlobalData (global);

    SampleData target;
    SampleReceiveInternal session (target, 3);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 3u);
    EXPECT_EQ (wire[1].bytes, (Bytes { 0xf0, 0x42, 0x35, 0x7f, 0x16, 0x43, 0xf7 }));
    EXPECT_EQ (wire[2].bytes, (Bytes { 0xf0, 0x42, 0x35, 0x7f, 0x1f, 0xf7 }));
    EXPECT_EQ (target.getNumFrames(), 3);
}

TEST_F (SampleTransfers, ReceiveFailuresCarryTheirKeys)
{
    putSampleThree();
    SampleData target;
    target.setName ("KEEP");

    setFaults ([] (auto& f) { f.foreignFamily = true; });
    SampleReceiveInternal foreign (target, 3);
    EXPECT_EQ (runSession (foreign), "Error_UsbTargetDeviceIsNotPlovara");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest })) << "nothing after the inquiry";
    EXPECT_EQ (target.getName(), "KEEP");
    setFaults ([] (auto& f) { f.foreignFamily = false; });

    setFaults ([] (auto& f) { f.notReady = true; });
    SampleReceiveInternal notReady (target, 3);
    EXPECT_EQ (runSession (notReady), "Error_UsbNotReadyToReceiveSample");
    EXPECT_EQ (target.getName(), "KEEP") << "nothing arrived, nothing reset";
    setFaults ([] (auto& f) { f.notReady = false; });

    setFaults ([] (auto& f) { f.dropReplies = 1; });
    SampleReceiveInternal silent (target, 3);
    EXPECT_EQ (runSession (silent), "Error_UsbTimeout");

    setFaults ([] (auto& f) { f.garbleReplies = 1; });
    SampleReceiveInternal garbled (target, 3);
    EXPECT_EQ (runSession (garbled), "Error_UsbTimeout") << "a damaged reply counts as none";

    access.failSendOf = Id::sampleHeaderRequest;
    SampleReceiveInternal unsent (target, 3);
    EXPECT_EQ (runSession (unsent), "Error_UsbFailedToSendSampleHeaderRequest");
    access.failSendOf = Id::sampleDataRequest;
    SampleReceiveInternal unsentData (target, 3);
    EXPECT_EQ (runSession (unsentData), "Error_UsbFailedToSendSampleDataRequest");
    access.failSendOf = Id::none;

    // The header announces audio that the device does not have.
    changeBank ([] (auto& bank) { bank.samples[3].pcm.reset(); });
    access.takeWire();
    SampleReceiveInternal missing (target, 3);
    EXPECT_EQ (runSession (missing), "Error_UsbFailedToReceiveSampleData");
    EXPECT_EQ (access.takeIds().back(), Id::sampleDataRequest);
}

TEST_F (SampleTransfers, ADroppedHeaderReplyTimesOut)
{
    putSampleThree();
    access.onSend = [this] (int id)
    {
        if (id == Id::sampleHeaderRequest)
            setFaults ([] (auto& f) { f.dropReplies = 1; });
    };

    SampleData target;
    SampleReceiveInternal session (target, 3);
    EXPECT_EQ (runSession (session), "Error_UsbTimeout");
}

TEST_F (SampleTransfers, AHeaderThatNoBankCouldHoldIsRefused)
{
    SampleData target;
    target.setName ("KEEP");

    for (const juce::int64 count : { juce::int64 (-2), juce::int64 (15335424 + 2), juce::int64 (0x7ffffffe) })
    {
        changeBank ([count] (auto& bank)
        {
            const auto header = monoHeader ((int) count);
            std::copy (header.begin(), header.end(), bank.samples[1].header.begin());
        });
        access.takeWire();

        SampleReceiveInternal session (target, 1);
        EXPECT_EQ (runSession (session), "Error_UsbFailedToReceiveSampleHeader") << count;
        EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::sampleHeaderRequest }))
            << "no data was asked for";
        EXPECT_EQ (target.getName(), "KEEP");
    }
}

TEST_F (SampleTransfers, UnpluggingDuringTheAudioEndsInATimeout)
{
    changeBank ([] (auto& bank)
    {
        const auto header = monoHeader (100000);
        std::copy (header.begin(), header.end(), bank.samples[2].header.begin());
        bank.samples[2].pcm.setSize (100000, true);
    });
    access.onSend = [this] (int id)
    {
        if (id == Id::sampleDataRequest)
            setFaults ([] (auto& f) { f.unplugAfterBytes = 64 + 5000; });
    };

    SampleData target;
    SampleReceiveInternal session (target, 2);
    EXPECT_EQ (runSession (session), "Error_UsbTimeout");
    EXPECT_EQ (target.getNumFrames(), 0) << "the reset target stays empty";
}

//==============================================================================
TEST_F (SampleTransfers, WritingASampleSendsHeaderAudioAndParameters)
{
    SampleData sample;
    makeTwoFrames (sample);

    SampleWrite session (sample, 7);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 4u);
    EXPECT_EQ (wire[0].bytes, inquiry());
    // Sample 7 with the 0x40 flag; the header 04 00 00 00 B0 04 00 FF packed.
    EXPECT_EQ (wire[1].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x42, 0x47,
                                       0x10, 0x04, 0x00, 0x00, 0x00, 0x30, 0x04, 0x00,
                                       0x01, 0x7f, 0xf7 }));
    EXPECT_EQ (wire[2].id, Id::sampleData);
    EXPECT_EQ (wire[2].bytes, (Bytes { 0x12, 0x34, 0xff, 0xfe })) << "raw, big-endian";
    EXPECT_EQ (wire[3].id, Id::sampleParameters);
    ASSERT_EQ (wire[3].bytes.size(), 6u + 64u + 10u + 1u);
    EXPECT_EQ (Bytes (wire[3].bytes.begin(), wire[3].bytes.begin() + 6), (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x44, 0x07 }))
        << "no flag in the parameter message's sample byte";
    EXPECT_EQ (access.chunkSizes[2], 16384);

    const auto stored = device->getBank (0).samples[7];
    EXPECT_EQ (Bytes (stored.header.begin(), stored.header.end()), (Bytes { 0x04, 0x00, 0x00, 0x00, 0xb0, 0x04, 0x00, 0xff }));
    EXPECT_EQ (bytesOf (stored.pcm), (Bytes { 0x12, 0x34, 0xff, 0xfe }));
    EXPECT_EQ (Bytes (stored.parameters.begin(), stored.parameters.begin() + 9),
               (Bytes { 'K', 'I', 'C', 'K', ' ', ' ', ' ', ' ', 0x80 }));
    EXPECT_EQ (session.getProgress(), 1.0);
    EXPECT_EQ (session.getTransferProgress(), 1.0);
}

TEST_F (SampleTransfers, WriteModesChooseTheMessages)
{
    SampleData sample;
    makeTwoFrames (sample);

    SampleWrite parameters (sample, 1, SampleWrite::parametersOnly);
    ASSERT_EQ (runSession (parameters), "");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::sampleParameters }));
    EXPECT_EQ (device->getBank (0).samples[1].pcm.getSize(), 0u);

    SampleWrite audio (sample, 1, SampleWrite::headerAndData);
    ASSERT_EQ (runSession (audio), "");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::sampleHeader, Id::sampleData }));

    // An empty sample has no audio to send.
    SampleData empty;
    SampleWrite emptyWrite (empty, 1);
    ASSERT_EQ (runSession (emptyWrite), "");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::sampleHeader, Id::sampleParameters }));
    EXPECT_EQ (device->getBank (0).samples[1].pcm.getSize(), 0u);

    // 24 for a header and 22 for data and parameters are accepted too.
    setFaults ([] (auto& f) { f.alternativeSuccessCodes = true; });
    SampleWrite alternative (sample, 1);
    EXPECT_EQ (runSession (alternative), "");
}

TEST_F (SampleTransfers, WriteFailuresCarryTheirKeys)
{
    SampleData sample;
    makeTwoFrames (sample);

    auto writeFails = [&] (SampleWrite::Mode mode) { SampleWrite s (sample, 4, mode); return runSession (s); };

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (writeFails (SampleWrite::everything), "Error_UsbNotReadyToSendSample");
    setFaults ([] (auto& f) { f.notReady = false; f.memoryFull = true; });
    EXPECT_EQ (writeFails (SampleWrite::everything), "Error_UsbNotReadyToSendSample");
    setFaults ([] (auto& f) { f.memoryFull = false; });

    device->setMemoryProtect (true);
    EXPECT_EQ (writeFails (SampleWrite::everything), "Error_UsbFailedToReceiveSampleHeaderReply");
    EXPECT_EQ (writeFails (SampleWrite::parametersOnly), "Error_UsbFailedToReceiveSampleParameterReply");
    device->setMemoryProtect (false);

    setFaults ([] (auto& f) { f.foreignFamily = true; });
    access.takeWire();
    EXPECT_EQ (writeFails (SampleWrite::everything), "Error_UsbTargetDeviceIsNotPlovara");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest }));
    setFaults ([] (auto& f) { f.foreignFamily = false; });

    access.onSend = [this] (int id)
    {
        if (id == Id::sampleParameters)
            setFaults ([] (auto& f) { f.garbleReplies = 1; });
    };
    EXPECT_EQ (writeFails (SampleWrite::everything), "Error_UsbTimeout");
    access.onSend = nullptr;

    // The data last: the device, still waiting for the audio it was
    // promised, would take the next messages for audio.
    for (const auto& [id, key] : { std::pair<int, const char*> { Id::deviceInquiryRequest, "Error_UsbFailedToSendDeviceInquiryRequest" },
                                   { Id::sampleHeader, "Error_UsbFailedToSendSampleHeader" },
                                   { Id::sampleParameters, "Error_UsbFailedToSendSampleParameter" },
                                   { Id::sampleData, "Error_UsbFailedToSendSampleData" } })
    {
        access.failSendOf = id;
        EXPECT_EQ (writeFails (SampleWrite::everything), key);
    }
}

//==============================================================================
namespace
{
struct SampleReceiveTest : SampleTransfers
{
    // Sample 3 with its parameter block: named "SNARE", level 77.
    void putSampleThreeWithParameters()
    {
        putSampleThree();
        changeBank ([] (auto& bank)
        {
            SampleData parameters;
            parameters.setName ("SNARE");
            parameters.setParameter (SampleData::level, 77);
            parameters.buildParameterBlock (bank.samples[3].parameters.data());
        });
    }
};
}

TEST_F (SampleReceiveTest, ReceivesHeaderAudioAndParameters)
{
    putSampleThreeWithParameters();

    SampleReceive session (3);
    ASSERT_EQ (runSession (session), "");

    const auto wire = access.takeWire();
    ASSERT_EQ (wire.size(), 4u);
    EXPECT_EQ (wire[1].bytes, headerRequestOfThree);
    EXPECT_EQ (wire[2].bytes, dataRequest);
    EXPECT_EQ (wire[3].bytes, (Bytes { 0xf0, 0x42, 0x30, 0x7f, 0x14, 0x03, 0xf7 }));

    // Without the program's history the session keeps the sample.
    const auto& received = session.getReceivedSample();
    EXPECT_EQ (received.getNumFrames(), 3);
    EXPECT_EQ (received.getAudio().getSample (0, 2), -1.0f);
    EXPECT_EQ (received.getName(), "SNARE");
    EXPECT_EQ (received.getParameter (SampleData::level), 77);
    EXPECT_EQ (session.getProgress(), 1.0);
    EXPECT_NE (sample (3).getName(), "SNARE");
}

TEST_F (SampleReceiveTest, TheReceivedSampleBecomesOneUndoStep)
{
    putSampleThreeWithParameters();
    ItemSession::setUndoManager (&history);
    notices.setSampleNotice (3, true);

    SampleReceive session (3);
    ASSERT_EQ (runSession (session), "");
    EXPECT_EQ (sample (3).getName(), "SNARE");
    EXPECT_EQ (sample (3).getNumFrames(), 3);
    EXPECT_EQ (history.getUndoDescription(), "ReceiveSample");
    EXPECT_FALSE (notices.getSampleNotice (3)) << "the edited sample is the device's";
    EXPECT_EQ (refreshedSamples.back(), 3);
    deliverMessages();
    EXPECT_GE (dataChanged.count, 1);

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (3).getNumFrames(), 0);
}

TEST_F (SampleReceiveTest, AnEmptySlotArrivesAsTheDefaultSample)
{
    ItemSession::setUndoManager (&history);
    fill (sample (0), 1, 10, 0.5f, "OLD");

    SampleReceive session (0);
    ASSERT_EQ (runSession (session), "");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::sampleHeaderRequest }));
    EXPECT_EQ (sample (0).getNumFrames(), 0);
    EXPECT_EQ (sample (0).getName(), SampleData::defaultName);
}

TEST_F (SampleReceiveTest, FailuresLeaveTheEditedSampleAlone)
{
    putSampleThreeWithParameters();
    ItemSession::setUndoManager (&history);
    fill (sample (3), 1, 10, 0.5f, "OLD");
    auto receive = [&] { SampleReceive s (3); return runSession (s); };

    access.failSendOf = Id::sampleParameterRequest;
    EXPECT_EQ (receive(), "Error_UsbFailedToSendSampleParameterRequest");
    access.failSendOf = Id::none;

    access.onSend = [this] (int id)
    {
        if (id == Id::sampleParameterRequest)
            setFaults ([] (auto& f) { f.dropReplies = 1; });
    };
    EXPECT_EQ (receive(), "Error_UsbTimeout");
    access.onSend = nullptr;

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (receive(), "Error_UsbNotReadyToReceiveSample");
    setFaults ([] (auto& f) { f.notReady = false; });

    changeBank ([] (auto& bank) { bank.samples[3].pcm.reset(); });
    EXPECT_EQ (receive(), "Error_UsbFailedToReceiveSampleData");

    EXPECT_EQ (sample (3).getName(), "OLD");
    EXPECT_EQ (sample (3).getNumFrames(), 10);
    EXPECT_FALSE (history.canUndo());
}

TEST_F (SampleReceiveTest, AShortParameterBlockReadsAsZerosBeyondIt)
{
    putSampleThreeWithParameters();
    access.cutRepliesOf = Id::sampleParameters;
    access.cutRepliesTo = 8;

    SampleReceive session (3);
    ASSERT_EQ (runSession (session), "");
    EXPECT_EQ (session.getReceivedSample().getName(), "SNARE");
    EXPECT_EQ (session.getReceivedSample().getParameter (SampleData::level), 0);
}

TEST_F (SampleReceiveTest, CancellingWhileTheUndoStepIsHandedOverAppliesNothing)
{
    putSampleThreeWithParameters();
    ItemSession::setUndoManager (&history);

    auto parameterRequested = [this]
    {
        for (auto& message : device->getReceivedMessages())
            if (message.messageId == Id::sampleParameterRequest)
                return true;
        return false;
    };

    SampleReceive session (3);
    session.startThread();

    // The message thread stays away from its queue until the cancel returned.
    while (! parameterRequested())
        std::this_thread::yield();
    juce::Thread::sleep (50);

    session.cancel (UsbSessionManager::cancelTimeoutMs);
    EXPECT_FALSE (session.isThreadRunning());

    deliverMessages();
    EXPECT_FALSE (history.canUndo());
    EXPECT_NE (sample (3).getName(), "SNARE");
    EXPECT_EQ (session.getErrorKey(), "");
}

//==============================================================================
TEST_F (SampleReceiveTest, CancellingWhileTheMessageThreadIsAskedDoesNotDeadlock)
{
    putSampleThreeWithParameters();
    ItemSession::setUndoManager (&history);
    notices.setSampleNotice (3, true);

    std::atomic<bool> lastRequestSent { false };
    access.onSend = [&] (int id) { lastRequestSent = lastRequestSent || id == Id::sampleParameterRequest; };

    SampleReceive session (3);
    session.startThread();

    // The message thread does not look at its queue until the cancel
    // returned, as when the session window's Cancel button blocks it; by
    // then the session waits for it to apply the sample.
    while (! lastRequestSent)
        std::this_thread::yield();

    juce::Thread::sleep (50);
    session.cancel (UsbSessionManager::cancelTimeoutMs);
    access.onSend = nullptr;
    EXPECT_FALSE (session.isThreadRunning());
    EXPECT_FALSE (session.isRunning());
    EXPECT_EQ (session.getErrorKey(), "");

    deliverMessages();
    EXPECT_TRUE (refreshedSamples.empty()) << "a cancelled session has nothing done any more";
    EXPECT_TRUE (notices.getSampleNotice (3));
    EXPECT_FALSE (history.canUndo());
}

TEST_F (SampleReceiveTest, ThePlayerTakesAReceivedSampleOnTheMessageThread)
{
    putSampleThreeWithParameters();
    ItemSession::setUndoManager (&history);
    notices.setSampleNotice (3, true);

    SampleReceive session (3);
    session.startThread();
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return ! session.isThreadRunning(); }));
    EXPECT_EQ (session.getErrorKey(), "");
    ASSERT_FALSE (refreshedSamples.empty());
    EXPECT_EQ (refreshedSamples.back(), 3);
    EXPECT_FALSE (notices.getSampleNotice (3));

    SampleWrite write (sample (3), 3);
    notices.setSampleNotice (3, true);
    ASSERT_EQ (runSession (write), "");
    EXPECT_FALSE (notices.getSampleNotice (3)) << "the device holds the sample now";
}
