#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>

// Rendering components into images and feeding them mouse events without a
// real mouse.
namespace WidgetTestSupport
{
    inline juce::Image render (juce::Component& component)
    {
        return component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
    }

    inline juce::Image filledImage (int width, int height, juce::Colour colour)
    {
        juce::Image image (juce::Image::ARGB, width, height, true);
        juce::Graphics (image).fillAll (colour);
        return image;
    }

    // Channel by channel within a tolerance, for colours that went through
    // blending.
    inline bool closeTo (juce::Colour actual, juce::Colour expected, int tolerance = 2)
    {
        return std::abs (actual.getRed() - expected.getRed()) <= tolerance
            && std::abs (actual.getGreen() - expected.getGreen()) <= tolerance
            && std::abs (actual.getBlue() - expected.getBlue()) <= tolerance
            && std::abs (actual.getAlpha() - expected.getAlpha()) <= tolerance;
    }

    inline bool samePixels (const juce::Image& a, const juce::Image& b)
    {
        if (a.getBounds() != b.getBounds())
            return false;

        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;

        return true;
    }

    inline juce::MouseEvent mouseEventFor (juce::Component& component, juce::Point<float> position = {})
    {
        const auto now = juce::Time::getCurrentTime();
        return { juce::Desktop::getInstance().getMainMouseSource(), position, {},
                 juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                 juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                 juce::MouseInputSource::defaultTiltY, &component, &component, now, position, now, 1, false };
    }
}
