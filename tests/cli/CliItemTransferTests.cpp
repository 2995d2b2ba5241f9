#include "TestSupport.h"
#include "cli/CliRunner.h"

#include "data/BankData.h"
#include "data/DataFile.h"
#include "data/GlobalData.h"
#include "data/SampleData.h"
#include "device/DeviceDescriptor.h"
#include "device/UnixSocket.h"
#include "device/virtual/VirtualPlovara.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace
{
struct CliItemTransfers : ::testing::Test
{
    TestSupport::TemporaryFolder temp;
    TestSupport::ScopedBufferIds bufferIds;

    // The emulated device keeps its memory in a state file between runs.
    CliResult runOnVirtualDevice (const juce::StringArray& arguments)
    {
        juce::StringArray all { "--device", "virtual", "--virtual-state", "state.plvr_all", "--json" };
        all.addArray (arguments);
        return runCli (all, temp.folder);
    }

    juce::File file (const juce::String& name) const { return temp.folder.getChildFile (name); }

    // Three mono frames 0x1234, -2 and 0x7fff, named as given.
    void writeSampleFile (const juce::String& name, const juce::String& sampleName)
    {
        SampleData sample;
        const uint8_t header[] = { 6, 0, 0, 0, 0xb0, 0x04, 0x00, 0xff };
        const uint8_t pcm[] = { 0x12, 0x34, 0xff, 0xfe, 0x7f, 0xff };
        sample.decodeHeaderAndPcm (header, pcm, sizeof (pcm), true);
        sample.setName (sampleName);
        ASSERT_TRUE (DataFile::write (sample, file (name)));
    }

    SampleData readSampleFile (const juce::String& name) const
    {
        SampleData sample;
        juce::FileInputStream stream (file (name));
        sample.readFrom (stream);
        return sample;
    }
};
}

TEST_F (CliItemTransfers, ASampleGoesToTheDeviceAndComesBack)
{
    writeSampleFile ("in.plvr_sample", "KICK");

    auto written = runOnVirtualDevice ({ "write-sample", "in.plvr_sample", "D3" });
    ASSERT_EQ (written.exitCode, 0) << written.err;
    EXPECT_TRUE ((bool) written.json()["ok"]);
    EXPECT_EQ ((int) written.json()["index"], 2);
    EXPECT_EQ ((int) written.json()["pcmBytes"], 6);

    auto received = runOnVirtualDevice ({ "receive-sample", "2", "out.plvr_sample" });
    ASSERT_EQ (received.exitCode, 0) << received.err;
    EXPECT_EQ (received.json()["key"].toString(), "D3");
    EXPECT_EQ (received.json()["sample"]["name"].toString(), "KICK");

    const auto sample = readSampleFile ("out.plvr_sample");
    ASSERT_EQ (sample.getNumFrames(), 3);
    EXPECT_EQ (sample.getAudio().getSample (0, 0), (float) 0x1234 / 32768.0f);
    EXPECT_EQ (sample.getAudio().getSample (0, 1), -2.0f / 32768.0f);
    EXPECT_EQ (sample.getName(), "KICK");

    // Parameters only: the name changes, the audio stays.
    SampleData silent;
    silent.setName ("SNARE");
    ASSERT_TRUE (DataFile::write (silent, file ("renamed.plvr_sample")));
    ASSERT_EQ (runOnVirtualDevice ({ "write-sample", "renamed.plvr_sample", "d3", "--parameters-only" }).exitCode, 0);
    ASSERT_EQ (runOnVirtualDevice ({ "receive-sample", "D3", "again.plvr_sample" }).exitCode, 0);
    EXPECT_EQ (readSampleFile ("again.plvr_sample").getName(), "SNARE");
    EXPECT_EQ (readSampleFile ("again.plvr_sample").getNumFrames(), 3);
}

