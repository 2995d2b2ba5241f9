#pragma once

#include "device/DirectUsbAccessBase.h"
#include "device/UsbDriver.h"

#include <array>
#include <memory>
#include <mutex>

// The access through a driver: finds the device object whose product id is
// the Plovara's, opens its read and write pipes, and reads and writes raw.
class DirectUsbAccess : public DirectUsbAccessBase
{
public:
    static constexpr int plovaraProductId = 0x010c;
    static constexpr int maxDeviceObjects = 8;
    static constexpr int deviceNumberWindow = 128;

    explicit DirectUsbAccess (std::unique_ptr<UsbDriver> driverToUse);
    ~DirectUsbAccess() override;

    int open() override;
    void close() override;
    bool isOpen() const override { return pipesOpen; }
    bool isDeviceConnected() override;
    bool writeBytes (const void* bytes, int count) override;

    UsbDriver& getDriver() const noexcept { return *driver; }

protected:
    UsbDriver::Pacing getPacing() const override { return pacing; }
    UsbDriver::ReadResult readUnit (void* dest, int count, UsbDriver::ReadMode mode, int waitMs,
                                    const UsbDriver::StopRequest& stopRequested) override;

private:
    void enumerate();
    void logDriverVersion();
    // Why the pipes of the device objects tried so far did not open.
    struct PipeFailures
    {
        bool any = false;
        bool denied = false;   // the system refused this user access
    };

    bool openPipesOf (int deviceNumber, PipeFailures& failures);
    juce::String requestString (UsbDriver::Handle writePipe, int stringIndex);
    void closePipes();

    std::unique_ptr<UsbDriver> driver;
    const UsbDriver::Pacing pacing;

    std::mutex openLock;
    std::atomic<bool> pipesOpen { false };
    // Read by the reader and the writers while open or close may change them.
    std::atomic<UsbDriver::Handle> readPipe { UsbDriver::invalidHandle };
    std::atomic<UsbDriver::Handle> writePipe { UsbDriver::invalidHandle };

    // Device numbers of the objects found by the last enumeration.
    std::array<int, maxDeviceObjects> deviceNumbers {};
    int baseNumber = 0;
    int foundCount = -1;
};
