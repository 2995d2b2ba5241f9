#pragma once

#include "commands/CommandContext.h"

#include <juce_data_structures/juce_data_structures.h>

#include <memory>

class ReceiveBankSelectionState;
class SampleData;
class UsbSession;
class WriteBankSelectionState;

// What menus and keys show of one command at this moment.
struct CommandDescription
{
    // The default key: a character, or one of the keys without one.
    enum Key { noKey = 0, deleteKey = -1, f5Key = -2 };
    enum Modifiers { noModifiers = 0, ctrl = 1, ctrlShift = 2 };

    juce::String name;       // also the description
    juce::String category;
    bool enabled = false;
    int key = noKey;
    int modifiers = noModifiers;
};

// Performs all the program's commands on the services of the command
// context, and describes them (names that follow the state, enabling,
// default keys) to whatever offers them: menus, keys and buttons.
class ActionManager : public juce::MessageListener
{
public:
    // The context must outlive the manager. Listens to the message engine
    // when it exists.
    explicit ActionManager (CommandContext& context);
    ~ActionManager() override;

    ActionManager (const ActionManager&) = delete;
    ActionManager& operator= (const ActionManager&) = delete;

    // The ids of all commands, in order.
    static juce::Array<int> getAllCommands();

    // The name a bank received with others is saved under:
    // "<prefix>_<bank number>.plvr_bank", the prefix "Bank" when empty.
    static juce::String receivedBankFileName (const juce::String& prefix, int bankIndex);

    // False, leaving the description alone, for an id that is no command.
    bool describe (int commandId, CommandDescription& description) const;

    // Does what the command does; false for an id that is no command.
    bool perform (int commandId);

    void handleMessage (const juce::Message& message) override;

private:
    // Given the command's id, for the groups of commands that share one.
    using Perform = void (ActionManager::*) (int);

    struct CommandRecord
    {
        const char* nameKey;
        const char* categoryKey;
        int key;            // CommandDescription::Key or a character
        int modifiers;      // CommandDescription::Modifiers
        Perform perform;    // null: nothing to do here
    };

    static const CommandRecord commandTable[];
    static const CommandRecord* findRecord (int commandId);

    // The text of a command's name key; empty for ids outside 1 to 66.
    static juce::String getTableName (int commandId);
    static int editTargetCommand (int commandId, int page);
    juce::String getCommandName (int commandId) const;
    bool isCommandEnabled (int commandId) const;
    bool isGuiFree() const;
    int getCurrentPage() const;

    // The current sample of the edit bank; null without a data center.
    SampleData* getCurrentSample() const;
    int getCurrentSampleIndex() const;

    // Editing
    void undo (int);
    void redo (int);
    void initGlobal (int);
    void selectAll (int);
    void pointsToSelection (int);
    void selectionToPoints (int);
    void convertRate (int commandId);
    void editWave (int commandId);
    void stepTarget (int commandId);

    // Playback
    void playStop (int);
    void rewind (int);
    void stopPlayback();
    void reloadCurrentSample();

    // Sessions with the device. Each runs behind a session window titled
    // with the name of the command that started it. True when it started.
    bool runSession (std::unique_ptr<UsbSession> session, int commandId, bool stopsPlayback, int origin);
    void performEditTarget (int commandId);
    void transmitSample (int commandId);
    void receiveGlobal (int commandId);
    void writeGlobal (int commandId);
    void receiveAllBanks (int commandId);
    void writeAllBanks (int commandId);
    void receiveCurrentBank (int commandId);
    void transmitCurrentBank (int commandId);
    void receiveSample (int commandId);
    void receivePatternSet (int commandId);
    void transmitPatternSet (int commandId);
    void receiveEffect (int commandId);
    void transmitEffect (int commandId);

    // Files
    void fileCommand (int commandId);
    void initSample (int);
    void quit (int);

    // The bank memory: backup and restore of the whole device, banks
    // received into files and written from files.
    void backupBankMemory (int commandId);
    void restoreBankMemory (int commandId);
    void receiveBanksToFiles (int commandId);
    void writeBanksFromFiles (int commandId);
    bool loadBankFilesIntoBankMemory (const WriteBankSelectionState& selection);
    void saveBackup();
    void saveReceivedBanks();
    juce::File fileForReceivedBank (const ReceiveBankSelectionState& selection, int bankIndex);

    // Windows
    void refreshFileBrowser (int);
    void showBankMemory (int);
    void showPreferences (int);
    void showAbout (int);

    CommandContext& context;

    // The file the last Backup chose; every later successful receive of
    // all banks is saved to it.
    juce::File backupFile;

    // A Receive Bank is running; with one bank, the file it goes to.
    bool receivingBanksToFiles = false;
    juce::File receivedBankFile;
};
