#include "device/BankTransferTestSupport.h"

#include "data/AllData.h"
#include "device/MultiBankReceive.h"
#include "device/MultiBankWrite.h"
#include "device/PatternSetTransfer.h"

using namespace BankTransferTestSupport;

namespace
{
// Records the argument of one broadcast message.
struct FinishedMessage : juce::MessageListener
{
    explicit FinishedMessage (int messageId) : id (messageId) {}

    void handleMessage (const juce::Message& message) override
    {
        if (auto* m = dynamic_cast<const BroadcastMessage*> (&message); m != nullptr && m->id == id)
            arguments.push_back (m->intArgument);
    }

    const int id;
    std::vector<int> arguments;
};

struct MultiBankTransfers : BankTransferFixture
{
    MultiBankTransfers()
    {
        for (int b = 0; b < VirtualPlovara::numBanks; ++b)
            device->setBank (b, deviceBank (b));

        device->setGlobalData ({ 0x43, 0x00, 0x02, 0x11, 0x00, 0x1a, 9, 8, 7 });
        engine->addListener (&finished5);
        engine->addListener (&finished6);
        engine->addListener (&finished7);
    }

    ~MultiBankTransfers() override
    {
        engine->removeListener (&finished7);
        engine->removeListener (&finished6);
        engine->removeListener (&finished5);
    }

    juce::String storedName (int b)
    {
        BankData bank;
        EXPECT_TRUE (allData.getBankSet().loadInto (b, bank));
        return bank.getName();
    }

    static BankSelectionState::Flags banks (std::initializer_list<int> chosen)
    {
        BankSelectionState::Flags flags {};
        for (int b : chosen)
            flags[(size_t) b] = true;
        return flags;
    }

    AllData allData;
    FinishedMessage finished5 { MessageIds::allBankReceiveFinished };
    FinishedMessage finished6 { MessageIds::selectedBankReceiveFinished };
    FinishedMessage finished7 { MessageIds::selectedBankWriteFinished };
};
}

TEST_F (MultiBankTransfers, ReceivingAllBanksKeepsTheDumpUntilBankHThenAsksForTheGlobalData)
{
    AllBankReceive session (allData);
    ASSERT_EQ (runSession (session), "");
    deliverMessages();

    const auto messages = takeMessages();
    EXPECT_EQ (bankRequests (messages), (std::vector<int> { 0, 1, 2, 3, 4, 5, 6, 7 }));
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 0, 0, 0, 0, 0, 0, 0, 1 }));

    const auto global = std::find_if (messages.begin(), messages.end(), [] (auto& m) { return m.messageId == Id::globalDataRequest; });
    const auto lastLeave = std::find_if (messages.rbegin(), messages.rend(), [] (auto& m) { return m.messageId == Id::leaveBankDump; });
    ASSERT_NE (global, messages.end());
    EXPECT_GT (global - messages.begin(), messages.rend() - lastLeave - 1) << "no global request before bank H is done";
    EXPECT_EQ (countOf (messages, Id::globalDataRequest), 1u);

    for (int b = 0; b < 8; ++b)
        EXPECT_EQ (storedName (b), "BANK" + juce::String (b));

    EXPECT_EQ (allData.getGlobalData().getImage()[0], 0x43);
    EXPECT_EQ (allData.getGlobalData().getImage()[8], 7);
    EXPECT_EQ (finished5.arguments, (std::vector<int> { 1 }));
    EXPECT_EQ (session.getProgress(), 1.0);
    EXPECT_FALSE (device->isInDumpMode());
}

TEST_F (MultiBankTransfers, AFailureInABankKeepsTheBanksStoredBeforeIt)
{
    access.onSend = [this] (int id)
    {
        if (id == Id::bankRequest && device->getDumpBank() == 2)
            setFaults ([] (auto& f) { f.notReady = true; });
    };

    AllBankReceive session (allData);
    EXPECT_EQ (runSession (session), "Error_UsbNotReadyToReceiveBankData");
    deliverMessages();

    EXPECT_EQ (storedName (2), "BANK2");
    EXPECT_EQ (storedName (3), BankData::defaultName);
    EXPECT_EQ (countOf (takeMessages(), Id::globalDataRequest), 0u);
    EXPECT_EQ (finished5.arguments, (std::vector<int> { 0 }));
}

TEST_F (MultiBankTransfers, SelectedBanksBAndE)
{
    SelectedBankReceive session (allData, banks ({ 1, 4 }));
    ASSERT_EQ (runSession (session), "");
    deliverMessages();

    const auto messages = takeMessages();
    EXPECT_EQ (bankRequests (messages), (std::vector<int> { 1, 4 }));
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 0, 1 }));
    EXPECT_EQ (countOf (messages, Id::globalDataRequest), 0u);
    EXPECT_EQ (storedName (4), "BANK4");
    EXPECT_EQ (storedName (0), BankData::defaultName);
    EXPECT_EQ (finished6.arguments, (std::vector<int> { 1 }));
    EXPECT_EQ (session.getNumDone(), 2);
}

