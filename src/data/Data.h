#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <vector>

// A node of the data tree that can write itself as a chunk and read itself
// back. Reading throws Exception with a message key; writing returns false.
class Data
{
public:
    virtual ~Data() = default;

    virtual bool writeTo (juce::OutputStream& stream) = 0;
    virtual bool readFrom (juce::InputStream& stream) = 0;
    virtual int getChunkSize() const = 0;
    virtual juce::String getChunkId() const = 0;
    virtual void resetToDefaults() = 0;
    virtual bool isValid() const { return true; }
};

// A node whose chunk payload is the chunks of its children. A set class
// only creates its children and names its chunk id.
class DataSet : public Data
{
public:
    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    void resetToDefaults() override;
    bool isValid() const override;

    int getNumChildren() const { return (int) children.size(); }
    Data& getChild (int index) const { return *children.at ((size_t) index); }

protected:
    void addChild (std::unique_ptr<Data> child) { children.push_back (std::move (child)); }
    void clearChildren();

private:
    std::vector<std::unique_ptr<Data>> children;
};

// Fixed-size leaves share the frame around their payload; they only build
// and parse their payload bytes.
namespace LeafChunk
{
    // Writes a leaf's header (child count 1, child size = payload size) and
    // its payload; false when the stream refused any of it.
    bool write (juce::OutputStream& stream, const juce::String& chunkId, const juce::MemoryBlock& payload);
}
