#pragma once

#include "app/CZQVSingleton.h"

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <map>
#include <mutex>

// The skin images by name (matched without regard to case). An image is
// loaded on its first request and kept; a missing one gives a null image and
// is asked for again next time.
class ImageResourceManager : public CZQVSingleton<ImageResourceManager>
{
public:
    using Loader = std::function<juce::Image (const juce::String& name)>;

    // Loads the "png" resources through the shared CZQVResource (none while
    // there is no CZQVResource).
    ImageResourceManager();
    explicit ImageResourceManager (Loader imageLoader);
    ~ImageResourceManager();

    juce::Image getImage (const juce::String& name);

    // The same through the shared instance; null without one.
    static juce::Image imageFor (const juce::String& name);

private:
    const Loader loader;
    std::mutex lock;
    std::map<juce::String, juce::Image> images;   // by lower-case name
};
