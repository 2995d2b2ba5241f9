#pragma once

#include "gui/preferences/PreferencesBaseComponent.h"
#include "gui/widgets/CustomComboBox.h"

#include <memory>
#include <vector>

class CommandContext;
class GlobalData;

// The device's global settings, edited in place in the data center's global
// data: twelve value boxes in three frames, the memory-protect state (shown
// only), and the buttons that receive, write, reset, load and save the
// settings through their commands. A choice is stored at once, without an
// undo step, and posts message 1; message 1 shows the data again.
class GlobalEditPage : public PreferencesBaseComponent
{
public:
    static constexpr int pageWidth = 590;
    static constexpr int pageHeight = 367;

    // Both must outlive the page.
    GlobalEditPage (CommandContext& context, juce::ApplicationCommandManager& commands);

    // The values of the global data, without telling the boxes' listeners.
    void refresh();

    // The pop-up menu of the file button: reset, load and save.
    juce::PopupMenu createFileMenu() const;

    void paint (juce::Graphics&) override;

protected:
    void handleBroadcast (int messageId) override;

private:
    struct Row;
    static const Row rows[];

    GlobalData* getGlobalData() const;
    void choose (size_t row);
    void setUpButtons();

    CommandContext& context;
    juce::ApplicationCommandManager& commands;
    juce::GroupComponent commonFrame { "Common", "Common" }, midiFrame { "MIDI", "MIDI" },
                         trimmingFrame { "Auto Trimming", "Auto Trimming" };
    std::vector<std::unique_ptr<CustomComboBox>> boxes;
    juce::ToggleButton memoryProtectToggle { "Memory protect" };
    juce::TextButton receiveButton { "Receive" }, writeButton { "Write" }, fileButton { "File" };
};
