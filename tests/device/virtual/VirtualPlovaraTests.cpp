#include "device/DeviceTestSupport.h"

#include "data/SampleData.h"

using namespace DeviceTestSupport;
using Id = SysExCommand::MessageId;

namespace
{
struct VirtualPlovaraTest : VirtualDeviceFixture
{
    VirtualPlovaraTest() { openAccess(); }

    // The 8-byte header of a mono 48 kHz sample of n PCM bytes.
    static Bytes monoHeader (int n)
    {
        return TestSupport::ByteBuilder().le32 (n).le16 (1200).add ({ 0x00, 0xff }).bytes;
    }

    SysExCommand sampleHeader (int index, const Bytes& header)
    {
        SysExCommand message (Id::sampleHeader, header.data(), header.size());
        message.sampleNumber = index;
        return message;
    }

    SysExCommand patternInfo (int index, int size)
    {
        auto message = request (Id::patternInfo, index);
        message.dataSize = size;
        return message;
    }

    int answerTo (const SysExCommand& message, std::vector<int> ids = { 22, 23, 24, 25, 26, 27, 28, 29 })
    {
        auto reply = exchange (message, ids);
        return reply != nullptr ? reply->messageId : -1;
    }

    bool sendRaw (int id, const Bytes& bytes)
    {
        return access.send (SysExCommand (id, bytes.data(), bytes.size()), 16384, nullptr);
    }

    int answerToRaw (int id, const Bytes& bytes)
    {
        access.expectReplies ({ 22, 23, 24, 25 }, nullptr);
        EXPECT_TRUE (sendRaw (id, bytes));
        auto reply = access.waitForMessage();
        return reply != nullptr ? reply->messageId : -1;
    }

    void setFaults (std::function<void (VirtualPlovara::Faults&)> change)
    {
        auto faults = device->getFaults();
        change (faults);
        device->setFaults (faults);
    }

    static Bytes bytesOf (const juce::MemoryBlock& block)
    {
        auto* p = static_cast<const uint8_t*> (block.getData());
        return Bytes (p, p + block.getSize());
    }
};
}

TEST_F (VirtualPlovaraTest, AnswersTheInquiryOnItsChannelInWholeUnits)
{
    ASSERT_TRUE (access.send (SysExCommand (Id::deviceInquiryRequest), 0, nullptr));

    Bytes unit (64);
    ASSERT_TRUE (access.readBytes (unit.data(), 64));
    EXPECT_EQ (Bytes (unit.begin(), unit.begin() + 20),
               (Bytes { 0x14, 0xf0, 0x7e, 0x00, 0x14, 0x06, 0x02, 0x42, 0x14, 0x7f, 0x00, 0x00,
                        0x14, 0x00, 0x00, 0x01, 0x17, 0x00, 0x00, 0xf7 }));
    EXPECT_EQ (Bytes (unit.begin() + 20, unit.end()), Bytes (44, 0));

    auto global = device->getGlobalData();
    global[1] = 5;
    device->setGlobalData (global);
    setFaults ([] (auto& f) { f.foreignFamily = true; });

    auto reply = exchange (SysExCommand (Id::deviceInquiryRequest), { Id::deviceInquiryReply });
    ASSERT_NE (reply, nullptr);
    EXPECT_EQ (reply->channel, 5);
    EXPECT_EQ (reply->word1, 0x7e);
    EXPECT_EQ (reply->word3, 0) << "not the Plovara's family";
}

TEST_F (VirtualPlovaraTest, IgnoresDeviceMessagesOnAnotherChannel)
{
    auto global = device->getGlobalData();
    global[1] = 2;
    device->setGlobalData (global);
    access.setTimeout (100);

    EXPECT_EQ (answerTo (request (Id::globalDataRequest), { Id::globalData }), -1);

    auto onItsChannel = request (Id::globalDataRequest);
    onItsChannel.channel = 2;
    EXPECT_EQ (answerTo (onItsChannel, { Id::globalData }), Id::globalData);
}

