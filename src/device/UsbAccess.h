#pragma once

#include "device/SysExCommand.h"

#include <memory>
#include <vector>

class UsbAccess;

// Hears how far a transfer of the access has come.
class UsbAccessCallback
{
public:
    virtual ~UsbAccessCallback() = default;

    // fraction runs from 0.0 to 1.0; sending is true while the program
    // writes and false while it receives.
    virtual void transferProgress (UsbAccess& access, int messageId, double fraction, bool sending) = 0;
};

// The connection to the device that every communication session uses.
class UsbAccess
{
public:
    // Results of open.
    enum OpenResult
    {
        opened = 0,
        noCompatibleDriver = 2,
        alreadyOpen = 3,
        deviceNotFound = 4,
        failedToOpenPipe = 5,
        portInvalid = 6,
        noPermission = 7   // a Plovara is there, but the system lets this user not open it
    };

    virtual ~UsbAccess() = default;

    virtual int open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Open, and the device still answers with the product id looked for.
    virtual bool isDeviceConnected() = 0;

    // Inactivity time-out of waitForMessage in milliseconds; 0 means none.
    virtual void setTimeout (int milliseconds) = 0;
    virtual int getTimeout() const = 0;

    // Writes one message (the bulk messages as raw bytes) in pieces of
    // chunkSize bytes (all at once below 1), reporting progress after each.
    virtual bool send (const SysExCommand& command, int chunkSize, UsbAccessCallback* callback) = 0;

    // Start the reader: for unsolicited messages, of which at most
    // queueLimit are kept; for any of several reply ids; or for one reply
    // id whose data size is known (the size of a bulk reply).
    virtual void listen (int queueLimit) = 0;
    virtual void expectReplies (const std::vector<int>& ids, UsbAccessCallback* callback) = 0;
    virtual void expectReply (int id, int dataSize, UsbAccessCallback* callback) = 0;

    // Ends the reader (promptly, never leaving it running) and drops every
    // queued message.
    virtual void stop() = 0;

    // The reply, or the next queued message, as soon as it is there; none
    // when the device stayed silent for the time-out.
    virtual std::unique_ptr<SysExCommand> waitForMessage() = 0;

    virtual bool writeBytes (const void* bytes, int count) = 0;
    virtual bool readBytes (void* bytes, int count) = 0;

    // While cancelled, waits return none at once and writes fail, so that
    // an abandoned session ends quickly and leaves the device alone.
    virtual void setCancelled (bool shouldBeCancelled) = 0;

    // How long an item session lets the device settle after a write; the
    // real device needs it, the emulated ones do not.
    virtual int getSettleTimeAfterWrite() const = 0;
};
