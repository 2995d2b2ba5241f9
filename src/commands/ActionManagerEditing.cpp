#include "commands/ActionManager.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/edit/WaveOperations.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "history/ParameterActions.h"
#include "history/SampleAudioActions.h"
#include "history/TransactionNames.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

void ActionManager::undo (int)
{
    if (auto* history = context.getUndoManager())
        history->undo();
}

void ActionManager::redo (int)
{
    if (auto* history = context.getUndoManager())
        history->redo();
}

void ActionManager::initGlobal (int)
{
    auto* dataCenter = context.getDataCenter();
    if (dataCenter == nullptr)
        return;

    if (! MessageBoxes::confirmationBox (CZQVResource::text ("Command_Name_Edit_InitGlobal"),
                                         CZQVResource::text ("Question_Global_Init"), true))
        return;

    dataCenter->getGlobalData().resetToDefaults();
    MessageEngine::broadcast (MessageIds::dataChanged);
}

void ActionManager::selectAll (int)
{
    if (auto* sample = getCurrentSample())
        context.setWaveSelection (WaveOperations::selectAll (*sample));
}

void ActionManager::pointsToSelection (int)
{
    if (auto* sample = getCurrentSample())
        context.setWaveSelection (WaveOperations::selectBetweenPoints (*sample));
}

// Moves to the neighbouring sample, wrapping round at both ends, and plays
// it when the user wants the chosen sample to be heard at once.
void ActionManager::selectionToPoints (int)
{
    auto* sample = getCurrentSample();
    auto* history = context.getUndoManager();
    int start = 0, end = 0;

    if (sample == nullptr || history == nullptr
        || ! WaveOperations::pointsForSelection (*sample, context.getWaveSelection(), start, end))
        return;

    const int index = getCurrentSampleIndex();
    history->beginNewTransaction (TransactionNames::editSampleParameter);
    history->perform (new EditSampleParameterAction (index, SampleData::start, start));
    history->perform (new EditSampleParameterAction (index, SampleData::end, end));
}

void ActionManager::convertRate (int commandId)
{
    auto* history = context.getUndoManager();
    if (history == nullptr || getCurrentSample() == nullptr)
        return;

    const int rate = commandId == CommandIds::convertTo48 ? 48000
                   : commandId == CommandIds::convertTo24 ? 24000
                   : commandId == CommandIds::convertTo12 ? 12000
                                                          : 6000;

    history->beginNewTransaction (TransactionNames::fsConvert);
    history->perform (new FsConvertAction (getCurrentSampleIndex(), rate));
    reloadCurrentSample();
    MessageEngine::broadcast (MessageIds::dataChanged);
}

void ActionManager::editWave (int commandId)
{
    struct WaveEdit
    {
        int command;
        WaveOperations::Operation operation;
        bool changesLength;
    };

    static const WaveEdit waveEdits[] = {
        { CommandIds::deleteSelection, WaveOperations::deleteSelection, true },
        { CommandIds::truncate,        WaveOperations::truncate,        true },
        { CommandIds::silence,         WaveOperations::silence,         false },
        { CommandIds::normalize,       WaveOperations::normalize,       false },
        { CommandIds::fadeIn,          WaveOperations::fadeIn,          false },
        { CommandIds::fadeOut,         WaveOperations::fadeOut,         false },
    };

    auto* history = context.getUndoManager();
    if (history == nullptr || getCurrentSample() == nullptr)
        return;

    for (auto& edit : waveEdits)
    {
        if (edit.command != commandId)
            continue;

        history->beginNewTransaction (TransactionNames::waveEdit);
        const bool edited = history->perform (new EditSampleAction (edit.operation, getCurrentSampleIndex(),
                                                                    context.getWaveSelection()));

        // The selection no longer stands for the same audio.
        if (edited && edit.changesLength)
            context.clearWaveSelectionFlags();
    }
}

void ActionManager::stepTarget (int commandId)
{
    if (getCurrentPage() != CommandGui::samplePage || context.getDataCenter() == nullptr)
        return;

    const int numSamples = SampleSet::numSamples;
    const int step = commandId == CommandIds::previousTarget ? -1 : 1;
    context.setCurrentSample ((getCurrentSampleIndex() + step + numSamples) % numSamples);

    auto* prefs = PreferencesData::getInstancePointer();
    auto* gui = context.getCommandGui();
    auto* player = context.getPlayerManager();

    if (prefs != nullptr && prefs->getFlag (PreferencesData::targetSampleAutoPlay)
        && gui != nullptr && gui->isWaveformEditorShown() && player != nullptr)
        player->play();
}

void ActionManager::playStop (int)
{
    auto* player = context.getPlayerManager();
    if (player == nullptr)
        return;

    if (player->isPlaying())
        player->stop();
    else
        player->play();
}

void ActionManager::rewind (int)
{
    if (auto* player = context.getPlayerManager())
        player->rewind();
}

// The player takes the current sample afresh; a playback that was running
// starts again from the beginning.
void ActionManager::reloadCurrentSample()
{
    if (auto* player = context.getPlayerManager())
        player->selectSample (getCurrentSampleIndex());
}

void ActionManager::stopPlayback()
{
    if (auto* player = context.getPlayerManager())
    {
        player->getEngine().getPreviewPlayer().stop();
        player->stop();
    }
}

void ActionManager::refreshFileBrowser (int)
{
    MessageEngine::broadcast (MessageIds::refreshFileBrowser);
}

void ActionManager::showBankMemory (int)
{
    if (auto* gui = context.getCommandGui())
        gui->showBankMemoryWindow();
}

void ActionManager::showPreferences (int)
{
    if (auto* gui = context.getCommandGui())
        gui->showPreferencesWindow();
}

void ActionManager::showAbout (int)
{
    if (auto* gui = context.getCommandGui())
        gui->showAboutBox();
}
