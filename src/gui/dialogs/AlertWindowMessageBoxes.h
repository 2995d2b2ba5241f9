#pragma once

#include "resources/MessageBoxes.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The editor's message boxes: modal alert windows.
class AlertWindowMessageBoxes : public MessageBoxes
{
public:
    // Without a busy flag every box is shown (used before the GUI exists).
    explicit AlertWindowMessageBoxes (std::unique_ptr<BusyFlag> busyFlag);

    // The windows, ready to run modally. Their buttons return the answer:
    // OK 1; Cancel 0; Yes 1, No 2, Cancel 0; Overwrite 1, Save As 2, Cancel 0.
    static std::unique_ptr<juce::AlertWindow> createErrorWindow (const MessageText& text);
    static std::unique_ptr<juce::AlertWindow> createConfirmationWindow (const juce::String& title, const juce::String& message, bool withCancel);
    static std::unique_ptr<juce::AlertWindow> createQuestionWindow (const juce::String& title, const juce::String& message);
    static std::unique_ptr<juce::AlertWindow> createOverwriteQuestionWindow (const juce::String& title, const juce::String& message);

    // The name of the error window's first detail line.
    static constexpr const char* detailEditorName = "MessageDetail";

protected:
    void presentError (const juce::String& messageKey, const MessageText& text) override;
    bool presentConfirmation (const juce::String& title, const juce::String& message, bool withCancel) override;
    Answer presentQuestion (const juce::String& title, const juce::String& message) override;
    OverwriteAnswer presentOverwriteQuestion (const juce::String& title, const juce::String& message) override;
};
