#include "device/BankTransferTestSupport.h"

#include "app/TransmitNoticeManager.h"
#include "data/DataCenter.h"
#include "device/BankReceive.h"
#include "device/BankWrite.h"
#include "device/EditBankTransfers.h"
#include "history/ActionContext.h"
#include "resources/CZQVResource.h"
#include "resources/StringTable.h"

using namespace BankTransferTestSupport;

namespace
{
struct BankTransfers : BankTransferFixture
{
    BankTransfers()
    {
        for (int b = 0; b < VirtualPlovara::numBanks; ++b)
            device->setBank (b, deviceBank (b));
    }

    // The received bank holds what the device holds in bank b.
    static void expectBankOf (const BankData& bank, int b)
    {
        const auto expected = deviceBank (b);
        uint8_t block[64];
        bank.buildParameterBlock (block);
        EXPECT_EQ (Bytes (block, block + 64), Bytes (expected.parameters.begin(), expected.parameters.end()));
        EXPECT_EQ (Bytes (bank.getEffect().getImage().begin(), bank.getEffect().getImage().end()),
                   Bytes (expected.effect.begin(), expected.effect.end()));

        for (int i : { 0, 1, 17, 35 })
        {
            const auto& sample = bank.getSample (i);
            uint8_t parameters[64];
            sample.buildParameterBlock (parameters);
            EXPECT_EQ (Bytes (parameters, parameters + 64), Bytes (expected.samples[(size_t) i].parameters.begin(),
                                                                   expected.samples[(size_t) i].parameters.end())) << "sample " << i;
            EXPECT_EQ (sample.getPcmByteCount(), (int) expected.samples[(size_t) i].pcm.getSize()) << "sample " << i;
        }

        for (int k = 0; k < 16; ++k)
            EXPECT_EQ (bank.getPattern (k)->getBlock(), expected.patterns[(size_t) k]) << "pattern " << k;
    }
};

// The edited bank of a data center, with the context that the editor's
// transfers apply received data through.
struct EditBankTransfers_ : BankTransfers
{
    EditBankTransfers_()
    {
        UserFolders::overrideApplicationDataFolder (temp.folder);
        center = std::make_unique<DataCenter> (strings);
        center->getEditBank().setName ("MINE");
        notices.setSampleNotice (3, true);
        context.dataCenter = center.get();
        context.transmitNotices = &notices;
        ItemSession::setUndoManager (&undo);
        undo.beginNewTransaction ("Earlier");
        undo.perform (new NoOp());
    }

    ~EditBankTransfers_() override
    {
        ItemSession::setUndoManager (nullptr);
        center.reset();
        UserFolders::overrideApplicationDataFolder ({});
    }

    struct NoOp : juce::UndoableAction
    {
        bool perform() override { return true; }
        bool undo() override { return true; }
    };

    StringTable strings { "ParameterStrings" };
    std::unique_ptr<DataCenter> center;
    TransmitNoticeManager notices;
    juce::UndoManager undo;
    ActionContext context;
    ScopedActionContext installed { context };
};
}

TEST_F (BankTransfers, ReceivesABankWholeAndEndsTheDump)
{
    BankReceive session (2);
    ASSERT_EQ (runSession (session), "");
    expectBankOf (session.getReceivedBank(), 2);

    const auto messages = takeMessages();
    ASSERT_GE (messages.size(), 3u);
    EXPECT_EQ (messages[0].messageId, Id::deviceInquiryRequest);
    EXPECT_EQ (messages[1].messageId, Id::bankRequest);
    EXPECT_EQ (messages[1].bankNumber, 2);
    EXPECT_EQ (messages.back().messageId, Id::leaveBankDump);
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 1 }));
    EXPECT_EQ (countOf (messages, Id::sampleHeaderRequest), 36u);
    EXPECT_EQ (countOf (messages, Id::sampleDataRequest), 3u) << "empty samples are not asked for their audio";
    EXPECT_EQ (countOf (messages, Id::patternInfoRequest), 16u);
    EXPECT_EQ (countOf (messages, Id::currentBankRequest), 0u);
    EXPECT_FALSE (device->isInDumpMode());
    EXPECT_EQ (session.getProgress(), 1.0);
    EXPECT_EQ (session.getSampleIndex(), 36);
    EXPECT_EQ (session.getPatternIndex(), 16);
}

TEST_F (BankTransfers, AnotherBankFollowingKeepsTheDeviceInDumpMode)
{
    BankReceive session (5);
    session.setMoreBanksFollow (true);
    ASSERT_EQ (runSession (session), "");

    EXPECT_EQ (leaveDumpOptions (takeMessages()), (std::vector<int> { 0 }));
    EXPECT_TRUE (device->isInDumpMode());
}

