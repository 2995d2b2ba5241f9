#include "device/virtual/VirtualPlovara.h"

#include "data/ByteFields.h"
#include "data/SampleData.h"
#include "device/BankImage.h"
#include "device/ReadPipeParser.h"

#include <algorithm>
#include <cstring>

namespace
{
using Id = SysExCommand::MessageId;

constexpr int unitSize = 64;
constexpr int dumpDone = 0;
constexpr int dumpNotInDumpMode = 2;
constexpr int memoryProtectBit = 0x10;
constexpr uint32_t driverVersion = 0x01000000;
constexpr char stateMagic[4] = { 'P', 'L', 'V', 'S' };
constexpr int stateVersion = 1;

// Parameter change groups and the parameters they carry.
constexpr int bankGroup = 0;
constexpr int firstSampleGroup = 16;
constexpr int effectGroup = 0x50;
constexpr int nameLength = 8;

juce::int64 roundUp (juce::int64 bytes, juce::int64 granule)
{
    return (bytes + granule - 1) / granule * granule;
}

juce::int64 patternMemoryOf (juce::int64 size)
{
    // A block of n bytes takes (n div 2048 + 1) granules, so a whole number
    // of granules still takes one more.
    return size <= 0 ? 0 : (size / VirtualPlovara::patternMemoryGranule + 1) * VirtualPlovara::patternMemoryGranule;
}

int signed14 (int word)
{
    return (word & 0x2000) != 0 ? (word & 0x3fff) - 0x4000 : word & 0x3fff;
}

void setBits (uint8_t& byte, int shift, int mask, int value)
{
    byte = (uint8_t) ((byte & ~(mask << shift)) | ((value & mask) << shift));
}

void copyStart (const juce::MemoryBlock& from, uint8_t* to, size_t capacity)
{
    // An empty block may have no data at all, not even a pointer to copy from.
    if (const auto count = std::min (capacity, from.getSize()); count > 0)
        std::memcpy (to, from.getData(), count);
}
}

juce::int64 VirtualPlovara::Bank::sampleMemoryUsed() const
{
    juce::int64 used = 0;
    for (auto& sample : samples)
        used += roundUp ((juce::int64) sample.pcm.getSize(), sampleMemoryGranule);
    return used;
}

juce::int64 VirtualPlovara::Bank::patternMemoryUsed() const
{
    juce::int64 used = 0;
    for (auto& pattern : patterns)
        used += patternMemoryOf ((juce::int64) pattern.getSize());
    return used;
}

bool VirtualPlovara::Sample::operator== (const Sample& other) const
{
    return header == other.header && parameters == other.parameters && pcm == other.pcm;
}

bool VirtualPlovara::Bank::operator== (const Bank& other) const
{
    return parameters == other.parameters && samples == other.samples && patterns == other.patterns
        && effect == other.effect;
}

juce::MemoryBlock VirtualPlovara::makeInitialPattern()
{
    constexpr int size = 1308;
    constexpr int measures = 100;
    juce::MemoryBlock block ((size_t) size, true);
    auto* p = static_cast<uint8_t*> (block.getData());

    std::memcpy (p, "SEQP", 4);
    p[6] = (uint8_t) (size >> 8);
    p[7] = (uint8_t) (size & 0xff);
    p[9] = 4;      // length parameter
    p[11] = 4;     // recorded length
    p[15] = 8;     // events in the recorded measures

    for (int k = 0; k < measures; ++k)
    {
        const int offset = 0x200 + 8 * k;
        p[16 + 4 * k + 2] = (uint8_t) (offset >> 8);
        p[16 + 4 * k + 3] = (uint8_t) (offset & 0xff);
    }

    std::memset (p + 416, 0xff, 96);
    p[480] = 0;
    std::memcpy (p + 488, "INITPTRN", nameLength);

    for (int m = 0; m < measures - 1; ++m)
    {
        const uint8_t measure[8] = { 0xff, (uint8_t) m, 0x00, 0x02, 0xf0, 0x00, 0x01, 0x80 };
        std::memcpy (p + 512 + 8 * m, measure, sizeof (measure));
    }

    const uint8_t lastMeasure[4] = { 0xff, 0x63, 0x00, 0x01 };
    std::memcpy (p + size - 4, lastMeasure, sizeof (lastMeasure));
    return block;
}

