#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The about box, 350 × 220: the program's picture with its version and
// copyright. It takes the keyboard focus once it is shown; a click or any
// key asks the main component to close it (message 9).
class AboutComponent : public juce::Component,
                       public juce::MessageListener
{
public:
    static constexpr int boxWidth = 350;
    static constexpr int boxHeight = 220;

    AboutComponent();

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress&) override;
    void handleMessage (const juce::Message&) override;
};
