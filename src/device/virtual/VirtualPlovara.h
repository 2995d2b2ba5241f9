#pragma once

#include "device/DeviceDescriptor.h"
#include "device/SysExCommand.h"
#include "device/UsbMidiInterpreter.h"

#include <array>
#include <functional>
#include <mutex>
#include <vector>

// An emulated Plovara: the device side of every message the device knows,
// with the device's state (eight user banks as byte images, which bank is
// current, the global data, the bank dump mode) and switches that make it
// misbehave for tests. It takes what the program writes to the write pipe
// and produces what the program reads from the read pipe: replies as
// USB-MIDI packets padded to whole 64-byte units, bulk data as the 64-byte
// bulk marker followed by the raw bytes.
class VirtualPlovara : private UsbMidiInterpreterCallback
{
public:
    static constexpr int numBanks = 8;
    static constexpr int numSamples = 36;
    static constexpr int numPatterns = 16;
    static constexpr int headerSize = 8;
    static constexpr int parameterBlockSize = 64;
    static constexpr int effectImageSize = 36;
    static constexpr int globalImageSize = 16;
    static constexpr juce::int64 sampleMemorySize = 15335424;
    static constexpr juce::int64 sampleMemoryGranule = 32768;
    static constexpr juce::int64 patternMemorySize = 393216;
    static constexpr juce::int64 patternMemoryGranule = 2048;
    static constexpr int maxPatternSize = 65535;
    static constexpr int vendorId = 0x5056;
    static constexpr int productId = 0x010c;
    static constexpr int familyCode = 0x007f;
    static constexpr int foreignFamilyCode = 0x007e;

    struct Sample
    {
        std::array<uint8_t, headerSize> header {};
        std::array<uint8_t, parameterBlockSize> parameters {};
        juce::MemoryBlock pcm;

        bool operator== (const Sample& other) const;
    };

    struct Bank
    {
        std::array<uint8_t, parameterBlockSize> parameters {};
        std::array<Sample, numSamples> samples;
        std::array<juce::MemoryBlock, numPatterns> patterns;
        std::array<uint8_t, effectImageSize> effect {};

        juce::int64 sampleMemoryUsed() const;
        juce::int64 patternMemoryUsed() const;

        bool operator== (const Bank& other) const;
    };

    using GlobalImage = std::array<uint8_t, globalImageSize>;

    // Ways to misbehave, for tests.
    struct Faults
    {
        bool notReady = false;                  // answers 29 as if showing its write page
        bool memoryFull = false;                // refuses every sample and pattern announcement
        bool foreignFamily = false;             // answers the inquiry with another family code
        bool alternativeSuccessCodes = false;   // 22 instead of 24, 24 instead of 27, where allowed
        int dropReplies = 0;                    // so many next replies are never sent
        int repliesUntilSilent = -1;            // after so many more replies, none is sent any more
        int garbleReplies = 0;                  // so many next replies are sent damaged
        int replyDelayMs = 0;                   // every reply comes this late
        juce::int64 unplugAfterBytes = -1;      // the device goes away after sending so many more bytes
        int bankImageShortBy = 0;               // bank images it sends lack so many bytes at their end
        int leaveDumpResult = -1;               // leaving dump mode answers this result, not the true one
    };

    // Where the device's bytes go: the read pipe of whoever is connected.
    class Output
    {
    public:
        virtual ~Output() = default;
        virtual void deliver (const void* bytes, size_t count, int delayMs) = 0;
    };

    // The stored byte of an effect parameter slot is value + offset; the
    // offset depends on the effect type and slot.
    using EffectSlotOffset = std::function<int (int effectType, int slot)>;

    VirtualPlovara();

    DeviceDescriptor getDescriptor() const;

    void attach (Output* output);
    void detach (Output* output);

    // Bytes the program wrote to the write pipe.
    void receive (const void* bytes, size_t count);

    // True once, after an unplug fault has fired.
    bool takeUnplugRequest();

