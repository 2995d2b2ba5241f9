#include "commands/ActionManager.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "commands/CommandIds.h"
#include "data/BankItemOperations.h"
#include "data/CZQVClipboard.h"
#include "data/DataCenter.h"
#include "device/BankSelectionState.h"
#include "device/MultiBankReceive.h"
#include "device/MultiBankWrite.h"
#include "files/FileFormatManager.h"
#include "files/FileManager.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

void ActionManager::fileCommand (int commandId)
{
    auto* files = context.getFileManager();
    if (files == nullptr)
        return;

    const int sample = getCurrentSampleIndex();
    const int pattern = context.getCurrentPattern();

    switch (commandId)
    {
        case CommandIds::newBank:          files->newBank(); break;
        case CommandIds::openBank:         files->openBank(); break;
        case CommandIds::saveBank:         files->save(); break;
        case CommandIds::saveBankAs:       files->saveAs(); break;
        case CommandIds::openSample:       files->openSample (sample); break;
        case CommandIds::saveSample:       files->saveSample (sample); break;
        case CommandIds::exportSampleWav:  files->exportSample (sample, FileManager::AudioFormat::wave); break;
        case CommandIds::exportSampleAiff: files->exportSample (sample, FileManager::AudioFormat::aiff); break;
        case CommandIds::openPatternSet:   files->loadPatternSet(); break;
        case CommandIds::savePatternSet:   files->savePatternSet(); break;
        case CommandIds::importSmf:        files->importSmf (pattern); break;
        case CommandIds::exportSmf:        files->exportSmf (pattern); break;
        case CommandIds::loadGlobal:       files->loadGlobalData(); break;
        case CommandIds::saveGlobal:       files->saveGlobalData(); break;
        default: break;
    }
}

void ActionManager::initSample (int)
{
    auto* dataCenter = context.getDataCenter();
    auto* history = context.getUndoManager();
    auto* clipboard = CZQVClipboard::getInstancePointer();

    if (dataCenter != nullptr && history != nullptr && clipboard != nullptr)
        BankItemOperations (*dataCenter, *history, *clipboard).clearSample (getCurrentSampleIndex());
}

void ActionManager::quit (int)
{
    if (auto* files = context.getFileManager(); files != nullptr && files->mayDiscardChanges())
        context.quitApplication();
}

//==============================================================================
void ActionManager::backupBankMemory (int commandId)
{
    auto* files = context.getFileManager();
    if (files == nullptr)
        return;

    const auto chosen = files->chooseBackupFile();
    if (chosen == juce::File())
        return;

    backupFile = chosen;
    receiveAllBanks (commandId);
}

// Replaces the device's whole memory: asked every time.
void ActionManager::restoreBankMemory (int commandId)
{
    auto* files = context.getFileManager();
    auto* gui = context.getCommandGui();
    auto* dataCenter = context.getDataCenter();

    if (files == nullptr || gui == nullptr || dataCenter == nullptr || dataCenter->getAllData() == nullptr)
        return;

    if (gui->confirmWriting (true, false) && files->restoreBankMemory())
        runSession (std::make_unique<AllBankWrite> (*dataCenter->getAllData()), commandId, true, CommandGui::fromBankMemoryWindow);
}

// Several banks go into a folder under names of their own; one bank goes
// into the file the user names. The files are written once the banks have
// arrived (message 6).
void ActionManager::receiveBanksToFiles (int commandId)
{
    auto* files = context.getFileManager();
    auto* gui = context.getCommandGui();
    auto* selection = context.getReceiveSelection();
    auto* dataCenter = context.getDataCenter();

    if (files == nullptr || gui == nullptr || selection == nullptr || dataCenter == nullptr
        || dataCenter->getAllData() == nullptr || selection->getNumSelected() == 0)
        return;

    receivedBankFile = juce::File();

    if (selection->hasSeveralSelected())
    {
        if (! gui->chooseReceiveFolder (*selection))
            return;
    }
    else
    {
        receivedBankFile = files->chooseBankFileToReceive();
        if (receivedBankFile == juce::File())
            return;
    }

    receivingBanksToFiles = runSession (std::make_unique<SelectedBankReceive> (*dataCenter->getAllData(), selection->getFlags()),
                                        commandId, true, CommandGui::fromBankMemoryWindow);
}

