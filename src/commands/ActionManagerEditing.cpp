#include "commands/ActionManager.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/edit/WaveOperations.h"
#include "audio/playback/AudioPlayerManager.h"
#include "data/DataCenter.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

void ActionManager::undo()
{
    if (auto* history = context.getUndoManager())
        history->undo();
}

void ActionManager::redo()
{
    if (auto* history = context.getUndoManager())
        history->redo();
}

void ActionManager::initGlobal()
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

void ActionManager::selectAll()
{
    if (auto* sample = getCurrentSample())
        context.setWaveSelection (WaveOperations::selectAll (*sample));
}

void ActionManager::pointsToSelection()
{
    if (auto* sample = getCurrentSample())
        context.setWaveSelection (WaveOperations::selectBetweenPoints (*sample));
}

void ActionManager::previousTarget()
{
    stepTarget (-1);
}

void ActionManager::nextTarget()
{
    stepTarget (1);
}

// Moves to the neighbouring sample, wrapping round at both ends, and plays
// it when the user wants the chosen sample to be heard at once.
void ActionManager::stepTarget (int step)
{
    if (getCurrentPage() != 1 || context.getDataCenter() == nullptr)
        return;

    const int numSamples = SampleSet::numSamples;
    context.setCurrentSample ((getCurrentSampleIndex() + step + numSamples) % numSamples);

    auto* prefs = PreferencesData::getInstancePointer();
    auto* gui = context.getCommandGui();
    auto* player = context.getPlayerManager();

    if (prefs != nullptr && prefs->getFlag (PreferencesData::targetSampleAutoPlay)
        && gui != nullptr && gui->isWaveformEditorShown() && player != nullptr)
        player->play();
}

void ActionManager::playStop()
{
    auto* player = context.getPlayerManager();
    if (player == nullptr)
        return;

    if (player->isPlaying())
        player->stop();
    else
        player->play();
}

void ActionManager::rewind()
{
    if (auto* player = context.getPlayerManager())
        player->rewind();
}

void ActionManager::stopPlayback()
{
    if (auto* player = context.getPlayerManager())
    {
        player->getEngine().getPreviewPlayer().stop();
        player->stop();
    }
}

void ActionManager::refreshFileBrowser()
{
    MessageEngine::broadcast (MessageIds::refreshFileBrowser);
}

void ActionManager::showBankMemory()
{
    if (auto* gui = context.getCommandGui())
        gui->showBankMemoryWindow();
}

void ActionManager::showPreferences()
{
    if (auto* gui = context.getCommandGui())
        gui->showPreferencesWindow();
}

void ActionManager::showAbout()
{
    if (auto* gui = context.getCommandGui())
        gui->showAboutBox();
}
