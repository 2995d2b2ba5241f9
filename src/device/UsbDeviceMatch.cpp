#include "device/UsbDeviceMatch.h"

namespace
{
constexpr int audioClass = 1;
constexpr int midiStreamingSubclass = 3;
constexpr int vendorSpecificClass = 0xff;
constexpr int transferTypeMask = 0x03;
constexpr int bulkTransfer = 0x02;
constexpr int directionIn = 0x80;

// The interface's one bulk IN and one bulk OUT endpoint, if it has exactly
// those; an endpoint whose packets hold nothing does not count.
std::optional<UsbStreamInterface> bulkPairOf (const UsbDeviceDescription::Interface& setting)
{
    const UsbDeviceDescription::Endpoint* in = nullptr;
    const UsbDeviceDescription::Endpoint* out = nullptr;
    int ins = 0, outs = 0;

    for (const auto& endpoint : setting.endpoints)
    {
        if ((endpoint.attributes & transferTypeMask) != bulkTransfer || endpoint.maxPacketSize <= 0)
            continue;

        if ((endpoint.address & directionIn) != 0)
        {
            in = &endpoint;
            ++ins;
        }
        else
        {
            out = &endpoint;
            ++outs;
        }
    }

    if (ins != 1 || outs != 1)
        return std::nullopt;

    return UsbStreamInterface { setting.number, setting.alternateSetting, in->address, out->address, in->maxPacketSize };
}
}

std::optional<UsbStreamInterface> UsbDeviceMatch::findStreamInterface (const UsbDeviceDescription& device, int productId)
{
    if (device.productId != productId)
        return std::nullopt;

    std::optional<UsbStreamInterface> vendorSpecific;

    for (const auto& setting : device.interfaces)
    {
        const bool midiStreaming = setting.interfaceClass == audioClass && setting.subclass == midiStreamingSubclass;

        if (! midiStreaming && setting.interfaceClass != vendorSpecificClass)
            continue;

        const auto pair = bulkPairOf (setting);

        if (pair && midiStreaming)
            return pair;

        if (pair && ! vendorSpecific)
            vendorSpecific = pair;
    }

    return vendorSpecific;
}

std::optional<UsbDeviceMatch::DeviceObject> UsbDeviceMatch::findDeviceObject (const std::vector<UsbDeviceDescription>& present,
                                                                             int productId, int deviceNumber)
{
    int found = 0;

    for (size_t i = 0; i < present.size(); ++i)
        if (const auto stream = findStreamInterface (present[i], productId))
            if (found++ == deviceNumber)
                return DeviceObject { i, *stream };

    return std::nullopt;
}
