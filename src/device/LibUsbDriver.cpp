#include "device/LibUsbDriver.h"

#include "device/DirectUsbAccess.h"
#include "device/UsbDeviceMatch.h"

#include <libusb.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
constexpr int writeTimeoutMs = 2000;
constexpr int maxStringDescriptorSize = 256;
constexpr uint16_t englishLanguage = 0x0409;
constexpr int scanIntervalMs = 1000;

// The descriptors of a device as libusb keeps them; reading them opens
// nothing.
UsbDeviceDescription describe (libusb_device* device)
{
    UsbDeviceDescription description;
    libusb_device_descriptor descriptor {};

    if (libusb_get_device_descriptor (device, &descriptor) != 0)
        return description;

    description.vendorId = descriptor.idVendor;
    description.productId = descriptor.idProduct;

    libusb_config_descriptor* config = nullptr;

    if (libusb_get_active_config_descriptor (device, &config) != 0 || config == nullptr)
        return description;

    for (int i = 0; i < config->bNumInterfaces; ++i)
    {
        for (int a = 0; a < config->interface[i].num_altsetting; ++a)
        {
            const auto& setting = config->interface[i].altsetting[a];
            UsbDeviceDescription::Interface described { setting.bInterfaceNumber, setting.bAlternateSetting,
                                                        setting.bInterfaceClass, setting.bInterfaceSubClass, {} };

            for (int e = 0; e < setting.bNumEndpoints; ++e)
            {
                const auto& endpoint = setting.endpoint[e];
                described.endpoints.push_back ({ endpoint.bEndpointAddress, endpoint.bmAttributes, endpoint.wMaxPacketSize });
            }

            description.interfaces.push_back (std::move (described));
        }
    }

    libusb_free_config_descriptor (config);
    return description;
}
}

//==============================================================================
BulkInReader::BulkInReader (int packetSizeToUse, Transfer transferToUse)
    : packetSize (packetSizeToUse), transfer (std::move (transferToUse))
{
}

UsbDriver::ReadResult BulkInReader::read (void* dest, int count, UsbDriver::ReadMode mode, int waitMs,
                                          const UsbDriver::StopRequest& stopRequested)
{
    auto* out = static_cast<uint8_t*> (dest);
    int got = takeReceived (out, count);

    while (got < count && ! (mode == UsbDriver::ReadMode::packets && got > 0))
    {
        const int arrived = receive (count - got, waitMs);

        if (arrived < 0)
            return UsbDriver::ReadResult::failed;

        if (arrived == 0 && got == 0)
            return UsbDriver::ReadResult::nothing;

        if (arrived == 0 && stopRequested())
            return UsbDriver::ReadResult::failed;

        got += takeReceived (out + got, count - got);
    }

    // A unit of event packets may come short: the rest of it is zero
    // packets, which mean nothing.
    std::fill (out + got, out + count, (uint8_t) 0);
    return UsbDriver::ReadResult::complete;
}

int BulkInReader::receive (int wanted, int waitMs)
{
    // Called only once everything received before has been taken.
    const int length = (wanted + packetSize - 1) / packetSize * packetSize;
    received.resize ((size_t) length);
    receivedTaken = 0;

    const int arrived = transfer (received.data(), length, waitMs);
    received.resize ((size_t) std::max (arrived, 0));
    return arrived;
}

int BulkInReader::takeReceived (uint8_t* dest, int count)
{
    const int taken = std::min (count, (int) (received.size() - receivedTaken));

    if (taken > 0)
    {
        std::memcpy (dest, received.data() + receivedTaken, (size_t) taken);
        receivedTaken += (size_t) taken;
    }

    return taken;
}

//==============================================================================
// A Plovara opened with its stream interface claimed.
struct LibUsbDriver::OpenDevice
{
    OpenDevice (libusb_device_handle* openedHandle, const UsbStreamInterface& claimed,
                const libusb_device_descriptor& deviceDescriptor)
        : handle (openedHandle), stream (claimed), descriptor (deviceDescriptor),
          reader (claimed.inMaxPacketSize, [this] (uint8_t* dest, int length, int waitMs)
          {
              int transferred = 0;
              const int result = libusb_bulk_transfer (handle, stream.inEndpoint, dest, length, &transferred,
                                                       (unsigned int) waitMs);
              return result == 0 || result == LIBUSB_ERROR_TIMEOUT ? transferred : -1;
          })
    {
    }

    ~OpenDevice()
    {
        libusb_release_interface (handle, stream.number);   // the kernel's driver comes back
        libusb_close (handle);
    }

    libusb_device_handle* const handle;
    const UsbStreamInterface stream;
    const libusb_device_descriptor descriptor;
    BulkInReader reader;
};

LibUsbDriver::LibUsbDriver()
{
    if (libusb_init (&context) != 0)
        context = nullptr;
}

