#include "data/AllData.h"
#include "device/BankReceive.h"
#include "device/DirectUsbAccess.h"
#include "device/MultiBankReceive.h"
#include "device/virtual/VirtualUsbBus.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace
{
// 36 stereo samples of 106496 frames fill the 15335424 bytes of a bank.
constexpr int fullSampleFrames = 106496;
constexpr int patternSize = 22000;

// The device's bank: its sample memory full of stereo audio and 16 long
// patterns.
VirtualPlovara::Bank makeFullBank()
{
    SampleData sample;
    sample.resize (2, fullSampleFrames, 48000.0, false);

    for (int f = 0; f < fullSampleFrames; ++f)
        for (int c = 0; c < 2; ++c)
            sample.getAudio().setSample (c, f, (float) std::sin (0.01 * f + c));

    auto bank = VirtualPlovara::makeDefaultBank();

    for (auto& deviceSample : bank.samples)
    {
        sample.buildHeader (deviceSample.header.data());
        sample.buildParameterBlock (deviceSample.parameters.data());
        deviceSample.pcm.setSize ((size_t) sample.getPcmByteCount());
        sample.encodePcm (static_cast<uint8_t*> (deviceSample.pcm.getData()), sample.getPcmByteCount());
    }

    for (auto& pattern : bank.patterns)
    {
        SequenceData data;
        data.setSize (patternSize);
        pattern = data.getBlock();
    }

    return bank;
}

double peakMemoryMegabytes()
{
    rusage usage {};
    getrusage (RUSAGE_SELF, &usage);
    return (double) usage.ru_maxrss / 1024.0;
}

// A virtual device with full banks, plugged in, and the sessions' access to
// it, without any delay on the wire.
struct FullDevice
{
    explicit FullDevice (int numBanks)
    {
        const auto bank = makeFullBank();
        for (int b = 0; b < numBanks; ++b)
            device->setBank (b, bank);

        VirtualUsbBus::getInstance().plug (device);
        opened = access.open() == UsbAccess::opened;
        UsbSession::setCurrentAccess (&access);
    }

    ~FullDevice()
    {
        UsbSession::setCurrentAccess (nullptr);
        access.close();
        VirtualUsbBus::getInstance().unplug (*device);
    }

    std::shared_ptr<VirtualPlovara> device = std::make_shared<VirtualPlovara>();
    DirectUsbAccess access { std::make_unique<VirtualUsbDriver>() };
    bool opened = false;
};
}

// One full bank received: everything the editor does besides the wire.
static void BM_ReceiveFullBank (benchmark::State& state)
{
    FullDevice full (1);

    if (! full.opened)
        state.SkipWithError ("no virtual device");

    for (auto _ : state)
    {
        BankReceive session (0);
        session.run();

        if (session.getErrorKey().isNotEmpty())
        {
            state.SkipWithError (session.getErrorKey().toRawUTF8());
            break;
        }

        benchmark::DoNotOptimize (session.getReceivedBank().getFreeSampleMemory());
    }

    state.SetBytesProcessed (state.iterations() * (int64_t) BankMemory::sampleMemorySize);
}
BENCHMARK (BM_ReceiveFullBank)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (3);

// Eight full banks and the global data into the bank memory, which keeps
// them in its swap files: the peak memory is the device's eight banks plus
// about one bank of the editor's.
static void BM_ReceiveAllFullBanks (benchmark::State& state)
{
    FullDevice full (BankSet::numBanks);

    if (! full.opened)
        state.SkipWithError ("no virtual device");

    const double beforeMB = peakMemoryMegabytes();

    for (auto _ : state)
    {
        AllData all;
        AllBankReceive session (all);
        session.run();

        if (session.getErrorKey().isNotEmpty())
        {
            state.SkipWithError (session.getErrorKey().toRawUTF8());
            break;
        }

        benchmark::DoNotOptimize (all.getBankSet().allFit());
    }

    state.SetBytesProcessed (state.iterations() * BankSet::numBanks * (int64_t) BankMemory::sampleMemorySize);
    state.counters["peakBeforeMB"] = beforeMB;
    state.counters["peakMemoryMB"] = peakMemoryMegabytes();
}
BENCHMARK (BM_ReceiveAllFullBanks)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (1);
