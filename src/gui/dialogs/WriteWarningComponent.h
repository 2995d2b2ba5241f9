#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class PreferencesData;

// The warning before data is written to the device, 455 × 110: the rewrite
// or the update message, "Are you sure?", OK and Cancel, and the box that
// turns the warning off, shown only when asked for. OK ends the enclosing
// dialog's modal run with 1, Cancel with 0.
class WriteWarningComponent : public juce::Component
{
public:
    // The preferences that the box turns the warning off in (none: the box
    // changes nothing).
    WriteWarningComponent (bool writeMessage, bool showDontConfirmBox, PreferencesData* preferences);

    void resized() override;

private:
    void close (int result);

    PreferencesData* const preferences;
    const bool showDontConfirmBox;
    juce::Label message1, message2;
    juce::TextButton okButton, cancelButton;
    juce::ToggleButton dontConfirmBox;
};
