#pragma once

#include "app/CZQVSingleton.h"
#include "app/WaveSelection.h"

#include <juce_data_structures/juce_data_structures.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class GuiController;

// Owns every long-lived service of the program. Creates them in a fixed
// order on construction and deletes them in the reverse order.
class Host : public juce::ChangeListener,
             public CZQVSingleton<Host>
{
public:
    enum Page { noPage = 0, samplePage = 1, effectPage = 2, patternPage = 3, lastPage = 4 };

    Host();
    ~Host() override;

    // True when every service the program cannot run without exists.
    bool isReady() const;

    GuiController* getGuiController() const { return guiController.get(); }
    juce::ApplicationCommandManager* getCommandManager() const { return commandManager.get(); }
    juce::UndoManager* getUndoManager() const { return undoManager.get(); }

    int getCurrentPattern() const { return currentPattern; }
    void setCurrentPattern (int index) { currentPattern = juce::jlimit (0, 15, index); }

    const WaveSelectedStatus& getWaveSelection() const { return waveSelection; }
    void setWaveSelection (const WaveSelectedStatus& selection);
    void clearWaveSelectionFlags();
    WaveGraphViewInfo& getWaveView() { return waveView; }

    const juce::File& getCurrentFile() const { return currentFile; }
    void setCurrentFile (const juce::File& file) { currentFile = file; }

    // Values 0 to 4; refused while the main window is modal.
    void setCurrentPage (int page);

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    std::unique_ptr<GuiController> guiController;
    std::unique_ptr<juce::ApplicationCommandManager> commandManager;
    std::unique_ptr<juce::UndoManager> undoManager;

    int currentPattern = 0;
    WaveSelectedStatus waveSelection;
    WaveGraphViewInfo waveView;
    juce::File currentFile;

    bool holdsMessageEngine = false;
    bool holdsAudioBufferIds = false;
};
