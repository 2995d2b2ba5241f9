#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The base of the bank memory window's pages: a white page with the button
// that starts the page's command and a description of what it does. The
// button triggers its command through the command manager and follows the
// command's enabled state.
class BankMemoryPage : public juce::Component
{
public:
    static constexpr int pageWidth = 500;
    static constexpr int pageHeight = 410;

    struct Layout
    {
        int commandId;
        juce::String buttonKey;
        juce::Rectangle<int> buttonBounds;
        juce::String descriptionKey;
        juce::Rectangle<int> descriptionBounds;
    };

    // The command manager must outlive the page.
    BankMemoryPage (const juce::String& name, juce::ApplicationCommandManager& commands, const Layout& layout);

    void paint (juce::Graphics&) override;

    // The text of the header key followed by the bank's letter ("Bank A").
    static juce::String bankTitle (const juce::String& headerKey, int bankIndex);

private:
    juce::TextButton commandButton;
    juce::TextEditor description { "description" };
};
