#pragma once

#include "gui/browser/BrowserComponent.h"
#include "gui/main/AboutComponent.h"
#include "gui/main/BankCommonComponent.h"
#include "gui/widgets/OverlayComponentHolder.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class CommandContext;

// The content of the main window: the file browser column on the left and
// the bank page on the right, the bank strip over the current page. First
// target of the command chain, it hands every command on to the action
// manager. Bank files dropped on it, from the file browser or the system,
// are opened after the unsaved-changes question. It also shows the about
// box, and is modal while the box is up.
class MainComponent : public juce::Component,
                      public juce::MessageListener,
                      public juce::DragAndDropContainer,
                      public juce::ApplicationCommandTarget,
                      public juce::DragAndDropTarget,
                      public juce::FileDragAndDropTarget
{
public:
    static constexpr int browserWidth = 234;

    // What the file browser's drags carry: this description, and the
    // dragged file's path as the property "FullPathName" of the source
    // component.
    static inline const juce::String browserDragDescription { "SampleFileTreeDrag" };
    static inline const juce::Identifier fullPathProperty { "FullPathName" };

    // The file a drag from the file browser carries; none for other drags.
    static juce::File browserDragFile (const juce::var& description, juce::Component* source);
    static juce::File browserDragFile (const SourceDetails& details);

    // All must outlive the component. It becomes the command manager's
    // first target for as long as it lives.
    MainComponent (CommandContext& context, juce::ApplicationCommandManager& commandManager,
                   juce::ApplicationCommandTarget& actionTarget);
    ~MainComponent() override;

    // 0 none, 1 samples, 2 effect, 3 patterns; any other number removes the
    // page and counts as 0.
    void setPage (int page);
    int getPage() const { return pageNumber; }

    void showAboutBox();
    void closeAboutBox();
    bool isAboutBoxShown() const { return aboutBox != nullptr; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void handleMessage (const juce::Message&) override;

    // ApplicationCommandTarget: no command of its own. The page comes next
    // while the keyboard focus is in it, then the action manager.
    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    void getAllCommands (juce::Array<juce::CommandID>&) override {}
    void getCommandInfo (juce::CommandID, juce::ApplicationCommandInfo&) override {}
    bool perform (const InvocationInfo&) override { return false; }

    // DragAndDropTarget: bank files from the file browser.
    bool isInterestedInDragSource (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

    // FileDragAndDropTarget: bank files from the system.
    bool isInterestedInFileDrag (const juce::StringArray& files) override;
    void filesDropped (const juce::StringArray& files, int x, int y) override;

private:
    class DroppedFileMessage;

    static juce::String firstBankFile (const juce::StringArray& paths);
    static bool isBankFile (const juce::File& file);
    void openBankFileLater (const juce::File& file);
    void openBankFile (const juce::File& file);

    // The page component of a number; none for noPage.
    std::unique_ptr<juce::Component> createPage (int page);
    void layOutPage();

    CommandContext& context;
    juce::ApplicationCommandManager& commandManager;
    juce::ApplicationCommandTarget& actionTarget;

    BrowserComponent browser;
    BankCommonComponent bankCommon;
    std::unique_ptr<juce::Component> page;
    int pageNumber = 0;
    std::unique_ptr<AboutComponent> aboutBox;
    std::unique_ptr<OverlayComponentHolder> aboutOverlay;
};