TEST_F (BankTransfers, BankImageFailuresSendNothingMore)
{
    setFaults ([] (auto& f) { f.notReady = true; });
    BankReceive notReady (0);
    EXPECT_EQ (runSession (notReady), "Error_UsbNotReadyToReceiveBankData");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::bankRequest }));

    // A bank image a byte short is not read at all.
    setFaults ([] (auto& f) { f.notReady = false; f.bankImageShortBy = 1; });
    BankReceive shortImage (0);
    EXPECT_EQ (runSession (shortImage), "Error_UsbFailedToReceiveBankData");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::bankRequest }));
    EXPECT_EQ (shortImage.getReceivedBank().getName(), BankData::defaultName);

    setFaults ([] (auto& f) { f.bankImageShortBy = 0; f.garbleReplies = 1; });
    BankReceive garbledInquiry (0);
    EXPECT_EQ (runSession (garbledInquiry), "Error_UsbTimeout");

    setFaults ([] (auto& f) { f.foreignFamily = true; });
    BankReceive foreign (0);
    EXPECT_EQ (runSession (foreign), "Error_UsbTargetDeviceIsNotPlovara");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::deviceInquiryRequest }));
}

TEST_F (BankTransfers, AFailedItemEndsTheDumpAndReportsTheItemsKey)
{
    // The audio of sample 17 never comes.
    access.onSend = [this] (int id)
    {
        if (id == Id::sampleDataRequest && device->getReceivedMessages().back().messageId == Id::sampleHeaderRequest
            && device->getReceivedMessages().back().sampleNumber == 17)
            setFaults ([] (auto& f) { f.dropReplies = 1; });
    };

    BankReceive session (1);
    session.setMoreBanksFollow (true);
    EXPECT_EQ (runSession (session), "Error_UsbTimeout");

    const auto messages = takeMessages();
    EXPECT_EQ (messages.back().messageId, Id::leaveBankDump);
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 1 })) << "a failure ends the dump";
    EXPECT_EQ (countOf (messages, Id::patternInfoRequest), 0u);
    EXPECT_FALSE (device->isInDumpMode());
}

TEST_F (BankTransfers, TheDevicesVerdictOnLeavingDumpMode)
{
    setFaults ([] (auto& f) { f.leaveDumpResult = 2; });
    BankReceive notInDumpMode (0);
    EXPECT_EQ (runSession (notInDumpMode), "Error_UsbBankDumpResultNotDumpMode");

    setFaults ([] (auto& f) { f.leaveDumpResult = 1; });
    BankReceive aborted (0);
    EXPECT_EQ (runSession (aborted), "Error_UsbBankDumpResultAborted");

    // Cancelled, the session takes whatever the device answers.
    BankReceive cancelled (0);
    runAndCancel (cancelled, [] (int id) { return id == Id::patternInfoRequest; });
    EXPECT_EQ (cancelled.getErrorKey(), "");
    EXPECT_EQ (leaveDumpOptions (takeMessages()), (std::vector<int> { 1, 1, 1 }));
}

TEST_F (BankTransfers, WritesABankAndItsItems)
{
    BankReceive source (3);
    ASSERT_EQ (runSession (source), "");
    access.takeWire();

    BankWrite session (source.getReceivedBank(), 6);
    ASSERT_EQ (runSession (session), "");
    EXPECT_EQ (session.getProgress(), 1.0);

    const auto messages = takeMessages();
    EXPECT_EQ (messages[1].messageId, Id::bankImage);
    EXPECT_EQ (messages[1].bankNumber, 6);
    EXPECT_EQ (countOf (messages, Id::sampleHeader), 36u);
    EXPECT_EQ (countOf (messages, Id::sampleParameters), 36u);
    EXPECT_EQ (countOf (messages, Id::patternInfo), 16u);
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 1 }));

    const auto written = device->getBank (6);
    const auto expected = deviceBank (3);
    EXPECT_EQ (written.parameters, expected.parameters);
    EXPECT_EQ (written.effect, expected.effect);

    for (int i = 0; i < 36; ++i)
    {
        EXPECT_EQ (written.samples[(size_t) i].pcm, expected.samples[(size_t) i].pcm) << "sample " << i;
        EXPECT_EQ (written.samples[(size_t) i].header, expected.samples[(size_t) i].header) << "sample " << i;
    }

    for (int k = 0; k < 16; ++k)
        EXPECT_EQ (written.patterns[(size_t) k], expected.patterns[(size_t) k]) << "pattern " << k;
}

TEST_F (BankTransfers, WriteFailures)
{
    BankData bank;
    bank.getSample (4).resize (1, 1000, 48000.0, false);

    device->setMemoryProtect (true);
    BankWrite protectedDevice (bank, 0);
    EXPECT_EQ (runSession (protectedDevice), "Error_UsbFailedToReceiveBankDataReply");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::bankImage }));
    device->setMemoryProtect (false);

    setFaults ([] (auto& f) { f.notReady = true; });
    BankWrite notReady (bank, BankTransferSession::currentBank);
    EXPECT_EQ (runSession (notReady), "Error_UsbNotReadyToSendBankData");
    EXPECT_EQ (access.takeIds(), (std::vector<int> { Id::deviceInquiryRequest, Id::currentBankImage }));

    setFaults ([] (auto& f) { f.notReady = false; f.memoryFull = true; });
    BankWrite full (bank, 0);
    EXPECT_EQ (runSession (full), "Error_UsbNotReadyToSendSample");
    const auto messages = takeMessages();
    EXPECT_EQ (messages.back().messageId, Id::leaveBankDump);
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 1 }));
    EXPECT_EQ (countOf (messages, Id::sampleHeader), 1u);

    // A bank over the device's sample memory is refused before anything goes.
    for (int i = 0; i < 36; ++i)
        bank.getSample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);

    BankWrite tooLarge (bank, 0);
    EXPECT_EQ (runSession (tooLarge), "Error_UsbFailedIllegalBankDataSize");
    EXPECT_TRUE (access.takeIds().empty());
}

