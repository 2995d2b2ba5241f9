#include "gui/main/Host.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/io/SampleImportExportManager.h"
#include "audio/playback/AudioPlayerManager.h"
#include "audio/playback/X3872AudioDeviceManager.h"
#include "commands/ActionManager.h"
#include "commands/CommandIds.h"
#include "data/AllData.h"
#include "data/AudioBuffer.h"
#include "data/BankData.h"
#include "data/CZQVClipboard.h"
#include "data/DataCenter.h"
#include "data/GlobalData.h"
#include "device/BankSelectionState.h"
#include "device/DeviceChangeNotifier.h"
#include "device/DeviceConnection.h"
#include "device/ItemSession.h"
#include "files/FileFormatManager.h"
#include "files/FileManager.h"
#include "gui/dialogs/AlertWindowMessageBoxes.h"
#include "gui/dialogs/GuiControllerBusyFlag.h"
#include "gui/dialogs/JuceFileChoosers.h"
#include "gui/dialogs/ThreadRunningDialog.h"
#include "gui/main/ActionCommandTarget.h"
#include "gui/main/GuiController.h"
#include "gui/main/MainWindow.h"
#include "gui/main/MenuBarManager.h"
#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"
#include "history/ActionContext.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/DebugLogger.h"
#include "resources/GuiTranslations.h"
#include "resources/ResourceLanguage.h"
#include "resources/StringTable.h"

#include <utility>

namespace
{
constexpr int undoMaximumUnits = 10000000;
constexpr int undoMinimumTransactions = 1;
constexpr int highestPage = 4;

// Tells the Host, after the current event, to show its startup messages.
struct StartupMessagesDue : juce::Message {};
}

Host::Host()
{
    if (resources.get() != nullptr)
        GuiTranslations::install();

    useSystemGuiFont();

    parameterStrings = std::make_unique<StringTable> ("ParameterStrings");

    if (! createDataCenter())
        return;

    createPlayerManager();
    startSessionManager();

    commandManager = std::make_unique<juce::ApplicationCommandManager>();
    undoManager = std::make_unique<juce::UndoManager> (undoMaximumUnits, undoMinimumTransactions);
    undoManager->addChangeListener (this);
    ItemSession::setUndoManager (undoManager.get());

    applyPreferences();

    guiController = std::make_unique<GuiController> (getSessionManager());
    installActionContext();
    messageBoxes = std::make_unique<AlertWindowMessageBoxes> (std::make_unique<GuiControllerBusyFlag>());
    MessageBoxes::setCurrent (messageBoxes.get());
    createFileManager();
    createCommands();

    if (auto* engine = messageEngine.get())
        engine->addListener (this);
}

Host::~Host()
{
    if (auto* engine = messageEngine.get())
        engine->removeListener (this);

    if (guiController != nullptr && guiController->getMainWindow() != nullptr)
        guiController->getMainWindow()->removeMenuBar();

    menuBar.reset();
    if (commandManager != nullptr)
        commandManager->setFirstCommandTarget (nullptr);
    commandTarget.reset();
    actionManager.reset();
    fileManager.reset();
    importDialog.reset();
    fileChoosers.reset();
    MessageBoxes::setCurrent (nullptr);
    messageBoxes.reset();
    ActionContext::setCurrent (nullptr);
    actionContext.reset();
    guiController.reset();

    ItemSession::setUndoManager (nullptr);
    if (undoManager != nullptr)
        undoManager->removeChangeListener (this);

    undoManager.reset();
    commandManager.reset();
    device.reset();

    keepAudioDeviceSettings();
    playerManager.reset();
    dataCenter.reset();
    parameterStrings.reset();

    GuiTranslations::remove();
}

void Host::useSystemGuiFont()
{
    const auto language = resources.get() != nullptr ? resources.get()->getLanguage() : ResourceLanguage::current();

    if (auto typeface = FontManager::systemGuiTypeface (language))
        juce::LookAndFeel::getDefaultLookAndFeel().setDefaultSansSerifTypeface (typeface);
}

