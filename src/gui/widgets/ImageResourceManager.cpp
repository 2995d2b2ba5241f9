#include "gui/widgets/ImageResourceManager.h"

#include "resources/CZQVResource.h"

namespace
{
juce::Image loadPngResource (const juce::String& name)
{
    const auto* resource = CZQVResource::getInstancePointer();
    const auto bytes = resource != nullptr ? resource->locate ("png", name) : ResourceFiles::Bytes();

    return bytes.isEmpty() ? juce::Image() : juce::ImageFileFormat::loadFrom (bytes.data, bytes.size);
}
}

ImageResourceManager::ImageResourceManager()
    : ImageResourceManager (loadPngResource)
{
}

ImageResourceManager::ImageResourceManager (Loader imageLoader)
    : loader (std::move (imageLoader))
{
}

ImageResourceManager::~ImageResourceManager() = default;

juce::Image ImageResourceManager::getImage (const juce::String& name)
{
    const auto key = name.toLowerCase();
    std::lock_guard<std::mutex> guard (lock);

    if (auto cached = images.find (key); cached != images.end())
        return cached->second;

    auto image = loader (name);

    if (image.isValid())
        images.emplace (key, image);

    return image;
}

juce::Image ImageResourceManager::imageFor (const juce::String& name)
{
    if (auto* manager = getInstancePointer())
        return manager->getImage (name);

    return {};
}