// The chosen bank files go into the bank memory first; the transfer starts
// only when every one of them was read.
void ActionManager::writeBanksFromFiles (int commandId)
{
    auto* gui = context.getCommandGui();
    auto* selection = context.getWriteSelection();
    auto* dataCenter = context.getDataCenter();
    auto* prefs = PreferencesData::getInstancePointer();

    if (gui == nullptr || selection == nullptr || dataCenter == nullptr || dataCenter->getAllData() == nullptr
        || selection->getNumSelected() == 0)
        return;

    if (prefs != nullptr && prefs->getFlag (PreferencesData::warningBeforeWriting) && ! gui->confirmWriting (true, true))
        return;

    if (loadBankFilesIntoBankMemory (*selection))
        runSession (std::make_unique<SelectedBankWrite> (*dataCenter->getAllData(), selection->getFlags()),
                    commandId, true, CommandGui::fromBankMemoryWindow);
}

bool ActionManager::loadBankFilesIntoBankMemory (const WriteBankSelectionState& selection)
{
    auto* files = context.getFileManager();
    auto& allData = *context.getDataCenter()->getAllData();

    if (files == nullptr)
        return false;

    allData.resetToDefaults();

    for (int bankIndex = 0; bankIndex < BankSelectionState::numBanks; ++bankIndex)
    {
        if (! selection.isSelected (bankIndex))
            continue;

        const auto file = selection.getFile (bankIndex);
        if (! file.existsAsFile())
        {
            MessageBoxes::confirmationBox (CZQVResource::text ("Command_Name_BankMemoryWriteBank"),
                                           CZQVResource::text ("Action_NotFoundBankDataFile"), false);
            return false;
        }

        BankData bank;
        if (! files->readBankFile (file, bank) || ! allData.getBankSet().storeFrom (bankIndex, bank))
            return false;
    }

    return true;
}

//==============================================================================
void ActionManager::handleMessage (const juce::Message& message)
{
    auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
    if (broadcast == nullptr)
        return;

    const bool succeeded = broadcast->intArgument != 0;

    if (broadcast->id == MessageIds::allBankReceiveFinished && succeeded && backupFile != juce::File())
        saveBackup();

    if (broadcast->id == MessageIds::selectedBankReceiveFinished && std::exchange (receivingBanksToFiles, false) && succeeded)
        saveReceivedBanks();
}

// The session window goes first, so that the questions and messages of the
// saving can show.
void ActionManager::saveBackup()
{
    if (auto* gui = context.getCommandGui())
        gui->closeSessionDialog();

    if (auto* files = context.getFileManager())
        files->writeBankMemory (backupFile);
}

void ActionManager::saveReceivedBanks()
{
    auto* files = context.getFileManager();
    auto* gui = context.getCommandGui();
    auto* selection = context.getReceiveSelection();
    auto* dataCenter = context.getDataCenter();

    if (gui != nullptr)
        gui->closeSessionDialog();

    if (files == nullptr || selection == nullptr || dataCenter == nullptr || dataCenter->getAllData() == nullptr)
        return;

    for (int bankIndex = 0; bankIndex < BankSelectionState::numBanks; ++bankIndex)
    {
        if (! selection->isSelected (bankIndex))
            continue;

        const auto file = receivedBankFile != juce::File() ? receivedBankFile : fileForReceivedBank (*selection, bankIndex);
        BankData bank;

        if (file != juce::File() && dataCenter->getAllData()->getBankSet().loadInto (bankIndex, bank))
            files->writeBankFile (bank, file);
    }
}

juce::String ActionManager::receivedBankFileName (const juce::String& prefix, int bankIndex)
{
    return (prefix.isNotEmpty() ? prefix : juce::String ("Bank")) + "_" + juce::String (bankIndex + 1)
         + FileFormatManager::bankExtension;
}

// The file of receivedBankFileName in the target folder. An existing file
// is overwritten, replaced by another file the user names, or skipped
// (empty file), as the user answers.
juce::File ActionManager::fileForReceivedBank (const ReceiveBankSelectionState& selection, int bankIndex)
{
    const auto file = selection.targetFolder.getChildFile (receivedBankFileName (selection.fileNamePrefix, bankIndex));
    auto* gui = context.getCommandGui();

    if (! file.exists() || gui == nullptr)
        return file;

    switch (gui->askOverwrite (file))
    {
        case CommandGui::overwrite:   return file;
        case CommandGui::saveAsOther: return context.getFileManager()->chooseBankFileToReceive();
        default:                      return {};
    }
}
