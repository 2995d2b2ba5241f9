#include "gui/waveform/PeakMeterBar.h"

PeakMeterBar::PeakMeterBar (const juce::String& name)
    : juce::Component (name)
{
    setInterceptsMouseClicks (false, false);
}

void PeakMeterBar::setValue (float decibels)
{
    value = juce::jlimit (minimumDb, maximumDb, decibels);
    repaint();
}

float PeakMeterBar::xOf (float decibels) const
{
    return (decibels - minimumDb) / (maximumDb - minimumDb) * (float) getWidth();
}

// Each band is drawn from its threshold to the value, then the value is
// taken down to the threshold for the band below.
void PeakMeterBar::paint (juce::Graphics& g)
{
    const auto height = (float) getHeight();
    float level = value;

    const struct { float fromDb; juce::uint32 colour; } bands[] = {
        { redFromDb, redColour },
        { yellowFromDb, yellowColour },
    };

    for (auto& band : bands)
    {
        if (level <= band.fromDb)
            continue;
        g.setColour (juce::Colour (band.colour));
        g.fillRect (juce::Rectangle<float> (xOf (band.fromDb), 0.0f, xOf (level) - xOf (band.fromDb), height));
        level = band.fromDb;
    }

    if (xOf (level) > 0.0f)
    {
        g.setColour (juce::Colour (baseColour));
        g.fillRect (juce::Rectangle<float> (0.0f, 0.0f, xOf (level), height));
    }
}