TEST_F (BankTransfers, UnpluggedDuringASampleTheWriteTimesOut)
{
    BankData bank;
    bank.getSample (2).resize (2, 20000, 48000.0, false);
    access.onSend = [this] (int id)
    {
        if (id == Id::sampleData)
            setFaults ([] (auto& f) { f.unplugAfterBytes = 0; });
    };

    BankWrite session (bank, 0);
    EXPECT_EQ (runSession (session), "Error_UsbTimeout");
}

TEST_F (EditBankTransfers_, TheCurrentBankReplacesTheEditedBankOnlyWhenItArrivedWhole)
{
    device->setCurrentBank (4);
    auto session = EditBankTransfers::receiveCurrentBank();
    ASSERT_EQ (runSession (*session), "");

    const auto messages = takeMessages();
    EXPECT_EQ (messages[1].messageId, Id::currentBankRequest);
    expectBankOf (center->getEditBank(), 4);
    EXPECT_TRUE (center->isModified());
    EXPECT_FALSE (notices.getSampleNotice (3));
    EXPECT_FALSE (undo.canUndo()) << "the undo history is cleared";
}

TEST_F (EditBankTransfers_, AFailedOrCancelledReceiveLeavesTheEditedBankAsItWas)
{
    access.onSend = [this] (int id)
    {
        if (id == Id::patternInfoRequest)
            setFaults ([] (auto& f) { f.notReady = true; });
    };

    auto failing = EditBankTransfers::receiveCurrentBank();
    EXPECT_EQ (runSession (*failing), "Error_UsbNotReadyToReceiveSeqInfo");
    setFaults ([] (auto& f) { f.notReady = false; });
    access.onSend = nullptr;

    auto cancelled = EditBankTransfers::receiveCurrentBank();
    runAndCancel (*cancelled, [] (int id) { return id == Id::sampleDataRequest; });
    EXPECT_EQ (cancelled->getErrorKey(), "");

    EXPECT_EQ (center->getEditBank().getName(), "MINE");
    EXPECT_EQ (center->getEditBank().getSample (0).getNumFrames(), 0);
    EXPECT_FALSE (center->isModified());
    EXPECT_TRUE (notices.getSampleNotice (3));
    EXPECT_TRUE (undo.canUndo());
    EXPECT_FALSE (device->isInDumpMode());
}

TEST_F (EditBankTransfers_, TransmittingTheEditedBankSwitchesTheNoticesOff)
{
    auto session = EditBankTransfers::transmitCurrentBank (center->getEditBank());
    ASSERT_EQ (runSession (*session), "");

    EXPECT_EQ (takeMessages()[1].messageId, Id::currentBankImage);
    EXPECT_FALSE (notices.getSampleNotice (3));
    EXPECT_EQ (device->getBank (device->getCurrentBank()).parameters[0], 'M');
}

namespace
{
struct StatusLog : UsbSessionListener
{
    juce::StringArray lines;
    std::vector<double> progress;

    void sessionStarted (UsbSession*) override {}
    void sessionProgress (UsbSession*, double fraction) override { progress.push_back (fraction); }
    void sessionStatus (UsbSession*, const juce::String& text) override { lines.add (text); }
    void sessionFinished (UsbSession*, bool) override {}
};
}

TEST_F (BankTransfers, StatusLinesNameEachItemAndProgressRisesToTheEnd)
{
    CZQVResource::getInstance();
    StatusLog log;
    BankReceive session (0);
    session.addListener (&log);
    const auto key = runSession (session);
    CZQVResource::releaseInstance();
    ASSERT_EQ (key, "");

    ASSERT_EQ (log.lines.size(), 36 + 16 + 1);
    EXPECT_EQ (log.lines[0], "Receiving sample C3...");
    EXPECT_EQ (log.lines[35], "Receiving sample B5...");
    EXPECT_EQ (log.lines[36], "Receiving pattern 1...");
    EXPECT_EQ (log.lines[51], "Receiving pattern 16...");
    EXPECT_EQ (log.lines[52], "Leaving from communication mode...");

    EXPECT_TRUE (std::is_sorted (log.progress.begin(), log.progress.end()));
    EXPECT_EQ (log.progress.back(), 1.0);
    const auto patternsStart = std::find_if (log.progress.begin(), log.progress.end(), [] (double p) { return p > 0.8; });
    EXPECT_NE (patternsStart, log.progress.end()) << "the patterns take the last fifth";
}