VirtualPlovara::Bank VirtualPlovara::makeDefaultBank()
{
    Bank bank;
    bank.parameters.fill (0xff);
    std::memcpy (bank.parameters.data(), "INITBANK", nameLength);
    ByteFields::putLittleEndian16 (bank.parameters.data() + 8, 1200);
    bank.parameters[11] = 0x80;

    SampleData empty;
    for (auto& sample : bank.samples)
    {
        empty.buildHeader (sample.header.data());
        empty.buildParameterBlock (sample.parameters.data());
    }

    const auto initial = makeInitialPattern();
    for (auto& pattern : bank.patterns)
        pattern = initial;

    const uint8_t reverb[] = { 6, 0, 2, 0, 10, 1, 19, 39, 10, 20, 0, 63 };
    std::memcpy (bank.effect.data(), reverb, sizeof (reverb));
    return bank;
}

VirtualPlovara::GlobalImage VirtualPlovara::makeDefaultGlobalData()
{
    return { 0x46, 0x00, 0x01, 0x11, 0x00, 0x1a };
}

VirtualPlovara::VirtualPlovara()
    : global (makeDefaultGlobalData()),
      interpreter (*this, 1, false)
{
    // Built once: every device starts with eight of these.
    static const Bank defaultBank = makeDefaultBank();
    banks.fill (defaultBank);
}

DeviceDescriptor VirtualPlovara::getDescriptor() const
{
    return { vendorId, productId, driverVersion, "Virtual", "Plovara" };
}

void VirtualPlovara::attach (Output* output)
{
    std::lock_guard<std::mutex> guard (lock);
    connected = output;
    unplugged = false;
    partialBytes = 0;
    rawTarget = RawTarget::none;
}

void VirtualPlovara::detach (Output* output)
{
    std::lock_guard<std::mutex> guard (lock);
    if (connected == output)
        connected = nullptr;
}

bool VirtualPlovara::takeUnplugRequest()
{
    std::lock_guard<std::mutex> guard (lock);
    return std::exchange (unplugRequested, false);
}

//==============================================================================
void VirtualPlovara::receive (const void* data, size_t count)
{
    std::lock_guard<std::mutex> guard (lock);
    const auto* bytes = static_cast<const uint8_t*> (data);

    for (size_t used = 0; used < count && ! unplugged;)
    {
        if (rawTarget != RawTarget::none)
            receiveRawBytes (bytes + used, count - used, used);
        else
            receivePacketBytes (bytes + used, count - used, used);
    }
}

void VirtualPlovara::receivePacketBytes (const uint8_t* bytes, size_t count, size_t& used)
{
    // One packet at a time: a sample header may switch to raw bytes at once.
    const size_t n = std::min (count, partialPacket.size() - partialBytes);
    std::memcpy (partialPacket.data() + partialBytes, bytes, n);
    partialBytes += n;
    used += n;

    if (partialBytes == partialPacket.size())
    {
        partialBytes = 0;
        interpreter.processPackets (partialPacket.data(), partialPacket.size());
    }
}

void VirtualPlovara::receiveRawBytes (const uint8_t* bytes, size_t count, size_t& used)
{
    const auto n = (size_t) std::min<juce::int64> ((juce::int64) count, rawExpected - (juce::int64) rawBytes.getSize());
    rawBytes.append (bytes, n);
    used += n;

    if ((juce::int64) rawBytes.getSize() == rawExpected)
        finishRawTransfer();
}

void VirtualPlovara::finishRawTransfer()
{
    const bool isSample = rawTarget == RawTarget::sample;
    SysExCommand logged (isSample ? Id::sampleData : Id::patternData);
    logged.dataSize = (int) rawBytes.getSize();
    log (logged);

    auto& bank = addressedBank();

    if (isSample)
    {
        auto& sample = bank.samples[(size_t) rawIndex];
        sample.header = pendingHeader;
        sample.pcm = std::move (rawBytes);
    }
    else
    {
        bank.patterns[(size_t) rawIndex] = std::move (rawBytes);
    }

    rawBytes.reset();
    rawTarget = RawTarget::none;
    reply (writeSuccessCode (true));
}

