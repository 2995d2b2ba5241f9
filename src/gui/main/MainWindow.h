#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The program's one window. Its pages arrive with the user-interface work;
// for now it shows an empty panel of the final size.
class MainWindow : public juce::DocumentWindow
{
public:
    static constexpr int contentWidth = 794;
    static constexpr int defaultContentHeight = 540;

    MainWindow();
    ~MainWindow() override;

    // "Plovara Editor - <bank file or Untitled>"
    static juce::String buildTitle (const juce::String& applicationName, const juce::String& bankFileName, bool modified);

    void handleBroadcast (int messageId);
    void closeButtonPressed() override;

private:
    void refreshTitle();
};
