#pragma once

#include "device/UsbAccess.h"
#include "device/UsbSession.h"

// Asks the device who it is: succeeds when it answers as a Plovara, and
// keeps the MIDI channel it answered on for the messages that follow. Runs
// on its own and inside every other session.
class DeviceInquiry : public UsbSession,
                      public UsbAccessCallback
{
public:
    // The channel of the reply (0 to 15), or -1 before one came.
    int getChannel() const noexcept { return channel; }
    int getFamilyCode() const noexcept { return familyCode; }
    int getMemberCode() const noexcept { return memberCode; }

    void transferProgress (UsbAccess&, int, double, bool) override {}

protected:
    bool execute() override;

private:
    void inquire (UsbAccess& access);

    std::atomic<int> channel { -1 };
    std::atomic<int> familyCode { 0 };
    std::atomic<int> memberCode { 0 };
};
