#include "device/DeviceMessages.h"

#include "data/SampleData.h"

#include <algorithm>
#include <cstring>

namespace DeviceMessages
{
namespace
{
SysExCommand withData (int id, int channel, const void* bytes, size_t size)
{
    SysExCommand command (id, bytes, size);
    command.channel = channel;
    return command;
}
}

SysExCommand request (int id, int channel, int number)
{
    SysExCommand command (id);
    command.channel = channel;
    command.bankNumber = number;
    command.sampleNumber = number;
    command.patternNumber = number;
    return command;
}

SysExCommand bankImage (int bankNumber, const BankImage& image, int channel)
{
    const auto block = image.build();
    const int id = bankNumber < 0 ? SysExCommand::currentBankImage : SysExCommand::bankImage;
    auto command = withData (id, channel, block.getData(), block.getSize());
    command.bankNumber = std::max (bankNumber, 0);
    return command;
}

SysExCommand sampleHeader (int sampleIndex, const SampleData& sample, int channel)
{
    uint8_t header[SampleData::headerSize];
    sample.buildHeader (header);
    auto command = withData (SysExCommand::sampleHeader, channel, header, sizeof (header));
    command.sampleNumber = sampleIndex;
    return command;
}

SysExCommand sampleParameters (int sampleIndex, const SampleData& sample, int channel)
{
    uint8_t block[SampleData::parameterBlockSize];
    sample.buildParameterBlock (block);
    auto command = withData (SysExCommand::sampleParameters, channel, block, sizeof (block));
    command.sampleNumber = sampleIndex;
    return command;
}

SysExCommand sampleData (const SampleData& sample)
{
    SysExCommand command (SysExCommand::sampleData);
    const int byteCount = sample.getPcmByteCount();
    command.data.setSize ((size_t) byteCount);
    sample.encodePcm (static_cast<uint8_t*> (command.data.getData()), byteCount);
    return command;
}

SysExCommand patternInfo (int patternIndex, int patternByteCount, int channel)
{
    auto command = request (SysExCommand::patternInfo, channel, patternIndex);
    command.dataSize = patternByteCount;
    return command;
}

SysExCommand patternData (const void* patternBlock, size_t blockSize)
{
    return withData (SysExCommand::patternData, 0, patternBlock, blockSize);
}

SysExCommand effect (const BankImage::EffectImage& image, int channel)
{
    return withData (SysExCommand::effectData, channel, image.data(), image.size());
}

SysExCommand globalData (const GlobalImage& image, int channel)
{
    return withData (SysExCommand::globalData, channel, image.data(), image.size());
}

SysExCommand parameterChange (int group, int index, int value, int channel)
{
    auto command = request (SysExCommand::parameterChange, channel);
    command.word1 = group;
    command.word2 = index;
    command.word3 = value;
    return command;
}

SysExCommand leaveBankDump (bool endOfDump, int channel)
{
    auto command = request (SysExCommand::leaveBankDump, channel);
    command.optionByte = endOfDump ? 1 : 0;
    return command;
}

size_t copyReplyData (const SysExCommand& reply, uint8_t* dest, size_t capacity)
{
    const size_t count = std::min (capacity, reply.data.getSize());

    if (count > 0)
        std::memcpy (dest, reply.data.getData(), count);

    return count;
}
}
