#include "gui/main/MainWindow.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandContext.h"
#include "data/DataCenter.h"
#include "files/FileManager.h"
#include "gui/widgets/ImageResourceManager.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"

#include <limits>

namespace
{
const juce::Colour textButtonColour (0xffc0c0c0);

// The framework's text-button colour.
constexpr int textButtonColourId = 0x1000100;
}

MainWindow::MainWindow (const Services& services)
    : juce::DocumentWindow ({}, juce::Colour (0xff898989),
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton),
      context (services.context)
{
    setComponentID ("MainWindow");
    installLookAndFeel();
    setUsingNativeTitleBar (false);
    setMenuBar (services.menuBar);

    if (CZQVResource::getInstancePointer() != nullptr)
        applicationName = CZQVResource::text ("Common_ApplicationName");

    mainComponent = std::make_unique<MainComponent> (services.context, services.commandManager, services.actionTarget);
    setContentNonOwned (mainComponent.get(), false);
    setResizable (true, false);
    applyStoredHeight();
    centreWithSize (getWidth(), getHeight());

    refreshTitle();
    setIcon (ImageResourceManager::imageFor ("APPLICATIONICON"));
    setVisible (true);
    constructing = false;
}

MainWindow::~MainWindow()
{
    clearContentComponent();
    mainComponent.reset();
    removeMenuBar();
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}

// The editor's look for every component; it keeps the typeface that the
// framework's look was given for the default font.
void MainWindow::installLookAndFeel()
{
    auto& previous = juce::LookAndFeel::getDefaultLookAndFeel();
    lookAndFeel = std::make_unique<CustomLookAndFeel>();
    lookAndFeel->setDefaultSansSerifTypeface (previous.getTypefaceForFont (juce::Font()));
    lookAndFeel->setColour (textButtonColourId, textButtonColour);
    juce::LookAndFeel::setDefaultLookAndFeel (lookAndFeel.get());
}

void MainWindow::refreshTitle()
{
    auto* dataCenter = context.getDataCenter();
    const auto fileName = dataCenter != nullptr ? dataCenter->getDocumentFile().getFileName() : juce::String();
    auto title = applicationName + " - " + (fileName.isEmpty() ? CZQVResource::text ("Common_UntitledFileName") : fileName);

    if (dataCenter != nullptr && dataCenter->isModified())
        title << " " << CZQVResource::text ("Common_WindowTitleModified");

    setName (title);
}

bool MainWindow::isWaveformEditorOn() const
{
    auto* preferences = PreferencesData::getInstancePointer();
    return preferences == nullptr || preferences->getFlag (PreferencesData::showWaveformEditor);
}

int MainWindow::getMonitorHeight() const
{
    auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    return display != nullptr ? display->totalArea.getHeight() : std::numeric_limits<int>::max();
}

// The stored height of the waveform editor's state, within the limits:
// at least the page's minimum, and the whole window on the monitor.
void MainWindow::applyStoredHeight()
{
    const bool withEditor = isWaveformEditorOn();
    auto* preferences = PreferencesData::getInstancePointer();
    const int stored = preferences == nullptr ? defaultContentHeight
        : preferences->getNumber (withEditor ? PreferencesData::windowHeightWithWaveformEditor : PreferencesData::windowHeight);

    const int border = getContentComponentBorder().getTopAndBottom();
    const int windowWidth = contentWidth + getContentComponentBorder().getLeftAndRight();
    const int minimumWindowHeight = border + (withEditor ? minimumHeightWithWaveformEditor : minimumHeight);
    const int maximumWindowHeight = juce::jmax (minimumWindowHeight, getMonitorHeight());
    setResizeLimits (windowWidth, minimumWindowHeight, windowWidth, maximumWindowHeight);

    const juce::ScopedValueSetter<bool> applying (applyingHeight, true);
    setContentComponentSize (contentWidth, juce::jlimit (minimumHeight, maximumWindowHeight - border, stored));
}

void MainWindow::storeHeight()
{
    auto* preferences = PreferencesData::getInstancePointer();
    if (preferences == nullptr || mainComponent == nullptr)
        return;

    preferences->setNumber (isWaveformEditorOn() ? PreferencesData::windowHeightWithWaveformEditor : PreferencesData::windowHeight,
                            mainComponent->getHeight());
}

void MainWindow::resized()
{
    juce::DocumentWindow::resized();

    if (! constructing && ! applyingHeight && ! menuBarRemoved && ! isMinimised() && ! isFullScreen())
        storeHeight();
}

void MainWindow::removeMenuBar()
{
    menuBarRemoved = true;
    setMenuBar (nullptr);
}

void MainWindow::minimisationStateChanged (bool isNowMinimised)
{
    if (! isNowMinimised)
        postMessage (new BroadcastMessage (MessageIds::restoreWindowHeight));
}

// Modal dialogs stay above the main window: activating it brings them
// back to the front.
void MainWindow::activeWindowStatusChanged()
{
    juce::DocumentWindow::activeWindowStatusChanged();

    auto* modal = juce::Component::getCurrentlyModalComponent();
    if (isActiveWindow() && modal != nullptr && ! isParentOf (modal))
        juce::ModalComponentManager::getInstance()->bringModalComponentsToFront();
}

void MainWindow::handleMessage (const juce::Message& message)
{
    if (auto* own = dynamic_cast<const BroadcastMessage*> (&message); own != nullptr && own->id == MessageIds::restoreWindowHeight)
        applyStoredHeight();
}

void MainWindow::handleBroadcast (int messageId)
{
    if (messageId == MessageIds::dataChanged)
        refreshTitle();
    else if (messageId == MessageIds::showWaveformEditor)
        applyStoredHeight();
}

void MainWindow::requestQuit()
{
    auto* gui = context.getCommandGui();
    auto* files = context.getFileManager();

    if (gui != nullptr && ! gui->isBusy() && files != nullptr && files->mayDiscardChanges())
        context.quitApplication();
}

void MainWindow::closeButtonPressed()
{
    requestQuit();
}
