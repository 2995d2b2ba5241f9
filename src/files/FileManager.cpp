#include "files/FileManager.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/TransmitNoticeManager.h"
#include "audio/io/ActionRunner.h"
#include "audio/io/SampleImportExportManager.h"
#include "audio/io/ThreadRunningSampleImporter.h"
#include "data/DataCenter.h"
#include "data/smf/SequenceDataExporter.h"
#include "data/smf/SequenceDataImporter.h"
#include "files/DataFileAccess.h"
#include "files/FileFormatManager.h"
#include "history/SetNewActions.h"
#include "history/TransactionNames.h"

// Message 25: a sample file to load or import into a slot once the current
// event is over.
class FileManager::SampleFileMessage : public BroadcastMessage
{
public:
    SampleFileMessage (int sampleIndex, const juce::File& sampleFile)
        : BroadcastMessage (MessageIds::loadSampleFile, sampleIndex), file (sampleFile) {}

    const juce::File file;
};

FileManager::FileManager (Services servicesToUse)
    : services (std::move (servicesToUse))
{
}

//==============================================================================
bool FileManager::succeeded (const juce::String& failureKey)
{
    if (failureKey.isEmpty())
        return true;

    MessageBoxes::errorBox (failureKey);
    return false;
}

bool FileManager::fileWritten (const juce::String& failureKey)
{
    if (! succeeded (failureKey))
        return false;

    MessageEngine::broadcast (MessageIds::fileWritten);
    return true;
}

juce::File FileManager::chooseToOpen (const juce::String& titleKey, const juce::StringArray& extensions, int folderKind)
{
    if (services.choosers == nullptr)
        return {};

    return services.choosers->chooseFileToOpen ({ titleKey, extensions, folderKind });
}

juce::File FileManager::chooseToSave (const juce::String& titleKey, const juce::String& extension, int folderKind)
{
    if (services.choosers == nullptr)
        return {};

    return services.choosers->chooseFileToSave ({ titleKey, juce::StringArray (extension), folderKind });
}

void FileManager::beginTransaction (const juce::String& name)
{
    if (services.undoManager != nullptr)
        services.undoManager->beginNewTransaction (name);
}

void FileManager::perform (juce::UndoableAction* action)
{
    if (services.undoManager != nullptr)
    {
        services.undoManager->perform (action);
        return;
    }

    // Without a history the change is made all the same.
    std::unique_ptr<juce::UndoableAction> owned (action);
    owned->perform();
}

void FileManager::tellPlayer()
{
    if (services.refreshPlayer)
        services.refreshPlayer();
}

// After the whole edit bank was replaced: nothing of the old one can be
// undone, and the device holds none of the new one.
void FileManager::bankReplaced()
{
    if (services.undoManager != nullptr)
        services.undoManager->clearUndoHistory();
    if (services.transmitNotices != nullptr)
        services.transmitNotices->clearAll();

    tellPlayer();
    MessageEngine::broadcast (MessageIds::dataChanged);
}

//==============================================================================
bool FileManager::mayDiscardChanges()
{
    const bool guiExists = services.guiExists && services.guiExists();
    return discardChecker.mayDiscardChanges (services.dataCenter, guiExists, [this] { return save(); });
}

void FileManager::newBank()
{
    auto* dataCenter = services.dataCenter;

    if (dataCenter == nullptr || ! mayDiscardChanges())
        return;

    dataCenter->getEditBank().resetToDefaults();
    dataCenter->clearModified();
    dataCenter->setDocumentFile ({});
    bankReplaced();
}

bool FileManager::openBank()
{
    if (! mayDiscardChanges())
        return false;

    const auto file = chooseToOpen ("Command_Name_BankData_Open", { FileFormatManager::bankExtension }, ChooserFolder::bank);
    return file != juce::File() && openBankFile (file);
}

bool FileManager::openBankFile (const juce::File& file)
{
    auto* dataCenter = services.dataCenter;

    if (dataCenter == nullptr || ! succeeded (DataFileAccess::checkExists (file)))
        return false;

    BankData bank;

    if (! succeeded (DataFileAccess::read (bank, file)))
        return false;

    dataCenter->getEditBank().copyFrom (bank);
    dataCenter->clearModified();
    dataCenter->setDocumentFile (file);

    if (services.clearWaveSelection)
        services.clearWaveSelection();

    bankReplaced();
    return true;
}

