#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A USB device as its descriptors describe it: what is known of it without
// opening it.
struct UsbDeviceDescription
{
    struct Endpoint
    {
        uint8_t address = 0;      // bit 7 set: IN
        uint8_t attributes = 0;   // bits 0 and 1: the transfer type
        int maxPacketSize = 0;
    };

    // One interface descriptor of the active configuration: an interface in
    // one of its alternate settings.
    struct Interface
    {
        int number = 0;
        int alternateSetting = 0;
        int interfaceClass = 0;
        int subclass = 0;
        std::vector<Endpoint> endpoints;
    };

    int vendorId = 0;
    int productId = 0;
    std::vector<Interface> interfaces;
};

// The interface that carries the stream to and from the device, with its
// two bulk endpoints.
struct UsbStreamInterface
{
    int number = 0;
    int alternateSetting = 0;
    uint8_t inEndpoint = 0;
    uint8_t outEndpoint = 0;
    int inMaxPacketSize = 0;
};

// Which USB devices are the Plovara, decided from their descriptors alone,
// so that nothing is opened or claimed on a device that is not ours.
namespace UsbDeviceMatch
{
    // The stream interface of a device with the product id (the vendor id is
    // not looked at): a MIDI-streaming interface (audio class, subclass 3) or
    // a vendor-specific one (class 0xFF) with exactly one bulk IN and one
    // bulk OUT endpoint that can carry data. A MIDI-streaming one is taken
    // before a vendor-specific one, otherwise the first in descriptor order.
    std::optional<UsbStreamInterface> findStreamInterface (const UsbDeviceDescription& device, int productId);

    struct DeviceObject
    {
        size_t index = 0;   // in the list of devices present
        UsbStreamInterface stream;
    };

    // Device object number n: the n-th device of the list (counting from 0)
    // that has a stream interface.
    std::optional<DeviceObject> findDeviceObject (const std::vector<UsbDeviceDescription>& present, int productId,
                                                  int deviceNumber);
}
