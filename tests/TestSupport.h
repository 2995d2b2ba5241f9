#pragma once

#include "app/UserFolders.h"
#include "data/AudioBuffer.h"
#include "data/SwapFolder.h"

#include <juce_events/juce_events.h>

#include <csignal>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace TestSupport
{
    using Bytes = std::vector<uint8_t>;

    // Builds a byte vector from pieces: numbers as single bytes, strings as
    // their characters, and repeated fill bytes.
    struct ByteBuilder
    {
        Bytes bytes;

        ByteBuilder& add (std::initializer_list<int> values)
        {
            for (int v : values)
                bytes.push_back ((uint8_t) v);
            return *this;
        }
        ByteBuilder& text (const std::string& s)
        {
            bytes.insert (bytes.end(), s.begin(), s.end());
            return *this;
        }
        ByteBuilder& fill (int value, size_t count)
        {
            bytes.insert (bytes.end(), count, (uint8_t) value);
            return *this;
        }
        ByteBuilder& le16 (int v) { return add ({ v & 0xff, (v >> 8) & 0xff }); }
        ByteBuilder& le32 (int v)
        {
            const auto u = (uint32_t) v;
            return add ({ (int) (u & 0xff), (int) ((u >> 8) & 0xff), (int) ((u >> 16) & 0xff), (int) (u >> 24) });
        }
        ByteBuilder& be16 (int v) { return add ({ (v >> 8) & 0xff, v & 0xff }); }
        ByteBuilder& be32 (int v)
        {
            const auto u = (uint32_t) v;
            return add ({ (int) (u >> 24), (int) ((u >> 16) & 0xff), (int) ((u >> 8) & 0xff), (int) (u & 0xff) });
        }
    };

    inline Bytes bytesOf (const juce::MemoryOutputStream& stream)
    {
        auto* p = static_cast<const uint8_t*> (stream.getData());
        return Bytes (p, p + stream.getDataSize());
    }

    // Lets the message loop deliver what was posted until the condition
    // holds or the time is up; answers whether it holds.
    template <typename Condition>
    bool dispatchUntil (Condition condition, int timeoutMs = 5000)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

        while (! condition() && juce::Time::getMillisecondCounter() < end)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);

        return condition();
    }

    // Keeps the buffer identity manager alive, as the program does, so that
    // every new audio gets a new identity.
    struct ScopedBufferIds
    {
        ScopedBufferIds() { AudioBufferIdManager::getInstance(); }
        ~ScopedBufferIds() { AudioBufferIdManager::releaseInstance(); }
    };

    // A folder of its own for one test, deleted at the end of the test.
    struct TemporaryFolder
    {
        juce::File folder = juce::File::createTempFile ("plovara-test");
        TemporaryFolder() { folder.createDirectory(); }
        ~TemporaryFolder() { folder.deleteRecursively(); }
    };

    // While it lives, writes past the given size of any file fail, as they
    // would on a full disk.
    struct FileSizeLimit
    {
        explicit FileSizeLimit (rlim_t bytes)
        {
            getrlimit (RLIMIT_FSIZE, &previous);
            std::signal (SIGXFSZ, SIG_IGN);
            rlimit limited = previous;
            limited.rlim_cur = bytes;
            setrlimit (RLIMIT_FSIZE, &limited);
        }
        ~FileSizeLimit()
        {
            setrlimit (RLIMIT_FSIZE, &previous);
            std::signal (SIGXFSZ, SIG_DFL);
        }

        rlimit previous {};
    };

    // Points the settings folder and the bank swap files of everything the
    // test makes (the Host above all) into a folder of the test.
    struct ScopedUserFolders
    {
        ScopedUserFolders()
        {
            UserFolders::overrideApplicationDataFolder (temp.folder);
            SwapFolder::overrideBaseFolder (temp.folder.getChildFile ("swap"));
        }
        ~ScopedUserFolders()
        {
            SwapFolder::overrideBaseFolder ({});
            UserFolders::overrideApplicationDataFolder ({});
        }
        TemporaryFolder temp;
    };
}