bool FileManager::save()
{
    if (services.dataCenter == nullptr)
        return false;

    const auto file = services.dataCenter->getDocumentFile();
    return file == juce::File() ? saveAs() : writeEditBank (file);
}

bool FileManager::saveAs()
{
    if (services.dataCenter == nullptr)
        return false;

    const auto file = chooseToSave ("Command_Name_BankData_SaveAs", FileFormatManager::bankExtension, ChooserFolder::bank);
    return file != juce::File() && writeEditBank (file);
}

bool FileManager::writeEditBank (const juce::File& file)
{
    auto* dataCenter = services.dataCenter;

    if (! succeeded (DataFileAccess::write (dataCenter->getEditBank(), file)))
        return false;

    dataCenter->clearModified();
    dataCenter->setDocumentFile (file);
    MessageEngine::broadcast (MessageIds::dataChanged);
    MessageEngine::broadcast (MessageIds::fileWritten);
    return true;
}

//==============================================================================
void FileManager::openSample (int sampleIndex)
{
    auto extensions = SampleImportExportManager::getImportableExtensions();
    extensions.insert (0, FileFormatManager::sampleExtension);

    const auto file = chooseToOpen ("Command_Name_Sample_Load", extensions, ChooserFolder::sample);

    if (file != juce::File())
        handOverSampleFile (sampleIndex, file);
}

bool FileManager::handOverSampleFile (int sampleIndex, const juce::File& file)
{
    if (! isSampleIndex (sampleIndex) || ! succeeded (DataFileAccess::checkExists (file)))
        return false;

    const int type = FileFormatManager::typeOf (file);

    if (type != FileFormatManager::sampleData && type != FileFormatManager::importableAudio)
        return succeeded ("Error_FileUnsupportedFormat");

    postMessage (new SampleFileMessage (sampleIndex, file));
    return true;
}

void FileManager::handleMessage (const juce::Message& message)
{
    const auto* sampleFile = dynamic_cast<const SampleFileMessage*> (&message);

    if (sampleFile == nullptr || sampleFile->id != MessageIds::loadSampleFile || services.dataCenter == nullptr)
        return;

    if (FileFormatManager::typeOf (sampleFile->file) == FileFormatManager::sampleData)
        loadSampleFile (sampleFile->intArgument, sampleFile->file);
    else
        importAudioFile (sampleFile->intArgument, sampleFile->file);
}

void FileManager::loadSampleFile (int sampleIndex, const juce::File& file)
{
    if (! succeeded (DataFileAccess::checkSampleMemoryToLoad (services.dataCenter->getEditBank())))
        return;

    SampleData sample;

    if (succeeded (DataFileAccess::read (sample, file)))
        storeNewSample (TransactionNames::loadSample, sampleIndex, sample);
}

void FileManager::importAudioFile (int sampleIndex, const juce::File& file)
{
    const auto& bank = services.dataCenter->getEditBank();

    if (! succeeded (DataFileAccess::checkSampleMemoryToLoad (bank)) || services.importRunner == nullptr)
        return;

    // The import replaces the slot, so the slot's own memory counts as free.
    const auto& slot = bank.getSample (sampleIndex);
    const juce::int64 freeMemory = bank.getFreeSampleMemory() + slot.getMemorySize();

    SampleData imported;
    ThreadRunningSampleImporter job (imported, file, [freeMemory] { return freeMemory; });
    services.importRunner->run ("Command_Name_Sample_Import", job);

    if (! job.hasSucceeded())
        return;

    ThreadRunningSampleImporter::takeOverSlot (imported, slot, file);
    storeNewSample (TransactionNames::importSample, sampleIndex, imported);
}

void FileManager::storeNewSample (const juce::String& transactionName, int sampleIndex, const SampleData& sample)
{
    beginTransaction (transactionName);
    perform (new SetNewSampleAction (sampleIndex, sample));
    tellPlayer();
    MessageEngine::broadcast (MessageIds::dataChanged);
}

bool FileManager::saveSample (int sampleIndex)
{
    if (services.dataCenter == nullptr || ! isSampleIndex (sampleIndex))
        return false;

    const auto file = chooseToSave ("Command_Name_Sample_Save", FileFormatManager::sampleExtension, ChooserFolder::sample);

    return file != juce::File()
        && fileWritten (DataFileAccess::write (services.dataCenter->getEditBank().getSample (sampleIndex), file));
}

