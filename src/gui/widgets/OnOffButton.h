#pragma once

#include "gui/widgets/ImageToggleButton.h"

// The skin's on/off switch: "ButtonOn" while on, "ButtonOff" while off, and
// as large as the "ButtonOn" image.
class OnOffButton : public ImageToggleButton
{
public:
    explicit OnOffButton (const juce::String& name);
};
