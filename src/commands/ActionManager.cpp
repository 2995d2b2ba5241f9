#include "commands/ActionManager.h"

#include "app/MessageEngine.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "history/TransactionNames.h"
#include "resources/CZQVResource.h"

namespace
{
// "Undo : Cut sample data"
juce::String historyStepName (const char* commandKey, const juce::String& transactionName)
{
    return CZQVResource::text (commandKey) + " : " + CZQVResource::text (TransactionNames::menuTextKey (transactionName));
}
}

// Receive and Transmit stand for the commands that move what the page shows.
int ActionManager::editTargetCommand (int commandId, int page)
{
    const bool receive = commandId == CommandIds::receiveEditTarget;

    switch (page)
    {
        case CommandGui::samplePage:  return receive ? CommandIds::receiveSample : CommandIds::transmitSample;
        case CommandGui::effectPage:  return receive ? CommandIds::receiveEffect : CommandIds::transmitEffect;
        case CommandGui::patternPage: return receive ? CommandIds::receivePatternSet : CommandIds::transmitPatternSet;
        default:                      return commandId;
    }
}

ActionManager::ActionManager (CommandContext& commandContext)
    : context (commandContext)
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
}

ActionManager::~ActionManager()
{
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);
}

juce::String ActionManager::getTableName (int commandId)
{
    auto* record = findRecord (commandId);
    return record != nullptr ? CZQVResource::text (record->nameKey) : juce::String();
}

juce::Array<int> ActionManager::getAllCommands()
{
    juce::Array<int> commands;

    for (int id = CommandIds::first; id <= CommandIds::last; ++id)
        commands.add (id);

    return commands;
}

bool ActionManager::describe (int commandId, CommandDescription& description) const
{
    auto* record = findRecord (commandId);
    if (record == nullptr)
        return false;

    description.name = getCommandName (commandId);
    description.category = CZQVResource::text (record->categoryKey);
    description.enabled = isCommandEnabled (commandId);
    description.key = record->key;
    description.modifiers = record->modifiers;
    return true;
}

bool ActionManager::perform (int commandId)
{
    auto* record = findRecord (commandId);
    if (record == nullptr)
        return false;

    if (record->perform != nullptr)
        (this->*(record->perform)) (commandId);

    return true;
}

juce::String ActionManager::getCommandName (int commandId) const
{
    switch (commandId)
    {
        case CommandIds::undo:
            if (auto* history = context.getUndoManager(); history != nullptr && history->canUndo())
                return historyStepName ("Command_Name_Edit_Undo", history->getUndoDescription());
            break;

        case CommandIds::redo:
            if (auto* history = context.getUndoManager(); history != nullptr && history->canRedo())
                return historyStepName ("Command_Name_Edit_Redo", history->getRedoDescription());
            break;

        case CommandIds::receiveEditTarget:
        case CommandIds::transmitEditTarget:
            return getTableName (editTargetCommand (commandId, getCurrentPage()));

        case CommandIds::playStop:
            if (auto* player = context.getPlayerManager())
                return CZQVResource::text (player->isPlaying() ? "Command_Name_SamplePlayer_Stop"
                                                               : "Command_Name_SamplePlayer_Play");
            break;

        default:
            break;
    }

    return getTableName (commandId);
}

bool ActionManager::isCommandEnabled (int commandId) const
{
    if (! isGuiFree())
        return false;

    switch (commandId)
    {
        case CommandIds::undo:
            return context.getUndoManager() != nullptr && context.getUndoManager()->canUndo();

        case CommandIds::redo:
            return context.getUndoManager() != nullptr && context.getUndoManager()->canRedo();

        // The focused sample or pattern page answers these before the
        // action manager is asked.
        case CommandIds::cut:
        case CommandIds::copy:
        case CommandIds::paste:
        case CommandIds::clear:
            return false;

        case CommandIds::selectAll:
        case CommandIds::selectionToPoints:
        case CommandIds::pointsToSelection:
            return getCurrentPage() == CommandGui::samplePage;

        default:
            return true;
    }
}

bool ActionManager::isGuiFree() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr && ! gui->isBusy() && ! gui->isMainComponentModal();
}

int ActionManager::getCurrentPage() const
{
    auto* gui = context.getCommandGui();
    return gui != nullptr ? gui->getCurrentPage() : CommandGui::noPage;
}

SampleData* ActionManager::getCurrentSample() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? &dataCenter->getEditBank().getSample (getCurrentSampleIndex()) : nullptr;
}

int ActionManager::getCurrentSampleIndex() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex() : 0;
}