TEST_F (CliItemTransfers, ArgumentsThatNameNothingAreUsageErrors)
{
    writeSampleFile ("in.plvr_sample", "KICK");
    EXPECT_EQ (runOnVirtualDevice ({ "receive-sample", "C6", "out.plvr_sample" }).exitCode, 2);
    EXPECT_EQ (runOnVirtualDevice ({ "receive-sample", "36", "out.plvr_sample" }).exitCode, 2);
    EXPECT_EQ (runOnVirtualDevice ({ "write-sample", "in.plvr_sample" }).exitCode, 2);
    EXPECT_EQ (runOnVirtualDevice ({ "receive-global" }).exitCode, 2);
    EXPECT_EQ (runOnVirtualDevice ({ "receive-effect", "extra" }).exitCode, 2);
    EXPECT_EQ (runCli ({ "--device", "floppy", "receive-effect" }, temp.folder).exitCode, 2);

    auto missing = runOnVirtualDevice ({ "write-global", "nothing.plvr_glob" });
    EXPECT_EQ (missing.exitCode, 1);
    EXPECT_EQ (missing.json()["error"].toString(), "Error_FileTargetFileNotExist");
}

TEST_F (CliItemTransfers, GlobalDataRoundTripsAndProtectRefusesTheNextWrite)
{
    GlobalData global;
    global.setField (GlobalData::metronome, 4);
    global.setField (GlobalData::memoryProtect, 1);
    ASSERT_TRUE (DataFile::write (global, file ("in.plvr_glob")));

    ASSERT_EQ (runOnVirtualDevice ({ "write-global", "in.plvr_glob" }).exitCode, 0);

    auto received = runOnVirtualDevice ({ "receive-global", "out.plvr_glob" });
    ASSERT_EQ (received.exitCode, 0) << received.err;
    EXPECT_EQ ((int) received.json()["global"]["fields"]["metronome"], 4);
    GlobalData back;
    juce::FileInputStream stream (file ("out.plvr_glob"));
    back.readFrom (stream);
    EXPECT_EQ (back.getImage(), global.getImage());

    // The device protects its memory now.
    auto refused = runOnVirtualDevice ({ "write-global", "in.plvr_glob" });
    EXPECT_EQ (refused.exitCode, 1);
    EXPECT_EQ (refused.json()["error"].toString(), "Error_UsbFailedToReceiveGlobalDataReply");
    EXPECT_EQ (refused.json()["message"].toString(), "Failed to write a global data.");

    writeSampleFile ("in.plvr_sample", "KICK");
    auto sampleRefused = runOnVirtualDevice ({ "write-sample", "in.plvr_sample", "0" });
    EXPECT_EQ (sampleRefused.json()["error"].toString(), "Error_UsbFailedToReceiveSampleHeaderReply");
}

TEST_F (CliItemTransfers, TheEffectOfABankFileGoesToTheDevice)
{
    BankData bank;
    auto& effect = bank.getEffect();
    EffectData::Image image {};
    image[0] = 0;   // the first effect type
    effect.setImage (image);
    ASSERT_TRUE (DataFile::write (bank, file ("in.plvr_bank")));

    auto before = runOnVirtualDevice ({ "receive-effect" });
    ASSERT_EQ (before.exitCode, 0) << before.err;
    EXPECT_EQ ((int) before.json()["type"], 6) << "a new device has a reverb";

    ASSERT_EQ (runOnVirtualDevice ({ "write-effect", "in.plvr_bank" }).exitCode, 0);
    auto after = runOnVirtualDevice ({ "receive-effect" });
    EXPECT_EQ ((int) after.json()["type"], 0);
    EXPECT_EQ (after.json()["knobs"].size(), 2);

    auto text = runCli ({ "--device", "virtual", "--virtual-state", "state.plvr_all", "receive-effect" }, temp.folder);
    EXPECT_TRUE (text.out.startsWith ("Type 0: ")) << text.out;
    EXPECT_TRUE (text.out.contains ("Knob 1: "));
}

TEST_F (CliItemTransfers, AFailedReceiveLeavesTheOutputFileAlone)
{
    file ("out.plvr_glob").replaceWithText ("keep");

    auto result = runCli ({ "--device", "socket:nobody.sock", "--json", "receive-global", "out.plvr_glob" }, temp.folder);
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.json()["error"].toString(), "Error_UsbDeviceNotFound");
    EXPECT_EQ (file ("out.plvr_glob").loadFileAsString(), "keep");
}