LibUsbDriver::~LibUsbDriver()
{
    {
        std::lock_guard<std::mutex> guard (lock);
        entries.clear();
    }

    if (context != nullptr)
        libusb_exit (context);
}

bool LibUsbDriver::findDeviceObject (int deviceNumber, const DeviceObjectUse& use)
{
    if (context == nullptr)
        return false;

    libusb_device** list = nullptr;
    const auto count = libusb_get_device_list (context, &list);

    if (count < 0)
        return false;

    std::vector<UsbDeviceDescription> present;

    for (ssize_t i = 0; i < count; ++i)
        present.push_back (describe (list[i]));

    const auto object = UsbDeviceMatch::findDeviceObject (present, DirectUsbAccess::plovaraProductId, deviceNumber);

    if (object)
        use (list[object->index], object->stream);

    libusb_free_device_list (list, 1);
    return object.has_value();
}

std::shared_ptr<LibUsbDriver::OpenDevice> LibUsbDriver::openDevice (int deviceNumber)
{
    std::shared_ptr<OpenDevice> opened;

    findDeviceObject (deviceNumber, [&] (libusb_device* device, const UsbStreamInterface& stream)
    {
        libusb_device_handle* handle = nullptr;
        int result = libusb_open (device, &handle);

        if (result == 0)
        {
            libusb_set_auto_detach_kernel_driver (handle, 1);
            result = libusb_claim_interface (handle, stream.number);

            if (result == 0 && stream.alternateSetting != 0)
            {
                result = libusb_set_interface_alt_setting (handle, stream.number, stream.alternateSetting);

                if (result != 0)
                    libusb_release_interface (handle, stream.number);
            }

            if (result != 0)
                libusb_close (handle);
        }

        openDenied = result == LIBUSB_ERROR_ACCESS;

        if (result != 0)
            return;

        libusb_device_descriptor descriptor {};
        libusb_get_device_descriptor (device, &descriptor);
        opened = std::make_shared<OpenDevice> (handle, stream, descriptor);
    });

    return opened;
}

UsbDriver::Handle LibUsbDriver::openDeviceObject (int deviceNumber)
{
    // A device object is there while a Plovara is; nothing is opened yet.
    if (! findDeviceObject (deviceNumber, [] (libusb_device*, const UsbStreamInterface&) {}))
        return invalidHandle;

    std::lock_guard<std::mutex> guard (lock);
    entries[nextHandle] = { Kind::deviceObject, deviceNumber, nullptr };
    return nextHandle++;
}

UsbDriver::Handle LibUsbDriver::openReadPipe (int deviceNumber)
{
    return openPipe (deviceNumber, Kind::readPipe);
}

UsbDriver::Handle LibUsbDriver::openWritePipe (int deviceNumber)
{
    return openPipe (deviceNumber, Kind::writePipe);
}

UsbDriver::Handle LibUsbDriver::openPipe (int deviceNumber, Kind kind)
{
    std::lock_guard<std::mutex> guard (lock);
    std::shared_ptr<OpenDevice> shared;
    openDenied = false;

    for (auto& [handle, entry] : entries)
    {
        if (entry.deviceNumber != deviceNumber || entry.kind == Kind::deviceObject)
            continue;
        if (entry.kind == kind)
            return invalidHandle;
        shared = entry.device;
    }

    if (shared == nullptr)
        shared = openDevice (deviceNumber);

    if (shared == nullptr)
        return invalidHandle;

    entries[nextHandle] = { kind, deviceNumber, std::move (shared) };
    return nextHandle++;
}

void LibUsbDriver::closeHandle (Handle handle)
{
    std::shared_ptr<OpenDevice> released;
    std::lock_guard<std::mutex> guard (lock);
    auto found = entries.find (handle);

    if (found != entries.end())
    {
        released = std::move (found->second.device);
        entries.erase (found);
    }
}

std::shared_ptr<LibUsbDriver::OpenDevice> LibUsbDriver::deviceOf (Handle handle, Kind kind)
{
    std::lock_guard<std::mutex> guard (lock);
    auto found = entries.find (handle);
    return found != entries.end() && found->second.kind == kind ? found->second.device : nullptr;
}

uint32_t LibUsbDriver::requestDriverVersion (Handle deviceObject)
{
    {
        std::lock_guard<std::mutex> guard (lock);
        const auto found = entries.find (deviceObject);

        if (found == entries.end() || found->second.kind != Kind::deviceObject)
            return 0;
    }

    const auto* version = libusb_get_version();
    return ((uint32_t) (version->major & 0xff) << 24) | ((uint32_t) (version->minor & 0xff) << 16)
         | ((uint32_t) (version->micro & 0xff) << 8) | (uint32_t) (version->nano & 0xff);
}