// A bank memory that cannot be used stops the start-up: the program
// cannot run without it.
bool Host::createDataCenter()
{
    dataCenter = std::make_unique<DataCenter> (*parameterStrings);

    if (dataCenter->getAllData() != nullptr && ! dataCenter->getAllData()->isValid())
    {
        dataCenter.reset();
        return false;
    }
    return true;
}

void Host::createPlayerManager()
{
    AudioPlayerManager::Hooks hooks;
    hooks.getSample = [this] (int index) -> const SampleData* { return &dataCenter->getEditBank().getSample (index); };
    hooks.getSelection = [this] { return waveSelection; };
    hooks.canPlay = [this] { return guiController != nullptr && guiController->getCurrentPage() == CommandGui::samplePage; };
    hooks.showMessage = [this] (const juce::String& key) { showOrKeepMessage (key); };

    std::unique_ptr<juce::XmlElement> settings;
    if (auto* prefs = preferences.get())
        settings = prefs->getAudioDeviceSettings();
    if (settings == nullptr)
        settings = std::make_unique<juce::XmlElement> (PreferencesData::audioDeviceSettingsTag);

    playerManager = std::make_unique<AudioPlayerManager> (
        std::make_unique<AudioEngine> (AudioDeviceSettings (*settings), AudioEngine::createPlatformDeviceTypes()),
        std::move (hooks));

    dataCenter->setSampleChangedHook ([this] (int index) { playerManager->reloadSample (index); });
}

// What the undoable actions reach besides the edit bank.
void Host::installActionContext()
{
    actionContext = std::make_unique<ActionContext>();
    actionContext->dataCenter = dataCenter.get();
    actionContext->transmitNotices = &guiController->getTransmitNoticeManager();
    if (auto* sessions = getSessionManager())
        actionContext->sendParameterChange = [sessions] (int block, int parameter, int value)
        {
            sessions->sendParameterChange (block, parameter, value);
        };
    actionContext->refreshPlayer = [this] (int index) { playerManager->reloadSample (index); };
    actionContext->clearWaveSelection = [this] { setWaveSelection ({}); };
    ActionContext::setCurrent (actionContext.get());
}

void Host::createFileManager()
{
    fileChoosers = std::make_unique<JuceFileChoosers> (std::make_unique<GuiControllerBusyFlag>());
    importDialog = std::make_unique<ThreadRunningDialog> (std::make_unique<GuiControllerBusyFlag>());

    FileManager::Services services;
    services.dataCenter = dataCenter.get();
    services.undoManager = undoManager.get();
    services.choosers = fileChoosers.get();
    services.importRunner = importDialog.get();
    services.transmitNotices = &guiController->getTransmitNoticeManager();
    services.guiExists = [this] { return guiController != nullptr; };
    services.refreshPlayer = [this] { playerManager->reloadSample (dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex()); };
    services.clearWaveSelection = [this] { clearWaveSelectionFlags(); };
    services.currentPattern = [this] { return currentPattern; };
    fileManager = std::make_unique<FileManager> (std::move (services));
}

void Host::createCommands()
{
    receiveSelection = std::make_unique<ReceiveBankSelectionState>();
    writeSelection = std::make_unique<WriteBankSelectionState>();

    if (auto* prefs = preferences.get())
        receiveSelection->targetFolder = juce::File (prefs->getText (PreferencesData::lastBankReceiveTargetFolder));

    actionManager = std::make_unique<ActionManager> (*this);
    commandTarget = std::make_unique<ActionCommandTarget> (*actionManager);
    commandManager->registerAllCommandsForTarget (commandTarget.get());
    menuBar = std::make_unique<MenuBarManager> (*commandManager, *this);

    actionContext->transmitEffect = [this] { commandManager->invokeDirectly (CommandIds::transmitEffect, true); };
}

bool Host::createMainWindow()
{
    return guiController->createMainWindow ({ *this, *commandManager, *commandTarget, menuBar.get() });
}

void Host::showOrKeepMessage (const juce::String& messageKey)
{
    if (guiController != nullptr && guiController->getMainWindow() != nullptr)
        MessageBoxes::errorBox (messageKey);
    else
        startupMessages.add (messageKey);
}

