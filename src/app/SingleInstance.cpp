#include "app/SingleInstance.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
constexpr int pollIntervalMs = 100;
constexpr int maxCommandLineBytes = 64 * 1024;
constexpr int handOverTimeoutMs = 2000;

bool makeAddress (const juce::File& path, sockaddr_un& address)
{
    const auto utf8 = path.getFullPathName().toStdString();

    if (utf8.size() >= sizeof (address.sun_path))
        return false;

    std::memset (&address, 0, sizeof (address));
    address.sun_family = AF_UNIX;
    std::memcpy (address.sun_path, utf8.c_str(), utf8.size() + 1);
    return true;
}

bool writeAll (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const auto written = ::send (fd, data, size, MSG_NOSIGNAL);

        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;

        data += written;
        size -= (size_t) written;
    }
    return true;
}

bool waitReadable (int fd, int timeoutMs)
{
    pollfd p { fd, POLLIN, 0 };
    return ::poll (&p, 1, timeoutMs) > 0;
}
}

SingleInstance::SingleInstance (juce::File socketPath) : path (std::move (socketPath)) {}

SingleInstance::~SingleInstance()
{
    stopListening();
}

juce::File SingleInstance::defaultSocketPath (const juce::String& applicationName)
{
    auto folder = juce::File (juce::SystemStats::getEnvironmentVariable ("XDG_RUNTIME_DIR", {}));

    if (folder == juce::File() || ! folder.isDirectory())
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory);

    const auto name = applicationName.retainCharacters ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")
                      + "-" + juce::String ((int) ::getuid()) + ".instance";
    return folder.getChildFile (name);
}

bool SingleInstance::handOverToRunningInstance (const juce::String& commandLine)
{
    sockaddr_un address;

    if (! makeAddress (path, address))
        return false;

    const int fd = ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);

    if (fd < 0)
        return false;

    bool delivered = false;

    if (::connect (fd, reinterpret_cast<sockaddr*> (&address), sizeof (address)) == 0)
    {
        // The folder comes first, so that relative paths can be resolved.
        auto utf8 = juce::File::getCurrentWorkingDirectory().getFullPathName().toStdString();
        utf8.push_back ('\0');
        utf8 += commandLine.toStdString();

        // The running instance answers one byte once it has the whole line.
        if (writeAll (fd, utf8.data(), utf8.size()) && ::shutdown (fd, SHUT_WR) == 0
            && waitReadable (fd, handOverTimeoutMs))
        {
            char ack = 0;
            delivered = ::recv (fd, &ack, 1, 0) == 1;
        }
    }

    ::close (fd);
    return delivered;
}

bool SingleInstance::startListening (CommandLineHandler handler)
{
    sockaddr_un address;

    if (listeningSocket >= 0 || ! makeAddress (path, address))
        return false;

    // Only a socket of our own that nobody answers on is stale: anything else
    // at that path is left alone.
    struct stat info;
    if (::lstat (address.sun_path, &info) == 0)
    {
        if (! S_ISSOCK (info.st_mode) || info.st_uid != ::getuid())
            return false;
        ::unlink (address.sun_path);
    }

    const int fd = ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);

    if (fd < 0)
        return false;

    const auto oldMask = ::umask (0077);
    const bool bound = ::bind (fd, reinterpret_cast<sockaddr*> (&address), sizeof (address)) == 0;
    ::umask (oldMask);

    if (! bound || ::listen (fd, 4) != 0)
    {
        ::close (fd);
        return false;
    }

    listeningSocket = fd;
    onCommandLine = std::move (handler);
    stopRequested = false;
    listener = std::thread ([this] { listenLoop(); });
    return true;
}

void SingleInstance::stopListening()
{
    if (listeningSocket < 0)
        return;

    stopRequested = true;

    if (listener.joinable())
        listener.join();

    ::close (listeningSocket);
    listeningSocket = -1;
    ::unlink (path.getFullPathName().toRawUTF8());
}

void SingleInstance::listenLoop()
{
    while (! stopRequested)
    {
        if (! waitReadable (listeningSocket, pollIntervalMs))
            continue;

        const int connection = ::accept4 (listeningSocket, nullptr, nullptr, SOCK_CLOEXEC);

        if (connection >= 0)
        {
            serveConnection (connection);
            ::close (connection);
        }
    }
}

void SingleInstance::serveConnection (int connection)
{
    std::string received;
    char buffer[4096];

    while (! stopRequested && (int) received.size() <= maxCommandLineBytes)
    {
        if (! waitReadable (connection, handOverTimeoutMs))
            return;

        const auto count = ::recv (connection, buffer, sizeof (buffer), 0);

        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return;
        if (count == 0)
        {
            const auto separator = received.find ('\0');

            if (! onCommandLine || separator == std::string::npos)
                return;

            onCommandLine (juce::String::fromUTF8 (received.data() + separator + 1, (int) (received.size() - separator - 1)),
                           juce::File (juce::String::fromUTF8 (received.data(), (int) separator)));

            // The acknowledgement tells the later launch that it may quit.
            const char ack = 1;
            writeAll (connection, &ack, 1);
            return;
        }

        received.append (buffer, (size_t) count);
    }
}
