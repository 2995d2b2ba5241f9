// The virtual Plovara fed arbitrary bytes from the host. The first byte
// switches the device's misbehaviours and memory protection on (one bit
// each); the rest is what the host writes to the write pipe. The same bytes
// go to a second device in small pieces: how the writes are cut must not
// change what the device answers or the state it ends in.
#include "FuzzSupport.h"

#include "device/virtual/VirtualPlovara.h"

#include <algorithm>

namespace
{
// Keeps everything the device sends.
struct ReadPipe : public VirtualPlovara::Output
{
    juce::MemoryOutputStream bytes;

    void deliver (const void* data, size_t count, int) override
    {
        FUZZ_CHECK (bytes.write (data, count));
    }
};

struct Run
{
    explicit Run (uint8_t switches)
    {
        VirtualPlovara::Faults faults;
        faults.memoryFull = (switches & 1) != 0;
        faults.alternativeSuccessCodes = (switches & 2) != 0;
        faults.foreignFamily = (switches & 4) != 0;
        faults.notReady = (switches & 8) != 0;
        faults.garbleReplies = (switches >> 4) & 1;
        faults.dropReplies = (switches >> 5) & 1;
        device.setFaults (faults);
        device.setMemoryProtect ((switches & 0x40) != 0);
        device.attach (&readPipe);
    }

    ~Run() { device.detach (&readPipe); }

    VirtualPlovara device;
    ReadPipe readPipe;
};
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;

    const auto hostBytes = FuzzSupport::exactCopy (data + 1, size - 1);
    const size_t count = size - 1;

    Run whole (data[0]);
    whole.device.receive (hostBytes.get(), count);

    Run pieces (data[0]);
    for (size_t pos = 0, step = 1; pos < count; pos += step, step = step % 13 + 1)
        pieces.device.receive (hostBytes.get() + pos, std::min (step, count - pos));

    FUZZ_CHECK (whole.device.getReceivedMessages().size() <= VirtualPlovara::maxLoggedMessages);
    FUZZ_CHECK (FuzzSupport::bytesOf (whole.readPipe.bytes) == FuzzSupport::bytesOf (pieces.readPipe.bytes));
    FUZZ_CHECK (whole.device.hasSameStateAs (pieces.device));
    return 0;
}
