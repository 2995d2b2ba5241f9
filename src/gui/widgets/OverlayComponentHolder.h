#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Dims a whole component with a fill colour and shows another component in
// its middle, as the about box is shown. The owner adds the holder to the
// covered component; clicks on the dimmed area only beep.
class OverlayComponentHolder : public juce::Component
{
public:
    // Neither component is owned.
    OverlayComponentHolder (juce::Component& covered, juce::Component& content, juce::Colour fillColour);

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;

protected:
    virtual void beep();

private:
    juce::Component& content;
    const juce::Colour fillColour;
};