// After the current event, so that the main window is painted first.
void Host::showStartupMessages()
{
    postMessage (new StartupMessagesDue());
}

CommandGui* Host::getCommandGui() const
{
    return guiController.get();
}

void Host::setCurrentSample (int index)
{
    auto& samples = dataCenter->getEditBank().getSampleSet();
    if (samples.getCurrentSampleIndex() == index)
        return;

    samples.setCurrentSampleIndex (index);
    playerManager->selectSample (index);
    setWaveSelection ({});
}

void Host::quitApplication()
{
    juce::JUCEApplicationBase::quit();
}

// The device named on the command line or by PLOVARA_DEVICE. A port that
// does not open now is opened when a device arrives.
void Host::startSessionManager()
{
    juce::StringArray tokens;
    if (auto* app = juce::JUCEApplicationBase::getInstance())
        tokens = app->getCommandLineParameterArray();

    device = std::make_unique<DeviceConnection> (DeviceConnection::fromCommandLine (tokens));
    device->getManager().setParameterChangeSettings (
        [this] { return preferences.get() != nullptr && preferences.get()->getFlag (PreferencesData::enableParameterChange); },
        [this] { return dataCenter->getGlobalData().getField (GlobalData::globalMidiChannel); });
    device->open();
}

UsbSessionManager* Host::getSessionManager() const
{
    return device != nullptr ? &device->getManager() : nullptr;
}

void Host::applyPreferences()
{
    auto* prefs = preferences.get();
    if (prefs == nullptr)
        return;

    if (const int scale = prefs->getNumber (PreferencesData::waveGraphViewScale); scale > 0)
        waveView.scale = scale;

    if (playerManager != nullptr)
        playerManager->setPlaySelection (prefs->getFlag (PreferencesData::audioPlaySelection));
}

void Host::keepAudioDeviceSettings()
{
    if (playerManager != nullptr && preferences.get() != nullptr)
        if (auto xml = playerManager->getEngine().getSettings().createXml())
            preferences.get()->setAudioDeviceSettings (*xml);
}

bool Host::isReady() const
{
    return resources.get() != nullptr
        && preferences.get() != nullptr
        && messageEngine.get() != nullptr
        && deviceChanges.get() != nullptr
        && dataCenter != nullptr
        && playerManager != nullptr
        && guiController != nullptr
        && commandManager != nullptr
        && undoManager != nullptr
        && fileManager != nullptr;
}

void Host::setWaveSelection (const WaveSelectedStatus& selection)
{
    waveSelection = selection;

    if (playerManager != nullptr)
        playerManager->updateSelection();

    MessageEngine::broadcast (MessageIds::dataChanged);
}

void Host::clearWaveSelectionFlags()
{
    auto selection = waveSelection;
    selection.channelFlags[0] = selection.channelFlags[1] = 0;
    setWaveSelection (selection);
}

void Host::setCurrentPage (int page)
{
    if (page < CommandGui::noPage || page > highestPage || guiController == nullptr || guiController->isMainComponentModal())
        return;

    const int previousPage = guiController->getCurrentPage();
    if (previousPage == page)
        return;

    guiController->setCurrentPage (page);

    if (previousPage == CommandGui::samplePage && playerManager != nullptr)
        playerManager->stop();

    MessageEngine::broadcast (MessageIds::dataChanged);
}

void Host::handleMessage (const juce::Message& message)
{
    if (dynamic_cast<const StartupMessagesDue*> (&message) != nullptr)
    {
        for (auto& key : std::exchange (startupMessages, {}))
            MessageBoxes::errorBox (key);
    }

    if (auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message))
        if (broadcast->id == MessageIds::openCurrentFile)
            openCurrentFile();
}

void Host::openCurrentFile()
{
    if (currentFile == juce::File() || fileFormats.get() == nullptr || fileManager == nullptr
        || guiController == nullptr || guiController->isBusy() || guiController->isMainComponentModal())
        return;

    if (fileManager->openFromOutside (currentFile) == FileManager::Opened::patterns)
        setCurrentPage (CommandGui::patternPage);
}

void Host::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == undoManager.get())
        MessageEngine::broadcast (MessageIds::dataChanged);
}