void VirtualPlovara::handleSysExData (const uint8_t* data, int length, bool complete, int)
{
    if (! complete)
        return;

    SysExCommand message;

    if (message.decode (data, (size_t) length))
        handleMessage (message);
}

bool VirtualPlovara::isWrite (int id) const
{
    return id == Id::currentBankImage || id == Id::bankImage || id == Id::sampleHeader || id == Id::patternInfo
        || id == Id::sampleParameters || id == Id::effectData || id == Id::globalData;
}

void VirtualPlovara::handleMessage (const SysExCommand& message)
{
    const int id = message.messageId;
    const bool universal = id == Id::deviceInquiryRequest || id == Id::deviceInquiryReply;

    // Device messages on another MIDI channel are not meant for this device.
    if (! universal && message.channel != midiChannel())
        return;

    log (message);

    if (id == Id::deviceInquiryRequest)
        return answerInquiry (message);

    if (id == Id::parameterChange)
        return applyParameterChange (message);

    if (id == Id::leaveBankDump)
        return leaveDumpMode (message);

    const bool request = id <= Id::sampleDataRequest || id == Id::globalDataRequest;

    if (! request && ! isWrite (id))
        return;   // replies of a device and unused ids mean nothing here

    if (faults.notReady)
        return reply (Id::deviceNotReady);

    if (isWrite (id) && memoryProtectOn() && id != Id::patternInfo)
        return reply (Id::requestFailed);

    auto& bank = addressedBank();

    switch (id)
    {
        case Id::currentBankRequest:     return sendBankImage (Id::currentBankImage, currentBank);
        case Id::bankRequest:            return sendBankImage (Id::bankImage, message.bankNumber);
        case Id::currentBankImage:       return takeBankImage (message, currentBank);
        case Id::bankImage:              return takeBankImage (message, message.bankNumber);
        case Id::sampleHeader:           return takeSampleHeader (message);
        case Id::patternInfo:            return takePatternInfo (message);
        case Id::sampleParameters:       return takeSampleParameters (message);
        case Id::effectData:             return takeEffect (message);
        case Id::globalData:             return takeGlobalData (message);
        case Id::sampleDataRequest:      return sendSampleData();
        case Id::patternDataRequest:     return sendPatternData();

        case Id::sampleHeaderRequest:
            lastSampleAsked = message.sampleNumber;
            return reply (Id::sampleHeader, [&] (SysExCommand& r)
            {
                r.sampleNumber = message.sampleNumber;
                r.data.replaceAll (bank.samples[(size_t) message.sampleNumber].header.data(), headerSize);
            });

        case Id::patternInfoRequest:
            lastPatternAsked = message.patternNumber;
            return reply (Id::patternInfo, [&] (SysExCommand& r)
            {
                r.patternNumber = message.patternNumber;
                r.dataSize = (int) bank.patterns[(size_t) message.patternNumber].getSize();
            });

        case Id::sampleParameterRequest:
            return reply (Id::sampleParameters, [&] (SysExCommand& r)
            {
                r.sampleNumber = message.sampleNumber;
                r.data.replaceAll (bank.samples[(size_t) message.sampleNumber].parameters.data(), parameterBlockSize);
            });

        case Id::effectRequest:
            return reply (Id::effectData, [&] (SysExCommand& r) { r.data.replaceAll (bank.effect.data(), effectImageSize); });

        case Id::globalDataRequest:
            return reply (Id::globalData, [&] (SysExCommand& r) { r.data.replaceAll (global.data(), globalImageSize); });

        default:
            return;
    }
}

//==============================================================================
void VirtualPlovara::answerInquiry (const SysExCommand&)
{
    const int family = faults.foreignFamily ? foreignFamilyCode : familyCode;
    const uint8_t message[] = { 0xf0, 0x7e, (uint8_t) midiChannel(), 0x06, 0x02, 0x42,
                                (uint8_t) (family & 0x7f), (uint8_t) (family >> 8),
                                0x00, 0x00,               // member code
                                0x00, 0x01, 0x00, 0x00,   // version
                                0xf7 };
    sendMessageBytes (juce::MemoryBlock (message, sizeof (message)));
}

