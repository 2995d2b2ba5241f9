#include "gui/widgets/PageSkin.h"

#include "gui/widgets/ImageResourceManager.h"

namespace PageSkin
{
namespace
{
const juce::Colour mouseOverOverlay (0x38ffffff);
}

void setButtonImages (juce::ImageButton& button, const juce::String& imageName, const juce::String& pressedImageName)
{
    const auto image = ImageResourceManager::imageFor (imageName);
    const auto pressed = ImageResourceManager::imageFor (pressedImageName);

    button.setImages (false, false, true,
                      image, 1.0f, juce::Colours::transparentBlack,
                      image, 1.0f, mouseOverOverlay,
                      pressed, 1.0f, juce::Colours::transparentBlack);
}

void paintBackground (juce::Graphics& g, juce::Rectangle<int> area, const juce::String& imagePrefix)
{
    const auto top = ImageResourceManager::imageFor (imagePrefix + "Top");
    const auto loop = ImageResourceManager::imageFor (imagePrefix + "Loop");
    const auto bottom = ImageResourceManager::imageFor (imagePrefix + "Bottom");

    const int loopStart = area.getY() + top.getHeight();
    const int loopEnd = area.getBottom() - bottom.getHeight();

    if (loop.isValid() && loopEnd > loopStart)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (area.getX(), loopStart, area.getWidth(), loopEnd - loopStart);

        for (int y = loopStart; y < loopEnd; y += loop.getHeight())
            g.drawImageAt (loop, area.getX(), y);
    }

    g.drawImageAt (top, area.getX(), area.getY());
    g.drawImageAt (bottom, area.getX(), loopEnd);
}
}