TEST_F (VirtualPlovaraTest, BankRequestsSendTheImageAndEnterDumpMode)
{
    device->setCurrentBank (2);
    auto reply = exchange (request (Id::currentBankRequest), { Id::currentBankImage, Id::bankImage });
    ASSERT_NE (reply, nullptr);
    ASSERT_EQ (reply->messageId, Id::currentBankImage);
    const auto image = bytesOf (reply->data);
    ASSERT_EQ (image.size(), 2420u);
    EXPECT_EQ (Bytes (image.begin(), image.begin() + 12),
               (TestSupport::ByteBuilder().text ("INITBANK").add ({ 0xb0, 0x04, 0xff, 0x80 }).bytes));
    EXPECT_EQ (Bytes (image.begin() + 2368, image.begin() + 2384), Bytes (16, 4)) << "initial patterns record 4 measures";
    EXPECT_EQ (Bytes (image.begin() + 2384, image.begin() + 2396),
               (Bytes { 6, 0, 2, 0, 10, 1, 19, 39, 10, 20, 0, 63 }));
    EXPECT_TRUE (device->isInDumpMode());
    EXPECT_EQ (device->getDumpBank(), 2);

    reply = exchange (request (Id::bankRequest, 6), { Id::bankImage });
    ASSERT_NE (reply, nullptr);
    EXPECT_EQ (reply->bankNumber, 6);
    EXPECT_EQ (device->getDumpBank(), 6);

    auto leave = request (Id::leaveBankDump);
    leave.optionByte = 0;
    reply = exchange (leave, { Id::bankDumpResult });
    ASSERT_NE (reply, nullptr);
    EXPECT_EQ (reply->bankNumber, 0);
    EXPECT_TRUE (device->isInDumpMode()) << "option 0: another bank follows";

    leave.optionByte = 1;
    EXPECT_EQ (exchange (leave, { Id::bankDumpResult })->bankNumber, 0);
    EXPECT_FALSE (device->isInDumpMode());
    EXPECT_EQ (exchange (leave, { Id::bankDumpResult })->bankNumber, 2) << "not in dump mode";
}

TEST_F (VirtualPlovaraTest, AWrittenSampleComesBackAndLandsInTheDumpedBank)
{
    SysExCommand image (Id::bankImage);
    image.bankNumber = 4;
    image.data.setSize (2420, true);
    ASSERT_EQ (answerTo (image), Id::writeAccepted);

    Bytes pcm (2000);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = (uint8_t) (i * 13);

    ASSERT_EQ (answerTo (sampleHeader (5, monoHeader (2000)), { 24, 27, 28, 29 }), Id::announcementAccepted);
    EXPECT_EQ (answerToRaw (Id::sampleData, pcm), Id::writeAccepted);

    const auto stored = device->getBank (4).samples[5];
    EXPECT_EQ (bytesOf (stored.pcm), pcm);
    EXPECT_EQ (Bytes (stored.header.begin(), stored.header.end()), monoHeader (2000));
    EXPECT_TRUE (device->getBank (0).samples[5].pcm.isEmpty()) << "the current bank is untouched";

    auto header = exchange (request (Id::sampleHeaderRequest, 5), { Id::sampleHeader });
    ASSERT_NE (header, nullptr);
    EXPECT_EQ (bytesOf (header->data), monoHeader (2000));

    access.expectReply (Id::sampleData, 2000, nullptr);
    ASSERT_TRUE (access.send (request (Id::sampleDataRequest), 0, nullptr));
    auto data = access.waitForMessage();
    ASSERT_NE (data, nullptr);
    EXPECT_EQ (bytesOf (data->data), pcm);

    // Requests for data nobody asked the header of, or of an empty sample.
    EXPECT_EQ (answerTo (request (Id::sampleHeaderRequest, 6), { Id::sampleHeader }), Id::sampleHeader);
    EXPECT_EQ (answerTo (request (Id::sampleDataRequest)), Id::dataUnavailable);
}