void VirtualPlovara::sendBankImage (int id, int bankIndex)
{
    const auto& bank = banks[(size_t) bankIndex];
    BankImage image;
    image.bankParameters = bank.parameters;
    image.effect = bank.effect;

    for (int i = 0; i < numSamples; ++i)
        image.sampleParameters[(size_t) i] = bank.samples[(size_t) i].parameters;

    for (int k = 0; k < numPatterns; ++k)
        image.setPatternLength (k, bank.patterns[(size_t) k].getData(), bank.patterns[(size_t) k].getSize());

    dumpMode = true;
    dumpBank = bankIndex;

    reply (id, [&] (SysExCommand& r)
    {
        r.bankNumber = bankIndex;
        r.data = image.build();
        r.data.setSize ((size_t) std::max (0, BankImage::size - faults.bankImageShortBy));
    });
}

void VirtualPlovara::takeBankImage (const SysExCommand& message, int bankIndex)
{
    BankImage image;

    if (! image.parse (message.data.getData(), message.data.getSize()))
        return reply (Id::requestFailed);

    auto& bank = banks[(size_t) bankIndex];
    bank.parameters = image.bankParameters;
    bank.effect = image.effect;

    for (int i = 0; i < numSamples; ++i)
        bank.samples[(size_t) i].parameters = image.sampleParameters[(size_t) i];

    dumpMode = true;
    dumpBank = bankIndex;
    reply (Id::writeAccepted);
}

void VirtualPlovara::takeSampleHeader (const SysExCommand& message)
{
    if (message.data.getSize() < (size_t) headerSize)
        return reply (Id::requestFailed);

    auto& bank = addressedBank();
    const int index = message.sampleNumber;
    std::memcpy (pendingHeader.data(), message.data.getData(), headerSize);
    const juce::int64 pcmBytes = std::max (0, SampleData::pcmByteCountOfHeader (pendingHeader.data()));
    const juce::int64 others = bank.sampleMemoryUsed() - roundUp ((juce::int64) bank.samples[(size_t) index].pcm.getSize(), sampleMemoryGranule);

    if (faults.memoryFull || others + roundUp (pcmBytes, sampleMemoryGranule) > sampleMemorySize)
        return reply (Id::deviceBusy);

    reply (faults.alternativeSuccessCodes ? Id::writeAccepted : Id::announcementAccepted);

    if (pcmBytes == 0)
    {
        bank.samples[(size_t) index].header = pendingHeader;
        bank.samples[(size_t) index].pcm.reset();
        return;
    }

    rawTarget = RawTarget::sample;
    rawIndex = index;
    rawExpected = pcmBytes;
    rawBytes.ensureSize ((size_t) pcmBytes);
    rawBytes.setSize (0);
}

void VirtualPlovara::takePatternInfo (const SysExCommand& message)
{
    auto& bank = addressedBank();
    const int index = message.patternNumber;
    const juce::int64 size = message.dataSize;
    const juce::int64 others = bank.patternMemoryUsed() - patternMemoryOf ((juce::int64) bank.patterns[(size_t) index].getSize());

    if (memoryProtectOn() || faults.memoryFull || size > maxPatternSize
        || others + patternMemoryOf (size) > patternMemorySize)
        return reply (Id::deviceBusy);

    reply (Id::announcementAccepted);

    rawTarget = RawTarget::pattern;
    rawIndex = index;
    rawExpected = size;
    rawBytes.setSize (0);

    // An empty pattern has no data to wait for.
    if (size == 0)
        finishRawTransfer();
}

void VirtualPlovara::takeSampleParameters (const SysExCommand& message)
{
    auto& parameters = addressedBank().samples[(size_t) message.sampleNumber].parameters;
    copyStart (message.data, parameters.data(), parameters.size());
    reply (writeSuccessCode (true));
}

void VirtualPlovara::takeEffect (const SysExCommand& message)
{
    copyStart (message.data, addressedBank().effect.data(), effectImageSize);
    reply (writeSuccessCode (false));
}

