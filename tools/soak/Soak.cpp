// Rounds of write-all and receive-all between two emulated devices served on
// Unix sockets, each round with the cable pulled at a random byte count.
// After a pull the next attempt must succeed; every backup must equal the
// first byte for byte; no temporary or swap file may be left; the peak
// memory of every run is reported so that growth shows. Exits 1 on the
// first broken promise.
#include "data/AllData.h"
#include "data/AudioBuffer.h"
#include "data/BankData.h"
#include "data/DataFile.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"

#include <juce_events/juce_events.h>

#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{
struct Run
{
    int exitCode = -1;
    long peakKilobytes = 0;
};

juce::File cli;
juce::File work;

pid_t spawn (const juce::StringArray& arguments)
{
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back (const_cast<char*> (argument.toRawUTF8()));
    argv.push_back (nullptr);

    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen (&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawn (&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy (&actions);
    return failed == 0 ? pid : -1;
}

Run finish (pid_t pid)
{
    Run run;
    int status = 0;
    rusage usage {};

    if (pid > 0 && wait4 (pid, &status, 0, &usage) == pid)
    {
        run.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
        run.peakKilobytes = usage.ru_maxrss;
    }
    return run;
}

Run runTool (const juce::StringArray& arguments)
{
    juce::StringArray all { cli.getFullPathName() };
    all.addArray (arguments);
    return finish (spawn (all));
}

// One emulated device on a socket of the work folder, ended by SIGTERM.
struct Device
{
    Device (const juce::String& name, const juce::StringArray& options)
        : socket (work.getChildFile (name + ".sock"))
    {
        juce::StringArray arguments { cli.getFullPathName(), "virtual-device", "--socket", socket.getFullPathName() };
        arguments.addArray (options);
        pid = spawn (arguments);

        for (int wait = 0; wait < 500 && ! socket.exists(); ++wait)
            juce::Thread::sleep (10);
    }

    ~Device()
    {
        kill (pid, SIGTERM);
        finish (pid);
        socket.deleteFile();
    }

    juce::String option() const { return "socket:" + socket.getFullPathName(); }

    juce::File socket;
    pid_t pid = -1;
};

// A device memory whose banks differ: names, a sample with audio, patterns.
void writeDistinctMemory (const juce::File& file)
{
    AllData memory;

    for (int b = 0; b < BankSet::numBanks; ++b)
    {
        BankData bank;
        bank.setName ("SOAK" + juce::String (b));
        auto& sample = bank.getSample (b);
        sample.resize (2, 2000 + 100 * b, 48000.0, false);
        for (int c = 0; c < 2; ++c)
            for (int f = 0; f < sample.getNumFrames() - 1; ++f)
                sample.getAudio().setSample (c, f, (float) ((f * (b + 3) + c * 11) % 400) / 800.0f);
        bank.getPattern (b)->setName ("PAT" + juce::String (b));
        memory.getBankSet().storeFrom (b, bank);
    }

    DataFile::write (memory, file);
}

juce::MemoryBlock contentOf (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytes;
}

// What may stay in the work folder between rounds.
bool onlyExpectedFilesLeft (const juce::File& swapBase)
{
    const juce::StringArray expected { "first.plvr_all", "memory.plvr_all", "source.sock", "tmp", "backup.plvr_all" };

    for (const auto& entry : juce::RangedDirectoryIterator (work, false, "*", juce::File::findFilesAndDirectories))
        if (! expected.contains (entry.getFile().getFileName()))
            return std::fprintf (stderr, "left behind: %s\n", entry.getFile().getFullPathName().toRawUTF8()), false;

    for (const auto& entry : juce::RangedDirectoryIterator (swapBase, false, "*", juce::File::findFilesAndDirectories))
        return std::fprintf (stderr, "swap left behind: %s\n", entry.getFile().getFullPathName().toRawUTF8()), false;

    return true;
}

// Tries once with the cable pulled somewhere, then must succeed.
bool transferWithPull (const juce::StringArray& arguments, long& peak, int& pulls)
{
    const auto first = runTool (arguments);
    peak = std::max (peak, first.peakKilobytes);

    if (first.exitCode == 0)
        return true;

    ++pulls;
    const auto second = runTool (arguments);
    peak = std::max (peak, second.peakKilobytes);
    return second.exitCode == 0;
}
}

int main (int argc, char* argv[])
{
    if (argc < 3)
    {
        std::fprintf (stderr, "usage: plovara_soak PLOVARA_CLI WORK_FOLDER [ROUNDS]\n");
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI framework;
    AudioBufferIdManager::getInstance();
    cli = juce::File (juce::String (argv[1]));
    work = juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]);
    const int rounds = argc > 3 ? juce::String (argv[3]).getIntValue() : 50;

    work.deleteRecursively();
    work.getChildFile ("tmp").createDirectory();
    // The runs keep their swap files here, where leftovers can be counted.
    setenv ("TMPDIR", work.getChildFile ("tmp").getFullPathName().toRawUTF8(), 1);
    const auto swapBase = work.getChildFile ("tmp").getChildFile ("Plovara-" + juce::String ((int) geteuid()));

    writeDistinctMemory (work.getChildFile ("memory.plvr_all"));
    const Device source ("source", { "--state", work.getChildFile ("memory.plvr_all").getFullPathName() });
    const auto firstBackup = work.getChildFile ("first.plvr_all");

    if (runTool ({ "--device", source.option(), "receive-all", firstBackup.getFullPathName() }).exitCode != 0)
        return std::fprintf (stderr, "the first backup failed\n"), 1;

    const auto expected = contentOf (firstBackup);
    const auto backup = work.getChildFile ("backup.plvr_all");
    juce::Random random (20261210);
    int pulls = 0;
    long firstPeak = 0;

    std::printf ("round  pull-at  peak-rss-kb  pulls-so-far\n");

    for (int round = 1; round <= rounds; ++round)
    {
        // A restore and a receive together send about this many bytes.
        const int pullAt = random.nextInt (300000);
        long peak = 0;
        {
            const Device target ("target", { "--unplug-after-bytes", juce::String (pullAt) });

            if (! transferWithPull ({ "--device", target.option(), "write-all", firstBackup.getFullPathName() }, peak, pulls))
                return std::fprintf (stderr, "round %d: the restore after the pull failed\n", round), 1;

            backup.deleteFile();

            if (! transferWithPull ({ "--device", target.option(), "receive-all", backup.getFullPathName() }, peak, pulls))
                return std::fprintf (stderr, "round %d: the backup after the pull failed\n", round), 1;
        }

        if (contentOf (backup) != expected)
            return std::fprintf (stderr, "round %d: the backup differs from the first\n", round), 1;

        if (! onlyExpectedFilesLeft (swapBase))
            return std::fprintf (stderr, "round %d: files were left behind\n", round), 1;

        // Every run is a fresh process: a peak that grows from round to
        // round means something grows with what the runs leave behind.
        firstPeak = round == 1 ? peak : firstPeak;
        if (peak > firstPeak + firstPeak / 4)
            return std::fprintf (stderr, "round %d: peak memory %ld kB, %ld kB in the first round\n", round, peak, firstPeak), 1;

        std::printf ("%5d  %7d  %11ld  %12d\n", round, pullAt, peak, pulls);
        std::fflush (stdout);
    }

    std::printf ("soak passed: %d rounds, %d cable pulls\n", rounds, pulls);
    return 0;
}
