#pragma once

#include "app/Exception.h"
#include "data/Data.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

// What every fuzz target shares: checks that stop the run with a message,
// exact-size copies that let AddressSanitizer see any read past the end,
// and the read-write-read check of chunk classes.
namespace FuzzSupport
{
    using Bytes = std::vector<uint8_t>;

    // A broken invariant is a finding: the fuzzer keeps the input.
    [[noreturn]] inline void fail (const char* what, const char* file, int line)
    {
        std::fprintf (stderr, "Fuzz check failed: %s (%s:%d)\n", what, file, line);
        std::abort();
    }

}

#define FUZZ_CHECK(condition) \
    do { if (! (condition)) FuzzSupport::fail (#condition, __FILE__, __LINE__); } while (false)

namespace FuzzSupport
{
    // The bytes alone in a heap block of exactly their size.
    inline std::unique_ptr<uint8_t[]> exactCopy (const uint8_t* data, size_t size)
    {
        std::unique_ptr<uint8_t[]> copy (new uint8_t[size]);
        std::copy (data, data + size, copy.get());
        return copy;
    }

    inline Bytes bytesOf (const juce::MemoryOutputStream& stream)
    {
        const auto* p = static_cast<const uint8_t*> (stream.getData());
        return Bytes (p, p + stream.getDataSize());
    }

    // Reads a node from the bytes; false when reading refused them with an
    // Exception, which is how every damaged file must end. Any other
    // exception escapes and is reported by the fuzzer.
    inline bool readNode (Data& node, const uint8_t* data, size_t size, juce::int64* endPosition = nullptr)
    {
        juce::MemoryInputStream stream (data, size, false);

        try
        {
            node.readFrom (stream);
        }
        catch (const Exception&)
        {
            return false;
        }

        FUZZ_CHECK (stream.getPosition() >= 0 && stream.getPosition() <= (juce::int64) size);

        if (endPosition != nullptr)
            *endPosition = stream.getPosition();

        return true;
    }

    inline Bytes writeNode (Data& node)
    {
        // Growing the stream as it fills would copy large files many times.
        juce::MemoryOutputStream stream;
        stream.preallocate ((size_t) std::max (node.getChunkSize(), 0));
        FUZZ_CHECK (node.writeTo (stream));
        return bytesOf (stream);
    }

    // Whatever a node of this class read must write as exactly its chunk
    // size, read back completely, and write again as the same bytes.
    template <typename Node>
    void checkReadWriteRead (const uint8_t* data, size_t size)
    {
        Node first;

        if (! readNode (first, data, size))
            return;

        const auto written = writeNode (first);
        FUZZ_CHECK (written.size() == (size_t) first.getChunkSize());

        Node second;
        juce::int64 end = 0;
        FUZZ_CHECK (readNode (second, written.data(), written.size(), &end));
        FUZZ_CHECK (end == (juce::int64) written.size());
        FUZZ_CHECK (writeNode (second) == written);
    }
}