TEST_F (VirtualPlovaraTest, SampleMemoryIsCountedInGranules)
{
    auto bank = device->getBank (0);
    bank.samples[0].pcm.setSize ((size_t) (VirtualPlovara::sampleMemorySize - 2 * 32768 - 10), true);
    device->setBank (0, bank);

    // 32769 bytes take two granules: just what is left.
    ASSERT_EQ (answerTo (sampleHeader (1, monoHeader (32769)), { 24, 27, 28, 29 }), Id::announcementAccepted);
    EXPECT_EQ (answerToRaw (Id::sampleData, Bytes (32769, 1)), Id::writeAccepted);

    EXPECT_EQ (answerTo (sampleHeader (2, monoHeader (2)), { 24, 27, 28, 29 }), Id::deviceBusy);

    // Replacing a sample frees its own memory first.
    ASSERT_EQ (answerTo (sampleHeader (1, monoHeader (65536)), { 24, 27, 28, 29 }), Id::announcementAccepted);
    EXPECT_EQ (answerToRaw (Id::sampleData, Bytes (65536, 2)), Id::writeAccepted);
}

TEST_F (VirtualPlovaraTest, PatternMemoryTakesOneMoreGranuleThanTheBytesFill)
{
    auto bank = device->getBank (0);
    for (auto& pattern : bank.patterns)
        pattern.setSize (24575, true);   // 12 granules each: the memory is full
    device->setBank (0, bank);

    EXPECT_EQ (answerTo (patternInfo (3, 24576), { 27, 28, 29 }), Id::deviceBusy);
    ASSERT_EQ (answerTo (patternInfo (3, 24574), { 27, 28, 29 }), Id::announcementAccepted);
    EXPECT_EQ (answerToRaw (Id::patternData, Bytes (24574, 9)), Id::writeAccepted);
    EXPECT_EQ (device->getBank (0).patterns[3].getSize(), 24574u);

    // An empty pattern needs no data and is acknowledged at once.
    access.expectReplies ({ 27 }, nullptr);
    ASSERT_TRUE (access.send (patternInfo (4, 0), 0, nullptr));
    ASSERT_EQ (access.waitForMessage()->messageId, Id::announcementAccepted);
    access.expectReplies ({ 22, 23, 24 }, nullptr);
    ASSERT_TRUE (sendRaw (Id::patternData, {}));
    ASSERT_EQ (access.waitForMessage()->messageId, Id::writeAccepted);
    EXPECT_TRUE (device->getBank (0).patterns[4].isEmpty());

    // The pattern asked about last is the one whose data comes.
    auto info = exchange (request (Id::patternInfoRequest, 3), { Id::patternInfo });
    ASSERT_NE (info, nullptr);
    EXPECT_EQ (info->dataSize, 24574);
    access.expectReply (Id::patternData, 24574, nullptr);
    ASSERT_TRUE (access.send (request (Id::patternDataRequest), 0, nullptr));
    EXPECT_EQ (bytesOf (access.waitForMessage()->data), Bytes (24574, 9));
}

TEST_F (VirtualPlovaraTest, ParameterChangesEditTheCurrentBankWithoutAnswer)
{
    device->setCurrentBank (1);
    auto change = [this] (int group, int index, int value)
    {
        auto message = request (Id::parameterChange);
        message.word1 = group;
        message.word2 = index;
        message.word3 = value;
        ASSERT_TRUE (access.send (message, 0, nullptr));
    };

    access.setTimeout (100);
    access.listen (4);
    change (18, 25, 10);     // sample 2: pan
    change (18, 27, -5);     // sample 2: semitone
    change (18, 16, 0);      // sample 2: loop off
    change (0, 16, 1355);    // bank tempo
    change (0, 0, 'Z');      // bank name, first letter
    EXPECT_EQ (access.waitForMessage(), nullptr);

    const auto bank = device->getBank (1);
    EXPECT_EQ (bank.samples[2].parameters[24], 10);
    EXPECT_EQ (bank.samples[2].parameters[25], 59);
    EXPECT_EQ (bank.samples[2].parameters[8] & 0x80, 0);
    EXPECT_EQ (bank.parameters[8] | (bank.parameters[9] << 8), 1355);
    EXPECT_EQ (bank.parameters[0], 'Z');
    EXPECT_EQ (device->getBank (0).parameters[0], 'I');
}

