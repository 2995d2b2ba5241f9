#pragma once

#include "files/FileChoosers.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The editor's file choosers: the framework's native choosers, and an alert
// window for the overwrite question.
class JuceFileChoosers : public FileChoosers
{
public:
    explicit JuceFileChoosers (std::unique_ptr<BusyFlag> busyFlag);

    // Buttons "ConfirmOverwrite_ButtonOverwrite" (result 1) and
    // "Button_Cancel" (result 0).
    static std::unique_ptr<juce::AlertWindow> createOverwriteWindow (const juce::String& title, const juce::String& message);

protected:
    juce::File presentOpenChooser (const juce::String& title, const juce::File& folder, const juce::String& wildcard) override;
    juce::File presentSaveChooser (const juce::String& title, const juce::File& folder, const juce::String& wildcard) override;
    juce::File presentFolderChooser (const juce::String& title, const juce::File& folder) override;
    bool presentOverwriteQuestion (const juce::String& title, const juce::String& message) override;
};
