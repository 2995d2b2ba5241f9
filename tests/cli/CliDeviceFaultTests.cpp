#include "device/BankTransferTestSupport.h"

#include "cli/CliRunner.h"
#include "cli/ServedDevice.h"
#include "data/DataFile.h"
#include "data/SampleData.h"
#include "device/virtual/VirtualPlovaraState.h"

#include <map>

// The tool against a served device that misbehaves: every failure ends with
// its message key, exit status 1, no output file (an old one stays as it
// was) and the input file as it was.
using namespace BankTransferTestSupport;

namespace
{
// Bytes of the device before a transfer's data: the 64-byte unit of the
// inquiry reply and of each reply before it.
constexpr int replyUnit = 64;

struct CliDeviceFaults : ::testing::Test
{
    TestSupport::TemporaryFolder temp;
    TestSupport::ScopedBufferIds bufferIds;

    juce::File file (const juce::String& name) const { return temp.folder.getChildFile (name); }

    // A device whose current bank has a sample of 8000 bytes at slot 0.
    juce::String deviceState()
    {
        TestSupport::ScopedUserFolders folders;
        VirtualPlovara device;
        auto bank = deviceBank (3);
        bank.samples[0] = deviceSample (2, 2000, 3);
        device.setBank (0, bank);
        EXPECT_TRUE (VirtualPlovaraState::saveToFile (device, file ("device.plvr_all")));
        return file ("device.plvr_all").getFullPathName();
    }

    // Three mono frames.
    void writeSampleFile (const juce::String& name)
    {
        SampleData sample;
        const uint8_t header[] = { 6, 0, 0, 0, 0xb0, 0x04, 0x00, 0xff };
        const uint8_t pcm[] = { 0x12, 0x34, 0xff, 0xfe, 0x7f, 0xff };
        sample.decodeHeaderAndPcm (header, pcm, sizeof (pcm), true);
        sample.setName ("HAT");
        ASSERT_TRUE (DataFile::write (sample, file (name)));
    }

    // A bank file taken from the emulated device.
    void writeBankFile (const juce::String& name)
    {
        const auto result = runCli ({ "--device", "virtual", "--virtual-state", deviceState(), "receive-bank", "A", name },
                                    temp.folder);
        ASSERT_EQ (result.exitCode, 0) << result.err;
    }

    juce::MemoryBlock contentsOf (const juce::String& name) const
    {
        juce::MemoryBlock block;
        file (name).loadFileAsData (block);
        return block;
    }

    juce::StringArray filesInFolder() const
    {
        juce::StringArray names;
        for (const auto& entry : juce::RangedDirectoryIterator (temp.folder, false, "*", juce::File::findFiles))
            names.add (entry.getFile().getFileName());
        names.sort (false);
        return names;
    }

    // Runs the command against the served device and checks that it failed
    // with the key and left the folder's files as they were (no output, no
    // temporary file beside it, inputs unchanged).
    void expectFailure (const ServedDevice& served, const juce::StringArray& command, const juce::String& key)
    {
        const auto filesBefore = filesInFolder();
        std::map<juce::String, juce::MemoryBlock> contentsBefore;
        for (const auto& name : filesBefore)
            contentsBefore[name] = contentsOf (name);

        juce::StringArray arguments { "--device", served.deviceOption(), "--json" };
        arguments.addArray (command);
        const auto result = runCli (arguments, temp.folder);

        EXPECT_EQ (result.exitCode, 1) << result.out << result.err;
        EXPECT_EQ (result.json()["error"].toString(), key) << result.out;
        EXPECT_EQ (filesInFolder(), filesBefore);

        contentsBefore.erase ("device.sock");

        for (const auto& [name, contents] : contentsBefore)
            EXPECT_TRUE (contentsOf (name) == contents) << name;
    }
};
}

// Pulled cables and silent devices show as the time-out of the reply being
// waited for.
TEST_F (CliDeviceFaults, APulledCableDuringASampleReceiveLeavesTheOldFileAlone)
{
    file ("old.plvr_sample").replaceWithText ("keep");

    // Cut after the inquiry reply, the header and the bulk marker, 1000
    // bytes into the sample's audio.
    ServedDevice served (temp.folder, { "--state", deviceState(), "--unplug-after-bytes", juce::String (3 * replyUnit + 1000) });
    expectFailure (served, { "receive-sample", "0", "old.plvr_sample" }, "Error_UsbTimeout");
}