void VirtualPlovara::takeGlobalData (const SysExCommand& message)
{
    copyStart (message.data, global.data(), globalImageSize);
    reply (writeSuccessCode (true));
}

void VirtualPlovara::leaveDumpMode (const SysExCommand& message)
{
    const int result = faults.leaveDumpResult >= 0 ? faults.leaveDumpResult : dumpMode ? dumpDone : dumpNotInDumpMode;

    // Option 0 keeps the dump mode for another bank.
    if (message.optionByte == 1)
        dumpMode = false;

    reply (Id::bankDumpResult, [&] (SysExCommand& r) { r.bankNumber = result; });
}

void VirtualPlovara::sendSampleData()
{
    const auto& bank = addressedBank();

    if (lastSampleAsked < 0 || bank.samples[(size_t) lastSampleAsked].pcm.isEmpty())
        return reply (Id::dataUnavailable);

    sendBulk (bank.samples[(size_t) lastSampleAsked].pcm);
}

void VirtualPlovara::sendPatternData()
{
    const auto& bank = addressedBank();

    if (lastPatternAsked < 0 || bank.patterns[(size_t) lastPatternAsked].isEmpty())
        return reply (Id::dataUnavailable);

    sendBulk (bank.patterns[(size_t) lastPatternAsked]);
}

void VirtualPlovara::applyParameterChange (const SysExCommand& message)
{
    auto& bank = banks[(size_t) currentBank];
    const int group = message.word1;
    const int index = message.word2;
    const int value = signed14 (message.word3);

    if (group == bankGroup)
    {
        auto* block = bank.parameters.data();
        if (index < nameLength)
            block[index] = (uint8_t) (value & 0x7f);
        else if (index == 16)
            ByteFields::putLittleEndian16 (block + 8, std::clamp (value, 200, 3000));
        else if (index == 18)
            setBits (block[11], 7, 1, value != 0 ? 1 : 0);
        return;
    }

    if (group >= firstSampleGroup && group < firstSampleGroup + numSamples)
    {
        auto* block = bank.samples[(size_t) (group - firstSampleGroup)].parameters.data();
        switch (index)
        {
            case 16: setBits (block[8], 7, 1, value); break;       // loop
            case 17: setBits (block[8], 5, 3, value); break;       // BPM sync
            case 18: setBits (block[8], 4, 1, value); break;       // reverse
            case 26: setBits (block[8], 3, 1, value); break;       // effect switch
            case 21: block[20] = (uint8_t) value; break;           // decay
            case 22: block[21] = (uint8_t) value; break;           // release
            case 24: block[23] = (uint8_t) value; break;           // level
            case 25: block[24] = (uint8_t) value; break;           // pan
            case 27: block[25] = (uint8_t) (value + 64); break;    // semitone
            case 28: block[26] = (uint8_t) value; break;           // tune
            case 29: block[27] = (uint8_t) (value + 64); break;    // velocity intensity
            default:
                if (index < nameLength)
                    block[index] = (uint8_t) (value & 0x7f);
                break;
        }
        return;
    }

    if (group == effectGroup)
    {
        auto& effect = bank.effect;
        if (index == 1)
            effect[0] = (uint8_t) value;
        else if (index == 2 || index == 3)
            effect[(size_t) index] = (uint8_t) value;
        else if (index >= 16 && index < 16 + effectImageSize - 4)
            effect[(size_t) (index - 12)] = (uint8_t) (value + (effectSlotOffset ? effectSlotOffset (effect[0], index - 16) : 0));
    }
}

//==============================================================================
VirtualPlovara::Bank& VirtualPlovara::addressedBank()
{
    return banks[(size_t) (dumpMode ? dumpBank : currentBank)];
}

int VirtualPlovara::writeSuccessCode (bool alternativeAllowed) const
{
    return alternativeAllowed && faults.alternativeSuccessCodes ? Id::status21 : Id::writeAccepted;
}

void VirtualPlovara::log (const SysExCommand& message)
{
    if (received.size() >= maxLoggedMessages)
        received.erase (received.begin());

    received.push_back (message);
}

bool VirtualPlovara::takeReplyFault (int& counter)
{
    if (counter <= 0)
        return false;

    --counter;
    return true;
}

