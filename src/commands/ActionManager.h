#pragma once

#include "commands/CommandContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class ReceiveBankSelectionState;
class SampleData;
class UsbSession;
class WriteBankSelectionState;

// The target of all the program's commands: describes them to the command
// manager (names that follow the state, enabling, default keys) and
// performs them on the services of the command context.
class ActionManager : public juce::ApplicationCommandTarget,
                      public juce::MessageListener
{
public:
    // The context must outlive the manager. Listens to the message engine
    // when it exists.
    explicit ActionManager (CommandContext& context);
    ~ActionManager() override;

    ActionManager (const ActionManager&) = delete;
    ActionManager& operator= (const ActionManager&) = delete;

    // ApplicationCommandTarget
    juce::ApplicationCommandTarget* getNextCommandTarget() override { return nullptr; }
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo (juce::CommandID commandId, juce::ApplicationCommandInfo& info) override;
    bool perform (const InvocationInfo& info) override;

    void handleMessage (const juce::Message& message) override;

private:
    // Given the command's id, for the groups of commands that share one.
    using Perform = void (ActionManager::*) (juce::CommandID);

    struct CommandRecord
    {
        const char* nameKey;
        const char* categoryKey;
        int keyCode;        // 0: no default key
        int modifierCode;   // 0 none, 1 Ctrl, 2 Ctrl+Shift
        Perform perform;    // null: nothing to do here
    };

    static const CommandRecord commandTable[];
    static const CommandRecord* findRecord (juce::CommandID commandId);

    // The text of a command's name key; empty for ids outside 1 to 66.
    static juce::String getTableName (juce::CommandID commandId);
    static juce::CommandID editTargetCommand (juce::CommandID commandId, int page);
    juce::String getCommandName (juce::CommandID commandId) const;
    bool isCommandEnabled (juce::CommandID commandId) const;
    bool isGuiFree() const;
    int getCurrentPage() const;

    // The current sample of the edit bank; null without a data center.
    SampleData* getCurrentSample() const;
    int getCurrentSampleIndex() const;

    // Editing
    void undo (juce::CommandID);
    void redo (juce::CommandID);
    void initGlobal (juce::CommandID);
    void selectAll (juce::CommandID);
    void pointsToSelection (juce::CommandID);
    void selectionToPoints (juce::CommandID);
    void convertRate (juce::CommandID commandId);
    void editWave (juce::CommandID commandId);
    void stepTarget (juce::CommandID commandId);

    // Playback
    void playStop (juce::CommandID);
    void rewind (juce::CommandID);
    void stopPlayback();
    void reloadCurrentSample();

    // Sessions with the device. Each runs behind a session window titled
    // with the name of the command that started it. True when it started.
    bool runSession (std::unique_ptr<UsbSession> session, juce::CommandID commandId, bool stopsPlayback, int origin);
    void performEditTarget (juce::CommandID commandId);
    void transmitSample (juce::CommandID commandId);
    void receiveGlobal (juce::CommandID commandId);
    void writeGlobal (juce::CommandID commandId);
    void receiveAllBanks (juce::CommandID commandId);
    void writeAllBanks (juce::CommandID commandId);
    void receiveCurrentBank (juce::CommandID commandId);
    void transmitCurrentBank (juce::CommandID commandId);
    void receiveSample (juce::CommandID commandId);
    void receivePatternSet (juce::CommandID commandId);
    void transmitPatternSet (juce::CommandID commandId);
    void receiveEffect (juce::CommandID commandId);
    void transmitEffect (juce::CommandID commandId);

    // Files
    void fileCommand (juce::CommandID commandId);
    void initSample (juce::CommandID);
    void quit (juce::CommandID);

    // The bank memory: backup and restore of the whole device, banks
    // received into files and written from files.
    void backupBankMemory (juce::CommandID commandId);
    void restoreBankMemory (juce::CommandID commandId);
    void receiveBanksToFiles (juce::CommandID commandId);
    void writeBanksFromFiles (juce::CommandID commandId);
    bool loadBankFilesIntoBankMemory (const WriteBankSelectionState& selection);
    void saveBackup();
    void saveReceivedBanks();
    juce::File fileForReceivedBank (const ReceiveBankSelectionState& selection, int bankIndex);

    // Windows
    void refreshFileBrowser (juce::CommandID);
    void showBankMemory (juce::CommandID);
    void showPreferences (juce::CommandID);
    void showAbout (juce::CommandID);

    CommandContext& context;

    // The file the last Backup chose; every later successful receive of
    // all banks is saved to it.
    juce::File backupFile;

    // A Receive Bank is running; with one bank, the file it goes to.
    bool receivingBanksToFiles = false;
    juce::File receivedBankFile;
};
