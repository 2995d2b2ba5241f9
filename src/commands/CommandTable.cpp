#include "commands/ActionManager.h"
#include "commands/CommandIds.h"

namespace
{
constexpr int none = CommandDescription::noModifiers;
constexpr int ctrl = CommandDescription::ctrl;
constexpr int ctrlShift = CommandDescription::ctrlShift;

const char* const file = "Command_Category_File";
const char* const edit = "Command_Category_Edit";
const char* const operation = "Command_Category_Operation";
const char* const communication = "Command_Category_Communication";
const char* const sample = "Command_Category_Sample";
const char* const other = "Command_Category_Other";
const char* const bankMemory = "Command_Category_BankMemory";
const char* const help = "Command_Category_Help";
}

// One record per command, in id order from 1. A null perform means that the
// command does nothing here: Cut, Copy, Paste and Clear are performed by the
// focused page, and Initialize Bank, Receive Bank Data and Write Bank Data
// do nothing at all.
const ActionManager::CommandRecord ActionManager::commandTable[] =
{
    { "Command_Name_BankData_New",              file,          'n', ctrl,      &ActionManager::fileCommand },
    { "Command_Name_BankData_Open",             file,          'o', ctrl,      &ActionManager::fileCommand },
    { "Command_Name_BankData_Save",             file,          's', ctrl,      &ActionManager::fileCommand },
    { "Command_Name_BankData_SaveAs",           file,          's', ctrlShift, &ActionManager::fileCommand },
    { "Command_Name_Sample_Load",               file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Sample_Save",               file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Sample_Export_Wav",         file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Sample_Export_Aiff",        file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Sequence_Load",             file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Sequence_Save",             file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Sequence_ImportSmf",        file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Sequence_ExportSmf",        file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Global_Load",               file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Global_Save",               file,          0,   none,      &ActionManager::fileCommand },
    { "Command_Name_Edit_Undo",                 edit,          'z', ctrl,      &ActionManager::undo },
    { "Command_Name_Edit_Redo",                 edit,          'z', ctrlShift, &ActionManager::redo },
    { "Command_Name_Edit_Cut",                  edit,          'x', ctrl,      nullptr },
    { "Command_Name_Edit_Copy",                 edit,          'c', ctrl,      nullptr },
    { "Command_Name_Edit_Paste",                edit,          'v', ctrl,      nullptr },
    { "Command_Name_Edit_Clear",                edit,          CommandDescription::deleteKey, none, nullptr },
    { "Command_Name_Edit_InitSample",           edit,          0,   none,      &ActionManager::initSample },
    { "Command_Name_Edit_InitBank",             edit,          0,   none,      nullptr },
    { "Command_Name_Edit_InitGlobal",           edit,          0,   none,      &ActionManager::initGlobal },
    { "Command_Name_ShowBankMemoryEdit",        operation,     'b', ctrl,      &ActionManager::showBankMemory },
    { "Command_Name_ReceiveAllBanks",           communication, 0,   none,      &ActionManager::receiveAllBanks },
    { "Command_Name_WriteAllBanks",             communication, 0,   none,      &ActionManager::writeAllBanks },
    { "Command_Name_ReceiveCurrentBank",        communication, 'l', ctrl,      &ActionManager::receiveCurrentBank },
    { "Command_Name_TransmitCurrentBank",       communication, 't', ctrl,      &ActionManager::transmitCurrentBank },
    { "Command_Name_ReceiveBank",               communication, 0,   none,      nullptr },
    { "Command_Name_WriteBank",                 communication, 0,   none,      nullptr },
    { "Command_Name_ReceiveEditTarget",         communication, 0,   none,      &ActionManager::performEditTarget },
    { "Command_Name_TransmitEditTarget",        communication, 0,   none,      &ActionManager::performEditTarget },
    { "Command_Name_ReceiveSample",             communication, 0,   none,      &ActionManager::receiveSample },
    { "Command_Name_TransmitSample",            communication, 0,   none,      &ActionManager::transmitSample },
    { "Command_Name_TransmitSampleParameter",   communication, 0,   none,      &ActionManager::transmitSample },
    { "Command_Name_ReceiveSequence",           communication, 0,   none,      &ActionManager::receivePatternSet },
    { "Command_Name_TransmitSequence",          communication, 0,   none,      &ActionManager::transmitPatternSet },
    { "Command_Name_ReceiveEffect",             communication, 0,   none,      &ActionManager::receiveEffect },
    { "Command_Name_TransmitEffect",            communication, 0,   none,      &ActionManager::transmitEffect },
    { "Command_Name_ReceiveGlobal",             communication, 0,   none,      &ActionManager::receiveGlobal },
    { "Command_Name_WriteGlobal",               communication, 0,   none,      &ActionManager::writeGlobal },
    { "Command_Name_SampleSelectAll",           sample,        'a', ctrl,      &ActionManager::selectAll },
    { "Command_Name_SampleSelectedToRange",     sample,        0,   none,      &ActionManager::selectionToPoints },
    { "Command_Name_SampleRangeToSelected",     sample,        0,   none,      &ActionManager::pointsToSelection },
    { "Command_Name_Sample_ConvertTo48",        sample,        0,   none,      &ActionManager::convertRate },
    { "Command_Name_Sample_ConvertTo24",        sample,        0,   none,      &ActionManager::convertRate },
    { "Command_Name_Sample_ConvertTo12",        sample,        0,   none,      &ActionManager::convertRate },
    { "Command_Name_Sample_ConvertTo6",         sample,        0,   none,      &ActionManager::convertRate },
    { "Command_Name_Sample_DeleteSample",       sample,        0,   none,      &ActionManager::editWave },
    { "Command_Name_Sample_Truncate",           sample,        0,   none,      &ActionManager::editWave },
    { "Command_Name_Sample_Silence",            sample,        0,   none,      &ActionManager::editWave },
    { "Command_Name_Sample_Normalize",          sample,        0,   none,      &ActionManager::editWave },
    { "Command_Name_Sample_FadeIn",             sample,        0,   none,      &ActionManager::editWave },
    { "Command_Name_Sample_FadeOut",            sample,        0,   none,      &ActionManager::editWave },
    { "Command_Name_SamplePlayer_PlayStop",     sample,        ' ', none,      &ActionManager::playStop },
    { "Command_Name_SamplePlayer_Rewind",       sample,        0,   none,      &ActionManager::rewind },
    { "Command_Name_Gui_UpdateFileTree",        other,         CommandDescription::f5Key, none, &ActionManager::refreshFileBrowser },
    { "Command_Name_BankMemoryBackup",          bankMemory,    0,   none,      &ActionManager::backupBankMemory },
    { "Command_Name_BankMemoryRestore",         bankMemory,    0,   none,      &ActionManager::restoreBankMemory },
    { "Command_Name_BankMemoryReceiveBank",     bankMemory,    0,   none,      &ActionManager::receiveBanksToFiles },
    { "Command_Name_BankMemoryWriteBank",       bankMemory,    0,   none,      &ActionManager::writeBanksFromFiles },
    { "Command_Name_PrevTarget",                edit,          '1', ctrl,      &ActionManager::stepTarget },
    { "Command_Name_NextTarget",                edit,          '2', ctrl,      &ActionManager::stepTarget },
    { "Command_Name_Preferences",               edit,          ',', ctrl,      &ActionManager::showPreferences },
    { "Command_Name_About",                     help,          0,   none,      &ActionManager::showAbout },
    { "Command_Name_Quit",                      help,          'q', ctrl,      &ActionManager::quit },
};

const ActionManager::CommandRecord* ActionManager::findRecord (int commandId)
{
    static_assert (sizeof (commandTable) / sizeof (commandTable[0]) == CommandIds::last, "one record per command");

    if (commandId < CommandIds::first || commandId > CommandIds::last)
        return nullptr;

    return &commandTable[commandId - CommandIds::first];
}
