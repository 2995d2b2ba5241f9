#include "device/DirectUsbAccess.h"

namespace
{
int productIdOf (uint32_t identifier) { return (int) (identifier & 0xffff); }
[[maybe_unused]] int vendorIdOf (uint32_t identifier) { return (int) (identifier >> 16); }

constexpr int maxStringBytes = 128;
}

DirectUsbAccess::DirectUsbAccess (std::unique_ptr<UsbDriver> driverToUse)
    : driver (std::move (driverToUse)),
      pacing (driver->getPacing())
{
}

DirectUsbAccess::~DirectUsbAccess()
{
    stopReader();
    close();
}

void DirectUsbAccess::enumerate()
{
    if (foundCount == 0)
        baseNumber = 0;

    int found = 0;
    const int firstNumber = baseNumber;

    for (int number = firstNumber; found < maxDeviceObjects && number < firstNumber + deviceNumberWindow; ++number)
    {
        const auto object = driver->openDeviceObject (number);

        if (object == UsbDriver::invalidHandle)
            continue;

        driver->closeHandle (object);

        if (found == 0)
            baseNumber = number;

        deviceNumbers[(size_t) found++] = number;
    }

    foundCount = found;
}

void DirectUsbAccess::logDriverVersion()
{
    for (int i = 0; i < foundCount; ++i)
    {
        const auto object = driver->openDeviceObject (deviceNumbers[(size_t) i]);

        if (object == UsbDriver::invalidHandle)
            continue;

        const auto version = driver->requestDriverVersion (object);
        DBG ("Kernel Version: " << (int) (version >> 24) << "." << (int) ((version >> 16) & 0xff) << "."
                                << (int) ((version >> 8) & 0xff) << "." << (int) (version & 0xff));
        juce::ignoreUnused (version);
        driver->closeHandle (object);
        return;
    }
}

int DirectUsbAccess::open()
{
    std::lock_guard<std::mutex> lock (openLock);

    if (pipesOpen)
    {
        DBG ("Already opened.");
        return alreadyOpen;
    }

    enumerate();

    if (foundCount == 0)
    {
        DBG ("No device is connected.");
        return deviceNotFound;
    }

    bool anyObjectOpens = false;
    for (int i = 0; i < foundCount && ! anyObjectOpens; ++i)
    {
        const auto object = driver->openDeviceObject (deviceNumbers[(size_t) i]);
        anyObjectOpens = object != UsbDriver::invalidHandle;
        if (anyObjectOpens)
            driver->closeHandle (object);
    }

    if (! anyObjectOpens)
    {
        DBG ("No compatible kernel driver exists.");
        return noCompatibleDriver;
    }

    logDriverVersion();

    PipeFailures failures;
    bool kept = false;

    for (int i = 0; i < foundCount && ! kept; ++i)
        kept = openPipesOf (deviceNumbers[(size_t) i], failures);

    if (! kept)
    {
        if (failures.denied)
        {
            DBG ("No permission to open the device.");
            return noPermission;
        }

        if (failures.any)
            return failedToOpenPipe;

        DBG ("Specified device is not found.");
        return deviceNotFound;
    }

    if (pacing.afterOpen > 0)
        juce::Thread::sleep (pacing.afterOpen);

    pipesOpen = true;
    return UsbAccess::opened;
}

bool DirectUsbAccess::openPipesOf (int deviceNumber, PipeFailures& failures)
{
    const auto noteFailure = [&]
    {
        failures.any = true;
        failures.denied = failures.denied || driver->lastOpenWasDenied();
    };

    readPipe = driver->openReadPipe (deviceNumber);

    if (readPipe == UsbDriver::invalidHandle)
    {
        noteFailure();
        return false;
    }

    writePipe = driver->openWritePipe (deviceNumber);

    if (writePipe == UsbDriver::invalidHandle)
    {
        noteFailure();
        closePipes();
        return false;
    }

    const auto indices = driver->requestStringIndices (writePipe);
    const auto manufacturer = requestString (writePipe, (int) ((indices >> 8) & 0xff));
    const auto product = requestString (writePipe, (int) (indices & 0xff));
    const auto identifier = driver->requestIdentifier (writePipe);

    DBG (deviceNumber << ": Vendor = " << juce::String::toHexString (vendorIdOf (identifier)).paddedLeft ('0', 4)
                      << " [" << manufacturer << "], Product = "
                      << juce::String::toHexString (productIdOf (identifier)).paddedLeft ('0', 4)
                      << " [" << product << "]");
    juce::ignoreUnused (manufacturer, product);

    // Only the product id tells the Plovara; the vendor id is not checked.
    if (productIdOf (identifier) == plovaraProductId)
        return true;

    closePipes();
    return false;
}

juce::String DirectUsbAccess::requestString (UsbDriver::Handle pipe, int stringIndex)
{
    const auto descriptor = driver->requestStringDescriptor (pipe, stringIndex);
    const auto* bytes = static_cast<const uint8_t*> (descriptor.getData());

    if (descriptor.getSize() < 2)
        return {};

    // A USB string descriptor: length, type, then UTF-16 little-endian text.
    const int length = std::min ({ (int) bytes[0], (int) descriptor.getSize(), 2 + maxStringBytes });
    juce::String text;

    for (int i = 2; i + 1 < length; i += 2)
        text += juce::String::charToString ((juce::juce_wchar) (bytes[i] | (bytes[i + 1] << 8)));

    return text;
}

void DirectUsbAccess::closePipes()
{
    if (writePipe != UsbDriver::invalidHandle)
        driver->closeHandle (writePipe);
    if (readPipe != UsbDriver::invalidHandle)
        driver->closeHandle (readPipe);

    writePipe = readPipe = UsbDriver::invalidHandle;
}

void DirectUsbAccess::close()
{
    std::lock_guard<std::mutex> lock (openLock);

    if (! pipesOpen)
        return;

    pipesOpen = false;
    stopReader();
    closePipes();
}

bool DirectUsbAccess::isDeviceConnected()
{
    std::lock_guard<std::mutex> lock (openLock);
    return pipesOpen && productIdOf (driver->requestIdentifier (writePipe)) == plovaraProductId;
}

bool DirectUsbAccess::writeBytes (const void* bytes, int count)
{
    if (! pipesOpen || isCancelled())
        return false;

    return count <= 0 || driver->write (writePipe, bytes, count);
}

UsbDriver::ReadResult DirectUsbAccess::readUnit (void* dest, int count, UsbDriver::ReadMode mode, int waitMs,
                                                const UsbDriver::StopRequest& stopRequested)
{
    if (! pipesOpen)
    {
        juce::Thread::sleep (waitMs);
        return UsbDriver::ReadResult::nothing;
    }

    return driver->read (readPipe, dest, count, mode, waitMs, stopRequested);
}
