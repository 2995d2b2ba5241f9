#include "device/UnixSocket.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
bool makeAddress (const juce::String& path, sockaddr_un& address)
{
    std::memset (&address, 0, sizeof (address));
    address.sun_family = AF_UNIX;
    const auto* utf8 = path.toRawUTF8();

    if (path.isEmpty() || std::strlen (utf8) >= sizeof (address.sun_path))
        return false;

    std::strncpy (address.sun_path, utf8, sizeof (address.sun_path) - 1);
    return true;
}

int newSocket()
{
    return ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}
}

UnixSocket::~UnixSocket()
{
    if (fd >= 0)
        ::close (fd);

    if (! listeningPath.empty())
        ::unlink (listeningPath.c_str());
}

std::unique_ptr<UnixSocket> UnixSocket::connectTo (const juce::String& path)
{
    sockaddr_un address;
    const int descriptor = makeAddress (path, address) ? newSocket() : -1;

    if (descriptor < 0)
        return nullptr;

    std::unique_ptr<UnixSocket> socket (new UnixSocket (descriptor));

    if (::connect (descriptor, reinterpret_cast<sockaddr*> (&address), sizeof (address)) != 0)
        return nullptr;

    return socket;
}

std::unique_ptr<UnixSocket> UnixSocket::listenAt (const juce::String& path)
{
    sockaddr_un address;
    const int descriptor = makeAddress (path, address) ? newSocket() : -1;

    if (descriptor < 0)
        return nullptr;

    std::unique_ptr<UnixSocket> socket (new UnixSocket (descriptor));

    // Only a socket file left behind is replaced, never any other file.
    struct stat info;
    if (::lstat (address.sun_path, &info) == 0 && S_ISSOCK (info.st_mode))
        ::unlink (address.sun_path);

    if (::bind (descriptor, reinterpret_cast<sockaddr*> (&address), sizeof (address)) != 0)
        return nullptr;

    socket->listeningPath = address.sun_path;
    return ::listen (descriptor, 4) == 0 ? std::move (socket) : nullptr;
}

bool UnixSocket::waitFor (short events, int waitMs) const
{
    pollfd entry { fd, events, 0 };

    for (;;)
    {
        const int result = ::poll (&entry, 1, waitMs);

        if (result < 0 && errno == EINTR)
            continue;

        return result > 0;
    }
}

std::unique_ptr<UnixSocket> UnixSocket::accept (int waitMs)
{
    if (! waitFor (POLLIN, waitMs))
        return nullptr;

    const int client = ::accept4 (fd, nullptr, nullptr, SOCK_CLOEXEC);
    return client >= 0 ? std::unique_ptr<UnixSocket> (new UnixSocket (client)) : nullptr;
}

int UnixSocket::readSome (void* dest, size_t count, int waitMs)
{
    if (! waitFor (POLLIN, waitMs))
        return 0;

    for (;;)
    {
        const auto got = ::recv (fd, dest, count, 0);

        if (got < 0 && errno == EINTR)
            continue;

        return got > 0 ? (int) got : -1;
    }
}

UsbDriver::ReadResult UnixSocket::readExactly (void* dest, size_t count, int waitMs, const UsbDriver::StopRequest& stopRequested)
{
    auto* out = static_cast<uint8_t*> (dest);
    size_t got = 0;

    while (got < count)
    {
        const int n = readSome (out + got, count - got, waitMs);

        if (n == 0 && got == 0)
            return UsbDriver::ReadResult::nothing;

        if (n < 0 || (n == 0 && stopRequested()))
            return UsbDriver::ReadResult::failed;

        got += (size_t) n;
    }

    return UsbDriver::ReadResult::complete;
}

bool UnixSocket::writeAll (const void* bytes, size_t count, int timeoutMs)
{
    const auto* data = static_cast<const uint8_t*> (bytes);

    for (size_t sent = 0; sent < count;)
    {
        if (! waitFor (POLLOUT, timeoutMs))
            return false;

        const auto n = ::send (fd, data + sent, count - sent, MSG_NOSIGNAL | MSG_DONTWAIT);

        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;

        if (n <= 0)
            return false;

        sent += (size_t) n;
    }

    return true;
}

void UnixSocket::shutdown()
{
    ::shutdown (fd, SHUT_RDWR);
}
