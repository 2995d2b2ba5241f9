#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// Draws one skin image into a graphics context of the image's size.
using Painter = std::function<void (juce::Graphics&, int width, int height)>;
