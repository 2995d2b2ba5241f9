#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A slider drawn as one frame of a film strip: the image holds the frames one
// above the other, the minimum at the top. Up and Down step the value by one.
// Without an image, or with no frames, it is drawn as the framework's slider.
class ImageKnob : public juce::Slider,
                  public juce::KeyListener
{
public:
    static constexpr int defaultFrameCount = 128;

    // The image is not copied: it stays the image resources' own.
    ImageKnob (const juce::String& name, const juce::Image& filmStrip);
    ~ImageKnob() override;

    void setImage (const juce::Image& newFilmStrip);
    void setFrameCount (int newFrameCount);

    using juce::Slider::keyPressed;
    bool keyPressed (const juce::KeyPress&, juce::Component* originatingComponent) override;

    void paint (juce::Graphics&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

private:
    int currentFrame() const;

    juce::Image filmStrip;
    int frameCount = defaultFrameCount;
    bool mouseIsOver = false;   // as the mouse events tell it
};
