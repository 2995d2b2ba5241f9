#include "gui/browser/BrowserComponent.h"

#include "app/MessageIds.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandContext.h"
#include "files/FileFormatManager.h"
#include "files/FileManager.h"
#include "gui/main/MainComponent.h"
#include "gui/widgets/ImageResourceManager.h"
#include "prefs/PreferencesData.h"

namespace
{
const juce::Point<int> playStopPosition { 12, 12 };
const juce::Point<int> autoPreviewPosition { 150, 12 };
const juce::Rectangle<int> folderChooserBounds { 11, 35, 217, 24 };
constexpr int treeX = 11, treeY = 59, treeWidth = 215, treeHeightLess = 72;

PreferencesData* preferences() { return PreferencesData::getInstancePointer(); }

bool isAutoPreviewOn()
{
    auto* prefs = preferences();
    return prefs != nullptr && prefs->getFlag (PreferencesData::sampleFileTreeAutoPreview);
}
}

BrowserComponent::RootFolderMessage::RootFolderMessage (const juce::File& newRoot)
    : BroadcastMessage (MessageIds::setBrowserRootFolder), folder (newRoot)
{
}

// A double-clicked file, handled once the click is over.
class BrowserComponent::OpenFileMessage : public juce::Message
{
public:
    explicit OpenFileMessage (const juce::File& f) : file (f) {}
    const juce::File file;
};

BrowserComponent::BrowserComponent (CommandContext& commandContext)
    : context (commandContext),
      folderChooser ("RootDirectorySelector", startFolder(), true, true, false, {}, {}, {})
{
    setName ("Browser");

    topImage = ImageResourceManager::imageFor ("BackgroundBrowserTop");
    loopImage = ImageResourceManager::imageFor ("BackgroundBrowserLoop");
    bottomImage = ImageResourceManager::imageFor ("BackgroundBrowserBottom");

    folderChooser.setMaxNumberOfRecentFiles (maxRecentFolders);
    if (auto* prefs = preferences())
        folderChooser.setRecentlyUsedFilenames (prefs->getSampleFileTreeHistories());
    folderChooser.addListener (this);
    addAndMakeVisible (folderChooser);

    setUpPreviewButtons();

    scanThread.startThread();
    setRootFolder (folderChooser.getCurrentFile());

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

BrowserComponent::~BrowserComponent()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);

    stopTimer();
    folderChooser.removeListener (this);
    {
        const juce::ScopedLock scopedLock (treeLock);
        tree.reset();
    }
    scanThread.stopThread (2000);
}

juce::File BrowserComponent::startFolder()
{
    const auto* prefs = preferences();
    const auto lastFolder = prefs != nullptr ? prefs->getText (PreferencesData::sampleFileTreeLastFolder) : juce::String();

    if (juce::File::isAbsolutePath (lastFolder) && juce::File (lastFolder).isDirectory())
        return juce::File (lastFolder);

    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
}

void BrowserComponent::setUpPreviewButtons()
{
    playStopButton.setButtonText ("play");
    playStopButton.setOffImages (ImageResourceManager::imageFor ("ButtonPreviewPlayOff"),
                                 ImageResourceManager::imageFor ("ButtonPreviewPlayOffDown"));
    playStopButton.setOnImages (ImageResourceManager::imageFor ("ButtonPreviewPlayOn"),
                                ImageResourceManager::imageFor ("ButtonPreviewPlayOnDown"));
    playStopButton.onClick = [this] { playOrStop(); };

    const auto on = ImageResourceManager::imageFor ("ButtonWaveformOn");
    const auto off = ImageResourceManager::imageFor ("ButtonWaveformOff");
    autoPreviewButton.setButtonText ("Auto Preview");
    autoPreviewButton.setOnImages (on, on);
    autoPreviewButton.setOffImages (off, off);
    autoPreviewButton.onClick = [this] { flipAutoPreview(); };

    showToggle (playStopButton, false);
    showToggle (autoPreviewButton, isAutoPreviewOn());

    playStopButton.setBounds (playStopButton.getNormalImage().getBounds().withPosition (playStopPosition));
    autoPreviewButton.setBounds (autoPreviewButton.getNormalImage().getBounds().withPosition (autoPreviewPosition));
    addAndMakeVisible (playStopButton);
    addAndMakeVisible (autoPreviewButton);
}

void BrowserComponent::showToggle (ImageToggleButton& button, bool on)
{
    button.setToggleState (on, juce::dontSendNotification);
    button.updateImages();
}

//==============================================================================
void BrowserComponent::setRootFolder (const juce::File& folder)
{
    {
        const juce::ScopedLock scopedLock (treeLock);
        tree.reset();
        contents.setDirectory (folder);

        tree = std::make_unique<CustomFileTreeComponent> (contents);
        tree->addListener (this);
        tree->setDragAndDropDescription (MainComponent::browserDragDescription);
        tree->getViewport()->setScrollBarsShown (true, true);
        tree->addMouseListener (this, true);
        addAndMakeVisible (*tree);
    }
    resized();
}

juce::File BrowserComponent::getRootFolder() const
{
    return contents.getDirectory();
}

void BrowserComponent::refresh()
{
    const juce::ScopedLock scopedLock (treeLock);

    if (tree != nullptr)
        tree->refresh();
}

void BrowserComponent::filenameComponentChanged (juce::FilenameComponent*)
{
    const auto folder = folderChooser.getCurrentFile();

    if (auto* prefs = preferences())
    {
        prefs->setText (PreferencesData::sampleFileTreeLastFolder, folder.getFullPathName());
        prefs->setSampleFileTreeHistories (folderChooser.getRecentlyUsedFilenames());
    }

    setRootFolder (folder);
}

