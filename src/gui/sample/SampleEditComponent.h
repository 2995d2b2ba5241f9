#pragma once

#include "gui/sample/SampleParameterEditComponent.h"
#include "gui/sample/SampleSelectComponent.h"
#include "gui/widgets/BankEditBaseComponent.h"

#include <memory>

// Page 1 of the main window, 560 wide: the sample keyboard strip, the
// parameter panel under it and, when switched on, the waveform editor from
// the panel down to the bottom. A sample file or audio file dropped on the
// page goes into the selected sample. While the focus is in the page, Cut,
// Copy, Paste and Clear work on the selected sample.
class SampleEditComponent : public BankEditBaseComponent,
                            public juce::DragAndDropTarget,
                            public juce::FileDragAndDropTarget,
                            public juce::ApplicationCommandTarget
{
public:
    static constexpr int pageWidth = 560;

    // All must outlive the page; commands the page does not handle go on
    // to the next target.
    SampleEditComponent (CommandContext& context, juce::ApplicationCommandManager& commandManager,
                         juce::ApplicationCommandTarget& nextTarget);
    ~SampleEditComponent() override;

    void showWaveformEditor();
    void hideWaveformEditor();
    juce::Component* getWaveformEditor() const { return waveformEditor.get(); }

    SampleSelectComponent& getSelectStrip() { return selectStrip; }
    SampleParameterEditComponent& getParameterPanel() { return parameterPanel; }

    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void handleMessage (const juce::Message&) override;

    // ApplicationCommandTarget: Cut, Copy, Paste and Clear of the sample.
    juce::ApplicationCommandTarget* getNextCommandTarget() override { return &nextTarget; }
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo (juce::CommandID commandId, juce::ApplicationCommandInfo& info) override;
    bool perform (const InvocationInfo& info) override;

    // DragAndDropTarget: sample and audio files from the file browser.
    bool isInterestedInDragSource (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

    // FileDragAndDropTarget: the first sample or audio file of a drop.
    bool isInterestedInFileDrag (const juce::StringArray& files) override;
    void filesDropped (const juce::StringArray& files, int x, int y) override;

private:
    // The waveform editor for the selected sample; without preferences (in
    // a bare test set-up) an empty place of its size.
    std::unique_ptr<juce::Component> createWaveformEditor();

    static bool isSampleFile (const juce::File& file);
    static juce::File firstSampleFile (const juce::StringArray& paths);
    void loadIntoSelectedSample (const juce::File& file);
    bool areSampleCommandsEnabled() const;
    int getSelectedIndex() const;

    juce::ApplicationCommandManager& commandManager;
    juce::ApplicationCommandTarget& nextTarget;
    SampleSelectComponent selectStrip;
    SampleParameterEditComponent parameterPanel;
    std::unique_ptr<juce::Component> waveformEditor;
};
