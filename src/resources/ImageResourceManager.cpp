#include "resources/ImageResourceManager.h"

#include "resources/CZQVResource.h"

namespace
{
juce::Image loadPngResource (const juce::String& name)
{
    if (const auto* resource = CZQVResource::getInstancePointer())
        return resource->loadImage (name, "png");

    return {};
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
