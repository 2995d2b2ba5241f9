#pragma once

#include "device/UsbDriver.h"

#include <juce_core/juce_core.h>

#include <memory>
#include <string>

// One end of a Unix stream socket, closed with the object. Every wait is
// bounded.
class UnixSocket
{
public:
    ~UnixSocket();

    // A connection to a listening socket; none when nobody listens there.
    static std::unique_ptr<UnixSocket> connectTo (const juce::String& path);

    // A listening socket at the path, replacing a stale socket file there;
    // the file goes with the object.
    static std::unique_ptr<UnixSocket> listenAt (const juce::String& path);

    // The next connection, or none when none came within waitMs.
    std::unique_ptr<UnixSocket> accept (int waitMs);

    // Exactly count bytes: nothing when no byte came within waitMs, failed
    // when the peer closed, or when stopRequested said so while the peer
    // stalled in the middle.
    UsbDriver::ReadResult readExactly (void* dest, size_t count, int waitMs, const UsbDriver::StopRequest& stopRequested);

    // Up to count bytes, as soon as any are there; 0 when none came within
    // waitMs, -1 when the peer closed.
    int readSome (void* dest, size_t count, int waitMs);

    bool writeAll (const void* bytes, size_t count, int timeoutMs);

    // Makes every later read and write of either end fail.
    void shutdown();

private:
    explicit UnixSocket (int descriptor) : fd (descriptor) {}
    bool waitFor (short events, int waitMs) const;

    int fd;
    std::string listeningPath;
};