TEST_F (VirtualPlovaraTest, WritesWithoutDataAreAcceptedAndChangeNothing)
{
    const auto bankBefore = device->getBank (0);
    const auto globalBefore = device->getGlobalData();

    auto parameters = request (Id::sampleParameters, 4);
    EXPECT_EQ (answerTo (parameters), Id::writeAccepted);
    EXPECT_EQ (answerTo (request (Id::effectData)), Id::writeAccepted);
    EXPECT_EQ (answerTo (request (Id::globalData)), Id::writeAccepted);

    const auto bank = device->getBank (0);
    EXPECT_EQ (bank.samples[4].parameters, bankBefore.samples[4].parameters);
    EXPECT_EQ (bank.effect, bankBefore.effect);
    EXPECT_EQ (device->getGlobalData(), globalBefore);
}

TEST_F (VirtualPlovaraTest, RefusalsAndAlternativeSuccessCodes)
{
    auto image = TestSupport::ByteBuilder().add ({ 0x46, 0x00, 0x01, 0x11, 0x00, 0x1a }).fill (0x33, 10).bytes;
    SysExCommand global (Id::globalData, image.data(), image.size());

    setFaults ([] (auto& f) { f.notReady = true; });
    EXPECT_EQ (answerTo (request (Id::currentBankRequest), { 8, 29 }), Id::deviceNotReady);
    EXPECT_EQ (answerTo (global), Id::deviceNotReady);
    setFaults ([] (auto& f) { f.notReady = false; });

    device->setMemoryProtect (true);
    EXPECT_EQ (answerTo (global), Id::requestFailed);
    EXPECT_EQ (answerTo (sampleHeader (0, monoHeader (2))), Id::requestFailed);
    EXPECT_EQ (answerTo (patternInfo (0, 100), { 27, 28, 29 }), Id::deviceBusy);
    device->setMemoryProtect (false);

    setFaults ([] (auto& f) { f.memoryFull = true; });
    EXPECT_EQ (answerTo (sampleHeader (0, monoHeader (2))), Id::deviceBusy);
    setFaults ([] (auto& f) { f.memoryFull = false; f.alternativeSuccessCodes = true; });

    EXPECT_EQ (answerTo (global), Id::status21);
    EXPECT_EQ (answerTo (sampleHeader (0, monoHeader (0))), Id::writeAccepted);
    EXPECT_EQ (answerTo (patternInfo (0, 0), { 27 }), Id::announcementAccepted);
    EXPECT_EQ (answerToRaw (Id::patternData, {}), Id::status21);

    SysExCommand effect (Id::effectData);
    effect.data.setSize (36, true);
    EXPECT_EQ (answerTo (effect), Id::writeAccepted) << "22 would mean failure for the effect";
    const auto stored = device->getGlobalData();
    EXPECT_EQ (Bytes (stored.begin(), stored.end()), image);
}

TEST_F (VirtualPlovaraTest, DroppedGarbledAndLateReplies)
{
    access.setTimeout (150);

    setFaults ([] (auto& f) { f.dropReplies = 1; });
    EXPECT_EQ (exchange (request (Id::effectRequest), { Id::effectData }), nullptr);
    EXPECT_NE (exchange (request (Id::effectRequest), { Id::effectData }), nullptr);

    setFaults ([] (auto& f) { f.garbleReplies = 1; });
    EXPECT_EQ (exchange (request (Id::effectRequest), { Id::effectData }), nullptr);

    setFaults ([] (auto& f) { f.replyDelayMs = 50; });
    access.setTimeout (2000);
    auto late = exchange (request (Id::effectRequest), { Id::effectData });
    ASSERT_NE (late, nullptr);
    EXPECT_EQ (late->data.getSize(), 36u);
}

