#include "gui/effect/EffectParameterBaseKnob.h"

#include "data/EffectParameterAccessor.h"
#include "gui/widgets/FontManager.h"

#include <utility>

EffectParameterBaseKnob::EffectParameterBaseKnob (int slot, const EffectParameterAccessor* parameterAccessor,
                                                  const EffectData& effectData, double minimum, double maximum)
    : ParameterKnob ("Param" + juce::String (slot), slot, minimum, maximum, 1.0),
      accessor (parameterAccessor), effect (effectData)
{
    setSize (width, height);
}

void EffectParameterBaseKnob::setDisplayName (const juce::String& name)
{
    displayName = name;
    repaint();
}

void EffectParameterBaseKnob::setParameterRange (int minimum, int maximum)
{
    setRange (minimum, maximum, 1.0);
    rangeShown();
}

juce::String EffectParameterBaseKnob::formatValue (int value) const
{
    return accessor != nullptr ? accessor->formatValue (effect, getSlot(), value) : juce::String (value);
}

void EffectParameterBaseKnob::paintDisplayName (juce::Graphics& g, bool underlined) const
{
    constexpr float lineThickness = 1.5f, smallestSqueeze = 0.7f;
    g.setFont (FontManager::fontFor ("EffectParameterKnobName"));

    const std::pair<juce::Colour, juce::Point<int>> layers[] = {
        { juce::Colours::black, { 1, 1 } },
        { juce::Colours::white, { 0, 0 } },
    };

    for (auto& [colour, offset] : layers)
    {
        g.setColour (colour);
        g.drawFittedText (displayName, 4 + offset.x, offset.y, 100, 10, juce::Justification::centredLeft, 1, smallestSqueeze);

        if (underlined)
            g.drawLine ((float) offset.x, 14.0f + (float) offset.y, 105.0f + (float) offset.x, 14.0f + (float) offset.y, lineThickness);
    }
}
