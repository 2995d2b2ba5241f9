#pragma once

#include "app/MessageEngine.h"
#include "audio/io/SampleFileFilter.h"
#include "gui/browser/CustomFileTreeComponent.h"
#include "gui/browser/FolderContentsList.h"
#include "gui/widgets/ImageToggleButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

class CommandContext;
class PreviewPlayer;

// The file browser column: a folder chooser with the recently used folders,
// the tree of the files the program can use, and the preview of audio
// files, by the play button or shortly after a click. Double-clicked files
// go where the current page takes them; dragged files carry their path in
// the tree's property "FullPathName". Folders are scanned on the thread
// "SampleFileTreeThread", so that large ones never block the window.
class BrowserComponent : public juce::Component,
                         public juce::MessageListener,
                         public juce::FilenameComponentListener,
                         public juce::FileBrowserListener,
                         public juce::Timer
{
public:
    static constexpr int maxRecentFolders = 30;
    static constexpr int previewDelayMs = 200;
    // How far the mouse may move from a click, in horizontal plus vertical
    // pixels, before the preview waits no longer.
    static constexpr int previewMoveDistance = 10;

    // Message 15: its folder becomes the root.
    class RootFolderMessage : public BroadcastMessage
    {
    public:
        explicit RootFolderMessage (const juce::File& newRoot);
        const juce::File folder;
    };

    // The context must outlive the browser. Starts in the folder last shown
    // when it still exists, else in the documents folder.
    explicit BrowserComponent (CommandContext& context);
    ~BrowserComponent() override;

    void setRootFolder (const juce::File& folder);
    juce::File getRootFolder() const;

    // Rescans; open folders stay open.
    void refresh();

    // Plays the selected file when it is importable audio.
    void preview();

    // Called after a double-clicked file was handed to the program: the
    // current page takes the keyboard focus.
    std::function<void()> onFileOpened;

    CustomFileTreeComponent* getTree() const noexcept { return tree.get(); }

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseMove (const juce::MouseEvent&) override;
    void handleMessage (const juce::Message&) override;
    void timerCallback() override;

    void filenameComponentChanged (juce::FilenameComponent*) override;

    // FileBrowserListener: clicks and double-clicks of the tree.
    void selectionChanged() override {}
    void fileClicked (const juce::File& file, const juce::MouseEvent& e) override;
    void fileDoubleClicked (const juce::File& file) override;
    void browserRootChanged (const juce::File&) override {}

private:
    class OpenFileMessage;

    static juce::File startFolder();
    void setUpPreviewButtons();
    void showToggle (ImageToggleButton& button, bool on);
    void playOrStop();
    void flipAutoPreview();
    bool isDragInProgress();
    PreviewPlayer* getPreviewPlayer() const;
    void stopPreview();
    void openFile (const juce::File& file);
    static bool isTakenByPage (int fileType, int page);

    CommandContext& context;

    // Guards replacing the tree and reading its selection.
    juce::CriticalSection treeLock;
    SampleFileFilter filter;
    juce::TimeSliceThread scanThread { "SampleFileTreeThread" };
    FolderContentsList contents { &filter, scanThread };
    std::unique_ptr<CustomFileTreeComponent> tree;

    juce::FilenameComponent folderChooser;
    ImageToggleButton playStopButton { "PlayStopButton" };
    ImageToggleButton autoPreviewButton { "ToggleAutoPreview" };
    juce::Image topImage, loopImage, bottomImage;

    // Where the last click in the tree was, on the screen.
    juce::Point<int> clickPosition;
};
