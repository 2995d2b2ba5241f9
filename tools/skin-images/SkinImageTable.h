#pragma once

#include "Painter.h"

#include <vector>

// One image of the skin: its resource name (the file is "<name>.png"), its
// size and how it is drawn.
struct SkinImage
{
    juce::String name;
    int width;
    int height;
    Painter paint;
};

// Every skin image of the program, the program icon ("APPLICATIONICON") among them.
std::vector<SkinImage> skinImages();