bool VirtualPlovara::dropsNextReply()
{
    if (takeReplyFault (faults.dropReplies) || faults.repliesUntilSilent == 0)
        return true;

    if (faults.repliesUntilSilent > 0)
        --faults.repliesUntilSilent;

    return false;
}

void VirtualPlovara::reply (int id, std::function<void (SysExCommand&)> fill)
{
    SysExCommand message (id);
    message.channel = midiChannel();

    if (fill)
        fill (message);

    sendMessageBytes (message.encode());
}

void VirtualPlovara::sendMessageBytes (const juce::MemoryBlock& message)
{
    if (dropsNextReply())
        return;

    juce::MemoryBlock damaged (message);

    // A damaged reply: the byte before F7 gets bit 7, which no system
    // exclusive byte may have.
    if (takeReplyFault (faults.garbleReplies) && damaged.getSize() >= 2)
        static_cast<uint8_t*> (damaged.getData())[damaged.getSize() - 2] |= 0x80;

    auto packets = interpreter.makePackets (damaged.getData(), damaged.getSize());
    const auto padded = (packets.getSize() + unitSize - 1) / unitSize * unitSize;
    packets.ensureSize (padded, true);
    packets.setSize (padded, true);
    output (packets.getData(), packets.getSize());
}

void VirtualPlovara::sendBulk (const juce::MemoryBlock& bytes)
{
    if (dropsNextReply())
        return;

    const auto marker = ReadPipeParser::makeBulkMarker();
    output (marker.getData(), marker.getSize());
    output (bytes.getData(), bytes.getSize());
}

void VirtualPlovara::output (const void* bytes, size_t count)
{
    if (connected == nullptr || unplugged)
        return;

    if (faults.unplugAfterBytes >= 0 && (juce::int64) count >= faults.unplugAfterBytes)
    {
        connected->deliver (bytes, (size_t) faults.unplugAfterBytes, faults.replyDelayMs);
        faults.unplugAfterBytes = -1;
        unplugged = true;
        unplugRequested = true;
        return;
    }

    if (faults.unplugAfterBytes >= 0)
        faults.unplugAfterBytes -= (juce::int64) count;

    connected->deliver (bytes, count, faults.replyDelayMs);
}

//==============================================================================
bool VirtualPlovara::hasSameStateAs (const VirtualPlovara& other) const
{
    if (&other == this)
        return true;

    std::scoped_lock guard (lock, other.lock);
    return banks == other.banks && currentBank == other.currentBank && global == other.global
        && dumpMode == other.dumpMode && dumpBank == other.dumpBank;
}

VirtualPlovara::Bank VirtualPlovara::getBank (int index) const
{
    std::lock_guard<std::mutex> guard (lock);
    return banks[(size_t) std::clamp (index, 0, numBanks - 1)];
}

void VirtualPlovara::setBank (int index, const Bank& bank)
{
    std::lock_guard<std::mutex> guard (lock);
    banks[(size_t) std::clamp (index, 0, numBanks - 1)] = bank;
}

int VirtualPlovara::getCurrentBank() const
{
    std::lock_guard<std::mutex> guard (lock);
    return currentBank;
}

void VirtualPlovara::setCurrentBank (int index)
{
    std::lock_guard<std::mutex> guard (lock);
    currentBank = std::clamp (index, 0, numBanks - 1);
}

VirtualPlovara::GlobalImage VirtualPlovara::getGlobalData() const
{
    std::lock_guard<std::mutex> guard (lock);
    return global;
}

void VirtualPlovara::setGlobalData (const GlobalImage& image)
{
    std::lock_guard<std::mutex> guard (lock);
    global = image;
}

bool VirtualPlovara::isInDumpMode() const
{
    std::lock_guard<std::mutex> guard (lock);
    return dumpMode;
}

int VirtualPlovara::getDumpBank() const
{
    std::lock_guard<std::mutex> guard (lock);
    return dumpBank;
}

int VirtualPlovara::midiChannel() const
{
    return global[1] & 0x0f;
}

bool VirtualPlovara::memoryProtectOn() const
{
    return (global[0] & memoryProtectBit) != 0;
}