bool FileManager::exportSample (int sampleIndex, AudioFormat format)
{
    if (services.dataCenter == nullptr || ! isSampleIndex (sampleIndex))
        return false;

    const bool wave = format == AudioFormat::wave;
    const auto file = chooseToSave (wave ? "Command_Name_Sample_Export_Wav" : "Command_Name_Sample_Export_Aiff",
                                    wave ? FileFormatManager::waveExtension : FileFormatManager::aiffExtension,
                                    ChooserFolder::importableSample);

    return file != juce::File()
        && succeeded (DataFileAccess::checkWritable (file))
        && writeAudio (services.dataCenter->getEditBank().getSample (sampleIndex), file, format);
}

bool FileManager::writeAudio (const SampleData& sample, const juce::File& file, AudioFormat format)
{
    if (! succeeded (SampleImportExportManager::exportToFile (sample, file, format).errorKey))
        return false;

    MessageEngine::broadcast (MessageIds::fileWritten);
    return true;
}

//==============================================================================
bool FileManager::loadPatternSet()
{
    const auto file = chooseToOpen ("Command_Name_Sequence_Load", { FileFormatManager::sequenceSetExtension },
                                    ChooserFolder::pattern);
    return file != juce::File() && loadPatternSetFile (file);
}

bool FileManager::loadPatternSetFile (const juce::File& file)
{
    if (services.dataCenter == nullptr || ! succeeded (DataFileAccess::checkExists (file)))
        return false;

    SequenceSet patterns;

    if (! succeeded (DataFileAccess::read (patterns, file)))
        return false;

    beginTransaction (TransactionNames::loadSequence);

    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        perform (new SetNewSequenceAction (i, *patterns.getPattern (i)));

    MessageEngine::broadcast (MessageIds::dataChanged);
    return true;
}

bool FileManager::savePatternSet()
{
    if (services.dataCenter == nullptr)
        return false;

    const auto file = chooseToSave ("Command_Name_Sequence_Save", FileFormatManager::sequenceSetExtension,
                                    ChooserFolder::pattern);
    return file != juce::File()
        && fileWritten (DataFileAccess::write (services.dataCenter->getEditBank().getSequenceSet(), file));
}

bool FileManager::importSmf (int patternIndex)
{
    const auto file = chooseToOpen ("Command_Name_Sequence_ImportSmf", { FileFormatManager::smfExtension },
                                    ChooserFolder::importablePattern);
    return file != juce::File() && importSmfFile (file, patternIndex);
}

bool FileManager::importSmfFile (const juce::File& file, int patternIndex)
{
    auto* dataCenter = services.dataCenter;

    if (dataCenter == nullptr
        || ! succeeded (DataFileAccess::checkExists (file))
        || ! succeeded (DataFileAccess::checkPatternMemoryToLoad (dataCenter->getEditBank())))
        return false;

    const auto& global = dataCenter->getGlobalData();
    SequenceData pattern;
    SequenceDataImporter importer;
    const int result = importer.importSmf (file, pattern, global.getField (GlobalData::globalMidiChannel),
                                           global.getField (GlobalData::keyboardMidiChannel));

    if (result == SequenceDataImporter::failed)
        return succeeded (importer.getResultMessageKey());

    beginTransaction (TransactionNames::importSmf);
    perform (new SetNewSequenceAction (patternIndex, pattern));
    MessageEngine::broadcast (MessageIds::dataChanged);

    // A cut import keeps what fit; the user learns that the rest was left out.
    succeeded (importer.getNoticeMessageKey());
    return true;
}

bool FileManager::exportSmf (int patternIndex)
{
    auto* dataCenter = services.dataCenter;
    const auto* pattern = dataCenter != nullptr ? dataCenter->getEditBank().getPattern (patternIndex) : nullptr;

    if (pattern == nullptr)
        return false;

    const auto file = chooseToSave ("Command_Name_Sequence_ExportSmf", FileFormatManager::smfExtension,
                                    ChooserFolder::importablePattern);

    if (file == juce::File())
        return false;

    if (SequenceDataExporter::needsRecordedLengthNotice (*pattern))
        MessageBoxes::errorBox (SequenceDataExporter::recordedLengthNoticeKey);

    if (! succeeded (DataFileAccess::checkWritable (file)))
        return false;

    const auto& global = dataCenter->getGlobalData();
    SequenceDataExporter exporter;
    const bool exported = exporter.exportSmf (*pattern, file, global.getField (GlobalData::globalMidiChannel),
                                              global.getField (GlobalData::keyboardMidiChannel));

    return fileWritten (exported ? juce::String() : exporter.getResultMessageKey());
}