TEST_F (VirtualPlovaraTest, ADeviceThatFallsSilentAnswersNoMore)
{
    access.setTimeout (150);
    setFaults ([] (auto& f) { f.repliesUntilSilent = 2; });

    EXPECT_NE (exchange (request (Id::effectRequest), { Id::effectData }), nullptr);
    EXPECT_NE (exchange (request (Id::globalDataRequest), { Id::globalData }), nullptr);
    EXPECT_EQ (exchange (request (Id::effectRequest), { Id::effectData }), nullptr);
    EXPECT_EQ (exchange (request (Id::globalDataRequest), { Id::globalData }), nullptr);
}

TEST_F (VirtualPlovaraTest, UnpluggingInTheMiddleOfATransfer)
{
    auto bank = device->getBank (0);
    bank.samples[7].pcm.setSize (100000, true);
    bank.samples[7].header = { 0xa0, 0x86, 0x01, 0x00, 0xb0, 0x04, 0x00, 0xff };
    device->setBank (0, bank);

    ASSERT_NE (exchange (request (Id::sampleHeaderRequest, 7), { Id::sampleHeader }), nullptr);
    setFaults ([] (auto& f) { f.unplugAfterBytes = 64 + 5000; });

    access.setTimeout (150);
    access.expectReply (Id::sampleData, 100000, nullptr);
    ASSERT_TRUE (access.send (request (Id::sampleDataRequest), 0, nullptr));
    EXPECT_EQ (access.waitForMessage(), nullptr);
    EXPECT_FALSE (VirtualUsbBus::getInstance().isPlugged (*device));
    EXPECT_FALSE (access.isDeviceConnected());
}

TEST (VirtualPlovaraState, SavesAndLoadsTheWholeState)
{
    VirtualPlovara original;
    auto bank = original.getBank (3);
    bank.samples[0].pcm.replaceAll ("abcd", 4);
    bank.patterns[15].setSize (0);
    bank.parameters[0] = 'Q';
    original.setBank (3, bank);
    original.setCurrentBank (3);
    original.setMemoryProtect (true);

    const auto state = original.saveState();
    VirtualPlovara copy;
    ASSERT_TRUE (copy.loadState (state.getData(), state.getSize()));
    EXPECT_EQ (copy.getCurrentBank(), 3);
    EXPECT_TRUE (copy.isMemoryProtected());
    EXPECT_EQ (copy.getBank (3).samples[0].pcm, bank.samples[0].pcm);
    EXPECT_TRUE (copy.getBank (3).patterns[15].isEmpty());
    EXPECT_EQ (copy.getBank (3).parameters, bank.parameters);
    EXPECT_EQ (copy.getBank (0).patterns[0], VirtualPlovara::makeInitialPattern());
    EXPECT_EQ (copy.saveState(), state);

    // A cut or foreign state changes nothing.
    VirtualPlovara untouched;
    EXPECT_FALSE (untouched.loadState (state.getData(), state.getSize() - 1));
    EXPECT_FALSE (untouched.loadState ("PLVX", 4));
    EXPECT_EQ (untouched.getCurrentBank(), 0);
    EXPECT_FALSE (untouched.isMemoryProtected());
}

TEST (VirtualPlovaraState, TheInitialPatternIsTheDevicesOwn)
{
    const auto block = VirtualPlovara::makeInitialPattern();
    const auto* p = static_cast<const uint8_t*> (block.getData());
    ASSERT_EQ (block.getSize(), 1308u);
    EXPECT_EQ (Bytes (p, p + 16), (TestSupport::ByteBuilder().text ("SEQP").add ({ 0, 0, 0x05, 0x1c, 0, 4, 0, 4, 0, 0, 0, 8 }).bytes));
    EXPECT_EQ (Bytes (p + 16, p + 24), (Bytes { 0, 0, 0x02, 0x00, 0, 0, 0x02, 0x08 }));
    EXPECT_EQ (Bytes (p + 488, p + 496), TestSupport::ByteBuilder().text ("INITPTRN").bytes);
    EXPECT_EQ (p[480], 0);
    EXPECT_EQ (Bytes (p + 512, p + 520), (Bytes { 0xff, 0, 0, 2, 0xf0, 0, 1, 0x80 }));
    EXPECT_EQ (Bytes (p + 1304, p + 1308), (Bytes { 0xff, 0x63, 0, 1 }));
}
