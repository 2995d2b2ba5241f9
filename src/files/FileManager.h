#pragma once

#include "audio/io/SampleImportExportManager.h"
#include "data/SampleData.h"
#include "files/FileChoosers.h"
#include "files/FileDiscardChecker.h"

#include <juce_data_structures/juce_data_structures.h>
#include <juce_events/juce_events.h>

#include <functional>

class ActionRunner;
class BankData;
class DataCenter;
class TransmitNoticeManager;

// Everything that reads or writes a file on the user's behalf: the bank
// document, sample and audio files, pattern sets and Standard MIDI Files,
// global data files and the files of the bank memory commands. Commands
// that replace data of the edit bank record undoable transactions; every
// failure is shown through the message boxes. Message thread only.
class FileManager : public juce::MessageListener
{
public:
    // What the file commands reach besides the files. Anything left empty
    // is not told.
    struct Services
    {
        DataCenter* dataCenter = nullptr;
        juce::UndoManager* undoManager = nullptr;
        FileChoosers* choosers = nullptr;
        // Runs the audio import (behind a progress dialog in the editor).
        ActionRunner* importRunner = nullptr;
        // The GUI's record of changes the device has not received.
        TransmitNoticeManager* transmitNotices = nullptr;
        // Whether the GUI exists: without one unsaved changes are dropped
        // without asking.
        std::function<bool()> guiExists;
        // The player takes the current sample afresh.
        std::function<void()> refreshPlayer;
        std::function<void()> clearWaveSelection;
        // The pattern the pattern page shows (0 to 15).
        std::function<int()> currentPattern;
    };

    // Audio formats of the sample export.
    using AudioFormat = SampleImportExportManager::ExportFormat;

    // What a file named from outside (the command line, another instance)
    // became.
    enum class Opened { nothing, bank, sample, patterns };

    explicit FileManager (Services services);
    ~FileManager() override = default;

    // The unsaved-changes check; Yes saves as Save does.
    bool mayDiscardChanges();

    // Bank document.
    void newBank();
    bool openBank();
    // Opens without asking about unsaved changes.
    bool openBankFile (const juce::File& file);
    bool save();
    bool saveAs();

    // Samples of the edit bank, by slot (0 to 35).
    void openSample (int sampleIndex);
    // A ".plvr_sample" or importable audio file is loaded or imported after
    // the current event; false when it is refused at once.
    bool handOverSampleFile (int sampleIndex, const juce::File& file);
    bool saveSample (int sampleIndex);
    bool exportSample (int sampleIndex, AudioFormat format);

    // Pattern sets and Standard MIDI Files; patterns 0 to 15.
    bool loadPatternSet();
    bool loadPatternSetFile (const juce::File& file);
    bool savePatternSet();
    bool importSmf (int patternIndex);
    bool importSmfFile (const juce::File& file, int patternIndex);
    bool exportSmf (int patternIndex);

    // Global data.
    bool loadGlobalData();
    bool saveGlobalData();

    // Bank memory files.
    juce::File chooseBackupFile();
    bool writeBankMemory (const juce::File& file);
    bool restoreBankMemory();
    // Replaces the bank memory only when the whole file was read.
    bool readBankMemory (const juce::File& file);
    juce::File chooseBankFileToReceive();
    juce::File chooseBankFileToWrite();
    // The folder for several received banks, titled "MultipleFileSelector_FolderSelect".
    juce::File chooseReceiveFolder (const juce::File& startFolder);
    // Neither touches the document's file or modified flag.
    bool writeBankFile (BankData& bank, const juce::File& file);
    bool readBankFile (const juce::File& file, BankData& bank);

    // A bank file (after the unsaved-changes check), a sample or audio file
    // (into the current sample), a pattern set or a Standard MIDI File (into
    // the current pattern); any other file is left alone.
    Opened openFromOutside (const juce::File& file);

    void handleMessage (const juce::Message& message) override;

private:
    class SampleFileMessage;

    juce::File chooseToOpen (const juce::String& titleKey, const juce::StringArray& extensions, int folderKind);
    juce::File chooseToSave (const juce::String& titleKey, const juce::String& extension, int folderKind);

    static bool isSampleIndex (int index) { return index >= 0 && index < SampleSet::numSamples; }

    // Shows the message of a non-empty key; true when the key is empty.
    static bool succeeded (const juce::String& failureKey);
    static bool fileWritten (const juce::String& failureKey);

    bool writeEditBank (const juce::File& file);
    void loadSampleFile (int sampleIndex, const juce::File& file);
    void importAudioFile (int sampleIndex, const juce::File& file);
    void storeNewSample (const juce::String& transactionName, int sampleIndex, const SampleData& sample);
    bool writeAudio (const SampleData& sample, const juce::File& file, AudioFormat format);

    void beginTransaction (const juce::String& name);
    void perform (juce::UndoableAction* action);
    void bankReplaced();
    void tellPlayer();

    Services services;
    FileDiscardChecker discardChecker;
};
