#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>

// Components rendered into images, and mouse events without a real mouse.
namespace WidgetTestSupport
{
    inline juce::Image render (juce::Component& c) { return c.createComponentSnapshot (c.getLocalBounds(), true, 1.0f); }

    inline juce::Image filledImage (int width, int height, juce::Colour colour)
    {
        juce::Image image (juce::Image::ARGB, width, height, true);
        image.clear (image.getBounds(), colour);
        return image;
    }

    // For colours that went through blending.
    inline bool closeTo (juce::Colour a, juce::Colour b, int tolerance = 2)
    {
        return std::abs (a.getRed() - b.getRed()) <= tolerance && std::abs (a.getGreen() - b.getGreen()) <= tolerance
            && std::abs (a.getBlue() - b.getBlue()) <= tolerance && std::abs (a.getAlpha() - b.getAlpha()) <= tolerance;
    }

    inline juce::MouseEvent mouseEventFor (juce::Component& c, juce::Point<float> position = {})
    {
        const auto now = juce::Time::getCurrentTime();
        return { juce::Desktop::getInstance().getMainMouseSource(), position, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                 &c, &c, now, position, now, 1, false };
    }
}