//==============================================================================
void BrowserComponent::paint (juce::Graphics& g)
{
    const int top = topImage.getHeight();
    const int bottom = getHeight() - bottomImage.getHeight();

    for (int y = top; y < bottom; ++y)
        g.drawImageAt (loopImage, 0, y);

    g.drawImageAt (topImage, 0, 0);
    g.drawImageAt (bottomImage, 0, bottom);
}

void BrowserComponent::resized()
{
    folderChooser.setBounds (folderChooserBounds);

    const juce::ScopedLock scopedLock (treeLock);
    if (tree != nullptr)
        tree->setBounds (treeX, treeY, treeWidth, getHeight() - treeHeightLess);
}

void BrowserComponent::handleMessage (const juce::Message& message)
{
    if (auto* open = dynamic_cast<const OpenFileMessage*> (&message))
    {
        openFile (open->file);
        return;
    }

    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    switch (broadcast->id)
    {
        case MessageIds::fileWritten:
        case MessageIds::refreshFileBrowser:
            refresh();
            break;

        case MessageIds::setBrowserRootFolder:
            if (auto* root = dynamic_cast<const RootFolderMessage*> (broadcast))
                setRootFolder (root->folder);
            break;

        case MessageIds::previewStarted: showToggle (playStopButton, true); break;
        case MessageIds::previewStopped: showToggle (playStopButton, false); break;
        default: break;
    }
}

//==============================================================================
void BrowserComponent::fileClicked (const juce::File& file, const juce::MouseEvent& e)
{
    {
        const juce::ScopedLock scopedLock (treeLock);
        if (tree != nullptr)
            tree->getProperties().set (MainComponent::fullPathProperty, file.getFullPathName());
    }

    // The tree hands on the click relative to its row; where the button went
    // down is the same on the screen either way.
    clickPosition = e.getMouseDownScreenPosition();

    if (isAutoPreviewOn())
        startTimer (previewDelayMs);
}

void BrowserComponent::mouseMove (const juce::MouseEvent& e)
{
    if (! isTimerRunning())
        return;

    const auto moved = e.getScreenPosition() - clickPosition;

    if (std::abs (moved.x) + std::abs (moved.y) > previewMoveDistance)
    {
        stopTimer();
        preview();
    }
}

void BrowserComponent::timerCallback()
{
    stopTimer();

    // A file dragged away from its click is not to be heard.
    if (! isDragInProgress())
        preview();
}

bool BrowserComponent::isDragInProgress()
{
    auto* container = juce::DragAndDropContainer::findParentDragContainerFor (this);
    return container != nullptr && container->isDragAndDropActive();
}

PreviewPlayer* BrowserComponent::getPreviewPlayer() const
{
    auto* players = context.getPlayerManager();
    return players != nullptr ? &players->getEngine().getPreviewPlayer() : nullptr;
}

void BrowserComponent::preview()
{
    juce::File file;
    {
        const juce::ScopedLock scopedLock (treeLock);
        if (tree != nullptr)
            file = tree->getSelectedFile();
    }

    auto* players = context.getPlayerManager();

    // A file that went away is not previewed.
    if (players == nullptr || ! file.existsAsFile()
        || FileFormatManager::typeOf (file) != FileFormatManager::importableAudio)
        return;

    // Without an audio device the preview ends at once, with its message.
    players->playPreview (file);
}

void BrowserComponent::stopPreview()
{
    if (auto* player = getPreviewPlayer(); player != nullptr && player->isPlaying())
        context.getPlayerManager()->stopPreview();
}

void BrowserComponent::playOrStop()
{
    auto* player = getPreviewPlayer();

    if (player != nullptr && player->isPlaying())
        stopPreview();
    else
        preview();
}

void BrowserComponent::flipAutoPreview()
{
    const bool on = ! isAutoPreviewOn();

    if (auto* prefs = preferences())
        prefs->setFlag (PreferencesData::sampleFileTreeAutoPreview, on);

    showToggle (autoPreviewButton, on);
}

//==============================================================================
// The file is opened after the click, so that a question box or a long load
// does not run inside the tree's mouse handling.
void BrowserComponent::fileDoubleClicked (const juce::File& file)
{
    if (file.isDirectory())
        return;   // the tree opens or closes it

    stopTimer();
    stopPreview();
    postMessage (new OpenFileMessage (file));
}

bool BrowserComponent::isTakenByPage (int fileType, int page)
{
    switch (fileType)
    {
        case FileFormatManager::bankData:
            return true;
        case FileFormatManager::sampleData:
        case FileFormatManager::importableAudio:
            return page == CommandGui::samplePage;
        case FileFormatManager::sequenceSet:
        case FileFormatManager::smf:
            return page == CommandGui::patternPage;
        default:
            return false;
    }
}

void BrowserComponent::openFile (const juce::File& file)
{
    const juce::ScopedLock scopedLock (treeLock);
    auto* files = context.getFileManager();
    auto* gui = context.getCommandGui();

    if (FileFormatManager::getInstancePointer() == nullptr || files == nullptr || gui == nullptr)
        return;

    if (! isTakenByPage (FileFormatManager::typeOf (file), gui->getCurrentPage()))
        return;

    if (files->openFromOutside (file) != FileManager::Opened::nothing && onFileOpened != nullptr)
        onFileOpened();
}
