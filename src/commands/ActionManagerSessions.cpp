#include "commands/ActionManager.h"

#include "app/Exception.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "device/GlobalTransfers.h"
#include "device/SampleTransfers.h"
#include "device/UsbSessionManager.h"
#include "resources/MessageBoxes.h"

// The session window opens before the session starts, so that it hears the
// session from its first report. When the port cannot be opened the window
// goes and the reason is shown.
void ActionManager::runSession (std::unique_ptr<UsbSession> session, juce::CommandID commandId, bool stopsPlayback, int origin)
{
    auto* sessions = context.getSessionManager();
    auto* gui = context.getCommandGui();

    if (sessions == nullptr || gui == nullptr)
        return;

    if (stopsPlayback)
        stopPlayback();

    if (! gui->openSessionDialog (getTableName (commandId), origin))
        return;

    try
    {
        if (! sessions->startSession (std::move (session)))
            gui->closeSessionDialog();
    }
    catch (const Exception& e)
    {
        gui->closeSessionDialog();
        MessageBoxes::errorBox (e.getMessageKey());
    }
}

void ActionManager::performEditTarget (juce::CommandID commandId)
{
    const auto target = editTargetCommand (commandId, getCurrentPage());

    if (target != commandId)
        if (auto* record = findRecord (target); record->perform != nullptr)
            (this->*(record->perform)) (target);
}

void ActionManager::transmitSample (juce::CommandID commandId)
{
    auto* sample = getCurrentSample();
    if (sample == nullptr)
        return;

    const bool withAudio = commandId == CommandIds::transmitSample;
    runSession (std::make_unique<SampleWrite> (*sample, getCurrentSampleIndex(),
                                               withAudio ? SampleWrite::everything : SampleWrite::parametersOnly),
                commandId, withAudio, CommandGui::fromMainWindow);
}

void ActionManager::receiveGlobal (juce::CommandID commandId)
{
    if (auto* dataCenter = context.getDataCenter())
        runSession (std::make_unique<GlobalReceive> (dataCenter->getGlobalData()),
                    commandId, false, CommandGui::fromPreferencesWindow);
}

void ActionManager::writeGlobal (juce::CommandID commandId)
{
    auto* dataCenter = context.getDataCenter();
    auto* gui = context.getCommandGui();

    if (dataCenter != nullptr && gui != nullptr && gui->confirmWriting (true, false))
        runSession (std::make_unique<GlobalWrite> (dataCenter->getGlobalData()),
                    commandId, false, CommandGui::fromPreferencesWindow);
}
