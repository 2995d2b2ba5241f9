#include "gui/widgets/ParameterKnob.h"

ParameterKnob::ParameterKnob (const juce::String& name, int id, double min, double max, double step)
    : juce::Component (name), parameterId (id), value (min), minimum (min), maximum (max), interval (step)
{
}

void ParameterKnob::setValue (double newValue, juce::NotificationType notification)
{
    value = juce::jlimit (minimum, juce::jmax (minimum, maximum), newValue);
    valueShown();

    if (notification != juce::dontSendNotification)
        notifyListeners();
}

void ParameterKnob::setRange (double newMinimum, double newMaximum, double newInterval)
{
    minimum = newMinimum;
    maximum = newMaximum;
    interval = newInterval;
    setValue (value, juce::dontSendNotification);
}

void ParameterKnob::addListener (ParameterKnobListener* listener)
{
    const juce::ScopedLock lock (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void ParameterKnob::removeListener (ParameterKnobListener* listener)
{
    const juce::ScopedLock lock (listenerLock);
    listeners.removeFirstMatchingValue (listener);
}

void ParameterKnob::notifyListeners()
{
    juce::Array<ParameterKnobListener*> toTell;
    {
        const juce::ScopedLock lock (listenerLock);
        toTell = listeners;
    }

    for (auto* listener : toTell)
        listener->parameterKnobChanged (*this);
}