int VirtualPlovara::getMidiChannel() const
{
    std::lock_guard<std::mutex> guard (lock);
    return midiChannel();
}

bool VirtualPlovara::isMemoryProtected() const
{
    std::lock_guard<std::mutex> guard (lock);
    return memoryProtectOn();
}

void VirtualPlovara::setMemoryProtect (bool on)
{
    std::lock_guard<std::mutex> guard (lock);
    setBits (global[0], 4, 1, on ? 1 : 0);
}

VirtualPlovara::Faults VirtualPlovara::getFaults() const
{
    std::lock_guard<std::mutex> guard (lock);
    return faults;
}

void VirtualPlovara::setFaults (const Faults& newFaults)
{
    std::lock_guard<std::mutex> guard (lock);
    faults = newFaults;
}

void VirtualPlovara::setEffectSlotOffset (EffectSlotOffset offset)
{
    std::lock_guard<std::mutex> guard (lock);
    effectSlotOffset = std::move (offset);
}

std::vector<SysExCommand> VirtualPlovara::getReceivedMessages() const
{
    std::lock_guard<std::mutex> guard (lock);
    return received;
}

void VirtualPlovara::clearReceivedMessages()
{
    std::lock_guard<std::mutex> guard (lock);
    received.clear();
}

//==============================================================================
juce::MemoryBlock VirtualPlovara::saveState() const
{
    std::lock_guard<std::mutex> guard (lock);
    juce::MemoryOutputStream out;
    auto writeBlock = [&out] (const juce::MemoryBlock& block)
    {
        out.writeInt ((int) block.getSize());
        out.write (block.getData(), block.getSize());
    };

    out.write (stateMagic, sizeof (stateMagic));
    out.writeInt (stateVersion);
    out.writeByte ((char) currentBank);
    out.write (global.data(), global.size());

    for (auto& bank : banks)
    {
        out.write (bank.parameters.data(), bank.parameters.size());
        out.write (bank.effect.data(), bank.effect.size());

        for (auto& sample : bank.samples)
        {
            out.write (sample.header.data(), sample.header.size());
            out.write (sample.parameters.data(), sample.parameters.size());
            writeBlock (sample.pcm);
        }

        for (auto& pattern : bank.patterns)
            writeBlock (pattern);
    }

    return out.getMemoryBlock();
}

bool VirtualPlovara::loadState (const void* bytes, size_t size)
{
    juce::MemoryInputStream in (bytes, size, false);
    auto readExactly = [&in] (void* dest, size_t count) { return in.read (dest, (int) count) == (int) count; };
    auto readBlock = [&] (juce::MemoryBlock& block, juce::int64 limit)
    {
        const int length = in.readInt();
        if (length < 0 || length > limit || length > in.getNumBytesRemaining())
            return false;
        block.setSize ((size_t) length);
        return readExactly (block.getData(), (size_t) length);
    };

    char magic[4] = {};
    if (! readExactly (magic, sizeof (magic)) || std::memcmp (magic, stateMagic, sizeof (magic)) != 0
        || in.readInt() != stateVersion)
        return false;

    const int current = in.readByte();
    GlobalImage loadedGlobal {};
    auto loadedBanks = std::make_unique<std::array<Bank, numBanks>>();

    if (current < 0 || current >= numBanks || ! readExactly (loadedGlobal.data(), loadedGlobal.size()))
        return false;

    for (auto& bank : *loadedBanks)
    {
        if (! readExactly (bank.parameters.data(), bank.parameters.size())
            || ! readExactly (bank.effect.data(), bank.effect.size()))
            return false;

        for (auto& sample : bank.samples)
            if (! readExactly (sample.header.data(), sample.header.size())
                || ! readExactly (sample.parameters.data(), sample.parameters.size())
                || ! readBlock (sample.pcm, sampleMemorySize))
                return false;

        for (auto& pattern : bank.patterns)
            if (! readBlock (pattern, maxPatternSize))
                return false;
    }

    std::lock_guard<std::mutex> guard (lock);
    banks = std::move (*loadedBanks);
    currentBank = current;
    global = loadedGlobal;
    dumpMode = false;
    return true;
}