uint32_t LibUsbDriver::requestIdentifier (Handle writePipe)
{
    const auto device = deviceOf (writePipe, Kind::writePipe);
    int configuration = 0;

    // Asking the device itself, so that an unplugged device answers nothing.
    if (device == nullptr || libusb_get_configuration (device->handle, &configuration) != 0)
        return 0;

    return ((uint32_t) device->descriptor.idVendor << 16) | device->descriptor.idProduct;
}

uint32_t LibUsbDriver::requestStringIndices (Handle writePipe)
{
    const auto device = deviceOf (writePipe, Kind::writePipe);
    return device == nullptr ? 0 : ((uint32_t) device->descriptor.iManufacturer << 8) | device->descriptor.iProduct;
}

juce::MemoryBlock LibUsbDriver::requestStringDescriptor (Handle writePipe, int stringIndex)
{
    const auto device = deviceOf (writePipe, Kind::writePipe);
    uint8_t buffer[maxStringDescriptorSize] = {};

    if (device == nullptr || stringIndex <= 0)
        return {};

    const int length = libusb_get_string_descriptor (device->handle, (uint8_t) stringIndex, englishLanguage,
                                                     buffer, (int) sizeof (buffer));
    return length > 0 ? juce::MemoryBlock (buffer, (size_t) length) : juce::MemoryBlock();
}

UsbDriver::ReadResult LibUsbDriver::read (Handle readPipe, void* dest, int count, ReadMode mode, int waitMs,
                                          const StopRequest& stopRequested)
{
    const auto device = deviceOf (readPipe, Kind::readPipe);
    return device == nullptr ? ReadResult::failed : device->reader.read (dest, count, mode, waitMs, stopRequested);
}

bool LibUsbDriver::write (Handle writePipe, const void* bytes, int count)
{
    const auto device = deviceOf (writePipe, Kind::writePipe);

    if (device == nullptr)
        return false;

    auto* data = static_cast<uint8_t*> (const_cast<void*> (bytes));

    for (int written = 0; written < count;)
    {
        int transferred = 0;
        const int result = libusb_bulk_transfer (device->handle, device->stream.outEndpoint, data + written,
                                                 count - written, &transferred, writeTimeoutMs);
        written += transferred;

        if (result != 0 && transferred == 0)
            return false;
    }

    return true;
}

//==============================================================================
class UsbDeviceWatch::Worker : public juce::Thread
{
public:
    explicit Worker (std::function<void()> callback)
        : juce::Thread ("USB Device Watch"), onChange (std::move (callback))
    {
        if (libusb_init (&context) != 0)
        {
            context = nullptr;
            return;
        }

        if (libusb_has_capability (LIBUSB_CAP_HAS_HOTPLUG) != 0)
            hotplug = libusb_hotplug_register_callback (context,
                          (libusb_hotplug_event) (LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
                          LIBUSB_HOTPLUG_NO_FLAGS, LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
                          LIBUSB_HOTPLUG_MATCH_ANY, &Worker::hotplugEvent, this, &hotplugHandle) == 0;

        startThread();
    }

    ~Worker() override
    {
        stopThread (2000);

        if (context == nullptr)
            return;

        if (hotplug)
            libusb_hotplug_deregister_callback (context, hotplugHandle);

        libusb_exit (context);
    }

private:
    void run() override
    {
        auto signature = scan();

        while (! threadShouldExit())
        {
            if (hotplug)
            {
                timeval pollTime { 0, 100000 };
                libusb_handle_events_timeout_completed (context, &pollTime, nullptr);
                continue;
            }

            wait (scanIntervalMs);
            auto now = scan();

            if (now != signature)
                onChange();

            signature = std::move (now);
        }
    }

    // Bus number and address of every device present.
    std::vector<int> scan() const
    {
        std::vector<int> present;
        libusb_device** list = nullptr;
        const auto count = libusb_get_device_list (context, &list);

        for (ssize_t i = 0; i < count; ++i)
            present.push_back (libusb_get_bus_number (list[i]) * 256 + libusb_get_device_address (list[i]));

        if (count >= 0)
            libusb_free_device_list (list, 1);

        std::sort (present.begin(), present.end());
        return present;
    }

    static int LIBUSB_CALL hotplugEvent (libusb_context*, libusb_device*, libusb_hotplug_event, void* user)
    {
        static_cast<Worker*> (user)->onChange();
        return 0;
    }

    std::function<void()> onChange;
    libusb_context* context = nullptr;
    bool hotplug = false;
    libusb_hotplug_callback_handle hotplugHandle {};
};

UsbDeviceWatch::UsbDeviceWatch (std::function<void()> onChange)
    : worker (std::make_unique<Worker> (std::move (onChange)))
{
}

UsbDeviceWatch::~UsbDeviceWatch() = default;