TEST_F (CliDeviceFaults, APulledCableDuringASampleWriteFailsIt)
{
    writeSampleFile ("in.plvr_sample");
    file ("device.plvr_all").deleteFile();

    // Cut in the middle of the reply to the sample's audio.
    ServedDevice served (temp.folder, { "--state", file ("device.plvr_all").getFullPathName(),
                                        "--unplug-after-bytes", juce::String (2 * replyUnit + replyUnit / 2) });
    expectFailure (served, { "write-sample", "in.plvr_sample", "C3" }, "Error_UsbTimeout");

    // The device took the audio; only its answer was lost.
    served.stop();
    VirtualPlovara device;
    VirtualPlovaraState::loadFromFile (device, file ("device.plvr_all"));
    EXPECT_EQ (device.getBank (0).samples[0].pcm.getSize(), 6u);
}

TEST_F (CliDeviceFaults, APulledCableDuringABankWriteFailsIt)
{
    writeBankFile ("in.plvr_bank");

    // Cut after the inquiry, the bank image and the first sample's header.
    ServedDevice served (temp.folder, { "--unplug-after-bytes", juce::String (3 * replyUnit + replyUnit / 2) });
    expectFailure (served, { "write-bank", "in.plvr_bank", "B" }, "Error_UsbTimeout");
}

TEST_F (CliDeviceFaults, APulledCableDuringABackupWritesNoFile)
{
    // Cut in the audio of the first bank's first sample.
    ServedDevice served (temp.folder, { "--state", deviceState(), "--unplug-after-bytes", "5000" });
    expectFailure (served, { "receive-all", "backup.plvr_all" }, "Error_UsbTimeout");
}

TEST_F (CliDeviceFaults, ADeviceThatStopsAnsweringInTheMiddleTimesOut)
{
    // The inquiry is answered, the sample header request is not.
    ServedDevice served (temp.folder, { "--state", deviceState(), "--stop-answering-after", "1" });
    expectFailure (served, { "receive-sample", "0", "out.plvr_sample" }, "Error_UsbTimeout");
}

TEST_F (CliDeviceFaults, ADeviceThatNeverAnswersTimesOut)
{
    ServedDevice served (temp.folder, { "--stop-answering-after", "0" });
    expectFailure (served, { "receive-global", "out.plvr_glob" }, "Error_UsbTimeout");
}

TEST_F (CliDeviceFaults, ADeviceThatIsNotReadyRefusesEveryTransfer)
{
    writeSampleFile ("in.plvr_sample");
    writeBankFile ("in.plvr_bank");
    file ("old.plvr_sample").replaceWithText ("keep");
    file ("old.plvr_bank").replaceWithText ("keep");
    ServedDevice served (temp.folder, { "--not-ready" });

    expectFailure (served, { "receive-sample", "C3", "old.plvr_sample" }, "Error_UsbNotReadyToReceiveSample");
    expectFailure (served, { "write-sample", "in.plvr_sample", "C3" }, "Error_UsbNotReadyToSendSample");
    expectFailure (served, { "receive-bank", "A", "old.plvr_bank" }, "Error_UsbNotReadyToReceiveBankData");
    expectFailure (served, { "write-bank", "in.plvr_bank", "A" }, "Error_UsbNotReadyToSendBankData");
    expectFailure (served, { "receive-all", "backup.plvr_all" }, "Error_UsbNotReadyToReceiveBankData");
}

TEST_F (CliDeviceFaults, AProtectedMemoryRefusesWrites)
{
    writeSampleFile ("in.plvr_sample");
    writeBankFile ("in.plvr_bank");
    ServedDevice served (temp.folder, { "--protect" });

    expectFailure (served, { "write-sample", "in.plvr_sample", "C3" }, "Error_UsbFailedToReceiveSampleHeaderReply");
    expectFailure (served, { "write-sample", "in.plvr_sample", "C3", "--parameters-only" },
                   "Error_UsbFailedToReceiveSampleParameterReply");
    expectFailure (served, { "write-bank", "in.plvr_bank", "A" }, "Error_UsbFailedToReceiveBankDataReply");

    // Reading still works.
    const auto result = runCli ({ "--device", served.deviceOption(), "receive-sample", "C3", "out.plvr_sample" }, temp.folder);
    EXPECT_EQ (result.exitCode, 0) << result.err;
}

TEST_F (CliDeviceFaults, FaultOptionsTakeCounts)
{
    EXPECT_EQ (runCli ({ "virtual-device", "--socket", "x.sock", "--unplug-after-bytes", "-1" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "virtual-device", "--socket", "x.sock", "--stop-answering-after", "two" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "virtual-device", "--socket", "x.sock", "--stop-answering-after" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "virtual-device", "--socket", "x.sock", "--protect", "yes" }, temp.folder).exitCode, 2);
    EXPECT_FALSE (file ("x.sock").exists());
}