TEST_F (CliItemTransfers, WorksAgainstADeviceServedOnASocket)
{
    const auto socket = file ("device.sock");
    const juce::String socketPath = socket.getFullPathName();
    const char* arguments[] = { PLOVARA_CLI_PATH, "virtual-device", "--socket", socketPath.toRawUTF8(), nullptr };
    pid_t pid = 0;
    ASSERT_EQ (posix_spawn (&pid, PLOVARA_CLI_PATH, nullptr, nullptr, const_cast<char**> (arguments), environ), 0);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return socket.exists(); }, 10000));

    writeSampleFile ("in.plvr_sample", "HAT");
    const juce::String device = "socket:" + socketPath;
    EXPECT_EQ (runCli ({ "--device", device, "write-sample", "in.plvr_sample", "B5" }, temp.folder).exitCode, 0);
    auto received = runCli ({ "--device", device, "--json", "receive-sample", "35", "out.plvr_sample" }, temp.folder);
    EXPECT_EQ (received.exitCode, 0) << received.err;
    EXPECT_EQ (readSampleFile ("out.plvr_sample").getName(), "HAT");
    EXPECT_EQ (runCli ({ "--device", device, "receive-global", "g.plvr_glob" }, temp.folder).exitCode, 0);

    kill (pid, SIGTERM);
    int status = 0;
    ASSERT_EQ (waitpid (pid, &status, 0), pid);
}

TEST_F (CliItemTransfers, CtrlCCancelsTheSessionAndWritesNothing)
{
    // A device that introduces itself and then never answers.
    const auto socketPath = file ("silent.sock").getFullPathName();
    auto listener = UnixSocket::listenAt (socketPath);
    ASSERT_NE (listener, nullptr);
    std::atomic<bool> spoken { false };
    std::atomic<bool> stop { false };

    std::thread silentDevice ([&]
    {
        const auto introduction = VirtualPlovara().getDescriptor().toBytes();
        std::vector<std::unique_ptr<UnixSocket>> connections;

        while (! stop)
        {
            if (auto connection = listener->accept (10))
            {
                connection->writeAll (introduction.getData(), introduction.getSize(), 1000);
                connections.push_back (std::move (connection));
            }

            uint8_t bytes[256];
            for (auto& connection : connections)
                if (connection->readSome (bytes, sizeof (bytes), 0) > 0)
                    spoken = true;
        }
    });

    const auto outPath = file ("out.txt").getFullPathName();
    const auto errPath = file ("err.txt").getFullPathName();
    const auto device = "--device=socket:" + socketPath;
    const auto output = file ("out.plvr_glob").getFullPathName();
    const char* arguments[] = { PLOVARA_CLI_PATH, device.toRawUTF8(), "--json", "receive-global", output.toRawUTF8(), nullptr };

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 1, outPath.toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, 2, errPath.toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    ASSERT_EQ (posix_spawn (&pid, PLOVARA_CLI_PATH, &actions, nullptr, const_cast<char**> (arguments), environ), 0);
    posix_spawn_file_actions_destroy (&actions);

    // The inquiry went out: the session runs and Ctrl+C is its to answer.
    // The inquiry then waits for its time-out before the session ends.
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return spoken.load(); }, 10000));
    kill (pid, SIGINT);

    int status = 0;
    ASSERT_EQ (waitpid (pid, &status, 0), pid);
    stop = true;
    silentDevice.join();

    ASSERT_TRUE (WIFEXITED (status)) << "the tool ended by itself";
    EXPECT_EQ (WEXITSTATUS (status), 1);
    const auto json = juce::JSON::parse (file ("out.txt").loadFileAsString());
    EXPECT_EQ (json["error"].toString(), "ThreadRunningSampleImporter_Canceled");
    EXPECT_FALSE (file ("out.plvr_glob").exists());
}