TEST_F (MultiBankTransfers, CancellingSelectedBanksDuringBankBKeepsItsOptionAndSkipsBankE)
{
    SelectedBankReceive session (allData, banks ({ 1, 4 }));
    runAndCancel (session, [] (int id) { return id == Id::sampleDataRequest; });
    deliverMessages();

    EXPECT_EQ (session.getErrorKey(), "");
    const auto messages = takeMessages();
    EXPECT_EQ (bankRequests (messages), (std::vector<int> { 1 }));
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 0 }));
    EXPECT_EQ (storedName (1), BankData::defaultName) << "a cancelled bank is not stored";
    EXPECT_EQ (finished6.arguments, (std::vector<int> { 0 }));
}

TEST_F (MultiBankTransfers, WritingAllBanksRestoresTheDevice)
{
    AllBankReceive backup (allData);
    ASSERT_EQ (runSession (backup), "");

    auto other = std::make_shared<VirtualPlovara>();
    access.close();
    VirtualUsbBus::getInstance().unplug (*device);
    device = other;
    VirtualUsbBus::getInstance().plug (device);
    ASSERT_EQ (access.open(), UsbAccess::opened);
    access.takeWire();

    AllBankWrite restore (allData);
    ASSERT_EQ (runSession (restore), "");

    const auto messages = takeMessages();
    EXPECT_EQ (bankRequests (messages), (std::vector<int> { 0, 1, 2, 3, 4, 5, 6, 7 }));
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 0, 0, 0, 0, 0, 0, 0, 1 }));
    EXPECT_EQ (messages.back().messageId, Id::globalData);

    for (int b = 0; b < 8; ++b)
    {
        const auto restored = device->getBank (b);
        const auto expected = deviceBank (b);
        EXPECT_EQ (restored.parameters, expected.parameters) << "bank " << b;
        EXPECT_EQ (restored.samples[17].pcm, expected.samples[17].pcm) << "bank " << b;
        EXPECT_EQ (restored.patterns[9], expected.patterns[9]) << "bank " << b;
    }

    EXPECT_EQ (device->getGlobalData()[8], 7);
}

TEST_F (MultiBankTransfers, CancellingAWriteOfAllBanksDuringBankCEndsTheDumpThere)
{
    AllBankReceive backup (allData);
    ASSERT_EQ (runSession (backup), "");
    for (int b = 0; b < 8; ++b)
        device->setBank (b, VirtualPlovara::makeDefaultBank());
    access.takeWire();

    AllBankWrite session (allData);
    runAndCancel (session, [this] (int id) { return id == Id::patternInfo && device->getDumpBank() == 2; });

    EXPECT_EQ (session.getErrorKey(), "");
    const auto messages = takeMessages();
    EXPECT_EQ (bankRequests (messages), (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ (leaveDumpOptions (messages), (std::vector<int> { 0, 0, 1 }));
    EXPECT_EQ (countOf (messages, Id::globalData), 0u);
    EXPECT_FALSE (device->isInDumpMode());
    EXPECT_EQ (device->getBank (3).parameters, VirtualPlovara::makeDefaultBank().parameters) << "bank D untouched";
}

TEST_F (MultiBankTransfers, WritesAreRefusedWhenAStoredBankDoesNotFit)
{
    BankData tooLarge;
    for (int i = 0; i < 36; ++i)
        tooLarge.getSample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
    ASSERT_TRUE (allData.getBankSet().storeFrom (6, tooLarge));

    AllBankWrite all (allData);
    EXPECT_EQ (runSession (all), "Error_UsbFailedIllegalBankSetSize");

    SelectedBankWrite selected (allData, banks ({ 0 }));
    EXPECT_EQ (runSession (selected), "Error_UsbFailedIllegalBankSetSize");
    EXPECT_TRUE (access.takeIds().empty());
    deliverMessages();
    EXPECT_EQ (finished7.arguments, (std::vector<int> { 0 }));
}

TEST_F (MultiBankTransfers, PatternSets)
{
    SequenceSetReceive receive;
    ASSERT_EQ (runSession (receive), "");
    EXPECT_EQ (receive.getReceivedSet().getPattern (15)->getName(), "P0_15");
    EXPECT_EQ (countOf (takeMessages(), Id::patternInfoRequest), 16u);

    SequenceSetWrite write (receive.getReceivedSet());
    ASSERT_EQ (runSession (write), "");
    EXPECT_EQ (countOf (takeMessages(), Id::patternInfo), 16u);

    // More than the device's pattern memory is refused before anything goes.
    SequenceSet large;
    for (int k = 0; k < 16; ++k)
        large.getPattern (k)->setSize (30000);

    SequenceSetWrite tooLarge (large);
    EXPECT_EQ (runSession (tooLarge), "Error_UsbFailedIllegalSeqDataSize");
    EXPECT_TRUE (access.takeIds().empty());
}
