#pragma once

#include "Painter.h"

// Painters of the panel backgrounds.
namespace Panels
{
    // A page whose height follows the window. It is painted for any height
    // and cut into three images: the fixed top rows, one row that the page
    // repeats down to the bottom part, and the fixed bottom rows.
    struct StretchingPage
    {
        Painter paint;
        int topHeight;
        int bottomHeight;
    };

    enum class Slice { top, loop, bottom };

    // The image of one slice; its height must be the slice's height.
    Painter slice (const StretchingPage&, Slice);

    StretchingPage browser();
    StretchingPage waveformEditor();
    StretchingPage effectPage();
    StretchingPage patternPage();

    Painter bankStrip();
    Painter sampleSelect();
    Painter sampleParameterEdit();
    Painter about();
}