//==============================================================================
bool FileManager::loadGlobalData()
{
    auto* dataCenter = services.dataCenter;

    if (dataCenter == nullptr)
        return false;

    const auto file = chooseToOpen ("Command_Name_Global_Load", { FileFormatManager::globalExtension },
                                    ChooserFolder::global);

    if (file == juce::File() || ! succeeded (DataFileAccess::checkExists (file)))
        return false;

    GlobalData global;

    if (! succeeded (DataFileAccess::read (global, file)))
        return false;

    dataCenter->getGlobalData().copyFrom (global);
    dataCenter->setModified();
    MessageEngine::broadcast (MessageIds::dataChanged);
    return true;
}

bool FileManager::saveGlobalData()
{
    if (services.dataCenter == nullptr)
        return false;

    const auto file = chooseToSave ("Command_Name_Global_Save", FileFormatManager::globalExtension,
                                    ChooserFolder::global);
    return file != juce::File() && fileWritten (DataFileAccess::write (services.dataCenter->getGlobalData(), file));
}

//==============================================================================
juce::File FileManager::chooseBackupFile()
{
    return chooseToSave ("Command_Name_BankMemoryBackup", FileFormatManager::allDataExtension, ChooserFolder::backup);
}

bool FileManager::writeBankMemory (const juce::File& file)
{
    auto* allData = services.dataCenter != nullptr ? services.dataCenter->getAllData() : nullptr;
    return allData != nullptr && fileWritten (DataFileAccess::write (*allData, file));
}

bool FileManager::restoreBankMemory()
{
    const auto file = chooseToOpen ("Command_Name_BankMemoryRestore", { FileFormatManager::allDataExtension },
                                    ChooserFolder::backup);
    return file != juce::File() && readBankMemory (file);
}

bool FileManager::readBankMemory (const juce::File& file)
{
    auto* allData = services.dataCenter != nullptr ? services.dataCenter->getAllData() : nullptr;

    if (allData == nullptr
        || ! succeeded (DataFileAccess::checkExists (file))
        || ! succeeded (DataFileAccess::readBankMemory (*allData, file)))
        return false;

    tellPlayer();
    MessageEngine::broadcast (MessageIds::dataChanged);
    return true;
}

juce::File FileManager::chooseBankFileToReceive()
{
    return chooseToSave ("Command_Name_BankMemoryReceiveBank", FileFormatManager::bankExtension, ChooserFolder::bank);
}

juce::File FileManager::chooseBankFileToWrite()
{
    return chooseToOpen ("Command_Name_BankMemoryWriteBank", { FileFormatManager::bankExtension }, ChooserFolder::bank);
}

juce::File FileManager::chooseReceiveFolder (const juce::File& startFolder)
{
    if (services.choosers == nullptr)
        return {};

    return services.choosers->chooseFolder ("MultipleFileSelector_FolderSelect", startFolder);
}

bool FileManager::writeBankFile (BankData& bank, const juce::File& file)
{
    return fileWritten (DataFileAccess::write (bank, file));
}

bool FileManager::readBankFile (const juce::File& file, BankData& bank)
{
    if (! succeeded (DataFileAccess::checkExists (file)))
        return false;

    BankData fresh;

    if (! succeeded (DataFileAccess::read (fresh, file)))
        return false;

    bank.copyFrom (fresh);
    return true;
}

//==============================================================================
FileManager::Opened FileManager::openFromOutside (const juce::File& file)
{
    if (services.dataCenter == nullptr)
        return Opened::nothing;

    switch (FileFormatManager::typeOf (file))
    {
        case FileFormatManager::bankData:
            return mayDiscardChanges() && openBankFile (file) ? Opened::bank : Opened::nothing;

        case FileFormatManager::sampleData:
        case FileFormatManager::importableAudio:
        {
            const int current = services.dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex();
            return handOverSampleFile (current, file) ? Opened::sample : Opened::nothing;
        }

        case FileFormatManager::sequenceSet:
            return loadPatternSetFile (file) ? Opened::patterns : Opened::nothing;

        case FileFormatManager::smf:
        {
            const int current = services.currentPattern ? services.currentPattern() : 0;
            return importSmfFile (file, current) ? Opened::patterns : Opened::nothing;
        }

        default:
            return Opened::nothing;
    }
}
