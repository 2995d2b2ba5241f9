#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class ParameterKnob;

// Told after a knob's value changed through the knob itself (a turn or a
// typed value), never for a value set by the program.
class ParameterKnobListener
{
public:
    virtual ~ParameterKnobListener() = default;
    virtual void parameterKnobChanged (ParameterKnob& knob) = 0;
};

// The base of the pages' parameter controls: a value inside a range with an
// interval, for one parameter id of the edited data. Subclasses draw it and
// turn the user's input into setValue (value, sendNotification).
class ParameterKnob : public juce::Component,
                      public juce::MessageListener
{
public:
    ParameterKnob (const juce::String& name, int parameterId, double minimum, double maximum, double interval);

    int getParameterId() const { return parameterId; }
    double getValue() const { return value; }
    double getMinimum() const { return minimum; }
    double getMaximum() const { return maximum; }
    double getInterval() const { return interval; }

    // Stores the value held to the range; with sendNotification the
    // listeners are told. Subclasses show it in valueShown.
    void setValue (double newValue, juce::NotificationType notification);
    void setRange (double newMinimum, double newMaximum, double newInterval);

    void addListener (ParameterKnobListener* listener);
    void removeListener (ParameterKnobListener* listener);

    void handleMessage (const juce::Message&) override {}

protected:
    // Called after every change of the stored value or range.
    virtual void valueShown() {}
    void notifyListeners();

private:
    const int parameterId;
    double value = 0.0;
    double minimum, maximum, interval;

    // Listeners may be added while a notification runs.
    juce::CriticalSection listenerLock;
    juce::Array<ParameterKnobListener*> listeners;
};
