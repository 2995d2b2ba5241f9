#include "device/LibUsbDriver.h"

#include <libusb.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
constexpr int audioClass = 1;
constexpr int midiStreamingSubclass = 3;
constexpr int writeTimeoutMs = 2000;
constexpr int maxStringDescriptorSize = 256;
constexpr uint16_t englishLanguage = 0x0409;
constexpr int scanIntervalMs = 1000;
}

struct LibUsbDriver::MidiInterface
{
    int interfaceNumber = -1;
    uint8_t inEndpoint = 0;
    uint8_t outEndpoint = 0;
};

struct LibUsbDriver::OpenDevice
{
    libusb_device_handle* handle = nullptr;
    MidiInterface midi;
    libusb_device_descriptor descriptor {};
    bool claimed = false;

    ~OpenDevice()
    {
        if (claimed)
            libusb_release_interface (handle, midi.interfaceNumber);   // the kernel's driver comes back
        libusb_close (handle);
    }
};

namespace
{
// The MIDI-streaming interface of a device with exactly one bulk IN and one
// bulk OUT endpoint, if it has one.
bool findMidiInterface (libusb_device* device, int& interfaceNumber, uint8_t& in, uint8_t& out)
{
    libusb_config_descriptor* config = nullptr;

    if (libusb_get_active_config_descriptor (device, &config) != 0 || config == nullptr)
        return false;

    bool found = false;

    for (int i = 0; i < config->bNumInterfaces && ! found; ++i)
    {
        for (int a = 0; a < config->interface[i].num_altsetting && ! found; ++a)
        {
            const auto& setting = config->interface[i].altsetting[a];

            if (setting.bInterfaceClass != audioClass || setting.bInterfaceSubClass != midiStreamingSubclass)
                continue;

            std::vector<uint8_t> ins, outs;

            for (int e = 0; e < setting.bNumEndpoints; ++e)
            {
                const auto& endpoint = setting.endpoint[e];

                if ((endpoint.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_BULK)
                    ((endpoint.bEndpointAddress & LIBUSB_ENDPOINT_IN) != 0 ? ins : outs).push_back (endpoint.bEndpointAddress);
            }

            found = ins.size() == 1 && outs.size() == 1;

            if (found)
            {
                interfaceNumber = setting.bInterfaceNumber;
                in = ins.front();
                out = outs.front();
            }
        }
    }

    libusb_free_config_descriptor (config);
    return found;
}
}

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

std::shared_ptr<LibUsbDriver::OpenDevice> LibUsbDriver::openDevice (int deviceNumber, bool claim)
{
    if (context == nullptr || deviceNumber < 0)
        return nullptr;

    libusb_device** list = nullptr;
    const auto count = libusb_get_device_list (context, &list);
    std::shared_ptr<OpenDevice> opened;
    int found = 0;

    for (ssize_t i = 0; i < count && opened == nullptr; ++i)
    {
        MidiInterface midi;

        if (! findMidiInterface (list[i], midi.interfaceNumber, midi.inEndpoint, midi.outEndpoint) || found++ != deviceNumber)
            continue;

        libusb_device_handle* handle = nullptr;

        if (libusb_open (list[i], &handle) != 0)
            break;

        opened = std::make_shared<OpenDevice>();
        opened->handle = handle;
        opened->midi = midi;
        libusb_get_device_descriptor (list[i], &opened->descriptor);
    }

    libusb_free_device_list (list, 1);

    if (opened != nullptr && claim)
    {
        libusb_set_auto_detach_kernel_driver (opened->handle, 1);
        opened->claimed = libusb_claim_interface (opened->handle, opened->midi.interfaceNumber) == 0;

        if (! opened->claimed)
            return nullptr;
    }

    return opened;
}

UsbDriver::Handle LibUsbDriver::openDeviceObject (int deviceNumber)
{
    auto device = openDevice (deviceNumber, false);

    if (device == nullptr)
        return invalidHandle;

    std::lock_guard<std::mutex> guard (lock);
    entries[nextHandle] = { Kind::deviceObject, deviceNumber, std::move (device) };
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

    for (auto& [handle, entry] : entries)
    {
        if (entry.deviceNumber != deviceNumber || entry.kind == Kind::deviceObject)
            continue;
        if (entry.kind == kind)
            return invalidHandle;
        shared = entry.device;
    }

    if (shared == nullptr)
        shared = openDevice (deviceNumber, true);

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
    if (deviceOf (deviceObject, Kind::deviceObject) == nullptr)
        return 0;

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

    if (device == nullptr)
        return ReadResult::failed;

    auto* out = static_cast<uint8_t*> (dest);
    int got = 0;

    while (got < count)
    {
        int transferred = 0;
        const int result = libusb_bulk_transfer (device->handle, device->midi.inEndpoint, out + got, count - got,
                                                 &transferred, (unsigned int) waitMs);
        got += transferred;

        if (result == LIBUSB_ERROR_TIMEOUT && got == 0)
            return ReadResult::nothing;

        if (result != 0 && result != LIBUSB_ERROR_TIMEOUT)
            return ReadResult::failed;

        if (transferred == 0 && stopRequested())
            return ReadResult::failed;

        // A short USB packet ends a unit of event packets; the rest of the
        // unit is zero packets, which mean nothing.
        if (mode == ReadMode::packets && got < count)
        {
            std::memset (out + got, 0, (size_t) (count - got));
            got = count;
        }
    }

    return ReadResult::complete;
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
        const int result = libusb_bulk_transfer (device->handle, device->midi.outEndpoint, data + written,
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
