#include "device/StreamUsbDriver.h"

UsbDriver::Handle StreamUsbDriver::openDeviceObject (int deviceNumber)
{
    const auto descriptor = probe (deviceNumber);

    if (! descriptor.has_value())
        return invalidHandle;

    std::lock_guard<std::mutex> guard (lock);
    entries[nextHandle] = { Kind::deviceObject, deviceNumber, *descriptor, nullptr };
    return nextHandle++;
}

UsbDriver::Handle StreamUsbDriver::openReadPipe (int deviceNumber)
{
    return openPipe (deviceNumber, Kind::readPipe);
}

UsbDriver::Handle StreamUsbDriver::openWritePipe (int deviceNumber)
{
    return openPipe (deviceNumber, Kind::writePipe);
}

UsbDriver::Handle StreamUsbDriver::openPipe (int deviceNumber, Kind kind)
{
    std::lock_guard<std::mutex> guard (lock);
    std::shared_ptr<DeviceStream> shared;

    for (auto& [handle, entry] : entries)
    {
        if (entry.deviceNumber != deviceNumber || entry.kind == Kind::deviceObject)
            continue;

        if (entry.kind == kind)
            return invalidHandle;   // this pipe is in use

        shared = entry.stream;
    }

    if (shared == nullptr)
        shared = connect (deviceNumber);

    if (shared == nullptr || ! shared->isAlive())
        return invalidHandle;

    entries[nextHandle] = { kind, deviceNumber, shared->getDescriptor(), shared };
    return nextHandle++;
}

void StreamUsbDriver::closeHandle (Handle handle)
{
    std::shared_ptr<DeviceStream> released;
    std::lock_guard<std::mutex> guard (lock);
    auto found = entries.find (handle);

    if (found == entries.end())
        return;

    released = std::move (found->second.stream);
    entries.erase (found);
}

std::shared_ptr<DeviceStream> StreamUsbDriver::streamOf (Handle handle, Kind kind)
{
    std::lock_guard<std::mutex> guard (lock);
    auto found = entries.find (handle);
    return found != entries.end() && found->second.kind == kind ? found->second.stream : nullptr;
}

std::optional<DeviceDescriptor> StreamUsbDriver::liveDescriptorOf (Handle writePipe)
{
    const auto stream = streamOf (writePipe, Kind::writePipe);

    if (stream == nullptr || ! stream->isAlive())
        return std::nullopt;

    return stream->getDescriptor();
}

uint32_t StreamUsbDriver::requestDriverVersion (Handle deviceObject)
{
    std::lock_guard<std::mutex> guard (lock);
    auto found = entries.find (deviceObject);
    return found != entries.end() ? found->second.descriptor.driverVersion : 0;
}

uint32_t StreamUsbDriver::requestIdentifier (Handle writePipe)
{
    const auto descriptor = liveDescriptorOf (writePipe);
    return descriptor.has_value() ? descriptor->getIdentifier() : 0;
}

uint32_t StreamUsbDriver::requestStringIndices (Handle writePipe)
{
    const auto descriptor = liveDescriptorOf (writePipe);
    return descriptor.has_value() ? descriptor->getStringIndices() : 0;
}

juce::MemoryBlock StreamUsbDriver::requestStringDescriptor (Handle writePipe, int stringIndex)
{
    const auto descriptor = liveDescriptorOf (writePipe);
    return descriptor.has_value() ? descriptor->getStringDescriptor (stringIndex) : juce::MemoryBlock();
}

UsbDriver::ReadResult StreamUsbDriver::read (Handle readPipe, void* dest, int count, ReadMode, int waitMs,
                                             const StopRequest& stopRequested)
{
    // Emulated devices always send whole units, so both modes read exactly.
    const auto stream = streamOf (readPipe, Kind::readPipe);
    return stream != nullptr ? stream->read (dest, count, waitMs, stopRequested) : ReadResult::failed;
}

bool StreamUsbDriver::write (Handle writePipe, const void* bytes, int count)
{
    const auto stream = streamOf (writePipe, Kind::writePipe);
    return stream != nullptr && stream->write (bytes, count);
}
