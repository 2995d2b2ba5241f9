#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A horizontal level meter from −60 to +6 dB: the base colour up to −12 dB,
// yellow up to 0 dB and red above.
class PeakMeterBar : public juce::Component
{
public:
    static constexpr float minimumDb = -60.0f, maximumDb = 6.0f;
    static constexpr float redFromDb = 0.0f, yellowFromDb = -12.0f;
    static constexpr juce::uint32 baseColour = 0xa000ff00, yellowColour = 0xa0ffff00, redColour = 0xa0ff0000;

    explicit PeakMeterBar (const juce::String& name);

    // Held to −60 … +6 dB; repaints.
    void setValue (float decibels);
    float getValue() const { return value; }

    void paint (juce::Graphics&) override;

private:
    float xOf (float decibels) const;

    float value = minimumDb;
};
