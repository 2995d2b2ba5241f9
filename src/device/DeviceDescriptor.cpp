#include "device/DeviceDescriptor.h"

#include <cstring>

namespace
{
constexpr char magic[4] = { 'P', 'L', 'V', 'D' };
constexpr int namesOffset = 12;
constexpr int namesSpace = DeviceDescriptor::size - namesOffset;
constexpr int maxStringDescriptorSize = 256;
constexpr uint8_t stringDescriptorType = 3;

// The longest start of the text whose UTF-8 takes at most maxBytes bytes.
juce::String fitUtf8 (const juce::String& text, int maxBytes)
{
    auto fitted = text;

    while ((int) fitted.getNumBytesAsUTF8() > maxBytes)
        fitted = fitted.dropLastCharacters (1);

    return fitted;
}
}

juce::MemoryBlock DeviceDescriptor::makeStringDescriptor (const juce::String& text)
{
    juce::MemoryOutputStream out;
    out.writeByte (0);
    out.writeByte ((char) stringDescriptorType);

    for (auto c : text)
    {
        if (out.getDataSize() + 2 > (size_t) maxStringDescriptorSize - 2)
            break;
        out.writeShort ((short) (c <= 0xffff ? c : '?'));
    }

    auto block = out.getMemoryBlock();
    static_cast<uint8_t*> (block.getData())[0] = (uint8_t) block.getSize();
    return block;
}

juce::MemoryBlock DeviceDescriptor::getStringDescriptor (int stringIndex) const
{
    if (stringIndex == manufacturerStringIndex)
        return makeStringDescriptor (manufacturer);
    if (stringIndex == productStringIndex)
        return makeStringDescriptor (product);
    return {};
}

juce::MemoryBlock DeviceDescriptor::toBytes() const
{
    juce::MemoryBlock block ((size_t) size, true);
    auto* bytes = static_cast<uint8_t*> (block.getData());

    std::memcpy (bytes, magic, sizeof (magic));
    bytes[4] = (uint8_t) (vendorId & 0xff);
    bytes[5] = (uint8_t) ((vendorId >> 8) & 0xff);
    bytes[6] = (uint8_t) (productId & 0xff);
    bytes[7] = (uint8_t) ((productId >> 8) & 0xff);

    for (int i = 0; i < 4; ++i)
        bytes[8 + i] = (uint8_t) (driverVersion >> (24 - 8 * i));

    // Both names with their zero bytes must fit; the manufacturer gets at
    // most half of the space.
    const auto maker = fitUtf8 (manufacturer, namesSpace / 2 - 1);
    const auto makerBytes = (int) maker.getNumBytesAsUTF8();
    const auto name = fitUtf8 (product, namesSpace - makerBytes - 2);

    std::memcpy (bytes + namesOffset, maker.toRawUTF8(), (size_t) makerBytes);
    std::memcpy (bytes + namesOffset + makerBytes + 1, name.toRawUTF8(), name.getNumBytesAsUTF8());
    return block;
}

std::optional<DeviceDescriptor> DeviceDescriptor::fromBytes (const void* data, size_t length)
{
    const auto* bytes = static_cast<const uint8_t*> (data);

    if (bytes == nullptr || length < (size_t) size || std::memcmp (bytes, magic, sizeof (magic)) != 0)
        return std::nullopt;

    DeviceDescriptor descriptor;
    descriptor.vendorId = bytes[4] | (bytes[5] << 8);
    descriptor.productId = bytes[6] | (bytes[7] << 8);
    descriptor.driverVersion = ((uint32_t) bytes[8] << 24) | ((uint32_t) bytes[9] << 16)
                             | ((uint32_t) bytes[10] << 8) | bytes[11];

    // Two zero-ended strings; a missing terminator ends at the block's end.
    const auto* names = reinterpret_cast<const char*> (bytes + namesOffset);
    const auto makerLength = strnlen (names, (size_t) namesSpace);
    descriptor.manufacturer = juce::String::fromUTF8 (names, (int) makerLength);

    if ((int) makerLength + 1 < namesSpace)
    {
        const auto* product = names + makerLength + 1;
        const auto productLength = strnlen (product, (size_t) namesSpace - makerLength - 1);
        descriptor.product = juce::String::fromUTF8 (product, (int) productLength);
    }

    return descriptor;
}
