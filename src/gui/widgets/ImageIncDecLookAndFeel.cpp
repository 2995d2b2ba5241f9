#include "gui/widgets/ImageIncDecLookAndFeel.h"

#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"

ImageIncDecLookAndFeel::ImageIncDecLookAndFeel (Style sliderStyle)
    : style (std::move (sliderStyle))
{
}

juce::Button* ImageIncDecLookAndFeel::createSliderButton (juce::Slider&, bool isIncrement)
{
    const auto image = ImageResourceManager::imageFor (isIncrement ? style.incrementImage : style.decrementImage);
    auto* button = new juce::ImageButton ("IncDecButton");
    button->setImages (false, true, true,
                       image, 1.0f, juce::Colours::transparentBlack,
                       image, 1.0f, juce::Colour (0x44ffffff),
                       image, 1.0f, juce::Colour (0x55555555));
    return button;
}

juce::Label* ImageIncDecLookAndFeel::createSliderTextBox (juce::Slider& slider)
{
    auto* label = CustomLookAndFeel::createSliderTextBox (slider);
    label->setFont (FontManager::fontFor (style.fontName));
    label->setJustificationType (juce::Justification::centredRight);
    label->setColour (juce::Label::textColourId, style.textColour);
    label->setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    label->setColour (juce::Label::outlineColourId, juce::Colours::transparentBlack);
    return label;
}
