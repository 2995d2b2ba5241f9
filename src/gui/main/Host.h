#pragma once

#include "app/CZQVSingleton.h"
#include "app/SingletonReference.h"
#include "app/WaveSelection.h"
#include "commands/CommandContext.h"

#include <juce_data_structures/juce_data_structures.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class ActionCommandTarget;
class ActionManager;
class AlertWindowMessageBoxes;
class MenuBarManager;
class AudioBufferIdManager;
class AudioPlayerManager;
class CZQVResource;
class DataCenter;
class DebugLogger;
class DeviceChangeNotifier;
class DeviceConnection;
class FileFormatManager;
class FileManager;
class FontManager;
class JuceFileChoosers;
class ThreadRunningDialog;
class GuiController;
class ImageResourceManager;
class MessageEngine;
class PreferencesData;
class QuickTimeManager;
class StringTable;
class UsbSessionManager;
class CZQVClipboard;
struct ActionContext;
class X3872AudioDeviceManager;

// Owns every long-lived service of the program. Creates them in a fixed
// order on construction and deletes them in the reverse order: the owned
// services first, then the process-wide singletons it holds.
class Host : public juce::ChangeListener,
             public juce::MessageListener,
             public CommandContext,
             public CZQVSingleton<Host>
{
public:
    Host();
    ~Host() override;

    // True when every service the program cannot run without exists.
    bool isReady() const;

    GuiController* getGuiController() const { return guiController.get(); }
    StringTable* getParameterStrings() const { return parameterStrings.get(); }
    DataCenter* getDataCenter() const override { return dataCenter.get(); }
    AudioPlayerManager* getPlayerManager() const override { return playerManager.get(); }
    UsbSessionManager* getSessionManager() const override;
    juce::ApplicationCommandManager* getCommandManager() const { return commandManager.get(); }
    juce::UndoManager* getUndoManager() const override { return undoManager.get(); }
    FileManager* getFileManager() const override { return fileManager.get(); }
    CommandGui* getCommandGui() const override;
    ReceiveBankSelectionState* getReceiveSelection() const override { return receiveSelection.get(); }
    WriteBankSelectionState* getWriteSelection() const override { return writeSelection.get(); }
    ActionManager* getActionManager() const { return actionManager.get(); }
    MenuBarManager* getMenuBarManager() const { return menuBar.get(); }
    void setCurrentSample (int index) override;
    void quitApplication() override;

    int getCurrentPattern() const override { return currentPattern; }
    void setCurrentPattern (int index) override { currentPattern = juce::jlimit (0, 15, index); }

    const WaveSelectedStatus& getWaveSelection() const override { return waveSelection; }
    void setWaveSelection (const WaveSelectedStatus& selection) override;
    void clearWaveSelectionFlags() override;
    WaveGraphViewInfo& getWaveView() override { return waveView; }

    const juce::File& getCurrentFile() const { return currentFile; }
    void setCurrentFile (const juce::File& file) { currentFile = file; }

    // Values 0 to 4 (CommandGui::Page and one beyond); refused while the
    // main window is modal.
    void setCurrentPage (int page) override;

    // The main window on the GuiController, with the menus and the command
    // chain; false when it could not be made.
    bool createMainWindow();

    // Shows the messages that came up while the services started (the
    // audio device's, above all): until the main window exists they wait.
    void showStartupMessages();

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void handleMessage (const juce::Message& message) override;

    // Opens the current file as a file named from outside (the command line,
    // another instance) is opened; nothing while a dialog is up.
    void openCurrentFile();

private:
    void useSystemGuiFont();
    bool createDataCenter();
    void createPlayerManager();
    void startSessionManager();
    void applyPreferences();
    void keepAudioDeviceSettings();
    void installActionContext();
    void createFileManager();
    void createCommands();
    void showOrKeepMessage (const juce::String& messageKey);

    // Process-wide services, in the order they are taken.
    SingletonReference<QuickTimeManager> quickTime;
    SingletonReference<CZQVResource> resources;
    SingletonReference<ImageResourceManager> images;
    SingletonReference<FontManager> fonts;
    SingletonReference<DebugLogger> debugLogger;
    SingletonReference<MessageEngine> messageEngine;
    SingletonReference<PreferencesData> preferences;
    SingletonReference<FileFormatManager> fileFormats;
    SingletonReference<AudioBufferIdManager> audioBufferIds;
    SingletonReference<X3872AudioDeviceManager> audioDevices;
    SingletonReference<DeviceChangeNotifier> deviceChanges;
    SingletonReference<CZQVClipboard> clipboard;

    // Services of its own, in the order they are made.
    std::unique_ptr<StringTable> parameterStrings;
    std::unique_ptr<DataCenter> dataCenter;
    std::unique_ptr<AudioPlayerManager> playerManager;
    std::unique_ptr<DeviceConnection> device;
    std::unique_ptr<juce::ApplicationCommandManager> commandManager;
    std::unique_ptr<juce::UndoManager> undoManager;
    std::unique_ptr<GuiController> guiController;
    std::unique_ptr<ActionContext> actionContext;
    std::unique_ptr<JuceFileChoosers> fileChoosers;
    std::unique_ptr<ThreadRunningDialog> importDialog;
    std::unique_ptr<FileManager> fileManager;
    std::unique_ptr<ReceiveBankSelectionState> receiveSelection;
    std::unique_ptr<WriteBankSelectionState> writeSelection;
    std::unique_ptr<ActionManager> actionManager;
    std::unique_ptr<ActionCommandTarget> commandTarget;
    std::unique_ptr<MenuBarManager> menuBar;
    std::unique_ptr<AlertWindowMessageBoxes> messageBoxes;

    int currentPattern = 0;
    WaveSelectedStatus waveSelection;
    WaveGraphViewInfo waveView;
    juce::File currentFile;
    juce::StringArray startupMessages;
};
