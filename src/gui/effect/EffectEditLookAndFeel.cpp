#include "gui/effect/EffectEditLookAndFeel.h"

#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"

namespace
{
const juce::String boxFontName { "EffectPopupParameterKnobValue" };
}

EffectEditLookAndFeel::EffectEditLookAndFeel()
{
    setColour (juce::ComboBox::textColourId, juce::Colours::white);
}

void EffectEditLookAndFeel::drawComboBox (juce::Graphics& g, int, int, bool, int, int, int, int, juce::ComboBox& box)
{
    const auto background = ImageResourceManager::imageFor ("PopupFxTypeBackground");
    g.drawImageAt (background, 0, 0);

    if (box.isEnabled() && box.isMouseOver (true))
    {
        g.setColour (box.findColour (juce::TextButton::buttonColourId));
        g.drawRect (background.getBounds(), 2);
    }

    g.setOpacity (box.isEnabled() ? 1.0f : disabledButtonOpacity);
    g.drawImageAt (ImageResourceManager::imageFor ("PopupParameterButton"), background.getWidth(), 0);
}

void EffectEditLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (1, 1, box.getWidth() - box.getHeight() + 3, box.getHeight() - 3);
    label.setJustificationType (juce::Justification::centredLeft);
    label.setFont (getComboBoxFont (box));
}

juce::Font EffectEditLookAndFeel::getComboBoxFont (juce::ComboBox&)
{
    return FontManager::fontFor (boxFontName);
}

juce::Font EffectEditLookAndFeel::getPopupMenuFont()
{
    return FontManager::fontFor (boxFontName);
}
