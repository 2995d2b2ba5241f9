#include "gui/widgets/OverlayComponentHolder.h"

OverlayComponentHolder::OverlayComponentHolder (juce::Component& covered, juce::Component& contentToShow, juce::Colour fill)
    : content (contentToShow), fillColour (fill)
{
    addChildComponent (content);
    setBounds (0, 0, covered.getWidth(), covered.getHeight());
    content.setCentrePosition (getLocalBounds().getCentre());
    content.setVisible (true);
}

void OverlayComponentHolder::paint (juce::Graphics& g)
{
    g.fillAll (fillColour);
}

void OverlayComponentHolder::resized()
{
    content.setCentrePosition (getLocalBounds().getCentre());
    repaint();
}

void OverlayComponentHolder::mouseDown (const juce::MouseEvent&)
{
    beep();
}

void OverlayComponentHolder::beep()
{
    getLookAndFeel().playAlertSound();
}
