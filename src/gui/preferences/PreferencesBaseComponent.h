#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The base of the preferences window's pages: a white page that hears the
// message engine's broadcasts for as long as it lives.
class PreferencesBaseComponent : public juce::Component,
                                 public juce::MessageListener
{
public:
    explicit PreferencesBaseComponent (const juce::String& name);
    ~PreferencesBaseComponent() override;

    void paint (juce::Graphics&) override;
    void handleMessage (const juce::Message&) override;

    // The pages' value boxes: not editable, left-aligned, "(no choices)"
    // when empty.
    static void styleValueBox (juce::ComboBox& box);

protected:
    // A broadcast's id, on the message thread; pages that show data
    // refresh here.
    virtual void handleBroadcast (int) {}
};
