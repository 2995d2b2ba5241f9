#pragma once

#include "gui/main/MainComponent.h"
#include "gui/widgets/CustomLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class CommandContext;

// The program's one window, 794 pixels of content wide, with the menu bar
// and the main component. Its title names the bank file and shows whether
// it is modified. The content height is kept in the preferences, one for
// the sample page with the waveform editor and one without it; the user
// may change the height within limits. Closing it quits after the
// unsaved-changes question.
class MainWindow : public juce::DocumentWindow,
                   public juce::MessageListener
{
public:
    static constexpr int contentWidth = 794;
    static constexpr int defaultContentHeight = 540;
    static constexpr int minimumHeightWithWaveformEditor = 540;
    static constexpr int minimumHeight = 420;

    // What the window and its content reach; everything must outlive it.
    struct Services
    {
        CommandContext& context;
        juce::ApplicationCommandManager& commandManager;
        juce::ApplicationCommandTarget& actionTarget;
        juce::MenuBarModel* menuBar = nullptr;
    };

    explicit MainWindow (const Services& services);
    ~MainWindow() override;

    MainComponent& getMainComponent() { return *mainComponent; }

    // Message 1 rebuilds the title; message 17 applies the stored height of
    // the waveform editor's new state.
    void handleBroadcast (int messageId);

    // Quits after the unsaved-changes question; nothing while the GUI is
    // busy.
    void requestQuit();

    // Takes the menu bar away as the program ends. The content grows into
    // its place then; that height is not the user's and is not stored.
    void removeMenuBar();

    void closeButtonPressed() override;
    void resized() override;
    void minimisationStateChanged (bool isNowMinimised) override;
    void activeWindowStatusChanged() override;
    void handleMessage (const juce::Message&) override;

private:
    void installLookAndFeel();
    void refreshTitle();
    void applyStoredHeight();
    bool isWaveformEditorOn() const;
    int getMonitorHeight() const;
    void storeHeight();

    CommandContext& context;
    std::unique_ptr<CustomLookAndFeel> lookAndFeel;
    std::unique_ptr<MainComponent> mainComponent;
    juce::String applicationName { "Plovara Editor" };
    bool constructing = true;
    bool applyingHeight = false;
    bool menuBarRemoved = false;
};
