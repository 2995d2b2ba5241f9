#include "gui/main/BankCommonLookAndFeel.h"

#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"

juce::Button* BankCommonLookAndFeel::createSliderButton (juce::Slider&, bool isIncrement)
{
    const auto image = ImageResourceManager::imageFor (isIncrement ? "ButtonPlus" : "ButtonMinus");
    auto* button = new juce::ImageButton ("IncDecButton");
    button->setImages (false, true, true,
                       image, 1.0f, juce::Colours::transparentBlack,
                       image, 1.0f, juce::Colour (0x44ffffff),
                       image, 1.0f, juce::Colour (0x55555555));
    return button;
}

juce::Label* BankCommonLookAndFeel::createSliderTextBox (juce::Slider& slider)
{
    auto* label = CustomLookAndFeel::createSliderTextBox (slider);
    label->setFont (FontManager::fontFor ("BankBpmLabel"));
    label->setJustificationType (juce::Justification::centredRight);
    label->setColour (juce::Label::textColourId, juce::Colours::white);
    label->setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    label->setColour (juce::Label::outlineColourId, juce::Colours::transparentBlack);
    return label;
}