    // The same banks, current bank, global data and dump mode as the other;
    // compared in place, without the copies that getBank makes.
    bool hasSameStateAs (const VirtualPlovara& other) const;

    Bank getBank (int index) const;
    void setBank (int index, const Bank& bank);
    int getCurrentBank() const;
    void setCurrentBank (int index);
    GlobalImage getGlobalData() const;
    void setGlobalData (const GlobalImage& image);
    bool isInDumpMode() const;
    int getDumpBank() const;
    int getMidiChannel() const;
    void setMemoryProtect (bool on);
    bool isMemoryProtected() const;
    Faults getFaults() const;
    void setFaults (const Faults& faults);
    void setEffectSlotOffset (EffectSlotOffset offset);

    // The messages the device took, in order, the latest maxLoggedMessages
    // of them; bulk data as commands of id 12 or 13 whose dataSize is the
    // byte count.
    static constexpr size_t maxLoggedMessages = 1024;
    std::vector<SysExCommand> getReceivedMessages() const;
    void clearReceivedMessages();

    // The whole state as bytes, and back; load answers false and changes
    // nothing when the bytes are not a saved state.
    juce::MemoryBlock saveState() const;
    bool loadState (const void* bytes, size_t size);

    static Bank makeDefaultBank();
    static GlobalImage makeDefaultGlobalData();
    static juce::MemoryBlock makeInitialPattern();

private:
    enum class RawTarget { none, sample, pattern };

    // UsbMidiInterpreterCallback
    void handleShortMessage (const juce::MidiMessage&, int) override {}
    int getSysExNotifyInterval() override { return 0; }
    void handleSysExData (const uint8_t* data, int length, bool complete, int cable) override;

    void receivePacketBytes (const uint8_t* bytes, size_t count, size_t& used);
    void receiveRawBytes (const uint8_t* bytes, size_t count, size_t& used);
    void finishRawTransfer();
    void handleMessage (const SysExCommand& message);
    bool isWrite (int id) const;

    void answerInquiry (const SysExCommand& message);
    void sendBankImage (int id, int bankIndex);
    void takeBankImage (const SysExCommand& message, int bankIndex);
    void takeSampleHeader (const SysExCommand& message);
    void takePatternInfo (const SysExCommand& message);
    void takeSampleParameters (const SysExCommand& message);
    void takeEffect (const SysExCommand& message);
    void takeGlobalData (const SysExCommand& message);
    void leaveDumpMode (const SysExCommand& message);
    void applyParameterChange (const SysExCommand& message);
    void sendSampleData();
    void sendPatternData();

    // Unlocked reads of the global data, for use with the lock held.
    int midiChannel() const;
    bool memoryProtectOn() const;

    Bank& addressedBank();
    int writeSuccessCode (bool alternativeAllowed) const;
    void reply (int id, std::function<void (SysExCommand&)> fill = {});
    void sendMessageBytes (const juce::MemoryBlock& message);
    void sendBulk (const juce::MemoryBlock& bytes);
    void output (const void* bytes, size_t count);
    bool takeReplyFault (int& counter);
    bool dropsNextReply();
    void log (const SysExCommand& message);

    mutable std::mutex lock;
    std::array<Bank, numBanks> banks;
    int currentBank = 0;
    GlobalImage global;
    bool dumpMode = false;
    int dumpBank = 0;
    int lastSampleAsked = -1;
    int lastPatternAsked = -1;
    Faults faults;
    EffectSlotOffset effectSlotOffset;
    Output* connected = nullptr;
    bool unplugRequested = false;
    bool unplugged = false;
    std::vector<SysExCommand> received;

    UsbMidiInterpreter interpreter;
    std::array<uint8_t, 4> partialPacket {};
    size_t partialBytes = 0;

    // A sample or pattern announced by a header and arriving as raw bytes.
    RawTarget rawTarget = RawTarget::none;
    int rawIndex = 0;
    juce::int64 rawExpected = 0;
    juce::MemoryBlock rawBytes;
    std::array<uint8_t, headerSize> pendingHeader {};
};
