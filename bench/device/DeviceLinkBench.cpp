#include "device/DirectUsbAccess.h"
#include "device/SocketUsbDriver.h"
#include "device/virtual/VirtualDeviceServer.h"
#include "device/virtual/VirtualUsbBus.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int fullSampleMemory = 15335424;

// A device whose sample 0 fills the whole sample memory.
std::shared_ptr<VirtualPlovara> makeFullDevice()
{
    auto device = std::make_shared<VirtualPlovara>();
    auto bank = device->getBank (0);
    bank.samples[0].pcm.setSize (fullSampleMemory, true);
    bank.samples[0].header = { (uint8_t) (fullSampleMemory & 0xff), (uint8_t) ((fullSampleMemory >> 8) & 0xff),
                               (uint8_t) ((fullSampleMemory >> 16) & 0xff), 0x00, 0xb0, 0x04, 0x01, 0xff };
    device->setBank (0, bank);
    return device;
}

std::unique_ptr<SysExCommand> exchange (UsbAccess& access, int request, int reply, int size)
{
    access.expectReply (reply, size, nullptr);
    access.send (SysExCommand (request), 0, nullptr);
    return access.waitForMessage();
}

// Reads sample 0 whole, again and again.
void readSampleRepeatedly (benchmark::State& state, UsbAccess& access)
{
    if (access.open() != UsbAccess::opened || exchange (access, SysExCommand::sampleHeaderRequest, SysExCommand::sampleHeader, 8) == nullptr)
    {
        state.SkipWithError ("the device did not answer");
        return;
    }

    for (auto _ : state)
    {
        auto data = exchange (access, SysExCommand::sampleDataRequest, SysExCommand::sampleData, fullSampleMemory);
        if (data == nullptr || (int) data->data.getSize() != fullSampleMemory)
        {
            state.SkipWithError ("the transfer broke off");
            break;
        }
    }

    state.SetBytesProcessed (state.iterations() * (int64_t) fullSampleMemory);
    access.close();
}
}

// A small request and its reply through the in-process virtual device.
static void BM_VirtualDeviceRoundTrip (benchmark::State& state)
{
    auto device = std::make_shared<VirtualPlovara>();
    VirtualUsbBus::getInstance().plug (device);
    DirectUsbAccess access (std::make_unique<VirtualUsbDriver>());

    if (access.open() != UsbAccess::opened)
        state.SkipWithError ("no virtual device");

    for (auto _ : state)
        benchmark::DoNotOptimize (exchange (access, SysExCommand::globalDataRequest, SysExCommand::globalData, 16));

    state.SetItemsProcessed (state.iterations());
    access.close();
    VirtualUsbBus::getInstance().unplug (*device);
}
BENCHMARK (BM_VirtualDeviceRoundTrip)->Unit (benchmark::kMicrosecond)->UseRealTime();

// A full bank's worth of sample data (15 MB) through the virtual driver.
static void BM_VirtualDeviceBulkRead (benchmark::State& state)
{
    auto device = makeFullDevice();
    VirtualUsbBus::getInstance().plug (device);
    DirectUsbAccess access (std::make_unique<VirtualUsbDriver>());
    readSampleRepeatedly (state, access);
    VirtualUsbBus::getInstance().unplug (*device);
}
BENCHMARK (BM_VirtualDeviceBulkRead)->Unit (benchmark::kMillisecond)->UseRealTime();

// The same through a Unix socket to a device served by another thread.
static void BM_SocketDeviceBulkRead (benchmark::State& state)
{
    const auto path = juce::File::getSpecialLocation (juce::File::tempDirectory)
                          .getNonexistentChildFile ("plovara-bench", ".sock").getFullPathName();
    VirtualDeviceServer server (makeFullDevice(), path);

    if (! server.start())
    {
        state.SkipWithError ("cannot listen");
        return;
    }

    DirectUsbAccess access (std::make_unique<SocketUsbDriver> (path));
    readSampleRepeatedly (state, access);
}
BENCHMARK (BM_SocketDeviceBulkRead)->Unit (benchmark::kMillisecond)->UseRealTime();
